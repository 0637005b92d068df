#include "common/error.h"

#include <filesystem>
#include <new>
#include <system_error>

namespace zelkora {

namespace {

// Its messages are for logs and debuggers only: the user's words come from the commands floor.
class FileRefusalCategory final : public std::error_category {
public:
    const char* name() const noexcept override { return "zelkora file refusal"; }
    std::string message(int value) const override {
        switch (static_cast<FileRefusal>(value)) {
        case FileRefusal::NotRegularFile:
            return "not a regular file";
        case FileRefusal::LargerThanVerification:
            return "larger than any verification";
        case FileRefusal::ReadOnlyFile:
            return "read-only file";
        }
        return "unknown refusal";
    }
};

} // namespace

const std::error_category& fileRefusalCategory() {
    static const FileRefusalCategory category;
    return category;
}

Error errorOfCurrentException() {
    try {
        throw;
    } catch (const Fault& fault) {
        return fault.error();
    } catch (const std::bad_alloc&) {
        return Error{ErrorKind::OutOfMemory};
    } catch (const std::filesystem::filesystem_error& failure) {
        return Error{ErrorKind::Unexpected}.inFile(failure.path1()).because(failure.code());
    } catch (const std::system_error& failure) {
        return Error{ErrorKind::Unexpected}.because(failure.code());
    } catch (...) {
        return Error{ErrorKind::Unexpected};
    }
}

} // namespace zelkora
