// Focus, carets and the one text selection of the two edit screens, shared by both.
#pragma once

#include <cstdint>

#include "modeller/view/screen_types.h"

namespace modeller {

struct EditState {
    int32_t focus = kFocusPoint;  // kFocusPoint, kFocusFace or kFocus3D
    int32_t pointCaretRow = 0;
    int32_t pointCaretColumn = 0;  // byte offset in the CP932 line
    int32_t faceCaretRow = 0;
    int32_t faceCaretColumn = 0;
    int32_t selectionActive = 0;
    int32_t anchorRow = 0, anchorColumn = 0;  // the fixed end; the caret is the other
    int32_t dragging = 0;                     // left button held after a click in a screen
    int32_t selectionScreen = 0;              // 0 point, 1 face
};

}  // namespace modeller
