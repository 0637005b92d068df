#include "files/file_system.h"

namespace zelkora {

namespace fs = std::filesystem;

std::error_code LocalFileSystem::copyContents(const fs::path& from, const fs::path& to) {
    std::error_code error;
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, error);
    return error;
}

std::error_code LocalFileSystem::rename(const fs::path& from, const fs::path& to) {
    std::error_code error;
    fs::rename(from, to, error);
    return error;
}

std::error_code LocalFileSystem::remove(const fs::path& file) {
    std::error_code error;
    if (!fs::remove(file, error) && !error) {
        error = std::make_error_code(std::errc::no_such_file_or_directory);
    }
    return error;
}

fs::path temporaryCopyPath(const fs::path& target) {
    // Built by appending: GCC 12 warns falsely (-Wrestrict) on "." + name + ".partial".
    fs::path name(".");
    name += target.filename();
    name += ".partial";
    fs::path temporary = target;
    temporary.replace_filename(name);
    return temporary;
}

bool isSameFile(const fs::path& first, const fs::path& second) {
    std::error_code error;
    const bool same = fs::equivalent(first, second, error);
    return same && !error;
}

std::error_code copyFileSafely(FileSystem& files, const fs::path& from, const fs::path& to) {
    if (isSameFile(from, to)) {
        return {};
    }
    const fs::path temporary = temporaryCopyPath(to);
    std::error_code error = files.copyContents(from, temporary);
    if (!error) {
        error = files.rename(temporary, to);
    }
    if (error) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
    }
    return error;
}

} // namespace zelkora
