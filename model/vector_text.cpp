#include "model/vector_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace model {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimLeft(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && IsBlank(s[i])) ++i;
    return s.substr(i);
}

std::string_view Trim(std::string_view s) {
    s = TrimLeft(s);
    while (!s.empty() && (IsBlank(s.back()) || s.back() == '\r' || s.back() == '\n'))
        s.remove_suffix(1);
    return s;
}

}  // namespace

std::string FormatNumber(float value) {
    if (!std::isfinite(value) || value == 0) return "0";
    // The eight digits and the exponent come from to_chars (the digits of printf's "%.7e",
    // at a fraction of its cost); the layout is ours, so there is never an exponent in the
    // result.
    char buf[32];
    const auto end =
        std::to_chars(buf, buf + sizeof buf - 1, value, std::chars_format::scientific, 7);
    *end.ptr = '\0';
    const bool negative = buf[0] == '-';
    const char* p = buf + (negative ? 1 : 0);
    char digits[8];
    digits[0] = p[0];
    std::memcpy(digits + 1, p + 2, 7);
    const int exponent = std::atoi(p + 10);  // after "d.ddddddde"
    int count = 8;
    while (count > 1 && digits[count - 1] == '0') --count;

    std::string out;
    out.reserve(24);
    if (negative) out += '-';
    if (exponent < 0) {
        out += "0.";
        out.append(static_cast<size_t>(-exponent - 1), '0');
        out.append(digits, static_cast<size_t>(count));
    } else {
        const int intDigits = exponent + 1;
        for (int i = 0; i < intDigits; ++i) out += i < count ? digits[i] : '0';
        if (count > intDigits) {
            out += '.';
            out.append(digits + intDigits, static_cast<size_t>(count - intDigits));
        }
    }
    return out;
}

std::string FormatVector(float x, float y, float z) {
    // Sized once: a sheet holds millions of these, and growth by appending would leave each
    // with about twice the room it needs.
    const std::string a = FormatNumber(x), b = FormatNumber(y), c = FormatNumber(z);
    std::string s;
    s.reserve(a.size() + b.size() + c.size() + 4);
    s += a;
    s += ", ";
    s += b;
    s += ", ";
    s += c;
    return s;
}

float ParseLeadingFloat(std::string_view text, size_t maxChars) {
    text = text.substr(0, std::min(maxChars, text.size()));
    text = TrimLeft(text);
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    // Only plain decimals: words such as "inf" or "nan" read as no number.
    if (text.empty() || !(std::isdigit(static_cast<unsigned char>(text[0])) || text[0] == '.'))
        return 0;
    float value = 0;
    auto result =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large or too small for a float: keep the direction, as a C reader would.
        double d = 0;
        std::from_chars(text.data(), text.data() + text.size(), d, std::chars_format::general);
        value = std::abs(d) > 1 ? HUGE_VALF : 0.0f;
    } else if (result.ec != std::errc()) {
        value = 0;
    }
    return negative ? -value : value;
}

int32_t ParseLeadingInt(std::string_view text) {
    text = TrimLeft(text);
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        value = value * 10 + (c - '0');
        if (value > INT32_MAX) {  // saturate like the C library
            value = negative ? -static_cast<int64_t>(INT32_MIN) : INT32_MAX;
            break;
        }
    }
    return static_cast<int32_t>(negative ? -value : value);
}

std::optional<Vertex> ParseVector(std::string_view text) {
    const size_t first = text.find(',');
    if (first == std::string_view::npos) return std::nullopt;
    const size_t second = text.find(',', first + 1);
    if (second == std::string_view::npos) return std::nullopt;
    return Vertex{ParseLeadingFloat(text.substr(0, first)),
                  ParseLeadingFloat(text.substr(first + 1, second - first - 1)),
                  ParseLeadingFloat(text.substr(second + 1))};
}

std::vector<float> ParseNumberList(std::string_view text, size_t maxCount) {
    std::vector<float> numbers;
    if (Trim(text).empty()) return numbers;
    size_t start = 0;
    while (numbers.size() < maxCount) {
        const size_t comma = text.find(',', start);
        numbers.push_back(ParseLeadingFloat(text.substr(start, comma - start)));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return numbers;
}

std::vector<Vertex> ParseVectorList(std::string_view text) {
    constexpr size_t kMaxVectors = 33;
    const std::vector<float> n = ParseNumberList(text, kMaxVectors * 3);
    std::vector<Vertex> vectors;
    for (size_t i = 0; i + 2 < n.size(); i += 3) vectors.push_back({n[i], n[i + 1], n[i + 2]});
    return vectors;
}

size_t ParseFaceCornersInto(std::string_view line, std::vector<int32_t>& out) {
    size_t count = 0;
    size_t start = 0;
    while (true) {
        const size_t comma = line.find(',', start);
        out.push_back(ParseLeadingInt(line.substr(start, comma - start)));
        ++count;
        if (comma == std::string_view::npos) return count;
        start = comma + 1;
    }
}

std::vector<int32_t> ParseFaceCorners(std::string_view line) {
    std::vector<int32_t> corners;
    ParseFaceCornersInto(line, corners);
    return corners;
}

FaceIndexList ParseFaceIndexList(std::string_view text) {
    FaceIndexList list;
    std::string_view trimmed = Trim(text);
    std::string lower(trimmed);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (!trimmed.empty()) list.indices = ParseFaceCorners(trimmed);
    list.all = lower == "all";
    return list;
}

std::string JoinCorners(const std::vector<int32_t>& corners) {
    char number[16];
    size_t length = 0;
    for (int32_t c : corners)
        length += static_cast<size_t>(std::snprintf(number, sizeof number, "%d", c)) + 2;
    std::string s;
    s.reserve(length);  // exactly: see FormatVector
    for (size_t i = 0; i < corners.size(); ++i) {
        if (i) s += ", ";
        s += std::to_string(corners[i]);
    }
    return s;
}

std::string ReverseFaceLine(std::string_view line) {
    if (line.empty()) return {};
    std::vector<std::string_view> items;
    size_t start = 0;
    while (true) {
        const size_t comma = line.find(',', start);
        items.push_back(Trim(line.substr(start, comma - start)));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    std::string out;
    for (auto it = items.rbegin(); it != items.rend(); ++it) {
        if (!out.empty() || it != items.rbegin()) out += ", ";
        out += *it;
    }
    return out;
}

std::optional<std::pair<std::string, std::string>> SplitQuad(std::string_view line) {
    const std::vector<int32_t> c = ParseFaceCorners(line);
    if (c.size() != 4) return std::nullopt;
    return std::make_pair(JoinCorners({c[0], c[1], c[2]}), JoinCorners({c[0], c[2], c[3]}));
}

}  // namespace model
