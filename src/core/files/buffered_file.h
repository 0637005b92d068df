#pragma once

#include "common/error.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <system_error>

// A random-access binary file read and written through one in-memory window. Sequential reads
// fetch a large block per system call instead of one record each; sequential writes collect in
// the window and go to the file together, when the window moves, on flush() and on close().
// Bytes between the old end of the file and a write beyond it are filled with zeros.
namespace zelkora {

class BufferedFile {
public:
    explicit BufferedFile(std::size_t windowCapacity);
    // Flushes and closes; a failure here cannot be reported, so callers that care call close().
    ~BufferedFile();
    BufferedFile(const BufferedFile&) = delete;
    BufferedFile& operator=(const BufferedFile&) = delete;

    // Opens for reading and writing, creating the file if it does not exist. A file that
    // exists but cannot be written is opened read-only; writes to it then fail.
    [[nodiscard]] Status open(const std::filesystem::path& path);
    // Writes what is buffered and closes the file; the file is closed even when that fails.
    Status close();
    bool isOpen() const { return file_ != nullptr; }
    bool isReadOnly() const { return readOnly_; }
    const std::filesystem::path& path() const { return path_; }

    // The file's size including writes still held in the window.
    std::uint64_t size() const;
    // The largest offset + length this class can address on every platform.
    static std::uint64_t maxExtent();

    // The bytes at [offset, offset + length), clipped to the end of the file (empty beyond
    // it). The view is valid until the next call on this object. `length` must not exceed the
    // window capacity.
    Status read(std::uint64_t offset, std::size_t length, std::span<const unsigned char>& bytes);
    // Stores the bytes at `offset`; the file grows as needed. Until the next flush the bytes
    // may live only in the window. `bytes` must not exceed the window capacity.
    Status write(std::uint64_t offset, std::span<const unsigned char> bytes);
    // Writes the buffered bytes to the file. On failure they stay buffered and the next flush
    // tries again.
    Status flush();
    // Drops the buffered bytes after a flush failed, so that the bytes the file already has
    // can still be rewritten (a full disk refuses only growth). size() is then the file's real
    // size, which counts whatever part of the dropped bytes did reach it.
    Status discardUnwritten();

private:
    Status load(std::uint64_t offset);
    Status fillWithZeros(std::uint64_t from, std::uint64_t to);
    Status writeAt(std::uint64_t offset, const unsigned char* data, std::size_t length);
    Error failure(ErrorKind kind, std::error_code error) const;
    std::uint64_t windowEnd() const { return windowStart_ + windowSize_; }
    bool isDirty() const { return dirtyBegin_ < dirtyEnd_; }

    std::FILE* file_ = nullptr;
    std::filesystem::path path_;
    bool readOnly_ = false;
    std::uint64_t fileSize_ = 0; // bytes actually in the file
    // Left uninitialised: only bytes below windowSize_ are ever read, and zero-filling a large
    // window for every small file opened (settings, a few records) costs more than reading it.
    std::unique_ptr<unsigned char[]> window_;
    std::size_t windowCapacity_;
    std::uint64_t windowStart_ = 0;
    std::size_t windowSize_ = 0; // bytes of the window that hold file content
    std::uint64_t dirtyBegin_ = 0;
    std::uint64_t dirtyEnd_ = 0;
};

} // namespace zelkora
