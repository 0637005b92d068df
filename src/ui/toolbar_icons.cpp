#include "toolbar_icons.h"

#include <array>

namespace zelkora::ui {
namespace {

struct IconSpec {
    const char* themeName; // empty where no theme icon says the same
    const char* resource;
};

constexpr std::array<IconSpec, 11> kIcons{{
    {"document-open", ":/zelkora/icons/open.svg"},
    {"document-new", ":/zelkora/icons/new.svg"},
    {"document-save", ":/zelkora/icons/save.svg"},
    {"document-save-as", ":/zelkora/icons/save-as.svg"},
    {"", ":/zelkora/icons/base-conditions.svg"},
    {"", ":/zelkora/icons/time-conditions.svg"},
    {"", ":/zelkora/icons/symbol-conditions.svg"},
    {"media-playback-start", ":/zelkora/icons/start.svg"},
    {"media-playback-stop", ":/zelkora/icons/cancel.svg"},
    {"", ":/zelkora/icons/probability-convergence.svg"},
    {"", ":/zelkora/icons/symbol-convergence.svg"},
}};

const IconSpec& specOf(ToolbarIcon icon) {
    return kIcons[static_cast<std::size_t>(icon)];
}

} // namespace

QIcon bundledToolbarIcon(ToolbarIcon icon) {
    return QIcon(QString::fromLatin1(specOf(icon).resource));
}

QIcon toolbarIcon(ToolbarIcon icon) {
    const QString themeName = QString::fromLatin1(specOf(icon).themeName);
    // The file commands use the desktop's own icons where it has them; the program's commands
    // have none there, so they always use the program's set.
    if (!themeName.isEmpty() && QIcon::hasThemeIcon(themeName)) {
        return QIcon::fromTheme(themeName);
    }
    return bundledToolbarIcon(icon);
}

} // namespace zelkora::ui
