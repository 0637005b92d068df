#pragma once

#include "platform/platform.h"

#include <string_view>

namespace zelkora {

// The project's own page; a neutral placeholder until the project has a home.
inline constexpr std::string_view kHomePageAddress = "https://zelkora.example/";

// The version box of MS_Version.
Message versionMessage();

} // namespace zelkora
