#include "viewport/model_pane.h"

#include <algorithm>

#include "platform/fileio/path_name.h"
#include "platform/image/bmp_writer.h"
#include "platform/image/image_loader.h"
#include "platform/image/jpeg_writer.h"
#include "platform/image/png_writer.h"
#include "viewport/model_mesh.h"
#include "viewport/model_parse.h"

namespace viewport {

bool ModelPane::Create(DeviceRequest& request, int displayWidth, int displayHeight, int clientWidth,
                       int clientHeight, shell::Prompt* prompt) {
    if (!device.Create(request, displayWidth, displayHeight, clientWidth, clientHeight, prompt))
        return false;
    BusyScope busy(device.busy);
    scene.pointMesh = objects_.pointMesh;
    scene.modelMesh = objects_.modelMesh;
    if (!scene.Build(device.root, device.camera, settings, prompt)) {
        scene.Release();
        device.ReleaseRenderObjects();
        return false;
    }
    scene.ApplyAxisSettings(settings);
    device.beforeFrame = [this] {
        if (updateCamera) updateCamera();
        scene.FaceLettersToCamera(settings);
        scene.ApplyDisplayMode(settings);
    };
    device.initialised = true;
    if (sceneBuilt) sceneBuilt();
    return true;
}

void ModelPane::Shutdown() {
    device.closing = true;
    BusyScope busy(device.busy);
    objects_.groupMaterials.clear();
    objects_.textures.clear();
    objects_.wrap.reset();
    scene.Release();
    device.ReleaseRenderObjects();
}

void ModelPane::RebuildPointMarkers(int flags) {
    const bool changed = ParsePointLines(model_.points, (flags & kReparseAll) != 0);
    if (!(flags & kReparseAll) && !changed) return;
    rm::MeshBuilder& markers = *objects_.pointMesh;
    device.stale = true;
    BuildPointMarkers(model_.points, UsedPointCount(model_.points), settings.pointColor, markers);
    if (pickList)
        for (int32_t p : *pickList) MarkPoint(p, true);
    if (!(flags & kNoModelRebuild)) RebuildModelMesh(kNoRender);
    if (!(flags & kNoRender)) RequestFrame();
}

void ModelPane::RebuildModelMesh(int flags) {
    objects_.SyncMaterials(model_.groups);
    device.stale = true;
    const int32_t points = static_cast<int32_t>(objects_.pointMesh->VertexCount());
    BuildModelMesh(model_, objects_, points, MeshOptions(), *objects_.modelMesh);
    if (!(flags & kNoRender)) RequestFrame();
}

void ModelPane::MarkPoint(int32_t index, bool selected) {
    device.stale = true;
    viewport::MarkPoint(*objects_.pointMesh, index, selected, settings.pointColor);
}

std::string ModelPane::SaveViewImage(const std::string& nativePath, int jpegQuality) {
    if (!device.device || device.pane.width <= 0 || device.pane.height <= 0) return "エラー1";
    const bool showAxis = settings.showAxis, showLetters = settings.showLetters;
    settings.showAxis = settings.showLetters = false;
    scene.ApplyAxisSettings(settings);
    const bool wasInitialised = device.initialised;
    device.initialised = true;
    auto present = std::move(device.present);
    device.present = nullptr;  // the capture is not shown
    device.RenderFrame();
    device.present = std::move(present);
    device.initialised = wasInitialised;

    const rm::PixelView view = device.Picture();
    image::Image picture;
    picture.width = view.width;
    picture.height = view.height;
    picture.argb.resize(static_cast<size_t>(view.width) * static_cast<size_t>(view.height));
    for (int y = 0; y < view.height; ++y)
        std::copy_n(view.pixels + static_cast<size_t>(y) * static_cast<size_t>(view.stride),
                    view.width, picture.argb.begin() + static_cast<ptrdiff_t>(y) * view.width);

    settings.showAxis = showAxis;
    settings.showLetters = showLetters;
    scene.ApplyAxisSettings(settings);
    device.stale = true;  // the pane shows the axis again at its next paint

    std::string reason;
    const std::string extension = fileio::ExtensionOf(nativePath);
    const bool written = image::IsJpegExtension(extension)
                             ? image::WriteJpegFile(nativePath, picture, jpegQuality, &reason)
                         : extension == "png" ? image::WritePngFile(nativePath, picture, &reason)
                                              : image::WriteBmpFile(nativePath, picture, 24, &reason);
    // A picture that could not be written is said so, with where and why, not passed over.
    return written ? std::string() : "画像ファイルを書き込めませんでした\n" + reason;
}

}  // namespace viewport
