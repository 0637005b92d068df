#include "files/table_export.h"

#include "files/csv_file.h"

#include <cerrno>
#include <cstdio>

namespace zelkora {
namespace {

// The path as the system names it: wide characters on Windows, bytes elsewhere.
std::FILE* openForWriting(const std::filesystem::path& file) {
#ifdef _WIN32
    return _wfopen(file.c_str(), L"wb");
#else
    return std::fopen(file.c_str(), "wb");
#endif
}

} // namespace

Status writeCsvRows(FileSystem& files, const std::filesystem::path& target,
                    std::span<const std::vector<std::string>> rows) {
    CsvFile file(target);
    if (!file.status().ok()) {
        return file.status();
    }
    for (const std::vector<std::string>& row : rows) {
        file.row(std::span<const std::string>(row));
    }
    return file.commit(files);
}

Status writeBytesSafely(FileSystem& files, const std::filesystem::path& target,
                        std::string_view bytes) {
    return replaceFileSafely(files, target, [&](const std::filesystem::path& temporary) -> Status {
        const auto failure = [&](ErrorKind kind) {
            return Error{kind}.inFile(target).because(
                std::error_code(errno != 0 ? errno : EIO, std::generic_category()));
        };
        errno = 0;
        std::FILE* file = openForWriting(temporary);
        if (file == nullptr) {
            return failure(ErrorKind::CannotOpen);
        }
        const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
        const bool closed = std::fclose(file) == 0;
        if (!written || !closed) {
            return failure(ErrorKind::CannotWrite);
        }
        return {};
    });
}

std::string tabSeparatedText(std::span<const std::vector<std::string>> rows) {
    std::string text;
    for (const std::vector<std::string>& row : rows) {
        for (std::size_t column = 0; column < row.size(); ++column) {
            if (column > 0) {
                text += '\t';
            }
            for (const char character : row[column]) {
                text +=
                    character == '\t' || character == '\r' || character == '\n' ? ' ' : character;
            }
        }
        text += "\r\n";
    }
    return text;
}

} // namespace zelkora
