#pragma once

#include "platform/platform.h"

#include <optional>
#include <string>

namespace zelkora {

// A user interface for runs nobody watches (campaigns, benchmarks): every message is answered
// OK, nothing is shown and no file dialog offers a name. A failure still comes back from the
// engine as an Error.
class SilentUserInterface final : public UserInterface {
public:
    MessageResult showMessage(const Message&) override { return MessageResult::Ok; }
    void beep() override {}
    void setPointer(PointerShape) override {}
    std::optional<std::string> openFileDialog(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> saveFileDialog(const FileDialogRequest&) override { return {}; }
};

} // namespace zelkora
