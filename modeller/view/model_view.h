// CModelView: the modeller's one view with its three panes. It maps window events onto
// the document, the 3D pane's logic and the edit screens, and paints what they hold.
#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <string>

#include "modeller/app/settings.h"
#include "modeller/document/model_doc.h"
#include "modeller/view/view_layout.h"
#include "viewport/model_pane.h"

namespace modeller {

class CModelView : public QWidget, public DocumentHost {
public:
    CModelView(CModelDoc& doc, ModellerSettings& settings, shell::SettingsStore& store,
               shell::Prompt& prompt, shell::FileChooser& chooser, QWidget* parent = nullptr);
    ~CModelView() override;

    // Told to the main window.
    std::function<void()> titleChanged;
    std::function<void(const std::string&)> recentFileAdded;
    std::function<void()> closeRequested;

    viewport::ModelPane& Pane() { return pane_; }
    const ViewLayout& Layout() const { return layout_; }
    // The first paint's work (device and scene) done now, as the window system would by
    // painting a newly shown window at once.
    bool EnsureDevice();

    void RebuildPointMarkers(int flags) { pane_.RebuildPointMarkers(flags); }
    void RebuildModelMesh(int flags) { pane_.RebuildModelMesh(flags); }

    // Commands.
    void OnRefresh();
    void OnSaveViewImage();
    // Shutdown: settings saved, render objects released (once).
    void Shutdown();

    // DocumentHost
    void RefreshViews() override;
    void UpdateTitle() override;
    void ResetCarets() override {}
    void AddRecentFile(const std::string& path) override;
    void SetWaitCursor(bool on) override;
    bool ViewHasDrawn() const override { return firstPaintDone_; }
    viewport::FileOptions FileOptions() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void ApplySettingsToScene();
    void DrawSheet(QPainter& p, const Rect& pane, const model::Sheet& sheet, bool points);
    void PresentFrame();

    CModelDoc& doc_;
    ModellerSettings& settings_;
    shell::SettingsStore& store_;
    shell::Prompt& prompt_;
    shell::FileChooser& chooser_;
    viewport::ModelPane pane_;
    ViewLayout layout_;
    QTimer timer_;
    bool firstPaintDone_ = false, deviceFailed_ = false, shutDown_ = false;
    bool painting_ = false;
    enum class Drag { None, Vertical, Horizontal } drag_ = Drag::None;
};

}  // namespace modeller
