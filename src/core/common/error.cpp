#include "common/error.h"

#include <new>

namespace zelkora {

Error errorOfCurrentException() {
    try {
        throw;
    } catch (const Fault& fault) {
        return fault.error();
    } catch (const std::bad_alloc&) {
        return Error{ErrorKind::OutOfMemory};
    } catch (...) {
        return Error{ErrorKind::Unexpected};
    }
}

} // namespace zelkora
