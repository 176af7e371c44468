// Where new lines go: into blank lines left in a sheet before the sheet grows.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "model/sheet.h"

namespace model {

// Start of the first run of at least n blank lines (blank: empty after leading white
// space; n below 1 counts as 1); else the start of the blank run at the end of the sheet,
// or maxLine + 1. The sheet is not grown.
int32_t FindFreeRun(const Sheet& sheet, int32_t n);
// The same for the point sheet, which grows itself to hold the whole run.
int32_t FindFreeRunAndGrow(PointSheet& sheet, int32_t n);
// The first exactly empty line from `from` on, or maxLine + 1 (the caller grows the sheet).
int32_t FindFirstEmptyLine(const Sheet& sheet, int32_t from = 0);

// FindFirstEmptyLine for an operation that fills lines one at a time and empties none: the
// search goes on from the last answer, so a whole run costs one pass over the sheet.
class EmptyLineCursor {
public:
    explicit EmptyLineCursor(const Sheet& sheet) : sheet_(sheet) {}
    int32_t Next();

private:
    const Sheet& sheet_;
    int32_t next_ = 0;
};

// The same answers as FindFreeRun for an operation that only fills blank lines (and grows the
// sheet at its end), in near-linear total time: the blank runs are found once, and a run too
// short for a block stays too short, so each block size scans forward only.
class FreeRunIndex {
public:
    explicit FreeRunIndex(const Sheet& sheet) : sheet_(sheet) { Rescan(); }

    int32_t Find(int32_t n);
    // Lines start..start + count - 1 now hold text (the sheet may have grown to hold them).
    void Filled(int32_t start, int32_t count);
    // Line `line` (inside the sheet) held text and is now blank.
    void Freed(int32_t line);

private:
    struct Run {
        int32_t start, length;
    };
    void Rescan();

    const Sheet& sheet_;
    std::vector<Run> runs_;             // blank runs before the one at the end, in order
    int32_t tailStart_ = 0;             // start of the blank run at the end, or maxLine + 1
    std::map<int32_t, size_t> cursor_;  // per block size: runs before it are too short
};

}  // namespace model
