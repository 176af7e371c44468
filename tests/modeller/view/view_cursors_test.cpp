// The view's own cursor pictures and the face screen's icon strip, as the widgets load them.
#include "modeller/view/view_cursors.h"

#include <gtest/gtest.h>

#include <QImage>

#include "tests/platform/qt/qt_app.h"
using namespace modeller;

TEST(ViewCursors, PaneModes) {
    qtshell::testing::App();
    struct E {
        int mode;
        QPoint hot;
    };
    const E cases[] = {{0, {15, 15}}, {1, {15, 15}}, {2, {15, 15}},  {3, {15, 15}},
                       {4, {15, 15}}, {5, {15, 15}}, {6, {0, 0}},    {7, {0, 0}},
                       {8, {2, 29}},  {9, {2, 29}},  {10, {16, 16}}, {11, {16, 16}}};
    for (const E& e : cases) {
        const QCursor c = CursorForPaneMode(e.mode);
        EXPECT_EQ(c.shape(), Qt::BitmapCursor) << e.mode;
        EXPECT_EQ(c.pixmap().size(), QSize(32, 32)) << e.mode;
        EXPECT_EQ(c.hotSpot(), e.hot) << e.mode;
    }
    // Modes sharing a picture share it; different groups differ.
    EXPECT_EQ(CursorForPaneMode(0).pixmap().cacheKey(), CursorForPaneMode(1).pixmap().cacheKey());
    EXPECT_NE(CursorForPaneMode(6).pixmap().toImage(), CursorForPaneMode(7).pixmap().toImage());
    EXPECT_NE(CursorForPaneMode(2).pixmap().toImage(), CursorForPaneMode(3).pixmap().toImage());
    EXPECT_EQ(CursorForPaneMode(-1).shape(), Qt::ArrowCursor);
    EXPECT_EQ(CursorForPaneMode(12).shape(), Qt::ArrowCursor);
}

TEST(ViewCursors, Shapes) {
    qtshell::testing::App();
    EXPECT_EQ(CursorForShape(CursorShape::Arrow).shape(), Qt::ArrowCursor);
    EXPECT_EQ(CursorForShape(CursorShape::SizeWestEast).shape(), Qt::SplitHCursor);
    EXPECT_EQ(CursorForShape(CursorShape::SizeNorthSouth).shape(), Qt::SplitVCursor);
    EXPECT_EQ(CursorForShape(CursorShape::Wait).shape(), Qt::WaitCursor);
    for (auto s : {CursorShape::PickPoint, CursorShape::PickFace}) {
        const QCursor c = CursorForShape(s);
        EXPECT_EQ(c.shape(), Qt::BitmapCursor);
        EXPECT_EQ(c.hotSpot(), QPoint(0, 0));
        // The hot spot sits on a drawn pixel.
        EXPECT_EQ(qAlpha(c.pixmap().toImage().pixel(0, 0)), 255);
    }
    EXPECT_NE(CursorForShape(CursorShape::PickPoint).pixmap().toImage(),
              CursorForShape(CursorShape::PickFace).pixmap().toImage());
}

TEST(ViewCursors, Strip) {
    qtshell::testing::App();
    const QPixmap strip = FaceIconStrip();
    ASSERT_EQ(strip.size(), QSize(80, 16));
    EXPECT_TRUE(strip.hasAlphaChannel());
    EXPECT_EQ(strip.cacheKey(), FaceIconStrip().cacheKey());
    const QImage img = strip.toImage();
    auto cell = [&](int x, int w) { return img.copy(x, 0, w, 16); };
    for (int i = 0; i < 4; ++i)
        for (int j = i + 1; j < 4; ++j) EXPECT_NE(cell(16 * i, 16), cell(16 * j, 16)) << i << j;
    int drawn = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 64; x < 72; ++x) drawn += qAlpha(img.pixel(x, y)) != 0;
    EXPECT_GT(drawn, 10);
    for (int y = 0; y < 16; ++y)
        for (int x = 72; x < 80; ++x) EXPECT_EQ(qAlpha(img.pixel(x, y)), 0);
}
