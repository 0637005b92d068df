#pragma once

#include <filesystem>

namespace zelkora {

// Removes the temporary files a safe replace leaves when the program is killed mid-write
// (".temp.pac.partial", ".zelkora.ini.partial", a sample's ".NAME.pac.partial") from `folder`.
// Only regular files named as replaceFileSafely names the temporaries of .pac and .ini files
// go; a file the user made under such a name is as unlikely as it would be strange. Returns how
// many were removed.
int removeLeftoverPartials(const std::filesystem::path& folder);

} // namespace zelkora
