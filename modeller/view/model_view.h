// CModelView: the modeller's one view with its three panes. It maps window events onto
// the edit screens, the 3D pane's camera logic and the document, and paints what they hold.
#pragma once

#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "modeller/app/settings.h"
#include "modeller/document/model_doc.h"
#include "modeller/ops/plane_paint_input.h"
#include "modeller/view/edit_screens.h"
#include "modeller/view/screen_host.h"
#include "viewport/camera_navigation.h"
#include "viewport/camera_pose.h"
#include "viewport/model_pane.h"
#include "viewport/navigation_host.h"

class QScrollBar;
class QInputEvent;
class QKeyEvent;

namespace modeller {

class QtTextMeasurer;

class CModelView : public QWidget,
                   public DocumentHost,
                   public ScreenHost,
                   public viewport::NavigationHost {
public:
    CModelView(CModelDoc& doc, ModellerSettings& settings, shell::SettingsStore& store,
               shell::Prompt& prompt, shell::FileChooser& chooser, shell::Clipboard* clipboard,
               QWidget* parent = nullptr);
    ~CModelView() override;

    // Told to the main window.
    std::function<void()> titleChanged;
    std::function<void(const std::string&)> recentFileAdded;
    std::function<void()> closeRequested;
    // The dialogs the picks and the face screen open, and the plane-paint input; set by the
    // commands that own them.
    std::function<bool(int32_t point)> vertexDialog;
    std::function<bool(int32_t face)> faceDialog;  // true when OK changed the face
    std::function<void()> makeFace;
    ops::PlanePaintInput* planePaint = nullptr;

    viewport::ModelPane& Pane() { return pane_; }
    EditScreens& Screens() { return screens_; }
    viewport::CameraNavigator& Navigator() { return navigator_; }
    // The first paint's work (device and scene) done now, as the window system would by
    // painting a newly shown window at once.
    bool EnsureDevice();

    // Commands.
    void OnRefresh();
    void OnSaveViewImage();
    void OnCut() { screens_.Cut(); }
    void OnCopy() { screens_.Copy(); }
    void OnPaste() { screens_.Paste(); }
    void OnSelectAllPoints() { screens_.SelectAllPoints(); }
    void OnSelectAllFaces() { screens_.SelectAllFaces(); }
    // Shutdown: settings saved, render objects released (once).
    void Shutdown();

    // DocumentHost
    void RefreshViews() override;
    void UpdateTitle() override;
    void ResetCarets() override { screens_.ModelReplaced(true); }
    void AddRecentFile(const std::string& path) override;
    void SetWaitCursor(bool on) override;
    bool ViewHasDrawn() const override { return firstPaintDone_; }
    viewport::FileOptions FileOptions() const override;

    // ScreenHost
    void RedrawRow(ScreenId screen, int32_t line) override;
    void RedrawScreen(ScreenId screen) override;
    void RepaintView() override { update(); }
    void ShowCaret(int32_t x, int32_t y) override;
    void HideCaret() override;
    void UpdateScrollBar(int32_t barId, const ScrollBarState& state) override;
    void SetCursor(CursorShape shape) override;
    void CaptureMouse(bool capture) override;
    void ShowContextMenu(int32_t x, int32_t y) override;
    void MarkModified() override {
        doc_.NoteEdit();
        if (!doc_.IsModified()) doc_.SetModified(true);
    }
    void RebuildPointMarkers(int32_t flags) override { pane_.RebuildPointMarkers(flags); }
    void RebuildModelMesh(int32_t flags) override { pane_.RebuildModelMesh(flags); }
    void RequestFrame() override { pane_.RequestFrame(); }
    void MarkPoint(int32_t index, bool selected) override { pane_.MarkPoint(index, selected); }
    int32_t ModelMeshFaceCount() override;
    void HighlightFace(int32_t face) override;
    bool OpenVertexDialog(int32_t point) override {
        return vertexDialog ? vertexDialog(point) : false;
    }
    bool OpenFaceDialog(int32_t face) override { return faceDialog && faceDialog(face); }
    void RunMakeFace() override {
        if (makeFace) makeFace();
    }

    // NavigationHost
    void SetModeCursor(int32_t paneMode) override;
    void ConfinePointer(bool confine) override;
    void PickPointFromPane(int32_t point) override { screens_.PickFromPane(point); }
    void SelectFaceLine(int32_t face) override;
    void ClearPickList() override;
    bool PlanePaintActive() override { return planePaint && planePaint->Active(); }
    void PlanePaintMouse(viewport::PaneMouse event, int x, int y, viewport::Modifiers) override {
        if (planePaint) planePaint->OnMouse(event, x, y);
    }
    void PointLinesChanged(const std::vector<int32_t>& lines) override;
    void ShowMessage(std::string_view text) override { prompt_.Tell(text); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    bool focusNextPrevChild(bool) override { return false; }  // Tab is text here

private:
    // True when a setting the picture shows changed.
    bool ApplySettingsToScene();
    KeyRecord RecordOf(const QKeyEvent* event) const;
    void ApplyNavigationSettings();
    std::pair<int, int> DirtyRows(const EditScreen& s, const QRect& dirty) const;
    void DrawPointScreen(QPainter& p, const QRect& dirty);
    void DrawFaceScreen(QPainter& p, const QRect& dirty);
    void DrawSelection(QPainter& p, EditScreen& screen, int32_t line, int32_t gridRow);
    void DrawText(QPainter& p, const Rect& cell, const std::string& cp932, bool expandTabs);
    void PresentFrame();
    viewport::Modifiers KeysOf(const QInputEvent* event) const;

    CModelDoc& doc_;
    ModellerSettings& settings_;
    shell::SettingsStore& store_;
    shell::Prompt& prompt_;
    shell::FileChooser& chooser_;
    QFont font_;
    std::unique_ptr<QtTextMeasurer> measurer_;
    viewport::ModelPane pane_;
    EditScreens screens_;
    viewport::CameraNavigator navigator_;
    QPixmap iconStrip_;
    std::map<int32_t, QScrollBar*> bars_;
    QTimer timer_;
    QPoint caret_{-100, -100};
    bool caretShown_ = false;
    QString preedit_;
    bool firstPaintDone_ = false, deviceFailed_ = false, shutDown_ = false;
    bool painting_ = false;
    bool confined_ = false;
};

}  // namespace modeller
