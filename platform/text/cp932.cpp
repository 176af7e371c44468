#include "platform/text/cp932.h"

#include <iconv.h>

#include <cerrno>

namespace text {

size_t CharLengthAt(std::string_view s, size_t pos) {
    if (pos + 1 < s.size() && IsLeadByte(static_cast<unsigned char>(s[pos]))) return 2;
    return 1;
}

size_t CountChars(std::string_view s, size_t bytes) {
    if (bytes > s.size()) bytes = s.size();
    // Only characters that end within the prefix count: a cut after a lead byte leaves
    // that character out.
    size_t count = 0;
    size_t i = 0;
    while (i < bytes) {
        i += CharLengthAt(s, i);
        if (i <= bytes) ++count;
    }
    return count;
}

bool IsInsideDoubleByte(std::string_view s, size_t pos) {
    if (pos == 0 || pos >= s.size()) return false;
    size_t i = 0;
    while (i < pos) {
        size_t len = CharLengthAt(s, i);
        if (i + len > pos) return true;
        i += len;
    }
    return false;
}

size_t FloorToCharBoundary(std::string_view s, size_t pos) {
    if (pos >= s.size()) return s.size();
    return IsInsideDoubleByte(s, pos) ? pos - 1 : pos;
}

int CharClass(std::string_view s, long column) {
    if (s.empty()) return 0;
    const long length = static_cast<long>(s.size());
    if (column > length) return 100;
    if (column < 0) return -100;
    const size_t c = static_cast<size_t>(column);
    if (c > 0 && CountChars(s, c) == CountChars(s, c - 1)) return 5;
    if (column < length && CountChars(s, c) == CountChars(s, c + 1)) return 10;
    return 0;
}

namespace {

// Converts with iconv; each unconvertible input unit is replaced and skipped. `unit` tells
// how many bytes an invalid sequence spans (CP932: the double-byte rule; UTF-8: its lead).
template <typename UnitLength>
std::string Convert(const char* to, const char* from, std::string_view in,
                    std::string_view replacement, UnitLength unit) {
    std::string out;
    if (in.empty()) return out;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        // No converter: keep ASCII, replace the rest, so nothing vanishes silently.
        for (size_t i = 0; i < in.size();) {
            unsigned char c = static_cast<unsigned char>(in[i]);
            if (c < 0x80) {
                out += static_cast<char>(c);
                ++i;
            } else {
                out += replacement;
                i += unit(in, i);
            }
        }
        return out;
    }
    out.reserve(in.size() * 3 / 2 + 8);
    char buffer[1024];
    size_t pos = 0;
    while (pos < in.size()) {
        char* src = const_cast<char*>(in.data() + pos);
        size_t srcLeft = in.size() - pos;
        char* dst = buffer;
        size_t dstLeft = sizeof buffer;
        size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer, static_cast<size_t>(dst - buffer));
        pos = in.size() - srcLeft;
        if (r == static_cast<size_t>(-1)) {
            if (errno == E2BIG) continue;
            // EILSEQ or EINVAL (truncated at the end): replace one unit and go on.
            out += replacement;
            pos += unit(in, pos);
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    iconv_close(cd);
    return out;
}

size_t Utf8UnitLength(std::string_view s, size_t pos) {
    unsigned char c = static_cast<unsigned char>(s[pos]);
    size_t len = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    // Skip only the continuation bytes that are really there.
    size_t n = 1;
    while (n < len && pos + n < s.size() && (static_cast<unsigned char>(s[pos + n]) & 0xC0) == 0x80)
        ++n;
    return n;
}

}  // namespace

std::string Cp932ToUtf8(std::string_view cp932) {
    return Convert("UTF-8", "CP932", cp932, "\xEF\xBF\xBD", CharLengthAt);
}

std::string Utf8ToCp932(std::string_view utf8) {
    return Convert("CP932", "UTF-8", utf8, "?", Utf8UnitLength);
}

}  // namespace text
