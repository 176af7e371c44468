// The calculation and mirror commands of the window: each opens its dialog (or runs at
// once) and applies the operation to the document through the view's 3D pane and screens.
#pragma once

#include "modeller/dialogs/ops_dialog.h"
#include "modeller/dialogs/ops_memory.h"
#include "modeller/ops/ops_host.h"

namespace modeller {

class CModelDoc;
class CModelView;

// The window as the operations' host: the pane's rebuilds, the document's modified mark,
// the edit screens measured again, the busy cursor.
class WindowOpsHost : public ops::OpsHost {
public:
    WindowOpsHost(CModelView& view, CModelDoc& doc) : view_(view), doc_(doc) {}
    void RebuildPointMarkers(int flags) override;
    void RebuildModelMesh(int flags) override;
    const rm::MeshBuilder& ModelMesh() const override;
    void SetModified() override;
    void RefreshScreens() override;
    void SetBusy(bool busy) override;

private:
    CModelView& view_;
    CModelDoc& doc_;
};

class OpsCommands {
public:
    OpsCommands(CModelView& view, CModelDoc& doc, shell::Prompt& prompt, HelpFunction help)
        : view_(view), doc_(doc), prompt_(prompt), help_(std::move(help)), host_(view, doc) {}

    void OnWholeModel();
    void OnExtrude();
    void OnMirror();
    void OnRevolve();
    void OnRotateCopy();
    void OnFaceCopy();
    void OnTidyData();
    void OnJoinPoints();
    void OnFlipFaces();

    OpsMemory memory;

private:
    CModelView& view_;
    CModelDoc& doc_;
    shell::Prompt& prompt_;
    HelpFunction help_;
    WindowOpsHost host_;
};

}  // namespace modeller
