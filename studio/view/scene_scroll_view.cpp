#include "studio/view/scene_scroll_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "studio/app/studio_settings.h"
#include "studio/app/tree_rules.h"

namespace studio {

namespace {
// Pixels of mouse movement per camera drag unit.
constexpr float kDragUnitPerPixel = 0.2f;
}  // namespace

CSceneScrollView::CSceneScrollView(CSceneDoc& doc, StudioRender& render, StudioSettings& settings,
                                   QWidget* parent)
    : QAbstractScrollArea(parent), doc_(doc), render_(render), settings_(settings) {
    setObjectName(QStringLiteral("SceneView3D"));
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    horizontalScrollBar()->setSingleStep(10);
    verticalScrollBar()->setSingleStep(10);
}

void CSceneScrollView::Invalidate() {
    stale_ = true;
    UpdateScrollBars();
    viewport()->update();
}

bool CSceneScrollView::EnsureDevice() {
    if (render_.Created()) return true;
    if (triedDevice_) return false;
    triedDevice_ = true;
    if (render_.CreateStudioDevice(settings_.deviceWidth, settings_.deviceHeight,
                                   settings_.deviceType))
        return true;
    settings_.deviceFailed = true;
    if (deviceFailed) deviceFailed();
    return false;
}

void CSceneScrollView::RenderIfStale() {
    if (!stale_ || !EnsureDevice()) return;
    const QSize client = viewport()->size();
    if (!render_.RenderStudioFrame(doc_, client.width(), client.height())) return;
    stale_ = false;
    ++frames_;
    const image::Image picture = render_.Capture();
    picture_ = QImage(picture.width, picture.height, QImage::Format_RGB32);
    for (int y = 0; y < picture.height; ++y)
        std::copy_n(picture.argb.begin() + static_cast<ptrdiff_t>(y) * picture.width, picture.width,
                    reinterpret_cast<uint32_t*>(picture_.scanLine(y)));
}

void CSceneScrollView::UpdateScrollBars() {
    const SceneEnvironment& env = doc_.environment;
    const QSize client = viewport()->size();
    // The window scrolls over a picture of fixed size; scaled or fitted pictures never need to.
    const bool scrolls = !env.freeSize && !env.fitToView;
    const PictureSize size = StudioPictureSize(env, client.width(), client.height(),
                                               settings_.deviceWidth, settings_.deviceHeight);
    const int w = scrolls ? size.width : 0, h = scrolls ? size.height : 0;
    horizontalScrollBar()->setRange(0, std::max(0, w - client.width()));
    horizontalScrollBar()->setPageStep(client.width());
    verticalScrollBar()->setRange(0, std::max(0, h - client.height()));
    verticalScrollBar()->setPageStep(client.height());
}

void CSceneScrollView::paintEvent(QPaintEvent*) {
    RenderIfStale();
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), palette().window());
    if (picture_.isNull()) return;
    const SceneEnvironment& env = doc_.environment;
    if (env.freeSize && !env.fitToView) {
        // The largest rectangle of the picture's aspect ratio, at the top left.
        const QSize fitted = picture_.size().scaled(viewport()->size(), Qt::KeepAspectRatio);
        p.drawImage(QRect(QPoint(0, 0), fitted), picture_);
    } else {
        p.drawImage(-horizontalScrollBar()->value(), -verticalScrollBar()->value(), picture_);
    }
}

void CSceneScrollView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    // Only a picture that follows the window changes with its size.
    if (doc_.environment.fitToView) stale_ = true;
    UpdateScrollBars();
}

void CSceneScrollView::scrollContentsBy(int, int) {
    viewport()->update();  // the same picture, shown from elsewhere
}

void CSceneScrollView::RightButton() {
    switch (mode_) {
        case kStudioCamera:
        case kStudioCameraDrag:
            mode_ = kStudioObject;
            break;
        case kStudioObject:
        case kStudioObjectDrag:
            mode_ = kStudioJoint;
            break;
        default:
            mode_ = kStudioCamera;
            break;
    }
    viewport()->setCursor(Qt::ArrowCursor);
}

void CSceneScrollView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        if (mode_ != kStudioCameraDrag) RightButton();
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    if (mode_ == kStudioCamera) {
        last_ = event->position().toPoint();
        mode_ = kStudioCameraDrag;
        grabMouse();
    }
}

void CSceneScrollView::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

void CSceneScrollView::mouseMoveEvent(QMouseEvent* event) {
    if (mode_ != kStudioCameraDrag) return;
    const QPoint pos = event->position().toPoint();
    const float dx = static_cast<float>(pos.x() - last_.x());
    const float dy = static_cast<float>(last_.y() - pos.y());
    last_ = pos;
    if (dx == 0 && dy == 0) return;
    const Qt::KeyboardModifiers keys = event->modifiers();
    StudioMoveCamera(doc_.Camera(), kDragUnitPerPixel * dx, kDragUnitPerPixel * dy,
                     keys & Qt::ShiftModifier, keys & Qt::ControlModifier, settings_.cameraSpeed,
                     settings_.cameraReverse != 0, doc_.environment.cameraLook != 0);
    Invalidate();
}

void CSceneScrollView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && mode_ == kStudioCameraDrag) {
        releaseMouse();
        mode_ = kStudioCamera;
    }
}

}  // namespace studio
