#include "platform/field_exchange.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace shell {

namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

template <typename T>
std::optional<T> Whole(std::string_view text) {
    text = Trim(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    T value{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace

std::optional<int32_t> ExchangeInt(std::string_view text) {
    return Whole<int32_t>(text);
}

std::optional<uint32_t> ExchangeUnsigned(std::string_view text) {
    const std::string_view t = Trim(text);
    if (!t.empty() && (t.front() == '-' || t.front() == '+')) return std::nullopt;
    return Whole<uint32_t>(t);
}

std::optional<float> ExchangeFloat(std::string_view text) {
    text = Trim(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    // Plain decimals only: from_chars would take "inf" and "nan" as numbers.
    const std::string_view digits = !text.empty() && text.front() == '-' ? text.substr(1) : text;
    if (digits.empty() ||
        !(std::isdigit(static_cast<unsigned char>(digits.front())) || digits.front() == '.'))
        return std::nullopt;
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    const auto f = static_cast<float>(value);
    if (!std::isfinite(f)) return std::nullopt;
    return f;
}

std::optional<float> ExchangeFloatInRange(std::string_view text, double low, double high,
                                          std::string& refusal) {
    const std::optional<float> value = ExchangeFloat(text);
    if (!value) {
        refusal = kNeedNumberText;
    } else if (*value < low || *value > high) {
        refusal = NumberRangeText(low, high);
    } else {
        return value;
    }
    return std::nullopt;
}

std::optional<uint32_t> ExchangeUnsigned(std::string_view text, std::string& refusal) {
    const std::optional<uint32_t> value = ExchangeUnsigned(text);
    if (!value) refusal = kNeedUnsignedText;
    return value;
}

std::string IntRangeText(int64_t low, int64_t high) {
    return std::to_string(low) + " から " + std::to_string(high) +
           " までの整数を入力してください。";
}

std::string NumberRangeText(double low, double high) {
    char a[32], b[32];
    std::snprintf(a, sizeof a, "%g", low);
    std::snprintf(b, sizeof b, "%g", high);
    return std::string(a) + " から " + b + " までの数字を入力してください。";
}

}  // namespace shell
