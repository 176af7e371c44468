#include "modeller/view/held_keys.h"

namespace modeller {

bool* HeldKeys::Slot(Key key) {
    switch (key) {
        case Key::Left:
            return &arrows_.left;
        case Key::Right:
            return &arrows_.right;
        case Key::Up:
            return &arrows_.up;
        case Key::Down:
            return &arrows_.down;
        default:
            return nullptr;
    }
}

void HeldKeys::Press(Key key) {
    if (bool* held = Slot(key)) *held = true;
}

void HeldKeys::Release(Key key, bool autoRepeat) {
    if (autoRepeat) return;
    if (bool* held = Slot(key)) *held = false;
}

}  // namespace modeller
