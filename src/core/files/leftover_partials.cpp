#include "files/leftover_partials.h"

#include "files/utf8_path.h"

#include <array>
#include <string>
#include <string_view>

namespace zelkora {

namespace fs = std::filesystem;

namespace {

bool isLeftoverName(std::string_view name) {
    constexpr std::array<std::string_view, 2> kEndings{".pac.partial", ".ini.partial"};
    if (!name.starts_with('.')) {
        return false;
    }
    for (const std::string_view ending : kEndings) {
        if (name.size() > ending.size() + 1 && name.ends_with(ending)) {
            return true;
        }
    }
    return false;
}

} // namespace

int removeLeftoverPartials(const fs::path& folder) {
    int removed = 0;
    std::error_code error;
    fs::directory_iterator entries(folder, error);
    if (error) {
        return 0;
    }
    // Stepped with an error code: a folder that changes under the loop ends it, never throws.
    for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
        const fs::directory_entry& entry = *entries;
        const std::string name = utf8FromPath(entry.path().filename());
        std::error_code ignored;
        if (isLeftoverName(name) && entry.is_regular_file(ignored) && !entry.is_symlink(ignored) &&
            fs::remove(entry.path(), ignored)) {
            ++removed;
        }
    }
    return removed;
}

} // namespace zelkora
