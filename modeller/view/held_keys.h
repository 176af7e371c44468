// Which arrow keys are held down, from the key presses and releases the window reports.
// The window system repeats a held key as release-press pairs marked as repeats; such a
// release does not let the key go.
#pragma once

#include "modeller/view/screen_types.h"

namespace modeller {

struct ArrowState {
    bool left = false, right = false, up = false, down = false;
    friend bool operator==(const ArrowState&, const ArrowState&) = default;
};

class HeldKeys {
public:
    // Keys other than the four arrows are ignored.
    void Press(Key key);
    void Release(Key key, bool autoRepeat);
    // Releases are not seen while the window lacks the focus: everything lets go then.
    void Clear() { arrows_ = {}; }
    ArrowState Arrows() const { return arrows_; }

private:
    bool* Slot(Key key);

    ArrowState arrows_;
};

}  // namespace modeller
