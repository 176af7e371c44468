// Key records through the edit screens' logic: every command key acts and types nothing,
// every other key types its text; held arrow keys; which edits mark the document.
#include <functional>

#include "tests/modeller/view/screen_fixture.h"

namespace screens_test {
namespace {

const std::string kA = "\x82\xa0";  // a double-byte character

KeyRecord Rec(Key key, std::string text = {}, KeyModifiers m = {}) {
    return KeyRecord{key, m, std::move(text), false};
}
constexpr KeyModifiers kShift{true, false, false}, kCtrl{false, true, false},
    kAlt{false, false, true};

struct KeyCase {
    const char* name;
    int32_t focus;
    KeyRecord key;
    std::string line;  // the focused screen's line 0 afterwards ("ab" before, caret at 1)
    int32_t row, column;
    KeyOutcome outcome;
};

// The text each key carries is what the window system reports with it.
const KeyCase kKeyCases[] = {
    {"x", kFocusPoint, Rec(Key::X, "x"), "axb", 0, 2, {}},
    {"c", kFocusPoint, Rec(Key::C, "c"), "acb", 0, 2, {}},
    {"v", kFocusPoint, Rec(Key::V, "v"), "avb", 0, 2, {}},
    {"z", kFocusPoint, Rec(Key::Z, "z"), "azb", 0, 2, {}},
    {"X", kFocusPoint, Rec(Key::X, "X", kShift), "aXb", 0, 2, {}},
    {"C", kFocusPoint, Rec(Key::C, "C", kShift), "aCb", 0, 2, {}},
    {"V", kFocusPoint, Rec(Key::V, "V", kShift), "aVb", 0, 2, {}},
    {"Z", kFocusPoint, Rec(Key::Z, "Z", kShift), "aZb", 0, 2, {}},
    {"digit", kFocusPoint, Rec(Key::Other, "7"), "a7b", 0, 2, {}},
    {"comma", kFocusPoint, Rec(Key::Other, ","), "a,b", 0, 2, {}},
    {"tab", kFocusPoint, Rec(Key::Other, "\t"), "a\tb", 0, 2, {}},
    {"double-byte", kFocusPoint, Rec(Key::Other, kA), "a" + kA + "b", 0, 3, {}},
    {"exclamation", kFocusPoint, Rec(Key::Other, "!", kShift), "ab", 0, 1, {}},
    {"ctrl+a", kFocusPoint, Rec(Key::Other, "\x01", kCtrl), "ab", 0, 1, {}},
    {"alt+x", kFocusPoint, Rec(Key::X, "x", kAlt), "ab", 0, 1, {}},
    {"escape", kFocusPoint, Rec(Key::Escape, "\x1b"), "ab", 0, 1, {}},
    {"insert", kFocusPoint, Rec(Key::Insert), "ab", 0, 1, {}},
    {"backspace", kFocusPoint, Rec(Key::Backspace, "\x08"), "b", 0, 0, {}},
    {"delete", kFocusPoint, Rec(Key::Delete, "\x7f"), "a", 0, 1, {}},
    {"enter", kFocusPoint, Rec(Key::Enter, "\r"), "ab", 1, 0, {}},
    {"home", kFocusPoint, Rec(Key::Home), "ab", 0, 0, {}},
    {"end", kFocusPoint, Rec(Key::End), "ab", 0, 2, {}},
    {"left", kFocusPoint, Rec(Key::Left), "ab", 0, 0, {}},
    {"right", kFocusPoint, Rec(Key::Right), "ab", 0, 2, {}},
    {"up", kFocusPoint, Rec(Key::Up), "ab", 0, 1, {}},
    {"down", kFocusPoint, Rec(Key::Down), "ab", 1, 0, {}},
    {"page up", kFocusPoint, Rec(Key::PageUp), "ab", 0, 1, {}},
    {"page down", kFocusPoint, Rec(Key::PageDown), "ab", 0, 1, {}},
    {"ctrl+x", kFocusPoint, Rec(Key::X, "\x18", kCtrl), "ab", 0, 1, {}},
    {"shift+delete", kFocusPoint, Rec(Key::Delete, "\x7f", kShift), "ab", 0, 1, {}},
    {"ctrl+c", kFocusPoint, Rec(Key::C, "\x03", kCtrl), "ab", 0, 1, {}},
    {"ctrl+insert", kFocusPoint, Rec(Key::Insert, {}, kCtrl), "ab", 0, 1, {}},
    {"ctrl+v", kFocusPoint, Rec(Key::V, "\x16", kCtrl), "aQb", 0, 1, {}},
    {"shift+insert", kFocusPoint, Rec(Key::Insert, {}, kShift), "aQb", 0, 1, {}},
    {"ctrl+z", kFocusPoint, Rec(Key::Z, "\x1a", kCtrl), "ab", 0, 1, {}},
    {"alt+backspace", kFocusPoint, Rec(Key::Backspace, "\x08", kAlt), "ab", 0, 1, {}},
    {"face x", kFocusFace, Rec(Key::X, "x"), "axb", 0, 2, {}},
    {"face Z", kFocusFace, Rec(Key::Z, "Z", kShift), "aZb", 0, 2, {}},
    {"face delete", kFocusFace, Rec(Key::Delete, "\x7f"), "a", 0, 1, {}},
    {"face enter", kFocusFace, Rec(Key::Enter, "\r"), "ab", 1, 0, {}},
    {"face ctrl+v", kFocusFace, Rec(Key::V, "\x16", kCtrl), "aQb", 0, 1, {}},
    // The 3D pane types nothing and hands its keys on.
    {"3d x", kFocus3D, Rec(Key::X, "x"), "ab", 0, 1, {}},
    {"3d delete", kFocus3D, Rec(Key::Delete, "\x7f"), "ab", 0, 1, {}},
    {"3d left",
     kFocus3D,
     Rec(Key::Left),
     "ab",
     0,
     1,
     {PaneKey::Arrows, {true, false, false, false}}},
    {"3d down",
     kFocus3D,
     Rec(Key::Down, {}, kShift),
     "ab",
     0,
     1,
     {PaneKey::Arrows, {false, false, false, true}}},
    {"3d escape", kFocus3D, Rec(Key::Escape, "\x1b"), "ab", 0, 1, {PaneKey::Escape, {}}},
    {"3d enter", kFocus3D, Rec(Key::Enter, "\r"), "ab", 0, 1, {PaneKey::Enter, {}}},
};

TEST_F(ScreensTest, CommandKeysActAndEveryOtherKeyTypesItsText) {
    for (const KeyCase& c : kKeyCases) {
        SCOPED_TRACE(c.name);
        model::MeshModel m;
        RecordingHost h(m);
        MemoryClipboard clip;
        clip.text = "Q";
        EditScreens v(m, h, measurer, &clip);
        v.FirstPaint(800, 600, 640, 480);
        m.points.SetLine(0, "ab");
        m.faces.SetLine(0, "ab");
        v.Points().SetCaret(0, 1);
        v.Faces().SetCaret(0, 1);
        v.state.focus = c.focus;

        EXPECT_EQ(v.KeyPress(c.key), c.outcome);
        EditScreen& s = c.focus == kFocusFace ? static_cast<EditScreen&>(v.Faces()) : v.Points();
        EXPECT_EQ(s.Sheet().GetLine(0), c.line);
        EXPECT_EQ(s.CaretRow(), c.row);
        EXPECT_EQ(s.CaretColumn(), c.column);
        EXPECT_EQ(clip.text, "Q");
        // Nothing reaches the other sheet or the line below.
        const model::Sheet& other =
            c.focus == kFocusFace ? static_cast<const model::Sheet&>(m.points) : m.faces;
        EXPECT_EQ(other.GetLine(0), "ab");
        EXPECT_EQ(s.Sheet().GetLine(1), "");
    }
}

TEST_F(ScreensTest, F2CyclesTheFocusWithoutTyping) {
    model.points.SetLine(0, "ab");
    for (int32_t expected : {kFocusFace, kFocus3D, kFocusPoint}) {
        EXPECT_EQ(view.KeyPress(Rec(Key::F2)), KeyOutcome{});
        EXPECT_EQ(view.state.focus, expected);
    }
    EXPECT_EQ(PointLine(0), "ab");
    EXPECT_EQ(FaceLine(0), "");
}

TEST(HeldKeys, ArrowsStayHeldThroughAutoRepeatUntilReleased) {
    HeldKeys held;
    held.Press(Key::Up);
    held.Press(Key::Right);
    EXPECT_EQ(held.Arrows(), (ArrowState{false, true, true, false}));
    // The window system repeats the last key as release-press pairs.
    held.Release(Key::Right, true);
    EXPECT_EQ(held.Arrows(), (ArrowState{false, true, true, false}));
    held.Press(Key::Right);
    held.Release(Key::Up, false);
    EXPECT_EQ(held.Arrows(), (ArrowState{false, true, false, false}));
    held.Press(Key::Left);  // both sides held cancel in the move, but both are held
    held.Press(Key::X);
    held.Release(Key::Delete, false);
    EXPECT_EQ(held.Arrows(), (ArrowState{true, true, false, false}));
    held.Clear();
    EXPECT_EQ(held.Arrows(), ArrowState{});
}

TEST_F(ScreensTest, TwoHeldArrowsReachThePaneTogether) {
    view.state.focus = kFocus3D;
    EXPECT_EQ(view.KeyPress(Rec(Key::Up)).arrows, (ArrowState{false, false, true, false}));
    KeyRecord right = Rec(Key::Right);
    EXPECT_EQ(view.KeyPress(right).arrows, (ArrowState{false, true, true, false}));
    right.autoRepeat = true;
    view.KeyRelease(right);
    EXPECT_EQ(view.KeyPress(right).arrows, (ArrowState{false, true, true, false}));
    view.KeyRelease(Rec(Key::Up));
    EXPECT_EQ(view.KeyPress(right).arrows, (ArrowState{false, true, false, false}));
    // Keys let go while the window lacked the focus are not seen: losing it clears them.
    view.KeysLost();
    EXPECT_EQ(view.KeyPress(Rec(Key::Down)).arrows, (ArrowState{false, false, false, true}));
}

TEST_F(ScreensTest, EveryChangeToASheetMarksTheDocument) {
    struct Edit {
        const char* name;
        std::function<void()> run;
    };
    const Edit edits[] = {
        {"paste",
         [&] {
             clipboard.text = "1, 2, 3\r\n4, 5, 6";
             view.Paste();
         }},
        {"cut",
         [&] {
             view.state.anchorRow = 1;
             view.state.anchorColumn = 0;
             view.Points().SetCaret(1, 2);
             view.state.selectionActive = 1;
             view.Cut();
         }},
        {"input method", [&] { view.InputMethodText("9"); }},
        {"another command's line", [&] { model.faces.SetLine(3, "0, 1, 2"); }},
    };
    for (const Edit& e : edits) {
        SCOPED_TRACE(e.name);
        model.points.SetLine(1, "line one");
        host.modified = 0;
        e.run();
        EXPECT_GT(host.modified, 0);
    }
    // Keys that change nothing mark nothing.
    host.modified = 0;
    view.KeyPress(Rec(Key::Z, "\x1a", kCtrl));
    view.KeyPress(Rec(Key::Right));
    view.KeyPress(Rec(Key::C, "\x03", kCtrl));
    EXPECT_EQ(host.modified, 0);
}

TEST_F(ScreensTest, TheWheelBelongsToThe3DPaneOnly) {
    const Rect pane = view.layout.ThreeDPane();
    EXPECT_EQ(view.Wheel(pane.left + 5, pane.top + 5), MouseTarget::ThreeD);
    EXPECT_EQ(view.Wheel(pane.left - 3, pane.top + 5), MouseTarget::Nothing);  // the bar
    EXPECT_EQ(view.Wheel(10, 10), MouseTarget::Nothing);
    EXPECT_EQ(view.Wheel(pane.left + 5, pane.bottom + 20), MouseTarget::Nothing);
}

}  // namespace
}  // namespace screens_test
