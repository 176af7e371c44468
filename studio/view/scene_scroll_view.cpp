#include "studio/view/scene_scroll_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "studio/app/studio_settings.h"
#include "studio/app/tree_rules.h"
#include "studio/joints/joints.h"
#include "studio/mouse/object_drag.h"
#include "studio/render/joint_circles.h"

namespace studio {

namespace {
// Pixels of mouse movement per camera drag unit.
constexpr float kDragUnitPerPixel = 0.2f;

// The joint circles show over the picture in the joint modes.
bool ShowsJointCircles(int mode) {
    return mode == kStudioJoint || mode == kStudioJointSelected || mode == kStudioJointTurn;
}

// Camera: move about; object: the arrow; joint: a cross to hit the small circles; holding
// something: the closed hand.
QCursor CursorOfMode(int mode) {
    switch (mode) {
        case kStudioCamera:
        case kStudioCameraDrag:
            return QCursor(Qt::SizeAllCursor);
        case kStudioObjectDrag:
        case kStudioJointTurn:
            return QCursor(Qt::ClosedHandCursor);
        case kStudioJoint:
        case kStudioJointSelected:
            return QCursor(Qt::CrossCursor);
        default:
            return QCursor(Qt::ArrowCursor);
    }
}
}  // namespace

CSceneScrollView::CSceneScrollView(CSceneDoc& doc, StudioRender& render, StudioSettings& settings,
                                   QWidget* parent)
    : QAbstractScrollArea(parent), doc_(doc), render_(render), settings_(settings) {
    setObjectName(QStringLiteral("SceneView3D"));
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    horizontalScrollBar()->setSingleStep(10);
    verticalScrollBar()->setSingleStep(10);
    viewport()->setCursor(CursorOfMode(mode_));
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
    if (!render_.RenderStudioFrame(doc_, client.width(), client.height(), ShowsJointCircles(mode_)))
        return;
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

void CSceneScrollView::SetMode(int mode) {
    const bool circlesBefore = ShowsJointCircles(mode_);
    mode_ = mode;
    viewport()->setCursor(CursorOfMode(mode));
    // The circles are drawn into the picture, so it is drawn again when they come or go.
    if (ShowsJointCircles(mode) != circlesBefore) Invalidate();
}

int CSceneScrollView::SelectedItem() const {
    return doc_.IndexOf(selected_);
}

int CSceneScrollView::SelectedJoint() const {
    return joint_ >= 0 && static_cast<size_t>(joint_) < doc_.Joints().size() ? joint_ : -1;
}

int CSceneScrollView::TurnedItem() const {
    return doc_.IndexOf(turned_);
}

std::optional<PicturePoint> CSceneScrollView::PictureAt(int x, int y) const {
    const QSize client = viewport()->size();
    const PictureSize picture = render_.LastPicture();
    return WindowToPicture(doc_.environment, picture,
                           ViewScale(doc_.environment, picture, client.width(), client.height()),
                           horizontalScrollBar()->value(), verticalScrollBar()->value(), x, y);
}

int CSceneScrollView::PickItem(int x, int y) const {
    const std::optional<PicturePoint> p = PictureAt(x, y);
    return p ? render_.PickItem(doc_, p->x, p->y) : -1;
}

int CSceneScrollView::PickJoint(int x, int y) const {
    const std::optional<PicturePoint> p = PictureAt(x, y);
    return p ? JointCircleAt(JointCircles(doc_, render_.LastPicture()), p->x, p->y) : -1;
}

void CSceneScrollView::RightButton() {
    switch (mode_) {
        case kStudioCamera:
            SetMode(kStudioObject);
            break;
        case kStudioObject:
            doc_.SetJointMarkersShown(true);
            SetMode(kStudioJoint);
            Invalidate();
            break;
        case kStudioJoint:
            doc_.SetJointMarkersShown(false);
            SetMode(kStudioCamera);
            Invalidate();
            break;
        case kStudioJointSelected:
            doc_.SetDraggedItem(kNoItem);
            SetMode(kStudioJoint);
            Invalidate();
            break;
        default:  // a drag in progress keeps its mode
            break;
    }
}

// The drags need no grab of their own: Qt keeps sending the mouse to the viewport from the press
// until the button is released. A grab taken by the scroll area itself would be worse than
// none, as it drops the mouse events that reach it directly, the release among them.
void CSceneScrollView::LeftButtonDown(QPoint pos) {
    switch (mode_) {
        case kStudioCamera:
            last_ = pos;
            SetMode(kStudioCameraDrag);
            break;
        case kStudioObject: {
            RenderIfStale();  // pick from the scene as it is now
            const int index = PickItem(pos.x(), pos.y());
            if (index < 0) return;
            const SceneItem& item = doc_.Items()[static_cast<size_t>(index)];
            selected_ = item.id;
            if (itemPicked) itemPicked(static_cast<size_t>(index));
            doc_.SetDraggedItem(selected_);
            last_ = pos;
            SetMode(kStudioObjectDrag);
            Invalidate();
            break;
        }
        case kStudioJoint:
        case kStudioJointSelected: {
            RenderIfStale();
            const int joint = PickJoint(pos.x(), pos.y());
            const int turnedIndex =
                joint >= 0 ? TurnedItemOf(doc_, static_cast<size_t>(joint)) : -1;
            const int64_t turned =
                turnedIndex >= 0 ? doc_.Items()[static_cast<size_t>(turnedIndex)].id : kNoItem;
            if (turned == kNoItem) {
                joint_ = -1;
                turned_ = kNoItem;
                doc_.SetDraggedItem(kNoItem);
                SetMode(kStudioJoint);
                Invalidate();
                return;
            }
            joint_ = joint;
            turned_ = turned;
            doc_.SetDraggedItem(turned_);
            last_ = pos;
            SetMode(kStudioJointTurn);
            Invalidate();
            break;
        }
        default:
            break;
    }
}

void CSceneScrollView::StopDragging() {
    switch (mode_) {
        case kStudioCameraDrag:
            SetMode(kStudioCamera);
            break;
        case kStudioObjectDrag:
            doc_.SetDraggedItem(kNoItem);
            SetMode(kStudioObject);
            Invalidate();
            break;
        case kStudioJointTurn:
            doc_.SetDraggedItem(kNoItem);
            SetMode(kStudioJointSelected);
            Invalidate();
            break;
        default:
            break;
    }
}

void CSceneScrollView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        RightButton();
        return;
    }
    if (event->button() == Qt::LeftButton) LeftButtonDown(event->position().toPoint());
}

void CSceneScrollView::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton && mode_ == kStudioObject) {
        RenderIfStale();
        const int index = PickItem(pos.x(), pos.y());
        if (index < 0) return;
        selected_ = doc_.Items()[static_cast<size_t>(index)].id;
        if (itemPicked) itemPicked(static_cast<size_t>(index));
        if (itemPropertiesAsked) itemPropertiesAsked(static_cast<size_t>(index));
        Invalidate();
        return;
    }
    if (event->button() == Qt::LeftButton &&
        (mode_ == kStudioJoint || mode_ == kStudioJointSelected)) {
        RenderIfStale();
        const int joint = PickJoint(pos.x(), pos.y());
        if (joint < 0) return;
        if (jointPropertiesAsked) jointPropertiesAsked(static_cast<size_t>(joint));
        Invalidate();
        return;
    }
    mousePressEvent(event);
}

void CSceneScrollView::mouseMoveEvent(QMouseEvent* event) {
    if (mode_ != kStudioCameraDrag && mode_ != kStudioObjectDrag && mode_ != kStudioJointTurn)
        return;
    const QPoint pos = event->position().toPoint();
    const int dx = pos.x() - last_.x();
    const int dy = last_.y() - pos.y();
    last_ = pos;
    if (dx == 0 && dy == 0) return;
    const Qt::KeyboardModifiers keys = event->modifiers();
    const bool shift = keys & Qt::ShiftModifier, ctrl = keys & Qt::ControlModifier;
    if (mode_ == kStudioCameraDrag) {
        StudioMoveCamera(doc_.Camera(), kDragUnitPerPixel * static_cast<float>(dx),
                         kDragUnitPerPixel * static_cast<float>(dy), shift, ctrl,
                         settings_.cameraSpeed, settings_.cameraReverse != 0,
                         doc_.environment.cameraLook != 0);
        Invalidate();
        return;
    }
    if (mode_ == kStudioObjectDrag) {
        const int index = SelectedItem();
        if (index < 0) return;
        const QSize client = viewport()->size();
        const PictureSize picture = render_.LastPicture();
        const DragView view{picture,
                            ViewScale(doc_.environment, picture, client.width(), client.height()),
                            settings_.cameraSpeed};
        if (DragObject(doc_, static_cast<size_t>(index), view,
                       {static_cast<float>(dx), static_cast<float>(dy), shift, ctrl}))
            Invalidate();
        return;
    }
    const int joint = SelectedJoint(), turned = TurnedItem();
    if (joint < 0 || turned < 0) return;
    TurnAboutJoint(doc_, CameraAxesOf(doc_), static_cast<size_t>(joint),
                   static_cast<size_t>(turned), dx, dy, shift);
    Invalidate();
}

void CSceneScrollView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) StopDragging();
}

}  // namespace studio
