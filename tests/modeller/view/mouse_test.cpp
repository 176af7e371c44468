// Presses, drags, the gutter and the splitters, pick mode and the dialogs a click opens.
#include "tests/modeller/view/screen_fixture.h"

namespace screens_test {
namespace {

const std::string kA = "\x82\xa0";

TEST_F(ScreensTest, AClickPlacesTheCaretOnACharacterBoundary) {
    model.points.SetLine(2, "abcdef");
    model.points.SetLine(3, "a" + kA + "b");
    Point2 p = PointCell(2, 3);
    EXPECT_EQ(view.LeftDown(p.x, p.y), MouseTarget::PointScreen);
    EXPECT_EQ(view.state.pointCaretRow, 2);
    EXPECT_EQ(view.state.pointCaretColumn, 3);
    EXPECT_EQ(view.state.anchorColumn, 3);
    view.LeftUp(p.x, p.y);

    p = PointCell(3, 2);  // on the second half of the double-byte character
    view.LeftDown(p.x, p.y);
    view.LeftUp(p.x, p.y);
    EXPECT_EQ(view.state.pointCaretColumn, 1);

    // Far right of the text: the line's end. Below the last line: column 0.
    view.LeftDown(400, 2 * 20 + 5);
    view.LeftUp(400, 2 * 20 + 5);
    EXPECT_EQ(view.state.pointCaretColumn, 6);
    view.LeftDown(200, 15 * 20 + 5);
    view.LeftUp(200, 15 * 20 + 5);
    EXPECT_EQ(view.state.pointCaretRow, 15);
    EXPECT_EQ(view.state.pointCaretColumn, 0);
}

TEST_F(ScreensTest, ClicksOnTheNumbersOrLeftOfTheTextOnlyTakeTheFocus) {
    model.points.SetLine(1, "abc");
    view.state.focus = kFocusFace;
    view.Points().SetCaret(1, 2);
    view.LeftDown(20, 5 * 20 + 5);  // on the row numbers
    EXPECT_EQ(view.state.focus, kFocusPoint);
    EXPECT_EQ(view.state.pointCaretRow, 1);
    EXPECT_FALSE(host.captured);
    view.LeftUp(20, 105);
    view.LeftDown(53, 20 + 5);  // between the gutter line and the text
    EXPECT_EQ(view.state.pointCaretColumn, 2);
    EXPECT_FALSE(host.captured);
}

TEST_F(ScreensTest, DraggingSelectsAndFollowsTheMouseOutsideThePane) {
    for (int i = 0; i < 5; ++i) model.points.SetLine(i, "abcdefgh");
    Point2 a = PointCell(1, 1), b = PointCell(3, 2);
    view.LeftDown(a.x, a.y);
    EXPECT_TRUE(host.captured);
    EXPECT_FALSE(view.state.selectionActive);
    view.MouseMove(b.x, b.y);
    EXPECT_TRUE(view.state.selectionActive);
    EXPECT_EQ(view.state.selectionScreen, 0);
    EXPECT_EQ(view.Points().Selection(), (SelectionRange{1, 1, 3, 2}));
    view.MouseMove(b.x, -45);  // above the pane: the top row, never above it
    EXPECT_EQ(view.state.pointCaretRow, 0);
    view.MouseMove(10, b.y);  // over the numbers: the line's start
    EXPECT_EQ(view.state.pointCaretColumn, 0);
    view.LeftUp(b.x, b.y);
    EXPECT_FALSE(host.captured);
    EXPECT_EQ(view.state.dragging, 0);
    EXPECT_TRUE(view.state.selectionActive);
    view.LeftDown(a.x, a.y);  // any click ends it
    EXPECT_FALSE(view.state.selectionActive);
}

TEST_F(ScreensTest, TheGutterIsDraggedWithinTenToSeventyPixels) {
    EXPECT_EQ(view.LeftDown(50, 100), MouseTarget::Gutter);
    EXPECT_EQ(host.cursor, CursorShape::SizeWestEast);
    view.LeftUp(5, 100);
    EXPECT_EQ(view.Points().gutterWidth, 10);
    view.Paint();
    EXPECT_EQ(view.LeftDown(9, 100), MouseTarget::Gutter);
    view.LeftUp(100, 100);
    EXPECT_EQ(view.Points().gutterWidth, 70);
    view.Paint();
    EXPECT_EQ(view.Points().gutterX, 70);
}

TEST_F(ScreensTest, SplittersAreDraggedAndKeptWithinTheClientAndDevice) {
    EXPECT_EQ(view.layout.splitX, 474);
    EXPECT_EQ(view.layout.splitY, 200);
    EXPECT_EQ(view.LeftDown(476, 300), MouseTarget::VerticalBar);
    view.MouseMove(300, 300);
    view.LeftUp(300, 300);
    EXPECT_EQ(view.layout.splitX, 300);
    view.LeftDown(302, 300);
    view.MouseMove(100, 300);  // a 3D pane wider than the device's 640 pixels
    view.LeftUp(100, 300);
    EXPECT_EQ(view.layout.splitX, 154);

    EXPECT_EQ(view.LeftDown(600, 202), MouseTarget::HorizontalBar);
    view.MouseMove(600, 900);
    view.LeftUp(600, 900);
    EXPECT_EQ(view.layout.splitY, 480);  // no taller than the device

    view.layout.splitX = 474;
    view.Resize(1000, 700);
    EXPECT_EQ(view.layout.splitX, 674);  // the 3D pane keeps its width
}

TEST_F(ScreensTest, TheFaceScreenScrolledRightHitsTheCharacterUnderTheMouse) {
    FocusFaces();
    std::string line;
    for (int i = 0; i < 20; ++i) line += std::to_string(i) + ", ";
    model.faces.SetLine(0, line);
    view.ModelReplaced(false);
    view.Faces().Scroll(false, ScrollRequest::Thumb, 50);
    ASSERT_EQ(view.Faces().horizontalOffset, 50);
    const int32_t x = view.Faces().x + 36 - 50 + 10 * 8 + 3;
    view.LeftDown(x, view.Faces().y + 5);
    EXPECT_EQ(view.state.focus, kFocusFace);
    EXPECT_EQ(view.state.faceCaretColumn, 10);
    view.LeftUp(x, view.Faces().y + 5);
    view.LeftDown(view.Faces().x + 2, view.Faces().y + 25);  // left of the text
    EXPECT_EQ(view.state.faceCaretRow, 1);
    EXPECT_EQ(view.state.faceCaretColumn, 0);
}

TEST_F(ScreensTest, PickModePicksValidPointsInOrder) {
    for (int i = 0; i < 10; ++i) model.points.SetLine(i, "1, 1, " + std::to_string(i));
    model.points.SetLine(5, "not a point");
    host.RebuildPointMarkers(0);
    view.ModelReplaced(false);
    view.Points().SetCaret(0, 0);

    EXPECT_EQ(view.RightDown(100, 100), MouseTarget::Nothing);
    EXPECT_TRUE(view.pickMode);
    EXPECT_EQ(host.cursor, CursorShape::PickPoint);
    for (int row : {3, 7, 9, 7, 5}) {
        view.LeftDown(100, row * 20 + 5);
        view.LeftUp(100, row * 20 + 5);
    }
    EXPECT_EQ(view.pickList.Points(), (std::vector<int32_t>{3, 9}));
    EXPECT_TRUE(view.Points().IsPicked(3));
    EXPECT_FALSE(view.Points().IsPicked(7));
    EXPECT_FALSE(view.Points().IsPicked(5));
    EXPECT_EQ(host.marked.back(), (std::pair<int32_t, bool>{7, false}));
    EXPECT_EQ(view.state.pointCaretRow, 0);  // picking never moves the caret
    view.MouseMove(600, 400);
    EXPECT_EQ(host.cursor, CursorShape::PickFace);

    view.RightDown(100, 100);
    EXPECT_FALSE(view.pickMode);
    EXPECT_EQ(host.makeFaceRuns, 1);
    EXPECT_EQ(host.cursor, CursorShape::Arrow);
    view.pickList.Clear(model.points);  // as the make-face dialog does
    view.RightDown(100, 100);
    view.RightDown(100, 100);  // nothing picked: no make-face dialog
    EXPECT_EQ(host.makeFaceRuns, 1);

    // Picking in the 3D pane turns pick mode on and shows the point's line.
    view.state.focus = kFocus3D;
    model.points.SetLine(60, "0, 0, 60");
    host.RebuildPointMarkers(0);
    view.PickFromPane(60);
    EXPECT_TRUE(view.pickMode);
    EXPECT_EQ(view.state.pointCaretRow, 60);
    EXPECT_GT(view.Points().firstRow, 0);
    EXPECT_EQ(view.state.focus, kFocus3D);
    EXPECT_TRUE(view.Points().IsPicked(60));
}

TEST_F(ScreensTest, TheFaceDialogMarksTheFaceAndBringsItIntoView) {
    for (int i = 0; i < 3; ++i) model.points.SetLine(i, "0, 0, " + std::to_string(i));
    for (int i = 0; i < 60; ++i) model.faces.SetLine(i, "0, 1, 2");
    host.RebuildPointMarkers(1);
    view.ModelReplaced(false);
    host.modified = 0;
    host.faceDialogColour = static_cast<int32_t>(0xFFFF0000);

    // In pick mode a press on a face row shows it red and opens the dialog.
    view.pickMode = true;
    view.LeftDown(600, view.Faces().y + 2 * 20 + 5);
    EXPECT_EQ(host.highlighted, std::vector<int32_t>{2});
    EXPECT_EQ(host.faceDialogs, std::vector<int32_t>{2});
    EXPECT_EQ(host.meshRebuilds.back(), 2);
    EXPECT_EQ(view.Faces().MarkedFace(), 2);
    EXPECT_EQ(view.Faces().StatusIcon(2), 1);
    EXPECT_EQ(host.modified, 0);
    view.pickMode = false;

    view.state.focus = kFocusPoint;
    view.Faces().OpenFaceDialog(50);
    EXPECT_EQ(view.state.focus, kFocusFace);
    EXPECT_EQ(view.state.faceCaretRow, 50);
    EXPECT_EQ(view.Faces().firstRow, 50 - (view.Faces().visibleRows - 2));

    host.dialogAnswer = false;
    view.Faces().OpenFaceDialog(10);
    EXPECT_EQ(view.Faces().MarkedFace(), 50);
    view.Faces().OpenFaceDialog(500);  // no such face: no dialog
    EXPECT_EQ(host.faceDialogs.back(), 10);
}

TEST_F(ScreensTest, DoubleClickOnAValidPointOpensTheVertexDialog) {
    model.points.SetLine(1, "1, 2, 3");
    host.RebuildPointMarkers(0);
    const size_t rebuilds = host.meshRebuilds.size();
    view.DoubleClick(100, 20 + 5);
    EXPECT_EQ(host.vertexDialogs, std::vector<int32_t>{1});
    EXPECT_EQ(host.meshRebuilds.size(), rebuilds + 1);
    view.DoubleClick(100, 2 * 20 + 5);  // an empty line
    EXPECT_EQ(host.vertexDialogs.size(), 1u);
    // On a splitter it is a press.
    EXPECT_EQ(view.DoubleClick(476, 5), MouseTarget::VerticalBar);
}

TEST_F(ScreensTest, ARightPressOnTheSelectionOpensTheMenuElsewherePickMode) {
    model.points.SetLine(0, "abcdefgh");
    view.Points().SetCaret(0, 1);
    for (int i = 0; i < 3; ++i) Press(Key::Right, true);
    Point2 inside = PointCell(0, 2), beyond = PointCell(0, 6);
    view.RightDown(inside.x, inside.y);
    EXPECT_EQ(host.contextMenus, 1);
    EXPECT_FALSE(view.pickMode);
    view.RightDown(beyond.x, beyond.y);
    EXPECT_EQ(host.contextMenus, 1);
    EXPECT_TRUE(view.pickMode);
    EXPECT_EQ(view.RightDown(700, 50), MouseTarget::ThreeD);
}

}  // namespace
}  // namespace screens_test
