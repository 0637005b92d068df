#pragma once

#include "platform/platform.h"

#include <string_view>

namespace zelkora {

// The project's own web page. Empty while it has none: the box then names no address rather
// than one that leads nowhere.
inline constexpr std::string_view kHomePageAddress;

// The version box of MS_Version.
Message versionMessage();

} // namespace zelkora
