// Row widths, scroll bars, page keys and the caret's follow.
#include "tests/modeller/view/screen_fixture.h"

namespace screens_test {
namespace {

TEST_F(ScreensTest, RowWidthsTrackTheWidestLineAndEditsMeasureOneLine) {
    EXPECT_EQ(view.Points().WidestUnits(), 1);  // empty lines are one unit
    EXPECT_EQ(view.Points().contentWidth, 32 + 5);
    view.Points().SetCaret(3, 0);
    Type(std::string(40, '9'));  // 320 pixels
    EXPECT_EQ(model.points.rowWidths[3], 11);
    EXPECT_EQ(view.Points().WidestLine(), 3);
    EXPECT_EQ(view.Points().contentWidth, 11 * 32 + 5);
    model.points.SetLine(5, std::string(20, '9'));
    view.Points().RemeasureLines(5, 5);
    for (int i = 0; i < 30; ++i) Press(Key::Backspace);  // the widest shrinks
    EXPECT_EQ(view.Points().WidestLine(), 5);
    EXPECT_EQ(view.Points().WidestUnits(), 6);

    // A tab advances to the next stop of 64 pixels.
    model.faces.SetLine(0, "1\t2");
    view.Faces().RemeasureLines(0, 0);
    EXPECT_EQ(ExpandedWidth(measurer, "1\t2"), 72);
    EXPECT_EQ(model.faces.rowWidths[0], 3);
    EXPECT_EQ(view.Faces().contentWidth, 3 * 32 + 36);

    // Very wide lines saturate instead of wrapping to a narrow width.
    model.points.SetLine(6, std::string(5000, 'w'));
    view.Points().RemeasureLines(6, 6);
    EXPECT_EQ(view.Points().WidestUnits(), 255);

    // On a long sheet one keystroke measures about one line, not the sheet.
    model.points.SetMaxLine(99999);
    view.ModelReplaced(false);
    view.Points().SetCaret(50000, 0);
    measurer.measured = 0;
    Type("7");
    EXPECT_LT(measurer.measured, 16u);
}

TEST_F(ScreensTest, ScrollBarsAppearWithTheirRangesAndClampRequests) {
    EXPECT_FALSE(view.Points().VerticalBar().shown);  // 11 lines fit
    EXPECT_FALSE(view.Points().HorizontalBar().shown);
    model.points.SetMaxLine(99);
    view.ModelReplaced(false);
    const ScrollBarState& v = view.Points().VerticalBar();
    ASSERT_TRUE(v.shown);
    EXPECT_EQ(view.Points().visibleRows, 31);
    EXPECT_EQ(v.range, 99 - 31 + 2);
    EXPECT_EQ(v.rect, (Rect{474 - 15, 0, 474, 600}));
    EXPECT_EQ(host.LastBar(kPointVerticalBar), v);

    PointScreen& p = view.Points();
    p.Scroll(true, ScrollRequest::LineForward);
    EXPECT_EQ(p.firstRow, 1);
    p.Scroll(true, ScrollRequest::PageForward);
    EXPECT_EQ(p.firstRow, 1 + 31 - 3);
    p.Scroll(true, ScrollRequest::Thumb, 5000);
    EXPECT_EQ(p.firstRow, 70);
    EXPECT_EQ(p.VerticalBar().position, 70);
    p.Scroll(true, ScrollRequest::Start);
    EXPECT_EQ(p.firstRow, 0);
    p.Scroll(false, ScrollRequest::LineForward);  // no horizontal bar: nothing
    EXPECT_EQ(p.horizontalOffset, 0);

    // A long line brings the horizontal bar; scrolled past the gutter the numbers go.
    model.points.SetLine(0, std::string(100, 'x'));
    p.RemeasureLines(0, 0);
    p.LayOutScrollBars();
    ASSERT_TRUE(p.HorizontalBar().shown);
    EXPECT_EQ(p.HorizontalBar().range, 50 + (800 / 32 + 1) * 32 + 5 + 15 - 474);
    EXPECT_EQ(p.visibleRows, (600 - 15) / 20 + 1);
    p.Scroll(false, ScrollRequest::LineForward);
    p.Scroll(false, ScrollRequest::LineForward);
    EXPECT_EQ(p.gutterX, 50 - 32);
    EXPECT_TRUE(p.ShowsNumbers());
    p.Scroll(false, ScrollRequest::PageForward);  // the horizontal splitter's y
    EXPECT_EQ(p.horizontalOffset, 32 + 200);
    EXPECT_FALSE(p.ShowsNumbers());
    EXPECT_EQ(p.gutterState, -1);

    // Emptying the sheet removes the bars and scrolls back.
    model.points.Reset();
    view.ModelReplaced(true);
    EXPECT_FALSE(p.VerticalBar().shown);
    EXPECT_FALSE(p.HorizontalBar().shown);
    EXPECT_EQ(p.horizontalOffset, 0);
}

TEST_F(ScreensTest, PageKeysScrollWithoutMovingTheCaret) {
    view.layout.splitY = 600 - 6 - 190;  // a face pane of ten rows
    model.faces.SetMaxLine(100);
    model.faces.ResizeFaceArrays();
    view.ModelReplaced(false);
    view.Paint();
    FocusFaces();
    FaceScreen& f = view.Faces();
    ASSERT_EQ(f.visibleRows, 10);
    Press(Key::PageDown, true);
    EXPECT_EQ(f.firstRow, 92);
    Press(Key::PageUp);
    EXPECT_EQ(f.firstRow, 84);
    Press(Key::PageUp, true);
    EXPECT_EQ(f.firstRow, 0);
    Press(Key::PageDown);
    Press(Key::PageUp);
    Press(Key::PageUp);
    EXPECT_EQ(f.firstRow, 0);
    EXPECT_EQ(view.state.faceCaretRow, 0);
    f.Scroll(true, ScrollRequest::PageForward);  // a page of the face bar is the rows
    EXPECT_EQ(f.firstRow, 10);

    // The point screen's Shift+Page Down shows the last line on the last whole row too.
    view.state.focus = kFocusPoint;
    model.points.SetMaxLine(100);
    view.ModelReplaced(false);
    Press(Key::PageDown, true);
    PointScreen& p = view.Points();
    EXPECT_EQ(p.firstRow, 100 - p.visibleRows + 2);
    EXPECT_EQ(view.state.pointCaretRow, 0);
    EXPECT_FALSE(host.caret.has_value());  // the caret's row is out of view
}

TEST_F(ScreensTest, TheCaretIsFollowedDownAndToTheRight) {
    PointScreen& p = view.Points();
    for (int i = 0; i < 40; ++i) Press(Key::Down);
    EXPECT_EQ(view.state.pointCaretRow, 40);
    EXPECT_EQ(p.firstRow, 40 - (p.visibleRows - 2));
    ASSERT_TRUE(host.caret.has_value());
    EXPECT_EQ(host.caret->y, (p.visibleRows - 2) * 20 + 2);

    Type(std::string(60, 'x'));  // caret x = 55 + 480 - 1 before scrolling
    EXPECT_GT(p.horizontalOffset, 0);
    EXPECT_LE(host.caret->x + 5, p.width);
    EXPECT_EQ(host.caret->x, p.CaretPosition().x);
    Press(Key::Home);
    EXPECT_GE(host.caret->x, 0);
}

}  // namespace
}  // namespace screens_test
