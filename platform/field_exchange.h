// The standard field exchange of both programs' dialogs: a field's text read as the field's type,
// or refused with the fixed text the dialog then shows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace shell {

inline constexpr const char* kNeedIntegerText = "整数を入力してください。";
inline constexpr const char* kNeedUnsignedText = "正の整数を入力してください。";
inline constexpr const char* kNeedNumberText = "数字を入力してください。";

// Blanks around a number are allowed; anything else after it refuses the field.
std::optional<int32_t> ExchangeInt(std::string_view text);
std::optional<uint32_t> ExchangeUnsigned(std::string_view text);  // no sign at all
std::optional<float> ExchangeFloat(std::string_view text);        // finite single precision

// A number field with a range: the value, or empty and the refusal the dialog shows.
std::optional<float> ExchangeFloatInRange(std::string_view text, double low, double high,
                                          std::string& refusal);
// An unsigned field: the value, or empty and the refusal.
std::optional<uint32_t> ExchangeUnsigned(std::string_view text, std::string& refusal);

// "%1 から %2 までの整数を入力してください。" and the same for numbers, filled in.
std::string IntRangeText(int64_t low, int64_t high);
std::string NumberRangeText(double low, double high);

}  // namespace shell
