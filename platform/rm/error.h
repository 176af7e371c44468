// Failure reporting: every operation returns success or failure; the reason of the latest
// failure on this thread can be read for diagnostics.
#pragma once

#include <string>

namespace rm {

const std::string& LastError();

namespace detail {
// Records `reason` and returns false, so a failing path can `return Fail("...")`.
bool Fail(const char* reason);
}  // namespace detail

}  // namespace rm
