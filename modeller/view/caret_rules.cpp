#include "modeller/view/caret_rules.h"

#include <algorithm>
#include <vector>

#include "platform/text/cp932.h"

namespace modeller {

int32_t AdjustColumn(std::string_view line, int32_t column, int direction) {
    const int64_t length = static_cast<int64_t>(line.size());
    int64_t c = std::clamp<int64_t>(column, 0, length);
    if (text::CharClass(line, static_cast<long>(c)) == 5) c += direction < 0 ? -1 : 1;
    return static_cast<int32_t>(std::min<int64_t>(c, INT32_MAX));
}

int32_t WidthLeftOf(const TextMeasurer& measurer, std::string_view line, int32_t column) {
    if (column <= 0) return 0;
    const size_t c = text::FloorToCharBoundary(line, static_cast<size_t>(column));
    return ExpandedWidth(measurer, line.substr(0, c));
}

int32_t HitTestColumn(const TextMeasurer& measurer, std::string_view line, int32_t x) {
    if (x < 0 || line.empty()) return 0;
    // Widths grow with the prefix, so the boundaries can be searched by halves.
    std::vector<size_t> boundaries{0};
    for (size_t i = 0; i < line.size();) {
        i += text::CharLengthAt(line, i);
        boundaries.push_back(i);
    }
    size_t lo = 0, hi = boundaries.size() - 1;
    while (lo < hi) {
        const size_t mid = lo + (hi - lo + 1) / 2;
        if (ExpandedWidth(measurer, line.substr(0, boundaries[mid])) <= x)
            lo = mid;
        else
            hi = mid - 1;
    }
    return static_cast<int32_t>(std::min<size_t>(boundaries[lo], INT32_MAX));
}

uint8_t WidthUnits(const TextMeasurer& measurer, std::string_view line) {
    const int32_t units = ExpandedWidth(measurer, line) / 32 + 1;
    return static_cast<uint8_t>(std::min(units, 255));
}

}  // namespace modeller
