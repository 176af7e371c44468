// The tree's 20 x 20 images, one per item kind, drawn here rather than loaded.
#pragma once

#include <QIcon>
#include <cstdint>

namespace studio {

inline constexpr int kTreeIconSize = 20;

// Kinds 0 to 7 (6, no kind of item, is the joint list's "none"); other values get the
// missing-object image.
QIcon KindIcon(uint8_t kind);

}  // namespace studio
