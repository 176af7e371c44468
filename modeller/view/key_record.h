// A key event as the widget hands it over, and what the edit screens leave for the 3D pane.
#pragma once

#include <string>

#include "modeller/view/held_keys.h"
#include "modeller/view/screen_types.h"

namespace modeller {

struct KeyRecord {
    Key key = Key::Other;
    KeyModifiers modifiers;
    std::string text;  // what the key types, as CP932 bytes; may be empty
    bool autoRepeat = false;
};

// The 3D pane's part of a key press, decided by the edit screens.
enum class PaneKey { None, Arrows, Escape, Enter };

struct KeyOutcome {
    PaneKey pane = PaneKey::None;
    ArrowState arrows;  // the arrow keys held, for PaneKey::Arrows
    friend bool operator==(const KeyOutcome&, const KeyOutcome&) = default;
};

}  // namespace modeller
