// Where a caret may stand in a CP932 line and where a click puts it. Columns are byte
// offsets; a caret never rests between the two bytes of a double-byte character.
#pragma once

#include <cstdint>
#include <string_view>

#include "modeller/view/text_measurer.h"

namespace modeller {

// Clamps the column to [0, line length] and steps a column inside a double-byte character
// one more byte in direction `direction` (-1 left, +1 right).
int32_t AdjustColumn(std::string_view line, int32_t column, int direction);

// Width (tabs expanded) of the text left of the caret; a caret inside a double-byte
// character counts from that character's start.
int32_t WidthLeftOf(const TextMeasurer& measurer, std::string_view line, int32_t column);

// The largest column whose left part is at most x pixels wide, never inside a double-byte
// character; 0 for x < 0.
int32_t HitTestColumn(const TextMeasurer& measurer, std::string_view line, int32_t x);

// Width units of a line: expanded width / 32 + 1, kept within a byte by saturating (a wrap
// would let the widest line's length be forgotten).
uint8_t WidthUnits(const TextMeasurer& measurer, std::string_view line);

}  // namespace modeller
