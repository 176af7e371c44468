// The studio's 3D view (`CSceneScrollView`): shows the picture of the scene 1 : 1 with scroll
// bars, or scaled into the window with free size on. A frame is rendered only when the
// scene, the settings or the window size changed since the last one; nothing runs while
// the program is idle. The mouse moves the camera, drags and turns items, and turns items
// about joints, by mode.
#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <functional>
#include <optional>

#include "studio/mouse/picture_point.h"
#include "studio/render/studio_render.h"
#include "studio/scene/scene_doc.h"

namespace studio {

struct StudioSettings;

// The mouse modes of the view; the right button steps camera -> object -> joint -> camera.
enum StudioMouseMode : int {
    kStudioCamera = 0,
    kStudioCameraDrag = 1,
    kStudioObject = 2,
    kStudioJoint = 3,
    kStudioObjectDrag = 4,
    kStudioJointSelected = 5,
    kStudioJointTurn = 6,
};

class CSceneScrollView : public QAbstractScrollArea {
public:
    CSceneScrollView(CSceneDoc& doc, StudioRender& render, StudioSettings& settings,
                     QWidget* parent = nullptr);

    // The scene changed: the next paint renders a new frame.
    void Invalidate();
    // Makes the device as the first paint would; false (and the message shown through
    // `deviceFailed`) when it cannot be made.
    bool EnsureDevice();
    int MouseMode() const { return mode_; }
    // The item picked in the object mode (position in the item list), or -1.
    int SelectedItem() const;
    // The joint picked in the joint modes and the item it turns, or -1 each.
    int SelectedJoint() const;
    int TurnedItem() const;
    // `PickItem`: the item under window point (x, y) as drawn last, or -1.
    int PickItem(int x, int y) const;
    // The joint whose circle holds window point (x, y), or -1.
    int PickJoint(int x, int y) const;
    // Frames rendered so far (tests check that idle time renders none).
    int FramesRendered() const { return frames_; }
    const QImage& Picture() const { return picture_; }

    std::function<void()> deviceFailed;
    // An item was picked in the object mode (the tree selects it).
    std::function<void(size_t index)> itemPicked;
    // A double-click on an item in the object mode: its properties (object or light dialog).
    std::function<void(size_t index)> itemPropertiesAsked;
    // A double-click on a joint circle in a joint mode: the joint dialog.
    std::function<void(size_t joint)> jointPropertiesAsked;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void RenderIfStale();
    void UpdateScrollBars();
    void RightButton();
    void LeftButtonDown(QPoint pos);
    void SetMode(int mode);
    void StopDragging();
    std::optional<PicturePoint> PictureAt(int x, int y) const;

    CSceneDoc& doc_;
    StudioRender& render_;
    StudioSettings& settings_;
    QImage picture_;
    bool stale_ = true;
    bool triedDevice_ = false;
    int frames_ = 0;
    int mode_ = kStudioCamera;
    QPoint last_;
    int64_t selected_ = kNoItem;  // ids: the list may change under the view
    int64_t turned_ = kNoItem;
    int joint_ = -1;
};

}  // namespace studio
