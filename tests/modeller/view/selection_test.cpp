// The normalised selection, copy, cut, paste and select all.
#include <limits>

#include "tests/modeller/view/screen_fixture.h"

namespace screens_test {
namespace {

class ClipboardTest : public ScreensTest {
protected:
    void SetUp() override {
        for (int i = 0; i < 11; ++i) model.points.SetLine(i, "row" + std::to_string(i) + "text");
        view.ModelReplaced(false);
    }
    // Anchor at (2, 3), caret at (4, 2) on the point screen.
    void SelectRowsTwoToFour() {
        view.state.anchorRow = 2;
        view.state.anchorColumn = 3;
        view.Points().SetCaret(4, 2);
        view.state.selectionActive = 1;
        view.state.selectionScreen = 0;
    }
};

TEST_F(ClipboardTest, CopyJoinsTheSelectedPartsOfTheRows) {
    SelectRowsTwoToFour();
    view.Copy();
    EXPECT_EQ(clipboard.text, "2text\r\nrow3text\r\nro");
    Ctrl(Key::Insert);
    EXPECT_EQ(clipboard.sets, 2);

    // A selection of no length leaves the clipboard empty.
    view.state.anchorRow = 4;
    view.state.anchorColumn = 2;
    view.Copy();
    EXPECT_FALSE(clipboard.text.has_value());
    EXPECT_EQ(clipboard.sets, 3);

    view.state.selectionActive = 0;
    view.Copy();  // nothing selected: the clipboard is not touched
    EXPECT_EQ(clipboard.sets, 3);
}

TEST_F(ClipboardTest, CutKeepsEveryRowInPlace) {
    SelectRowsTwoToFour();
    const int32_t modifiedBefore = host.modified;
    view.KeyDown(Key::Delete, KeyModifiers{true, false, false});  // Shift+Delete
    EXPECT_EQ(clipboard.text, "2text\r\nrow3text\r\nro");
    EXPECT_EQ(PointLine(2), "row");
    EXPECT_EQ(PointLine(3), "");
    EXPECT_EQ(PointLine(4), "w4text");
    EXPECT_EQ(PointLine(5), "row5text");
    EXPECT_EQ(model.points.maxLine, 10);
    EXPECT_FALSE(view.state.selectionActive);
    EXPECT_EQ(view.state.pointCaretColumn, 2);     // not moved
    EXPECT_EQ(host.modified, modifiedBefore + 3);  // each changed row
    for (int row : {2, 3, 4})
        EXPECT_NE(std::find(model.points.changeList.begin(), model.points.changeList.end(),
                            model::LineChange{row, model::PointSheet::kChangeCode}),
                  model.points.changeList.end());

    // Without a clipboard, cut still removes the text.
    EditScreens bare(model, host, measurer, nullptr);
    bare.state.anchorRow = 5;
    bare.state.anchorColumn = 3;
    bare.Points().SetCaret(5, 8);
    bare.state.selectionActive = 1;
    bare.Cut();
    EXPECT_EQ(PointLine(5), "row");
}

TEST_F(ClipboardTest, PasteSplitsAtCrLfOnlyAndGrowsTheSheet) {
    clipboard.text = "a\r\nb\r\nc";
    view.Points().SetCaret(7, 4);
    Ctrl(Key::V);
    EXPECT_EQ(PointLine(7), "row7atext");
    EXPECT_EQ(PointLine(8), "brow8text");
    EXPECT_EQ(PointLine(9), "crow9text");
    EXPECT_EQ(view.state.pointCaretRow, 7);
    EXPECT_EQ(view.state.pointCaretColumn, 4);

    view.Points().SetCaret(10, 0);
    view.KeyDown(Key::Insert, KeyModifiers{true, false, false});  // Shift+Insert
    EXPECT_EQ(model.points.maxLine, 12);
    EXPECT_EQ(PointLine(12), "c");
    EXPECT_EQ(model.points.lineFlags.size(), 13u);

    clipboard.text = "x\ry\nz\r\n";  // lone CR and LF stay; a trailing pair adds an empty piece
    FocusFaces();
    view.Faces().SetCaret(0, 0);
    view.Paste();
    EXPECT_EQ(FaceLine(0), "x\ry\nz");
    EXPECT_EQ(model.faces.maxLine, 1);
    EXPECT_EQ(model.faces.FaceGroup.size(), 2u);

    clipboard.text.reset();  // no text: nothing happens
    view.Paste();
    EXPECT_EQ(FaceLine(0), "x\ry\nz");
    view.state.focus = kFocus3D;
    clipboard.text = "q";
    view.Paste();
    EXPECT_EQ(FaceLine(0), "x\ry\nz");
}

TEST_F(ClipboardTest, PasteNeverOverflowsTheLineNumbers) {
    clipboard.text = "a\r\nb\r\nc";
    view.Points().SetCaret(std::numeric_limits<int32_t>::max() - 1, 0);
    view.Paste();
    EXPECT_EQ(model.points.maxLine, 10);
    EXPECT_TRUE(SplitPasteText(std::string("ab\0\r\ncd", 7)) ==
                std::vector<std::string_view>{"ab"});
}

TEST_F(ClipboardTest, TheRangeIsOrderedAndClampedToTheSheet) {
    const model::Sheet& s = model.points;
    EXPECT_EQ(NormaliseSelection(4, 2, 2, 3, 0, s), (SelectionRange{2, 3, 4, 2}));
    EXPECT_EQ(NormaliseSelection(3, 5, 3, 1, 0, s), (SelectionRange{3, 1, 3, 5}));
    EXPECT_EQ(NormaliseSelection(20, 0, 9, 2, 0, s), (SelectionRange{9, 2, 10, 9}));
    EXPECT_EQ(NormaliseSelection(-3, 4, 1, 1, 0, s), (SelectionRange{0, 0, 1, 1}));
    EXPECT_EQ(NormaliseSelection(20, 0, 30, 2, 0, s), std::nullopt);

    // Columns past the line or inside a character are kept to the text.
    const SelectionRange r{0, 50, 1, 1};
    EXPECT_EQ(SelectedPart(r, 0, "abc"), (std::pair<size_t, size_t>{3, 3}));
    EXPECT_EQ(SelectedPart(r, 1, "\x82\xa0z"), (std::pair<size_t, size_t>{0, 0}));
}

TEST_F(ClipboardTest, TheHighlightCoversTheSelectedPartOfEachRow) {
    SelectRowsTwoToFour();
    const int32_t left = view.Points().TextX();
    EXPECT_EQ(view.Points().HighlightSpan(2), (std::pair<int32_t, int32_t>{left + 24, left + 64}));
    EXPECT_EQ(view.Points().HighlightSpan(3), (std::pair<int32_t, int32_t>{left, left + 64}));
    EXPECT_EQ(view.Points().HighlightSpan(4), (std::pair<int32_t, int32_t>{left, left + 16}));
    EXPECT_EQ(view.Points().HighlightSpan(5), std::nullopt);
    view.state.focus = kFocusFace;  // only while the screen has the focus
    EXPECT_EQ(view.Points().HighlightSpan(3), std::nullopt);
}

TEST_F(ClipboardTest, SelectAllReachesTheLastNonEmptyLine) {
    model.points.SetLine(10, "");
    view.pickMode = true;
    view.state.focus = kFocusFace;
    view.SelectAllPoints();
    EXPECT_FALSE(view.pickMode);
    EXPECT_EQ(view.state.focus, kFocusPoint);
    EXPECT_EQ(view.state.pointCaretRow, 9);
    EXPECT_EQ(view.state.pointCaretColumn, 8);
    EXPECT_EQ(view.state.anchorRow, 0);
    view.Copy();
    EXPECT_EQ(clipboard.text->substr(0, 11), "row0text\r\nr");

    // A face sheet of empty lines selects nothing.
    view.state.selectionActive = 0;
    view.pickMode = true;
    view.SelectAllFaces();
    EXPECT_FALSE(view.state.selectionActive);
    EXPECT_TRUE(view.pickMode);
    EXPECT_EQ(view.state.focus, kFocusPoint);
}

TEST_F(ClipboardTest, PickListKeepsTheFlagsInStep) {
    model::PointSheet& p = model.points;
    p.SetLine(3, "0, 0, 0");
    p.SetLine(7, "0, 0, 0");
    p.SetLine(9, "0, 0, 0");
    host.RebuildPointMarkers(0);
    PickList list;
    for (int line : {3, 7, 9, 7}) list.Toggle(p, line);
    EXPECT_EQ(list.Points(), (std::vector<int32_t>{3, 9}));
    EXPECT_EQ(list.Toggle(p, 4), std::nullopt);   // not a vertex
    EXPECT_EQ(list.Toggle(p, 99), std::nullopt);  // beyond the sheet
    EXPECT_EQ(list.Toggle(p, -1), std::nullopt);
    list.Reverse();
    EXPECT_EQ(list.Points(), (std::vector<int32_t>{9, 3}));
    EXPECT_EQ(p.lineFlags[9] & model::PointSheet::kFlagPicked, model::PointSheet::kFlagPicked);
    list.Clear(p);
    EXPECT_TRUE(list.Empty());
    EXPECT_EQ(p.lineFlags[9] & model::PointSheet::kFlagPicked, 0);
}

}  // namespace
}  // namespace screens_test
