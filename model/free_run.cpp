#include "model/free_run.h"

namespace model {

namespace {

bool IsBlankLine(const std::string& line) {
    for (char c : line)
        if (c != ' ' && c != '\t') return false;
    return true;
}

}  // namespace

int32_t FindFreeRun(const Sheet& sheet, int32_t n) {
    if (n < 1) n = 1;
    int32_t runStart = -1;
    for (int32_t i = 0; i <= sheet.maxLine; ++i) {
        if (IsBlankLine(sheet.lines[static_cast<size_t>(i)])) {
            if (runStart < 0) runStart = i;
            if (i - runStart + 1 >= n) return runStart;
        } else {
            runStart = -1;
        }
    }
    return runStart >= 0 ? runStart : sheet.maxLine + 1;
}

int32_t FindFreeRunAndGrow(PointSheet& sheet, int32_t n) {
    const int32_t start = FindFreeRun(sheet, n);
    sheet.GrowTo(start + (n < 1 ? 1 : n) - 1);
    return start;
}

int32_t FindFirstEmptyLine(const Sheet& sheet) {
    for (int32_t i = 0; i <= sheet.maxLine; ++i)
        if (sheet.lines[static_cast<size_t>(i)].empty()) return i;
    return sheet.maxLine + 1;
}

}  // namespace model
