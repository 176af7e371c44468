#include "model/mesh_model.h"

#include "platform/shell.h"

namespace model {

bool ClearModel(MeshModel& model, shell::Prompt* prompt, ClearHost* host, bool confirm) {
    if (confirm && host && host->IsModified() && prompt) {
        switch (prompt->Ask(kAskSaveText, {}, shell::Buttons::YesNoCancel)) {
            case shell::Answer::Yes:
                if (!host->SaveFirst()) return false;
                break;
            case shell::Answer::Cancel:
                return false;
            default:
                break;
        }
    }
    model.points.Reset();
    model.faces.Reset();
    if (host) host->ShowTitleWithoutFile();
    model.groups.Reset();
    model.mirror = MirrorSettings{};
    model.wrap.wrapFlag = 0;
    model.textureAssignment.Reset();
    model.joints.clear();
    if (host) host->RefreshViews();
    return true;
}

}  // namespace model
