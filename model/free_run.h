// Where new lines go: into blank lines left in a sheet before the sheet grows.
#pragma once

#include <cstdint>

#include "model/sheet.h"

namespace model {

// Start of the first run of at least n blank lines (blank: empty after leading white
// space; n below 1 counts as 1); else the start of the blank run at the end of the sheet,
// or maxLine + 1. The sheet is not grown.
int32_t FindFreeRun(const Sheet& sheet, int32_t n);
// The same for the point sheet, which grows itself to hold the whole run.
int32_t FindFreeRunAndGrow(PointSheet& sheet, int32_t n);
// The first exactly empty line, or maxLine + 1 (the caller grows the sheet).
int32_t FindFirstEmptyLine(const Sheet& sheet);

}  // namespace model
