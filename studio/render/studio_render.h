// The studio's 3D view without its window: the device and viewport, the picture size from the
// 3D screen settings, the background image in its three modes, one frame of the scene, and
// the picture saved as a file. The view widget and mokkel-tool both draw through it.
#pragma once

#include <optional>
#include <string>

#include "platform/image/image.h"
#include "platform/rm/rm.h"
#include "studio/scene/scene_doc.h"
#include "viewport/axis_gizmo.h"

namespace studio {

inline constexpr float kStudioFront = 0.0625f;
inline constexpr float kStudioBack = 500.0f;
inline constexpr float kStudioField = 0.03125f;
inline constexpr int kStudioTargetWidth = 640, kStudioTargetHeight = 480;
inline constexpr const char* kMsgStudioDeviceFailed = "DirectXの初期化処理に失敗しました。";

struct PictureSize {
    int width = 0, height = 0;
    friend bool operator==(const PictureSize&, const PictureSize&) = default;
};

// The screen size, or the client size when fitting to the view, each at most the target's.
PictureSize StudioPictureSize(const SceneEnvironment& env, int clientWidth, int clientHeight,
                              int targetWidth, int targetHeight);

// Where the background image goes on the picture, and which part of it: the destination
// already cut to the picture, the source in image pixels (fractions allowed).
struct BackgroundBlit {
    int x = 0, y = 0, width = 0, height = 0;
    double sourceX = 0, sourceY = 0, sourceWidth = 0, sourceHeight = 0;
};
std::optional<BackgroundBlit> PlaceBackground(const SceneEnvironment& env, int imageWidth,
                                              int imageHeight, PictureSize picture);

class StudioRender {
public:
    // `CreateStudioDevice`: a software device of the render size and a viewport on all of
    // it. False when either cannot be made (the view then says kMsgStudioDeviceFailed).
    bool CreateStudioDevice(int targetWidth, int targetHeight, int kind = 1);
    bool Created() const { return device_ != nullptr; }
    // The render target's size, fixed for the device's life; 0 before it exists.
    int TargetWidth() const { return device_ ? device_->Width() : 0; }
    int TargetHeight() const { return device_ ? device_->Height() : 0; }

    // `RenderStudioFrame` without the copy to the screen: the picture in the target's top
    // left, of the size PictureOf gives. The camera turns to the look-at frame first when
    // the scene asks for it. With `jointCircles` the joints' circles are drawn over it (the
    // view's joint modes; never in a saved picture). False when there is nothing to draw on.
    bool RenderStudioFrame(CSceneDoc& doc, int clientWidth, int clientHeight,
                           bool jointCircles = false);
    PictureSize LastPicture() const { return picture_; }
    // The last frame's picture.
    image::Image Capture() const;

    // `PickItem` at a point of the last frame's picture: the item owning the mesh nearest
    // under it, or -1 (nothing hit, the nearest hit not a mesh, no frame rendered yet, or the
    // point off the picture).
    int PickItem(const CSceneDoc& doc, int pictureX, int pictureY) const;

    // Renders and writes the picture: BMP, JPEG ("jpg", "jpeg") or PNG by extension. The
    // message to show (naming the path and the reason), or empty.
    std::string SaveViewImage(CSceneDoc& doc, const std::string& nativePath, int jpegQuality,
                              int clientWidth, int clientHeight);

    // The axis gizmo drawn with the scene, as the axis dialog sets it; a render without a
    // style (mokkel-tool's pictures) has no axis. Saved pictures never show it.
    void SetAxisStyle(const viewport::AxisStyle& style) { axisStyle_ = style; }
    const std::optional<viewport::AxisStyle>& AxisStyle() const { return axisStyle_; }

    // The background image last loaded, for its size in the 3D screen dialog.
    const std::optional<image::Image>& BackgroundImage() const { return background_; }

private:
    void UpdateBackground(const SceneEnvironment& env);
    void DrawBackground(const SceneEnvironment& env);
    void AimCamera(CSceneDoc& doc);
    void PlaceAxis(CSceneDoc& doc);

    rm::DevicePtr device_;
    rm::ViewportPtr viewport_;
    PictureSize picture_;
    std::string backgroundPath_;
    std::optional<image::Image> background_;
    std::optional<viewport::AxisStyle> axisStyle_;
    viewport::AxisGizmo axis_;
};

}  // namespace studio
