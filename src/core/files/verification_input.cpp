#include "files/verification_input.h"

#include "files/buffered_file.h"
#include "files/fixed_length_file.h"

namespace zelkora {

namespace fs = std::filesystem;

std::uint64_t largestVerificationSize() {
    return BufferedFile::maxExtent() / kVerificationRecordLength * kVerificationRecordLength;
}

Status checkVerificationInput(const fs::path& file) {
    if (Status regular = checkRegularFile(file); !regular.ok()) {
        return regular;
    }
    std::error_code error;
    const std::uintmax_t size = fs::file_size(file, error);
    if (error) {
        return Error{ErrorKind::CannotOpen}.inFile(file).because(error);
    }
    if (size > largestVerificationSize()) {
        return Error{ErrorKind::CannotOpen}
            .inFile(file)
            .because(FileRefusal::LargerThanVerification)
            .counting(static_cast<std::int64_t>(size));
    }
    return {};
}

Status copyVerificationIn(FileSystem& files, const fs::path& file, const fs::path& workingCopy) {
    if (Status checked = checkVerificationInput(file); !checked.ok()) {
        return checked;
    }
    return copyFileSafely(files, file, workingCopy);
}

} // namespace zelkora
