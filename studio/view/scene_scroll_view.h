// The studio's 3D view (`CSceneScrollView`): shows the picture of the scene 1 : 1 with scroll
// bars, or scaled into the window with free size on. A frame is rendered only when the
// scene, the settings or the window size changed since the last one; nothing runs while
// the program is idle.
#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <functional>

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
    // Frames rendered so far (tests check that idle time renders none).
    int FramesRendered() const { return frames_; }
    const QImage& Picture() const { return picture_; }

    std::function<void()> deviceFailed;

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

    CSceneDoc& doc_;
    StudioRender& render_;
    StudioSettings& settings_;
    QImage picture_;
    bool stale_ = true;
    bool triedDevice_ = false;
    int frames_ = 0;
    int mode_ = kStudioCamera;
    QPoint last_;
};

}  // namespace studio
