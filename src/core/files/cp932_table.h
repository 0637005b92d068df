#pragma once

#include "common/error.h"

#include <string>
#include <string_view>

namespace zelkora {

// Code page 932 from a table kept in the source tree, generated from ICU's converter (with the
// corrections IcuCp932 applies), so a build without ICU (Windows) writes and reads the same
// bytes as the Linux build. Same contract as IcuCp932; holds no state, so any number of threads
// may share one.
class TableCp932 {
public:
    bool available() const { return true; }
    Status appendEncoded(std::string_view text, std::string& bytes) const;
    bool appendDecoded(std::string_view bytes, std::string& text, bool& invalid) const;
};

} // namespace zelkora
