// What a modelling operation needs from whoever runs it, and what it reports back.
//
// Running an operation end to end, from the window or from a tool:
//   1. Fill the operation's settings record (a dialog starts from the remembered record).
//   2. Validate...(record): an empty message means go on; otherwise show the message and
//      change nothing (a dialog stays open).
//   3. Store what is remembered, then Apply...(model, host, record). Apply writes the point
//      and face lines and ends with the final step itself: the point join (extrusion unless
//      its no-join option is on), or a rebuild of the render points and mesh through the
//      host, then host.SetModified() and host.RefreshScreens().
// The window's host rebuilds the 3D pane and remeasures the edit screens; HeadlessOpsHost
// rebuilds the document's meshes without a device, for tools and tests. No operation shows
// anything itself.
#pragma once

#include <string>

#include "model/mesh_model.h"
#include "platform/rm/rm.h"
#include "viewport/model_mesh.h"
#include "viewport/model_render_objects.h"

namespace modeller::ops {

struct OpsResult {
    bool ok = true;
    std::string message;  // why nothing was done; empty when ok
};

class OpsHost {
public:
    virtual ~OpsHost() = default;
    // Flags as the 3D pane takes them (viewport::kReparseAll, kNoRender, kNoModelRebuild).
    virtual void RebuildPointMarkers(int flags) = 0;
    virtual void RebuildModelMesh(int flags) = 0;
    // The render mesh of the last rebuild: face i is face line i.
    virtual const rm::MeshBuilder& ModelMesh() const = 0;
    virtual void SetModified() = 0;
    // Rows measured again and the view repainted.
    virtual void RefreshScreens() = 0;
    virtual void SetBusy(bool busy) = 0;
};

// Rebuilds the document's own meshes with the given options; no window, no device.
class HeadlessOpsHost : public OpsHost {
public:
    HeadlessOpsHost(model::MeshModel& model, viewport::ModelRenderObjects& objects)
        : model_(model), objects_(objects) {}

    viewport::ModelMeshOptions options;
    bool modified = false;
    int rebuilds = 0;  // model mesh rebuilds, for callers that count the work

    void RebuildPointMarkers(int flags) override;
    void RebuildModelMesh(int flags) override;
    const rm::MeshBuilder& ModelMesh() const override { return *objects_.modelMesh; }
    void SetModified() override { modified = true; }
    void RefreshScreens() override {}
    void SetBusy(bool) override {}

private:
    model::MeshModel& model_;
    viewport::ModelRenderObjects& objects_;
};

}  // namespace modeller::ops
