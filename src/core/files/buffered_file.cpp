#include "files/buffered_file.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <limits>
#include <system_error>

namespace zelkora {
namespace {

// std::fseek takes a long, which Windows keeps at 32 bits; the same limit applies everywhere
// so that a file behaves alike on every platform.
constexpr std::uint64_t kMaxExtent = std::numeric_limits<std::int32_t>::max();

std::FILE* openFile(const std::filesystem::path& path, const char* mode) {
#ifdef _WIN32
    // The narrow fopen would lose characters outside the ANSI code page (a Japanese folder
    // name on a non-Japanese system); the wide variant takes the path as it is.
    const std::wstring wideMode(mode, mode + std::strlen(mode));
    return _wfopen(path.c_str(), wideMode.c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

std::error_code lastError() {
    return {errno, std::generic_category()};
}

} // namespace

BufferedFile::BufferedFile(std::size_t windowCapacity)
    : window_(std::make_unique_for_overwrite<unsigned char[]>(windowCapacity)),
      windowCapacity_(windowCapacity) {}

BufferedFile::~BufferedFile() {
    static_cast<void>(close()); // see the header: callers that care close() themselves
}

std::uint64_t BufferedFile::maxExtent() {
    return kMaxExtent;
}

Error BufferedFile::failure(ErrorKind kind, std::error_code error) const {
    return Error{kind}.inFile(path_).because(error);
}

Status BufferedFile::open(const std::filesystem::path& path) {
    if (Status closed = close(); !closed.ok()) {
        return closed;
    }
    path_ = path;
    readOnly_ = false;
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        return failure(ErrorKind::CannotOpen, std::make_error_code(std::errc::is_a_directory));
    }
    std::FILE* file = openFile(path, "r+b");
    std::error_code openError = lastError();
    if (file == nullptr && !std::filesystem::exists(path, error)) {
        file = openFile(path, "w+b");
        openError = lastError();
    } else if (file == nullptr) {
        file = openFile(path, "rb");
        readOnly_ = file != nullptr;
    }
    if (file == nullptr) {
        return failure(ErrorKind::CannotOpen, openError);
    }
    std::setvbuf(file, nullptr, _IONBF, 0); // the window is the only buffer
    const long size = std::fseek(file, 0, SEEK_END) == 0 ? std::ftell(file) : -1L;
    if (size < 0) {
        const std::error_code sizeError = lastError();
        std::fclose(file);
        return failure(ErrorKind::CannotRead, sizeError);
    }
    file_ = file;
    fileSize_ = static_cast<std::uint64_t>(size);
    windowStart_ = 0;
    windowSize_ = 0;
    dirtyBegin_ = dirtyEnd_ = 0;
    return {};
}

Status BufferedFile::close() {
    if (!isOpen()) {
        return {};
    }
    Status status = flush();
    if (std::fclose(file_) != 0 && status.ok()) {
        status = failure(ErrorKind::CannotWrite, lastError());
    }
    file_ = nullptr;
    readOnly_ = false;
    fileSize_ = windowStart_ = dirtyBegin_ = dirtyEnd_ = 0;
    windowSize_ = 0;
    return status;
}

std::uint64_t BufferedFile::size() const {
    return std::max(fileSize_, windowEnd());
}

Status BufferedFile::read(std::uint64_t offset, std::size_t length,
                          std::span<const unsigned char>& bytes) {
    bytes = {};
    if (!isOpen()) {
        return failure(ErrorKind::CannotRead, std::make_error_code(std::errc::bad_file_descriptor));
    }
    const std::uint64_t total = size();
    if (offset >= total) {
        return {};
    }
    if (length > windowCapacity_) {
        return failure(ErrorKind::CannotRead, std::make_error_code(std::errc::invalid_argument));
    }
    const std::uint64_t end = std::min<std::uint64_t>(offset + length, total);
    if (offset < windowStart_ || end > windowEnd()) {
        if (Status loaded = load(offset); !loaded.ok()) {
            return loaded;
        }
    }
    // Less than asked for only when the file shrank behind this object's back.
    const std::uint64_t available = std::min(end, windowEnd());
    if (available > offset) {
        bytes = {window_.get() + static_cast<std::size_t>(offset - windowStart_),
                 static_cast<std::size_t>(available - offset)};
    }
    return {};
}

Status BufferedFile::load(std::uint64_t offset) {
    if (Status flushed = flush(); !flushed.ok()) {
        return flushed;
    }
    windowStart_ = offset;
    windowSize_ = 0;
    if (offset >= fileSize_) {
        return {};
    }
    const auto wanted = static_cast<std::size_t>(
        std::min<std::uint64_t>(windowCapacity_, std::min(fileSize_, kMaxExtent) - offset));
    if (offset > kMaxExtent || std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0) {
        return failure(ErrorKind::CannotRead, lastError());
    }
    const std::size_t got = std::fread(window_.get(), 1, wanted, file_);
    if (got < wanted && std::ferror(file_) != 0) {
        const std::error_code readError = lastError();
        std::clearerr(file_);
        return failure(ErrorKind::CannotRead, readError);
    }
    windowSize_ = got;
    return {};
}

Status BufferedFile::write(std::uint64_t offset, std::span<const unsigned char> bytes) {
    if (!isOpen()) {
        return failure(ErrorKind::CannotWrite,
                       std::make_error_code(std::errc::bad_file_descriptor));
    }
    if (readOnly_) {
        return failure(ErrorKind::CannotWrite, std::make_error_code(std::errc::permission_denied));
    }
    if (bytes.size() > windowCapacity_ || offset + bytes.size() > kMaxExtent) {
        return failure(ErrorKind::CannotWrite, std::make_error_code(std::errc::file_too_large));
    }
    const std::uint64_t end = offset + bytes.size();
    const bool extendsWindow =
        offset >= windowStart_ && offset <= windowEnd() && end <= windowStart_ + windowCapacity_;
    if (!extendsWindow) {
        if (Status flushed = flush(); !flushed.ok()) {
            return flushed;
        }
        windowStart_ = offset;
        windowSize_ = 0;
    }
    std::copy(bytes.begin(), bytes.end(),
              window_.get() + static_cast<std::size_t>(offset - windowStart_));
    windowSize_ = std::max(windowSize_, static_cast<std::size_t>(end - windowStart_));
    dirtyBegin_ = isDirty() ? std::min(dirtyBegin_, offset) : offset;
    dirtyEnd_ = std::max(dirtyEnd_, end);
    return {};
}

Status BufferedFile::flush() {
    if (!isOpen() || !isDirty()) {
        return {};
    }
    if (dirtyBegin_ > fileSize_) {
        if (Status filled = fillWithZeros(fileSize_, dirtyBegin_); !filled.ok()) {
            return filled;
        }
        fileSize_ = dirtyBegin_;
    }
    Status written =
        writeAt(dirtyBegin_, window_.get() + static_cast<std::size_t>(dirtyBegin_ - windowStart_),
                static_cast<std::size_t>(dirtyEnd_ - dirtyBegin_));
    if (!written.ok()) {
        return written;
    }
    fileSize_ = std::max(fileSize_, dirtyEnd_);
    dirtyBegin_ = dirtyEnd_ = 0;
    return {};
}

Status BufferedFile::discardUnwritten() {
    if (!isOpen()) {
        return {};
    }
    dirtyBegin_ = dirtyEnd_ = 0;
    windowStart_ = 0;
    windowSize_ = 0;
    std::clearerr(file_);
    const long size = std::fseek(file_, 0, SEEK_END) == 0 ? std::ftell(file_) : -1L;
    if (size < 0) {
        return failure(ErrorKind::CannotRead, lastError());
    }
    fileSize_ = static_cast<std::uint64_t>(size);
    return {};
}

Status BufferedFile::fillWithZeros(std::uint64_t from, std::uint64_t to) {
    static const std::array<unsigned char, 1U << 16U> zeros{};
    for (std::uint64_t offset = from; offset < to; offset += zeros.size()) {
        const auto length =
            static_cast<std::size_t>(std::min<std::uint64_t>(zeros.size(), to - offset));
        if (Status written = writeAt(offset, zeros.data(), length); !written.ok()) {
            return written;
        }
    }
    return {};
}

Status BufferedFile::writeAt(std::uint64_t offset, const unsigned char* data, std::size_t length) {
    if (std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0) {
        return failure(ErrorKind::CannotWrite, lastError());
    }
    errno = 0;
    const std::size_t written = std::fwrite(data, 1, length, file_);
    if (written < length || std::fflush(file_) != 0) {
        const std::error_code writeError =
            errno != 0 ? lastError() : std::make_error_code(std::errc::io_error);
        std::clearerr(file_);
        return failure(ErrorKind::CannotWrite, writeError);
    }
    return {};
}

} // namespace zelkora
