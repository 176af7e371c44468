// The colour picker (色の設定) of both programs without its widget: R, G, B and 不透明度 as
// integers 0 to 255.
#pragma once

#include <cstdint>
#include <string>

namespace shell {

inline constexpr const char* kColourHelpPage = "dlg_iro.htm";

// The picker's fields as typed.
struct ColourFields {
    std::string red, green, blue, opacity;
    bool withAlpha = true;  // without it the opacity field is disabled and not read
};

ColourFields ColourFieldsOf(uint32_t argb, bool withAlpha);
// The first refusal in field order, or empty.
std::string ValidateColour(const ColourFields& fields);
// The ARGB value of valid fields; without alpha the old alpha is kept.
uint32_t ColourOf(const ColourFields& fields, uint32_t oldArgb);

}  // namespace shell
