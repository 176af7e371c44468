#include "tools/cli/json_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/text/cp932.h"

namespace tools {

namespace {

// Strict UTF-8: no overlong forms, no surrogates, nothing beyond U+10FFFF.
bool IsUtf8(const std::string& s) {
    for (size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        size_t n = 0;
        unsigned char lo = 0x80, hi = 0xBF;  // range of the second byte
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            n = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            n = 2;
            if (c == 0xE0) lo = 0xA0;
            if (c == 0xED) hi = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            n = 3;
            if (c == 0xF0) lo = 0x90;
            if (c == 0xF4) hi = 0x8F;
        } else {
            return false;
        }
        if (n >= s.size() - i) return false;
        for (size_t k = 1; k <= n; ++k) {
            const unsigned char b = static_cast<unsigned char>(s[i + k]);
            if (k == 1 ? (b < lo || b > hi) : (b & 0xC0) != 0x80) return false;
        }
        i += n + 1;
    }
    return true;
}

bool FiniteDecimal(const std::string& text) {
    if (text.empty()) return false;
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && std::isfinite(v);
}

}  // namespace

Fact IntegerFact(std::string key, int64_t value) {
    return {std::move(key), Fact::Kind::kInteger, value, {}};
}
Fact NumberFact(std::string key, std::string decimal) {
    return {std::move(key), Fact::Kind::kNumber, 0, std::move(decimal)};
}
Fact TextFact(std::string key, std::string value) {
    return {std::move(key), Fact::Kind::kText, 0, std::move(value)};
}

std::string FactLines(const std::vector<Fact>& facts) {
    std::string out;
    for (const Fact& f : facts) {
        out += f.key + ": ";
        out += f.kind == Fact::Kind::kInteger ? std::to_string(f.integer) : f.text;
        out += '\n';
    }
    return out;
}

std::string JsonString(const std::string& bytes) {
    const std::string utf8 = IsUtf8(bytes) ? bytes : text::Cp932ToUtf8(bytes);
    std::string out = "\"";
    for (char ch : utf8) {
        const unsigned char c = static_cast<unsigned char>(ch);
        switch (ch) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    char esc[8];
                    std::snprintf(esc, sizeof esc, "\\u%04x", c);
                    out += esc;
                } else {
                    out += ch;
                }
        }
    }
    return out + "\"";
}

std::string FactJson(const std::vector<Fact>& facts) {
    std::string out = "{";
    for (size_t i = 0; i < facts.size(); ++i) {
        const Fact& f = facts[i];
        out += i ? ", " : "";
        out += JsonString(f.key) + ": ";
        switch (f.kind) {
            case Fact::Kind::kInteger:
                out += std::to_string(f.integer);
                break;
            case Fact::Kind::kNumber:
                out += FiniteDecimal(f.text) ? f.text : "null";
                break;
            case Fact::Kind::kText:
                out += JsonString(f.text);
                break;
        }
    }
    return out + "}\n";
}

}  // namespace tools
