// The view's mouse cursors and the face screen's status icon strip. The pictures are drawn by
// tools/make_cursors.py and compiled in from resources/mokkel_view.qrc; each is loaded once,
// on first use, and kept until the application object goes away.
#pragma once

#include <QCursor>
#include <QPixmap>
#include <cstdint>

#include "modeller/view/screen_types.h"

namespace modeller {

// Arrow, the two splitter sizes and wait are the desktop's own shapes; the pick shapes are
// ours.
QCursor CursorForShape(CursorShape shape);

// The cursor of a 3D pane tool mode 0..11 (a mode and its drag share one picture); any other
// value gives the arrow.
QCursor CursorForPaneMode(int32_t mode);

// 80 x 16: status icons 0..3 at x = 16 * icon, the 8 x 16 marker at x = 64 (the source rects
// of FaceScreen). Fully transparent where nothing is drawn.
QPixmap FaceIconStrip();

}  // namespace modeller
