// The modeller's 3D pane without its widget: the device, the scene built from the model,
// the rebuild routines and the picture capture.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "model/mesh_model.h"
#include "viewport/model_render_objects.h"
#include "viewport/render_device.h"
#include "viewport/render_scene.h"

namespace shell {
class Prompt;
}

namespace viewport {

// RebuildPointMarkers flags.
inline constexpr int kReparseAll = 1;
inline constexpr int kNoRender = 2;
inline constexpr int kNoModelRebuild = 4;

class ModelPane {
public:
    ModelPane(model::MeshModel& model, ModelRenderObjects& objects)
        : model_(model), objects_(objects) {}

    RenderDevice device;
    RenderScene scene;
    SceneSettings settings;
    // The selected points, shown in red.
    const std::vector<int32_t>* pickList = nullptr;
    // Run before every frame, before the letters turn (camera navigation).
    std::function<void()> updateCamera;
    // Run once the scene exists (e.g. to apply the stored camera pose).
    std::function<void()> sceneBuilt;

    // Device and scene; false after its message when either cannot be made.
    bool Create(DeviceRequest& request, int displayWidth, int displayHeight, int clientWidth,
                int clientHeight, shell::Prompt* prompt);
    void Shutdown();

    void RebuildPointMarkers(int flags);
    void RebuildModelMesh(int flags);
    void MarkPoint(int32_t index, bool selected);
    void RequestFrame() { device.RequestFrame(); }

    ModelMeshOptions MeshOptions() const {
        return {settings.displayMode, settings.showTextures, settings.applyMaterials};
    }

    // Renders the pane without axis and letters and writes it as BMP, or as JPEG when the
    // extension (any case) is "jpg" or "jpeg", or as PNG for "png". The message to show on
    // failure (naming the path and the reason), or empty.
    std::string SaveViewImage(const std::string& nativePath, int jpegQuality);

private:
    model::MeshModel& model_;
    ModelRenderObjects& objects_;
};

}  // namespace viewport
