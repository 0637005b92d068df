#pragma once

#include <cstddef>
#include <filesystem>

// What zelkora-run leaves behind when it is told to stop. A SIGINT (Ctrl+C) or a SIGTERM ends
// the process at once, in the middle of a run that may last minutes; the paths registered here
// are removed first, with calls a signal handler may make, and the signal then ends the process
// as it would have. A SIGKILL cannot be seen: the working folder's sweep removes what it leaves.
namespace zelkora::cli {

// Installs the handlers of SIGINT and SIGTERM, and ignores SIGXFSZ, so a write beyond a
// file-size limit fails with EFBIG and a message instead of ending the process without a word.
void installTerminationCleanup();

enum class RemovedKind : unsigned char { File, EmptyFolder };

// Registers one path for removal on SIGINT and SIGTERM while the object lives; files go before
// folders. The registry holds a few paths (a working folder and a write's temporary file); a
// path beyond them, or too long for it, is not registered and is left to the sweep.
class RemovedOnSignal {
public:
    RemovedOnSignal(const std::filesystem::path& path, RemovedKind kind);
    ~RemovedOnSignal();
    RemovedOnSignal(const RemovedOnSignal&) = delete;
    RemovedOnSignal& operator=(const RemovedOnSignal&) = delete;

private:
    std::size_t slot_;
};

} // namespace zelkora::cli
