#include "platform/rm/error.h"

namespace rm {
namespace {
thread_local std::string lastError;
}

const std::string& LastError() {
    return lastError;
}

namespace detail {
bool Fail(const char* reason) {
    try {
        lastError = reason;
    } catch (...) {
        // Keeping the reason is best effort; the failure itself is still reported.
    }
    return false;
}
}  // namespace detail

}  // namespace rm
