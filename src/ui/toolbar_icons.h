#pragma once

#include <QIcon>
#include <cstdint>

namespace zelkora::ui {

enum class ToolbarIcon : std::uint8_t {
    Open,
    New,
    Save,
    SaveAs,
    BaseConditions,
    TimeConditions,
    SymbolConditions,
    Start,
    Cancel,
    ProbabilityConvergence,
    SymbolConvergence,
};

// The platform's icon where its theme has one, otherwise the program's own drawing.
QIcon toolbarIcon(ToolbarIcon icon);
// The program's own drawing, always available.
QIcon bundledToolbarIcon(ToolbarIcon icon);

} // namespace zelkora::ui
