#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace zelkora {

// The one-line help a control of the main window writes into status panel 1 when the pointer
// moves over it. An empty text clears the panel (the background panels do that).
struct HelpText {
    std::string_view control;
    std::string_view text;
};

// Every control of the main window that explains itself, by its control name.
std::span<const HelpText> mainWindowHelpTexts();
// The help of one control; nothing for a control that writes no help (it leaves panel 1 alone).
std::optional<std::string_view> helpTextOf(std::string_view control);

} // namespace zelkora
