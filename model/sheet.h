// The text tables of the model: one line per vertex or per face. Both sheets share the line
// access and the change list; the point sheet adds the header lines of the edit screen.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace model {

struct Vertex {
    float x = 0, y = 0, z = 0;
    friend bool operator==(const Vertex&, const Vertex&) = default;
};

// One recorded change: the line and the code of the sheet that recorded it.
struct LineChange {
    int32_t line;
    int32_t code;
    friend bool operator==(const LineChange&, const LineChange&) = default;
};

// Told about every changed line so the edit screen can redraw that row.
class SheetListener {
public:
    virtual ~SheetListener() = default;
    virtual void LineChanged(int32_t line) = 0;
};

class Sheet {
public:
    // Lines 0..maxLine are held; the constructor makes maxLine + 1 empty lines.
    Sheet(int32_t changeCode, int32_t maxLine);

    int32_t maxLine = 0;
    std::vector<std::string> lines;
    std::vector<uint8_t> rowWidths;  // edit-screen width units per line
    std::vector<LineChange> changeList;

    int32_t LineCount() const { return maxLine + 1; }

    // Line i; negative numbers address header lines where a sheet has them. Outside the
    // sheet the result is empty.
    virtual const std::string& GetLine(int32_t i) const;
    void SetLine(int32_t i, std::string_view text);
    // Inserts at byte position pos (clamped to the line's end); a line beyond maxLine grows
    // the sheet to it.
    void InsertText(int32_t i, size_t pos, std::string_view text);
    // Removes count bytes from pos; ignored outside the sheet or for a negative position.
    void DeleteText(int32_t i, long pos, long count);
    size_t LineLength(int32_t i) const;

    // Makes the sheet maxLine + 1 lines long (new lines empty), keeping the per-line arrays
    // in step. Shrinking drops lines.
    virtual void SetMaxLine(int32_t newMaxLine);
    // Grows only: maxLine becomes at least `line`.
    void GrowTo(int32_t line) {
        if (line > maxLine) SetMaxLine(line);
    }
    // Replaces all lines (a load or an import); maxLine follows the count, at least one line.
    void ReplaceLines(std::vector<std::string> newLines);

    void RecordChange(int32_t line);
    void SetListener(SheetListener* listener) { listener_ = listener; }

protected:
    virtual std::string* MutableLine(int32_t i);

private:
    int32_t changeCode_;
    SheetListener* listener_ = nullptr;
};

// Point lines "x, y, z". Line flags: bit 0 the line parsed as a vertex, bit 2 picked.
class PointSheet : public Sheet {
public:
    static constexpr int32_t kChangeCode = 97;
    static constexpr int32_t kDefaultMaxLine = 10;
    static constexpr uint8_t kFlagValid = 1;
    static constexpr uint8_t kFlagPicked = 4;

    PointSheet();

    int32_t headerLineCount = 0;
    std::vector<std::string> headerLines{1};
    std::vector<uint8_t> headerRowWidths{0};
    std::vector<uint8_t> lineFlags;
    std::vector<Vertex> parsedVertices;
    int32_t parsedCount = -1;

    const std::string& GetLine(int32_t i) const override;
    void SetMaxLine(int32_t newMaxLine) override;
    void Reset();

protected:
    std::string* MutableLine(int32_t i) override;
};

// Face lines of point numbers "a, b, c, ...", with the per-face arrays.
class FaceSheet : public Sheet {
public:
    static constexpr int32_t kChangeCode = 1;
    static constexpr uint8_t kStatusValid = 1;     // parsed as a face
    static constexpr uint8_t kStatusOwnColor = 2;  // FaceColor instead of the group colour
    static constexpr int32_t kNoColor = -1;

    FaceSheet();

    std::vector<uint8_t> FaceStatus;
    std::vector<int32_t> FaceColor;
    std::vector<uint16_t> FaceGroup;
    // The face lines as last parsed, in the layout the render mesh takes whole: per face its
    // corner count, then the corners; 0 ends the list. One flat list, not one per face: on
    // millions of faces a small vector each costs more than the faces themselves.
    std::vector<uint32_t> parsedFaces;
    size_t parsedFaceCount = 0;
    int32_t markers[2] = {-1, -1};

    // Brings the per-face arrays to maxLine + 1 entries with their defaults.
    void ResizeFaceArrays();
    void Reset();
};

}  // namespace model
