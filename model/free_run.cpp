#include "model/free_run.h"

#include <algorithm>

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

int32_t FindFirstEmptyLine(const Sheet& sheet, int32_t from) {
    for (int32_t i = from < 0 ? 0 : from; i <= sheet.maxLine; ++i)
        if (sheet.lines[static_cast<size_t>(i)].empty()) return i;
    return sheet.maxLine + 1;
}

int32_t EmptyLineCursor::Next() {
    while (next_ <= sheet_.maxLine && !sheet_.lines[static_cast<size_t>(next_)].empty()) ++next_;
    return next_;
}

void FreeRunIndex::Rescan() {
    runs_.clear();
    cursor_.clear();
    int32_t runStart = -1;
    for (int32_t i = 0; i <= sheet_.maxLine; ++i) {
        if (IsBlankLine(sheet_.lines[static_cast<size_t>(i)])) {
            if (runStart < 0) runStart = i;
        } else if (runStart >= 0) {
            runs_.push_back({runStart, i - runStart});
            runStart = -1;
        }
    }
    tailStart_ = runStart >= 0 ? runStart : sheet_.maxLine + 1;
}

int32_t FreeRunIndex::Find(int32_t n) {
    if (n < 1) n = 1;
    size_t& i = cursor_[n];
    while (i < runs_.size() && runs_[i].length < n) ++i;
    return i < runs_.size() ? runs_[i].start : tailStart_;
}

void FreeRunIndex::Filled(int32_t start, int32_t count) {
    if (count <= 0) return;
    if (start == tailStart_) {
        tailStart_ = start + count;
        if (tailStart_ > sheet_.maxLine + 1) tailStart_ = sheet_.maxLine + 1;
        return;
    }
    // Runs are sorted by start: the one beginning here shrinks from its front.
    auto it = std::lower_bound(runs_.begin(), runs_.end(), start,
                               [](const Run& r, int32_t s) { return r.start < s; });
    if (it != runs_.end() && it->start == start && count <= it->length) {
        it->start += count;
        it->length -= count;
        return;
    }
    Rescan();  // not a block placed by Find: look again
}

void FreeRunIndex::Freed(int32_t line) {
    if (line < 0 || line >= tailStart_) return;
    auto next = std::lower_bound(runs_.begin(), runs_.end(), line + 1,
                                 [](const Run& r, int32_t s) { return r.start < s; });
    const bool joinsPrevious =
        next != runs_.begin() && std::prev(next)->start + std::prev(next)->length == line;
    size_t changed;  // runs from here on moved or grew: block sizes look at them again
    if (line + 1 == tailStart_) {
        tailStart_ = line;
        if (joinsPrevious) {
            tailStart_ = std::prev(next)->start;
            runs_.erase(std::prev(next));
        }
        changed = runs_.size();
    } else if (joinsPrevious) {
        auto previous = std::prev(next);
        previous->length += 1;
        if (next != runs_.end() && next->start == line + 1) {
            previous->length += next->length;
            runs_.erase(next);
        }
        changed = static_cast<size_t>(previous - runs_.begin());
    } else if (next != runs_.end() && next->start == line + 1) {
        next->start -= 1;
        next->length += 1;
        changed = static_cast<size_t>(next - runs_.begin());
    } else {
        changed = static_cast<size_t>(next - runs_.begin());
        runs_.insert(next, Run{line, 1});
    }
    for (auto& [n, i] : cursor_) i = std::min(i, changed);
}

}  // namespace model
