#include "modeller/view/text_measurer.h"

#include <limits>

namespace modeller {

namespace {
constexpr int64_t kMaxWidth = std::numeric_limits<int32_t>::max();
}

// CP932 trail bytes are 0x40 and above, so splitting at tab bytes never cuts a character.
int32_t ExpandedWidth(const TextMeasurer& measurer, std::string_view s) {
    const int64_t tab = measurer.TabStop() > 0 ? measurer.TabStop() : 1;
    int64_t x = 0;
    size_t start = 0;
    while (start <= s.size()) {
        const size_t t = s.find('\t', start);
        const std::string_view segment =
            s.substr(start, t == std::string_view::npos ? std::string_view::npos : t - start);
        x += measurer.Width(segment);
        if (t == std::string_view::npos) break;
        x = (x / tab + 1) * tab;
        if (x > kMaxWidth) break;
        start = t + 1;
    }
    return static_cast<int32_t>(x > kMaxWidth ? kMaxWidth : x);
}

int32_t FixedPitchMeasurer::Width(std::string_view s) const {
    // One cell per byte: a double-byte character is two cells wide, as on a CP932 terminal.
    const int64_t px = static_cast<int64_t>(s.size()) * cell_;
    return static_cast<int32_t>(px > kMaxWidth ? kMaxWidth : px);
}

}  // namespace modeller
