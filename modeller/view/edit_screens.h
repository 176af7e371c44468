// The edit-screen part of the modeller's view: both screens, the shared focus, carets and
// selection, the pick list and pick mode, the splitters, and the clipboard commands. The
// view's widget feeds it keys, characters and mouse events and paints what it holds;
// presses in the 3D pane are handed back (MouseTarget::ThreeD) for the camera logic.
#pragma once

#include <cstdint>
#include <string_view>

#include "model/mesh_model.h"
#include "modeller/view/edit_state.h"
#include "modeller/view/face_screen.h"
#include "modeller/view/held_keys.h"
#include "modeller/view/key_record.h"
#include "modeller/view/pick_list.h"
#include "modeller/view/point_screen.h"
#include "modeller/view/screen_host.h"
#include "modeller/view/text_measurer.h"
#include "modeller/view/view_layout.h"
#include "platform/shell.h"

namespace modeller {

class EditScreens {
public:
    // The clipboard may be null: copy and paste then do nothing, cut still removes.
    EditScreens(model::MeshModel& model, ScreenHost& host, const TextMeasurer& measurer,
                shell::Clipboard* clipboard);

    EditState state;
    ViewLayout layout;
    PickList pickList;
    bool pickMode = false;

    PointScreen& Points() { return point_; }
    FaceScreen& Faces() { return face_; }
    EditScreen& ScreenOf(ScreenId id);

    // Layout. FirstPaint also measures every row; Paint lays both screens out before the
    // widget draws them.
    void FirstPaint(int32_t clientWidth, int32_t clientHeight, int32_t deviceWidth,
                    int32_t deviceHeight);
    void Resize(int32_t clientWidth, int32_t clientHeight);
    void Paint();

    // A key press as the window reports it. The command keys (editing, caret, paging, F2
    // and the menu's edit keys) act and type nothing; any other key types its text into the
    // focused screen (never with Ctrl or Alt held). The 3D pane's keys come back in the
    // outcome.
    KeyOutcome KeyPress(const KeyRecord& key);
    void KeyRelease(const KeyRecord& key);
    // The window lost the keyboard: no key counts as held any more.
    void KeysLost() { heldKeys_.Clear(); }
    // A command key; false when it is not one for the focused screen (the 3D pane's keys
    // and plain characters).
    bool KeyDown(Key key, KeyModifiers modifiers = {});
    // Typed text (CP932), one keystroke per character; control codes other than tab and
    // the codes the screens ignore go nowhere.
    void TypeText(std::string_view cp932);
    void InputMethodText(std::string_view cp932);

    MouseTarget LeftDown(int32_t x, int32_t y);
    MouseTarget MouseMove(int32_t x, int32_t y, bool busy = false);
    MouseTarget LeftUp(int32_t x, int32_t y);
    MouseTarget DoubleClick(int32_t x, int32_t y);
    MouseTarget RightDown(int32_t x, int32_t y);
    // The mouse wheel moves the camera only over the 3D pane; elsewhere it does nothing.
    MouseTarget Wheel(int32_t x, int32_t y) const;

    void Cut();
    void Copy();
    void Paste();
    void SelectAllPoints();
    void SelectAllFaces();

    // A pick from the point screen (pick mode) or from the 3D pane's vertex picking, which
    // also turns pick mode on and brings a new pick's line into view.
    void TogglePick(int32_t line);
    void PickFromPane(int32_t line);

    // The refresh command: every line parsed again, both meshes rebuilt, all redrawn.
    void Refresh();

    // After open (carets back to the start), new or close: rows measured again, all redrawn.
    void ModelReplaced(bool resetCarets);
    void EndSelection();

private:
    enum class Drag { None, VerticalBar, HorizontalBar, Gutter, Text };

    void SetFocus(int32_t focus);
    void PlaceCaretForFocus();
    void SelectAll(EditScreen& screen);
    bool OnSelection(int32_t x, int32_t y);
    void TogglePickMode(int32_t x, int32_t y);
    void LayOutPanes();

    model::MeshModel& model_;
    ScreenHost& host_;
    shell::Clipboard* clipboard_;
    PointScreen point_;
    FaceScreen face_;
    Drag drag_ = Drag::None;
    HeldKeys heldKeys_;
    int32_t gutterDownX_ = 0;
};

}  // namespace modeller
