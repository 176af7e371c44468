#include "modeller/view/model_view.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "model/current_file.h"
#include "platform/text/cp932.h"

namespace modeller {

namespace {

constexpr int kRowHeight = 20;
constexpr int kGutterWidth = 50;
constexpr int kTextMargin = 5;
constexpr int kFaceTextLeft = 36;  // the face screen's status icons sit left of the text
constexpr const char* kImageFilter =
    "ビットマップ(*.bmp)|*.bmp|jpegファイル(*.jpg;*jpeg)|*.jpg;*.jpeg||";

QColor ButtonFace() { return QApplication::palette().color(QPalette::Button); }

}  // namespace

CModelView::CModelView(CModelDoc& doc, ModellerSettings& settings, shell::SettingsStore& store,
                       shell::Prompt& prompt, shell::FileChooser& chooser, QWidget* parent)
    : QWidget(parent),
      doc_(doc),
      settings_(settings),
      store_(store),
      prompt_(prompt),
      chooser_(chooser),
      pane_(doc.model, doc.objects) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    LoadSettings(store_, settings_);
    doc_.SetHost(this);
    doc_.fileDirectorySetting = &settings_.fileDirectory;
    pane_.device.present = [this] { PresentFrame(); };
    pane_.sceneBuilt = [this] {
        const CameraSettings& c = settings_.camera;
        rm::FramePtr root = pane_.device.root;
        pane_.device.camera->SetPosition(root, c.position[0], c.position[1], c.position[2]);
        pane_.device.camera->SetOrientation(root, {c.zAxis[0], c.zAxis[1], c.zAxis[2]},
                                            {c.yAxis[0], c.yAxis[1], c.yAxis[2]});
        pane_.scene.lookAtTarget->SetPosition(root, c.lookAt[0], c.lookAt[1], c.lookAt[2]);
        const float guide = 10 * c.speed;
        pane_.scene.guideFrame1->AddScale(rm::Combine::kReplace, guide, guide, guide);
        pane_.scene.guideFrame2->AddScale(rm::Combine::kReplace, guide, guide, guide);
    };
    timer_.setInterval(100);  // the fly-to animation's tick
    timer_.start();
}

CModelView::~CModelView() { Shutdown(); }

void CModelView::Shutdown() {
    if (shutDown_) return;
    shutDown_ = true;
    timer_.stop();
    pane_.device.closing = true;
    if (pane_.device.camera && pane_.device.root) {
        CameraSettings& c = settings_.camera;
        const rm::Vector3 p = pane_.device.camera->Position(pane_.device.root);
        rm::Vector3 d, u;
        pane_.device.camera->GetOrientation(pane_.device.root, d, u);
        c.position = {p.x, p.y, p.z};
        c.zAxis = {d.x, d.y, d.z};
        c.yAxis = {u.x, u.y, u.z};
        const rm::Vector3 t = pane_.scene.lookAtTarget->Position(pane_.device.root);
        c.lookAt = {t.x, t.y, t.z};
    }
    settings_.fileDirectory = doc_.model.currentFile.ModelDirectory.empty()
                                  ? settings_.fileDirectory
                                  : doc_.model.currentFile.ModelDirectory;
    SaveSettings(store_, settings_);
    pane_.Shutdown();
}

void CModelView::ApplySettingsToScene() {
    viewport::SceneSettings& s = pane_.settings;
    const int32_t mode = doc_.model.deviceType;
    s.displayMode = mode >= 0 && mode <= 4 ? mode : 0;
    s.pointColor = settings_.pointColor;
    s.backgroundColor = settings_.backgroundColor;
    s.axisSize = settings_.axisSize;
    s.letterSize = settings_.axisSize * 0.125f;
    const LightSettings& l = settings_.light;
    s.ambient = {l.ambient[0], l.ambient[1], l.ambient[2]};
    s.directional = {l.directional[0], l.directional[1], l.directional[2]};
    s.lightDirection = {l.direction[0], l.direction[1], l.direction[2]};
}

bool CModelView::EnsureDevice() {
    if (firstPaintDone_) return !deviceFailed_;
    firstPaintDone_ = true;
    const int deviceW = settings_.device.width, deviceH = settings_.device.height;
    layout_.FirstPaint(width(), height(), deviceW, deviceH);
    const Rect view = layout_.ViewPane();
    pane_.device.pane = {view.x, view.y, view.width, view.height};
    ApplySettingsToScene();
    const QSize display = screen() ? screen()->size() : QSize(1024, 768);
    viewport::DeviceRequest request{settings_.device.type, deviceW, deviceH};
    if (!pane_.Create(request, display.width(), display.height(), width(), height(), &prompt_)) {
        deviceFailed_ = true;
        // The next start uses the safe device settings.
        settings_.device = DeviceSettings{};
        if (closeRequested) QTimer::singleShot(0, this, [this] { closeRequested(); });
        return false;
    }
    settings_.device.type = request.kind;
    pane_.RebuildPointMarkers(viewport::kReparseAll | viewport::kNoRender);
    return true;
}

void CModelView::PresentFrame() {
    if (!painting_) update(layout_.ViewPane().x, 0, layout_.ViewPane().width, layout_.ViewPane().height);
}

void CModelView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (!firstPaintDone_ && !EnsureDevice()) return;
    if (deviceFailed_) {
        p.fillRect(rect(), Qt::white);
        return;
    }
    layout_.clientWidth = width();
    layout_.clientHeight = height();
    layout_.Limit(pane_.device.renderWidth, pane_.device.renderHeight);
    const Rect view = layout_.ViewPane();
    pane_.device.pane = {view.x, view.y, view.width, view.height};

    p.fillRect(QRect(layout_.VerticalBar().x, 0, ViewLayout::kBar, height()), ButtonFace());
    const Rect hbar = layout_.HorizontalBar();
    p.fillRect(QRect(hbar.x, hbar.y, hbar.width, hbar.height), ButtonFace());
    DrawSheet(p, layout_.PointPane(), doc_.model.points, true);
    DrawSheet(p, layout_.FacePane(), doc_.model.faces, false);

    if (view.width > 0 && view.height > 0) {
        painting_ = true;
        ApplySettingsToScene();
        pane_.RequestFrame();
        painting_ = false;
        const rm::PixelView pixels = pane_.device.Picture();
        if (pixels.pixels && pixels.width > 0 && pixels.height > 0) {
            QImage image(reinterpret_cast<const uchar*>(pixels.pixels), pixels.width,
                         pixels.height, pixels.stride * 4, QImage::Format_RGB32);
            p.drawImage(view.x, view.y, image);
        }
    }
}

void CModelView::DrawSheet(QPainter& p, const Rect& pane, const model::Sheet& sheet,
                           bool points) {
    if (pane.width <= 0 || pane.height <= 0) return;
    p.save();
    p.setClipRect(pane.x, pane.y, pane.width, pane.height);
    p.translate(pane.x, pane.y);
    p.fillRect(0, 0, pane.width, pane.height, Qt::white);
    p.setPen(Qt::black);
    p.drawLine(kGutterWidth, 0, kGutterWidth, pane.height);
    for (int y = kRowHeight; y < pane.height; y += kRowHeight) p.drawLine(0, y, pane.width, y);
    const int rows = pane.height / kRowHeight + 1;
    const int textLeft = points ? kGutterWidth + kTextMargin : kGutterWidth + kFaceTextLeft;
    const auto* pointSheet = points ? static_cast<const model::PointSheet*>(&sheet) : nullptr;
    const auto& uvMap = doc_.model.textureAssignment.uvMap;
    for (int i = 0; i < rows; ++i) {
        const int line = i;  // read-only screens start at the top
        const QRect numberCell(0, i * kRowHeight, kGutterWidth - 3, kRowHeight);
        bool blue = false;
        if (pointSheet && line <= sheet.maxLine &&
            static_cast<size_t>(line) < pointSheet->lineFlags.size())
            blue = (pointSheet->lineFlags[static_cast<size_t>(line)] & 1) && uvMap.count(line);
        p.setPen(blue ? QColor(0, 0, 255) : QColor(Qt::black));
        p.drawText(numberCell, Qt::AlignRight | Qt::AlignBottom, QString::number(line));
        if (line > sheet.maxLine) continue;
        p.setPen(Qt::black);
        const std::string& text = sheet.lines[static_cast<size_t>(line)];
        p.drawText(QRect(textLeft, i * kRowHeight + 1, pane.width - textLeft - 1, kRowHeight - 1),
                   Qt::AlignLeft | Qt::AlignBottom | Qt::TextExpandTabs,
                   QString::fromStdString(text::Cp932ToUtf8(text)));
    }
    p.restore();
}

void CModelView::resizeEvent(QResizeEvent*) {
    if (firstPaintDone_) layout_.Resize(width(), height());
}

void CModelView::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (event->button() != Qt::LeftButton) return;
    if (layout_.VerticalBar().Contains(pos.x(), pos.y())) drag_ = Drag::Vertical;
    else if (layout_.HorizontalBar().Contains(pos.x(), pos.y())) drag_ = Drag::Horizontal;
}

void CModelView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (drag_ == Drag::Vertical) {
        layout_.splitX = pos.x() - ViewLayout::kBar / 2;
        update();
    } else if (drag_ == Drag::Horizontal) {
        layout_.splitY = pos.y() - ViewLayout::kBar / 2;
        update();
    } else if (layout_.VerticalBar().Contains(pos.x(), pos.y())) {
        setCursor(Qt::SplitHCursor);
    } else if (layout_.HorizontalBar().Contains(pos.x(), pos.y())) {
        setCursor(Qt::SplitVCursor);
    } else {
        setCursor(Qt::ArrowCursor);
    }
}

void CModelView::mouseReleaseEvent(QMouseEvent*) { drag_ = Drag::None; }

void CModelView::OnRefresh() {
    SetWaitCursor(true);
    ApplySettingsToScene();
    pane_.RebuildPointMarkers(viewport::kReparseAll | viewport::kNoRender);
    pane_.RebuildModelMesh(viewport::kNoRender);
    update();
    SetWaitCursor(false);
}

void CModelView::OnSaveViewImage() {
    shell::FileRequest request;
    request.save = true;
    request.filter = kImageFilter;
    request.defaultExtension = "bmp";
    request.initialDirectory = settings_.pictureDirectory;
    const std::optional<std::string> path = chooser_.Choose(request);
    if (!path) return;
    settings_.pictureDirectory = model::DirectoryOf(*path);
    ApplySettingsToScene();
    pane_.settings.showAxis = true;
    const std::string error = pane_.SaveViewImage(*path, settings_.jpegQuality);
    if (!error.empty()) prompt_.Tell(error);
    update();
}

void CModelView::RefreshViews() {
    ApplySettingsToScene();
    if (pane_.device.initialised) {
        pane_.RebuildPointMarkers(viewport::kReparseAll | viewport::kNoRender);
        pane_.RebuildModelMesh(viewport::kNoRender);
    }
    update();
}

void CModelView::UpdateTitle() {
    if (titleChanged) titleChanged();
}

void CModelView::AddRecentFile(const std::string& path) {
    if (recentFileAdded) recentFileAdded(path);
}

void CModelView::SetWaitCursor(bool on) {
    if (on) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else QGuiApplication::restoreOverrideCursor();
}

viewport::FileOptions CModelView::FileOptions() const {
    viewport::FileOptions o;
    o.binaryX = settings_.xFormat != 0;
    o.meshOptions = pane_.MeshOptions();
    o.wrapReference = pane_.scene.modelFrame;
    return o;
}

}  // namespace modeller
