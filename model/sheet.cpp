#include "model/sheet.h"

#include <algorithm>

namespace model {

namespace {
const std::string kEmptyLine;
}

Sheet::Sheet(int32_t changeCode, int32_t initialMaxLine) : changeCode_(changeCode) {
    Sheet::SetMaxLine(initialMaxLine);
}

const std::string& Sheet::GetLine(int32_t i) const {
    if (i < 0 || i > maxLine) return kEmptyLine;
    return lines[static_cast<size_t>(i)];
}

std::string* Sheet::MutableLine(int32_t i) {
    if (i < 0) return nullptr;
    GrowTo(i);
    return &lines[static_cast<size_t>(i)];
}

void Sheet::SetLine(int32_t i, std::string_view text) {
    std::string* line = MutableLine(i);
    if (!line) return;
    line->assign(text);
    RecordChange(i);
}

void Sheet::InsertText(int32_t i, size_t pos, std::string_view text) {
    std::string* line = MutableLine(i);
    if (!line) return;
    line->insert(std::min(pos, line->size()), text);
    RecordChange(i);
}

void Sheet::DeleteText(int32_t i, long pos, long count) {
    if (pos < 0 || count <= 0 || i > maxLine) return;
    std::string* line = MutableLine(i);
    if (!line) return;
    size_t p = static_cast<size_t>(pos);
    if (p >= line->size()) return;
    line->erase(p, static_cast<size_t>(count));
    RecordChange(i);
}

size_t Sheet::LineLength(int32_t i) const {
    return GetLine(i).size();
}

void Sheet::SetMaxLine(int32_t newMaxLine) {
    if (newMaxLine < 0) newMaxLine = 0;
    maxLine = newMaxLine;
    lines.resize(static_cast<size_t>(newMaxLine) + 1);
    rowWidths.resize(lines.size(), 0);
}

void Sheet::ReplaceLines(std::vector<std::string> newLines) {
    if (newLines.empty()) newLines.emplace_back();
    lines = std::move(newLines);
    SetMaxLine(static_cast<int32_t>(lines.size()) - 1);
}

void Sheet::RecordChange(int32_t line) {
    // A run of keystrokes on one line records it once.
    if (changeList.empty() || changeList.back().line != line)
        changeList.push_back({line, changeCode_});
    if (listener_) listener_->LineChanged(line);
}

PointSheet::PointSheet() : Sheet(kChangeCode, kDefaultMaxLine) {
    PointSheet::SetMaxLine(maxLine);
}

const std::string& PointSheet::GetLine(int32_t i) const {
    if (i < 0) {
        size_t h = static_cast<size_t>(-static_cast<int64_t>(i)) - 1;
        if (i < -headerLineCount || h >= headerLines.size()) return kEmptyLine;
        return headerLines[h];
    }
    return Sheet::GetLine(i);
}

std::string* PointSheet::MutableLine(int32_t i) {
    if (i < 0) {
        if (i < -headerLineCount) return nullptr;
        size_t h = static_cast<size_t>(-static_cast<int64_t>(i)) - 1;
        if (h >= headerLines.size()) {
            headerLines.resize(h + 1);
            headerRowWidths.resize(h + 1, 0);
        }
        return &headerLines[h];
    }
    return Sheet::MutableLine(i);
}

void PointSheet::SetMaxLine(int32_t newMaxLine) {
    Sheet::SetMaxLine(newMaxLine);
    lineFlags.resize(lines.size(), 0);
}

void PointSheet::Reset() {
    lines.clear();
    rowWidths.clear();
    lineFlags.clear();
    SetMaxLine(kDefaultMaxLine);
    headerLineCount = 0;
    headerLines.assign(1, std::string());
    headerRowWidths.assign(1, 0);
    parsedCount = -1;
    parsedVertices.clear();
    changeList.clear();
}

FaceSheet::FaceSheet() : Sheet(kChangeCode, 0) {
    ResizeFaceArrays();
}

void FaceSheet::ResizeFaceArrays() {
    const size_t n = static_cast<size_t>(maxLine) + 1;
    FaceStatus.resize(n, 0);
    FaceColor.resize(n, kNoColor);
    FaceGroup.resize(n, 0);
}

void FaceSheet::Reset() {
    lines.clear();
    rowWidths.clear();
    SetMaxLine(0);
    FaceStatus.clear();
    FaceColor.clear();
    FaceGroup.clear();
    ResizeFaceArrays();
    parsedFaces.clear();
    parsedFaceCount = 0;
    changeList.clear();
    markers[0] = markers[1] = -1;
}

}  // namespace model
