// Who the program is: its name in titles, help and the settings store, and its version.
#pragma once

#include <string_view>

namespace modeller {

inline constexpr std::string_view kProgramName = "Mokkel";
inline constexpr std::string_view kCompanyKey = "Yomiwa";  // the settings live under this maker
inline constexpr std::string_view kVersion = "1.0";

}  // namespace modeller
