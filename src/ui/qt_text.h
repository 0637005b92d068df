#pragma once

#include <QString>
#include <string_view>

namespace zelkora::ui {

// The core's UTF-8 texts as Qt strings, converted only here at the boundary.
inline QString qtText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace zelkora::ui
