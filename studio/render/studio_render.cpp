#include "studio/render/studio_render.h"

#include <algorithm>
#include <cmath>

#include "platform/fileio/path_name.h"
#include "platform/image/bmp_writer.h"
#include "platform/image/image_loader.h"
#include "platform/image/jpeg_writer.h"
#include "platform/image/png_writer.h"
#include "platform/text/cp932.h"
#include "studio/render/joint_circles.h"

namespace studio {

PictureSize StudioPictureSize(const SceneEnvironment& env, int clientWidth, int clientHeight,
                              int targetWidth, int targetHeight) {
    PictureSize p{env.screenWidth, env.screenHeight};
    if (env.fitToView != 0) p = {clientWidth, clientHeight};
    p.width = std::clamp(p.width, 0, std::max(targetWidth, 0));
    p.height = std::clamp(p.height, 0, std::max(targetHeight, 0));
    return p;
}

std::optional<BackgroundBlit> PlaceBackground(const SceneEnvironment& env, int imageWidth,
                                              int imageHeight, PictureSize picture) {
    if (imageWidth <= 0 || imageHeight <= 0 || picture.width <= 0 || picture.height <= 0)
        return std::nullopt;
    // The whole image's rectangle on the picture, before cutting.
    double x = 0, y = 0, w = picture.width, h = picture.height;
    switch (env.imageMode) {
        case 0:
            x = env.regionLeft;
            y = env.regionTop;
            w = static_cast<double>(env.regionRight) - env.regionLeft;
            h = static_cast<double>(env.regionBottom) - env.regionTop;
            break;
        case 2:
            w = imageWidth;
            h = imageHeight;
            x = std::floor((picture.width - w) / 2);
            y = std::floor((picture.height - h) / 2);
            break;
        default:
            if (env.keepAspect != 0) {
                const double scale = std::min(static_cast<double>(picture.width) / imageWidth,
                                              static_cast<double>(picture.height) / imageHeight);
                w = std::floor(imageWidth * scale);
                h = std::floor(imageHeight * scale);
                x = std::floor((picture.width - w) / 2);
                y = std::floor((picture.height - h) / 2);
            }
            break;
    }
    if (!(w > 0) || !(h > 0)) return std::nullopt;
    const double x0 = std::max(x, 0.0), y0 = std::max(y, 0.0);
    const double x1 = std::min(x + w, static_cast<double>(picture.width));
    const double y1 = std::min(y + h, static_cast<double>(picture.height));
    if (x1 <= x0 || y1 <= y0) return std::nullopt;
    BackgroundBlit b;
    b.x = static_cast<int>(x0);
    b.y = static_cast<int>(y0);
    b.width = static_cast<int>(x1) - b.x;
    b.height = static_cast<int>(y1) - b.y;
    if (b.width <= 0 || b.height <= 0) return std::nullopt;
    // The part of the image that falls inside, in proportion.
    const double sx = imageWidth / w, sy = imageHeight / h;
    b.sourceX = (b.x - x) * sx;
    b.sourceY = (b.y - y) * sy;
    b.sourceWidth = b.width * sx;
    b.sourceHeight = b.height * sy;
    return b;
}

bool StudioRender::CreateStudioDevice(int targetWidth, int targetHeight, int kind) {
    viewport_.reset();
    device_.reset();
    if (targetWidth <= 0 || targetHeight <= 0) return false;
    device_ = rm::Device::Create(std::clamp(kind, 0, 2), targetWidth, targetHeight);
    for (int k = 1; !device_ && k <= 2; ++k)
        device_ = rm::Device::Create(k, targetWidth, targetHeight);
    if (!device_) return false;
    device_->SetQuality(rm::kQualityGouraud);
    device_->SetRenderMode(rm::kRenderModeBlendedTransparency | rm::kRenderModeSortedTransparency |
                           rm::kRenderModeViewDependentSpecular |
                           rm::kRenderModeDisableSortedAlphaZWrite);
    return true;
}

void StudioRender::AimCamera(CSceneDoc& doc) {
    SceneEnvironment& env = doc.environment;
    if (env.cameraLook == 0) return;
    const rm::FramePtr& camera = doc.Camera();
    const rm::Vector3 target = doc.LookAtFrame()->Position(doc.Root());
    const rm::Vector3 toTarget = target - camera->Position(doc.Root());
    const float distance = rm::Length(toTarget);
    if (!(distance > 0.0f)) return;
    // The first frame takes the distance it finds, later ones keep it.
    if (!(env.cameraValue >= 0.0f)) env.cameraValue = distance;
    if (!camera->LookAt(doc.LookAtFrame(), doc.Root(), rm::Constraint::kZ)) return;
    if (env.cameraValue > 0.0f)
        camera->SetPosition(doc.Root(), target - toTarget * (env.cameraValue / distance));
}

void StudioRender::UpdateBackground(const SceneEnvironment& env) {
    const std::string& path = env.hasImage != 0 ? env.backgroundImagePath : std::string();
    if (path == backgroundPath_) return;
    backgroundPath_ = path;
    background_.reset();
    if (path.empty()) return;
    // An image that cannot be loaded leaves no image behind the scene.
    image::ImageLoad load = image::LoadImageFile(text::Cp932ToUtf8(path));
    if (load) background_ = std::move(load.image);
}

void StudioRender::DrawBackground(const SceneEnvironment& env) {
    if (!background_) return;
    const image::Image& img = *background_;
    const std::optional<BackgroundBlit> b = PlaceBackground(env, img.width, img.height, picture_);
    if (!b) return;
    uint32_t* target = device_->ColorData();
    const int stride = device_->Width();
    const double stepX = b->sourceWidth / b->width, stepY = b->sourceHeight / b->height;
    for (int row = 0; row < b->height; ++row) {
        const int sy =
            std::clamp(static_cast<int>(b->sourceY + (row + 0.5) * stepY), 0, img.height - 1);
        uint32_t* out = target + static_cast<size_t>(b->y + row) * stride + b->x;
        const uint32_t* in = img.argb.data() + static_cast<size_t>(sy) * img.width;
        for (int col = 0; col < b->width; ++col) {
            const int sx =
                std::clamp(static_cast<int>(b->sourceX + (col + 0.5) * stepX), 0, img.width - 1);
            out[col] = in[sx] | 0xFF000000u;
        }
    }
}

bool StudioRender::RenderStudioFrame(CSceneDoc& doc, int clientWidth, int clientHeight,
                                     bool jointCircles) {
    if (!device_) return false;
    picture_ = StudioPictureSize(doc.environment, clientWidth, clientHeight, device_->Width(),
                                 device_->Height());
    if (picture_.width <= 0 || picture_.height <= 0) return false;
    AimCamera(doc);
    PlaceAxis(doc);
    if (!viewport_) {
        viewport_ =
            rm::Viewport::Create(device_, doc.Camera(), 0, 0, picture_.width, picture_.height);
        if (!viewport_) return false;
        viewport_->SetBack(kStudioBack);
        viewport_->SetFront(kStudioFront);
        viewport_->SetField(kStudioField);
    }
    viewport_->SetCamera(doc.Camera());
    viewport_->Configure(0, 0, picture_.width, picture_.height);
    viewport_->Clear(rm::kClearAll);
    UpdateBackground(doc.environment);
    DrawBackground(doc.environment);
    viewport_->Render(*doc.Root());
    if (jointCircles)
        for (const JointCircle& c : JointCircles(doc, picture_))
            DrawJointCircle(device_->ColorData(), device_->Width(), picture_.width, picture_.height,
                            c.x, c.y);
    device_->Update();
    return true;
}

void StudioRender::PlaceAxis(CSceneDoc& doc) {
    if (!axisStyle_) return;
    // Built on the first frame under the scene's root; the letters face the camera each frame.
    if (axis_.root != doc.Root()) {
        axis_.Release();
        if (axis_.Build(doc.Root(), axisStyle_->letterSize)) return;
    }
    axis_.FaceCamera(*doc.Camera(), axisStyle_->letterSize);
    axis_.Apply(*axisStyle_);
}

int StudioRender::PickItem(const CSceneDoc& doc, int pictureX, int pictureY) const {
    if (!viewport_ || pictureX < 0 || pictureY < 0 || pictureX >= picture_.width ||
        pictureY >= picture_.height)
        return -1;
    const std::vector<rm::PickHit> hits = viewport_->Pick(*doc.Root(), pictureX, pictureY);
    if (hits.empty() || !std::dynamic_pointer_cast<rm::MeshBuilder>(hits.front().visual)) return -1;
    // The mesh hangs on the item's frame, or on a frame below it.
    for (rm::FramePtr frame = hits.front().frame; frame; frame = frame->Parent())
        if (const int index = doc.IndexOfFrame(frame.get()); index >= 0) return index;
    return -1;
}

image::Image StudioRender::Capture() const {
    image::Image picture;
    if (!device_) return picture;
    const rm::PixelView view = device_->Pixels();
    picture.width = std::min(picture_.width, view.width);
    picture.height = std::min(picture_.height, view.height);
    picture.argb.resize(static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height));
    for (int y = 0; y < picture.height; ++y)
        std::copy_n(view.pixels + static_cast<size_t>(y) * static_cast<size_t>(view.stride),
                    picture.width,
                    picture.argb.begin() + static_cast<ptrdiff_t>(y) * picture.width);
    return picture;
}

std::string StudioRender::SaveViewImage(CSceneDoc& doc, const std::string& nativePath,
                                        int jpegQuality, int clientWidth, int clientHeight) {
    // The light and joint markers and the axis are not part of the picture.
    const bool showLights = doc.ShowLights();
    const bool showJoints = doc.JointMarkersShown();
    doc.SetShowLights(false);
    const std::optional<viewport::AxisStyle> style = axisStyle_;
    if (axisStyle_) axisStyle_->showAxis = axisStyle_->showLetters = false;
    doc.SetJointMarkersShown(false);
    const bool rendered = RenderStudioFrame(doc, clientWidth, clientHeight);
    axisStyle_ = style;
    doc.SetShowLights(showLights);
    doc.SetJointMarkersShown(showJoints);
    if (!rendered) return "エラー1";
    const image::Image picture = Capture();
    std::string reason;
    const std::string extension = fileio::ExtensionOf(nativePath);
    const bool written = image::IsJpegExtension(extension)
                             ? image::WriteJpegFile(nativePath, picture, jpegQuality, &reason)
                         : extension == "png"
                             ? image::WritePngFile(nativePath, picture, &reason)
                             : image::WriteBmpFile(nativePath, picture, 24, &reason);
    return written ? std::string() : "画像ファイルを書き込めませんでした\n" + reason;
}

}  // namespace studio
