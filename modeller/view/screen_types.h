// Small value types shared by the edit screens, their view and the widgets that show them.
#pragma once

#include <cstdint>

namespace modeller {

// Which of the two text screens; the numbers are the selection screen values.
enum class ScreenId : int32_t { Point = 0, Face = 1 };

// Focus values of the view.
inline constexpr int32_t kFocusPoint = 0;
inline constexpr int32_t kFocusFace = 1;
inline constexpr int32_t kFocus3D = 2;

// Client pixels, right and bottom exclusive.
struct Rect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    bool Contains(int32_t x, int32_t y) const {
        return x >= left && x < right && y >= top && y < bottom;
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

struct Point2 {
    int32_t x = 0, y = 0;
    friend bool operator==(const Point2&, const Point2&) = default;
};

// The keys the view acts on; everything else is Other.
enum class Key {
    F2,
    Backspace,
    Delete,
    Enter,
    Escape,
    PageUp,
    PageDown,
    End,
    Home,
    Left,
    Up,
    Right,
    Down,
    Insert,
    X,
    C,
    V,
    Z,
    Other
};

struct KeyModifiers {
    bool shift = false, ctrl = false, alt = false;
};

enum class CursorShape {
    Arrow,
    SizeWestEast,
    SizeNorthSouth,
    Wait,
    PickPoint,  // cursor resource 137, pick mode over the point screen
    PickFace,   // cursor resource 152, pick mode over the face screen
};

// Scroll bar child windows by their ids.
inline constexpr int32_t kPointHorizontalBar = 301;
inline constexpr int32_t kPointVerticalBar = 310;
inline constexpr int32_t kFaceVerticalBar = 311;
inline constexpr int32_t kFaceHorizontalBar = 312;

struct ScrollBarState {
    bool shown = false;
    Rect rect;
    int32_t range = 0;  // positions run 0..range
    int32_t position = 0;
    friend bool operator==(const ScrollBarState&, const ScrollBarState&) = default;
};

enum class ScrollRequest { LineBack, LineForward, PageBack, PageForward, Thumb, Start, End };

// Where a mouse press landed; ThreeD presses belong to the camera and picking logic.
enum class MouseTarget {
    Nothing,
    VerticalBar,
    HorizontalBar,
    Gutter,
    PointScreen,
    FaceScreen,
    ThreeD
};

}  // namespace modeller
