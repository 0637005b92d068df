#include "files/csv_file.h"

#include <cerrno>
#include <system_error>

namespace zelkora {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Digits with at most one point and an optional sign in front: what a spreadsheet reads as a
// number and never as a formula.
bool isPlainNumber(std::string_view text) {
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        text.remove_prefix(1);
    }
    bool digits = false;
    bool point = false;
    for (const char character : text) {
        if (character >= '0' && character <= '9') {
            digits = true;
        } else if (character == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digits;
}

bool mayRunAsFormula(std::string_view text) {
    return !text.empty() &&
           std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos &&
           !isPlainNumber(text);
}

std::FILE* openForWriting(const std::filesystem::path& path) {
#ifdef _WIN32
    return ::_wfopen(path.c_str(), L"wb");
#else
    return std::fopen(path.c_str(), "wb");
#endif
}

std::filesystem::path writingPath(const std::filesystem::path& target) {
    std::filesystem::path name(".");
    name += target.filename();
    name += ".writing";
    std::filesystem::path writing = target;
    writing.replace_filename(name);
    return writing;
}

} // namespace

std::string csvField(std::string_view text) {
    const bool formula = mayRunAsFormula(text);
    const bool quoted = formula || text.find_first_of(",\"\r\n") != std::string_view::npos ||
                        (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quoted) {
        return std::string(text);
    }
    std::string field = formula ? "\"'" : "\"";
    for (const char character : text) {
        field += character;
        if (character == '"') {
            field += '"';
        }
    }
    field += '"';
    return field;
}

CsvFile::CsvFile(std::filesystem::path target)
    : target_(std::move(target)), writing_(writingPath(target_)) {
    std::error_code error;
    if (std::filesystem::is_directory(target_, error)) {
        status_ = Error{ErrorKind::CannotWrite}.inFile(target_).because(
            std::make_error_code(std::errc::is_a_directory));
        return;
    }
    errno = 0;
    file_ = openForWriting(writing_);
    if (file_ == nullptr) {
        status_ = failure(ErrorKind::CannotWrite, errno);
        return;
    }
    write(kByteOrderMark);
}

CsvFile::~CsvFile() {
    if (file_ != nullptr) {
        std::fclose(file_);
        std::error_code ignored;
        std::filesystem::remove(writing_, ignored);
    }
}

Error CsvFile::failure(ErrorKind kind, int error) const {
    return Error{kind}.inFile(target_).because(
        std::error_code(error != 0 ? error : EIO, std::generic_category()));
}

void CsvFile::write(std::string_view bytes) {
    if (!status_.ok() || file_ == nullptr) {
        return;
    }
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
        status_ = failure(ErrorKind::CannotWrite, errno);
    }
}

template <typename Text> void CsvFile::appendRow(std::span<const Text> fields) {
    line_.clear();
    for (std::size_t index = 0; index < fields.size(); ++index) {
        if (index > 0) {
            line_ += ',';
        }
        line_ += csvField(fields[index]);
    }
    line_ += "\r\n";
    write(line_);
}

void CsvFile::row(std::span<const std::string> fields) {
    appendRow(fields);
}

void CsvFile::row(std::span<const std::string_view> fields) {
    appendRow(fields);
}

Status CsvFile::commit(FileSystem& files) {
    if (file_ == nullptr) {
        return status_;
    }
    errno = 0;
    if (std::fclose(file_) != 0 && status_.ok()) {
        status_ = failure(ErrorKind::CannotWrite, errno);
    }
    file_ = nullptr;
    if (status_.ok()) {
        status_ = replaceFileSafely(files, target_, [&](const std::filesystem::path& temporary) {
            return files.rename(writing_, temporary);
        });
    }
    std::error_code ignored;
    std::filesystem::remove(writing_, ignored);
    return status_;
}

} // namespace zelkora
