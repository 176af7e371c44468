// Keys, typed characters and input-method text on the two screens.
#include "tests/modeller/view/screen_fixture.h"

namespace screens_test {
namespace {

const std::string kA = "\x82\xa0";  // a double-byte character

TEST_F(ScreensTest, TypingAPointAndEnterValidatesTheRowAndMovesDown) {
    Type("1,2,3");
    EXPECT_EQ(PointLine(0), "1,2,3");
    EXPECT_EQ(host.modified, 5);
    EXPECT_EQ(model.points.lineFlags[0] & model::PointSheet::kFlagValid, 0);  // not before Enter
    EXPECT_EQ(view.Points().NumberColour(0), PointScreen::kInvalidColour);

    Press(Key::Enter);
    EXPECT_EQ(host.pointRebuilds, std::vector<int32_t>{0});
    EXPECT_NE(model.points.lineFlags[0] & model::PointSheet::kFlagValid, 0);
    EXPECT_EQ(model.points.parsedVertices[0], (model::Vertex{1, 2, 3}));
    EXPECT_EQ(view.state.pointCaretRow, 1);
    EXPECT_EQ(view.state.pointCaretColumn, 0);
    EXPECT_EQ(model.points.maxLine, 10);  // Enter never splits or adds a line
    EXPECT_GT(host.viewRepaints, 0);

    // Pasted or operation-written lines reach the 3D pane through a refresh.
    model.points.SetLine(1, "4, 5, 6");
    model.points.changeList.clear();
    view.Refresh();
    EXPECT_EQ(host.pointRebuilds.back(), 3);
    EXPECT_NE(model.points.lineFlags[1] & model::PointSheet::kFlagValid, 0);

    model.textureAssignment.uvMap[0] = {0.5f, 0.5f};
    EXPECT_EQ(view.Points().NumberColour(0), PointScreen::kTexturedColour);
}

TEST_F(ScreensTest, IgnoredCodesInsertNothingButTabDoes) {
    Type("a!\"\x08\x0d\x1b\tb");
    EXPECT_EQ(PointLine(0), "a\tb");
    EXPECT_EQ(view.state.pointCaretColumn, 3);

    view.state.focus = kFocus3D;
    Type("zz");
    view.InputMethodText("zz");
    EXPECT_EQ(PointLine(0), "a\tb");
    EXPECT_EQ(FaceLine(0), "");
}

TEST_F(ScreensTest, BackspaceAndDeleteNeverJoinLines) {
    model.points.SetLine(0, "abc");
    model.points.SetLine(1, "def");
    host.modified = 0;
    view.Points().SetCaret(1, 0);
    Press(Key::Backspace);
    view.Points().SetCaret(0, 3);
    Press(Key::Delete);
    EXPECT_EQ(PointLine(0), "abc");
    EXPECT_EQ(PointLine(1), "def");
    EXPECT_EQ(model.points.maxLine, 10);
    EXPECT_EQ(host.modified, 2);  // both keys mark the model even when nothing goes

    Press(Key::Backspace);
    Press(Key::Home);
    Press(Key::Delete);
    EXPECT_EQ(PointLine(0), "b");

    FocusFaces();
    model.faces.SetLine(0, "1, 2");
    view.Faces().SetCaret(0, 0);
    Press(Key::Backspace);
    EXPECT_EQ(FaceLine(0), "1, 2");
    Press(Key::End);
    Press(Key::Backspace);
    EXPECT_EQ(FaceLine(0), "1, ");
}

TEST_F(ScreensTest, CaretNeverRestsInsideADoubleByteCharacter) {
    model.points.SetLine(0, "a" + kA + "b");
    view.Points().SetCaret(0, 2);  // on the second byte
    Press(Key::Left);
    EXPECT_EQ(view.state.pointCaretColumn, 1);
    Press(Key::Right);
    EXPECT_EQ(view.state.pointCaretColumn, 3);
    Press(Key::Backspace);
    EXPECT_EQ(PointLine(0), "ab");
    EXPECT_EQ(view.state.pointCaretColumn, 1);

    // Backspace from the second byte removes the whole character too.
    model.points.SetLine(1, kA + kA);
    view.Points().SetCaret(1, 3);
    Press(Key::Backspace);
    EXPECT_EQ(PointLine(1), kA);

    // Typing and deleting from inside a character never split it.
    model.points.SetLine(2, kA);
    view.Points().SetCaret(2, 1);
    Type("x");
    EXPECT_EQ(PointLine(2), "x" + kA);
    FocusFaces();
    model.faces.SetLine(0, kA + "z");
    view.Faces().SetCaret(0, 1);
    Press(Key::Delete);
    EXPECT_EQ(FaceLine(0), "z");

    // A typed double-byte character goes in whole.
    view.Faces().SetCaret(0, 1);
    Type(kA);
    EXPECT_EQ(FaceLine(0), "z" + kA);
    EXPECT_EQ(view.state.faceCaretColumn, 3);
}

TEST_F(ScreensTest, ArrowKeysStayInTheLineAndDownMayPassTheLastLine) {
    model.points.SetLine(0, "12345");
    model.points.SetLine(1, "12");
    view.Points().SetCaret(0, 0);
    Press(Key::Left);
    EXPECT_EQ(view.state.pointCaretColumn, 0);
    Press(Key::Up);
    EXPECT_EQ(view.state.pointCaretRow, 0);
    Press(Key::End);
    Press(Key::Right);
    EXPECT_EQ(view.state.pointCaretColumn, 5);
    Press(Key::Down);  // into a shorter line
    EXPECT_EQ(view.state.pointCaretColumn, 2);

    view.Points().SetCaret(10, 0);
    Press(Key::Down);
    Press(Key::Down);
    EXPECT_EQ(view.state.pointCaretRow, 12);
    EXPECT_EQ(model.points.maxLine, 10);
    Type("7");
    EXPECT_EQ(model.points.maxLine, 12);
    EXPECT_EQ(model.points.lineFlags.size(), 13u);
    EXPECT_EQ(PointLine(12), "7");

    FocusFaces();
    view.Faces().SetCaret(0, 0);
    Press(Key::Down);
    Press(Key::Down);
    Type("1");
    EXPECT_EQ(model.faces.maxLine, 2);
    EXPECT_EQ(model.faces.FaceColor.size(), 3u);  // the per-face arrays follow
}

TEST_F(ScreensTest, EnterOnTheFaceScreenRebuildsTheMeshAndShowsTheIcon) {
    for (int i = 0; i < 3; ++i) model.points.SetLine(i, "0, 0, " + std::to_string(i));
    host.RebuildPointMarkers(0);
    FocusFaces();
    Type("0, 1, 2");
    Press(Key::Enter);
    EXPECT_EQ(host.meshRebuilds.back(), 0);
    EXPECT_EQ(view.Faces().StatusIcon(0), 0);
    EXPECT_EQ(view.state.faceCaretRow, 1);

    // A face naming an empty point line or one beyond the sheet gets no icon.
    Type("0, 1, 5");
    Press(Key::Enter);
    Type("0, 1, 99");
    Press(Key::Enter);
    EXPECT_EQ(view.Faces().StatusIcon(1), std::nullopt);
    EXPECT_EQ(view.Faces().StatusIcon(2), std::nullopt);
    EXPECT_EQ(view.Faces().StatusIcon(3), std::nullopt);  // beyond the sheet

    model.faces.FaceStatus[0] |= model::FaceSheet::kStatusOwnColor;
    EXPECT_EQ(view.Faces().StatusIcon(0), 1);
    model.textureAssignment.faceTextureMap[0] = 1;
    EXPECT_EQ(view.Faces().StatusIcon(0), 3);
    model.textureAssignment.faceTextureMap[0] = 0;  // "none" is no texture
    EXPECT_EQ(view.Faces().StatusIcon(0), 1);
}

TEST_F(ScreensTest, FocusCyclesWithF2AndEndsTheSelection) {
    model.points.SetLine(0, "abc");
    Press(Key::Right, true);
    EXPECT_TRUE(view.state.selectionActive);
    Press(Key::F2);
    EXPECT_EQ(view.state.focus, kFocusFace);
    EXPECT_FALSE(view.state.selectionActive);
    Press(Key::F2);
    EXPECT_EQ(view.state.focus, kFocus3D);
    EXPECT_FALSE(host.caret.has_value());
    EXPECT_FALSE(view.KeyDown(Key::Left));  // the 3D pane's key
    Press(Key::F2);
    EXPECT_EQ(view.state.focus, kFocusPoint);
    EXPECT_TRUE(host.caret.has_value());
}

TEST_F(ScreensTest, InputMethodTextIsOneInsertion) {
    model.points.SetLine(0, "ab");
    host.modified = 0;
    view.Points().SetCaret(0, 1);
    view.InputMethodText("x\r\ny\rz\n");
    EXPECT_EQ(PointLine(0), "axy\rz\nb");
    EXPECT_EQ(view.state.pointCaretColumn, 6);
    EXPECT_EQ(host.modified, 1);
    EXPECT_EQ(model.points.changeList.back().line, 0);

    // At most 199 bytes, cut before a character that would be split.
    std::string longText(198, 'q');
    longText += kA + kA;
    view.Points().SetCaret(1, 0);
    view.InputMethodText(longText);
    EXPECT_EQ(PointLine(1), std::string(198, 'q'));
}

TEST_F(ScreensTest, AnyKeyClearsTheFaceMarkerAndUndoDoesNothing) {
    model.faces.SetLine(0, "0, 1, 2");
    model.faces.markers[0] = 0;
    host.modified = 0;
    const auto before = model.points.lines;
    Ctrl(Key::Z);
    view.KeyDown(Key::Backspace, KeyModifiers{false, false, true});
    EXPECT_EQ(view.Faces().MarkedFace(), -1);
    EXPECT_EQ(model.points.lines, before);
    EXPECT_EQ(FaceLine(0), "0, 1, 2");
    EXPECT_EQ(host.modified, 0);
}

TEST_F(ScreensTest, ShiftArrowsSelectAndPlainArrowsEndTheSelection) {
    model.points.SetLine(0, "abcdef");
    model.points.SetLine(1, "ghijkl");
    view.Points().SetCaret(0, 2);
    Press(Key::Right, true);
    Press(Key::Down, true);
    const auto range = view.Points().Selection();
    ASSERT_TRUE(range);
    EXPECT_EQ(*range, (SelectionRange{0, 2, 1, 3}));
    Press(Key::Delete);
    EXPECT_EQ(PointLine(0), "ab");
    EXPECT_EQ(PointLine(1), "jkl");
    EXPECT_EQ(view.state.pointCaretRow, 1);
    EXPECT_EQ(view.state.pointCaretColumn, 0);  // the bottom end of several rows
    EXPECT_FALSE(view.state.selectionActive);

    view.Points().SetCaret(1, 3);
    Press(Key::Left, true);
    Press(Key::Left, true);
    Press(Key::Backspace);  // as Delete; the caret was the top end, so it stays
    EXPECT_EQ(PointLine(1), "j");
    EXPECT_EQ(view.state.pointCaretColumn, 1);

    view.Points().SetCaret(0, 0);
    Press(Key::End, true);
    Press(Key::Home);
    EXPECT_FALSE(view.state.selectionActive);
}

}  // namespace
}  // namespace screens_test
