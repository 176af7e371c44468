// What the picks of the point screen and the 3D pane open: the make-face dialog with its red
// preview face, and the vertex dialog.
#pragma once

#include <cstdint>
#include <vector>

#include "modeller/dialogs/ops_commands.h"
#include "modeller/ops/make_face.h"

namespace modeller {

class PickCommands {
public:
    PickCommands(CModelView& view, CModelDoc& doc, shell::Prompt& prompt, HelpFunction help);
    ~PickCommands();

    // The make-face flow over the pick list (nothing when it is empty).
    void RunMakeFace();
    // The vertex dialog for a valid point line; true when OK changed its coordinates.
    bool OpenVertexDialog(int32_t point);

    // The button that ended the last make-face flow, for checks.
    ops::MakeFaceButton lastButton = ops::MakeFaceButton::kCancel;

private:
    CModelView& view_;
    CModelDoc& doc_;
    shell::Prompt& prompt_;
    HelpFunction help_;
    WindowOpsHost host_;
};

}  // namespace modeller
