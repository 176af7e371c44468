#include "modeller/view/model_view.h"

#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <QScreen>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

#include "model/current_file.h"
#include "modeller/view/view_cursors.h"
#include "platform/text/cp932.h"

namespace modeller {

namespace {

constexpr const char* kImageFilter =
    "ビットマップ(*.bmp)|*.bmp|jpegファイル(*.jpg;*jpeg)|*.jpg;*.jpeg||";

QColor ButtonFace() {
    return QApplication::palette().color(QPalette::Button);
}
QColor FromArgb(uint32_t argb) {
    return QColor::fromRgb(argb & 0x00FFFFFF);
}
QRect ToQRect(const Rect& r) {
    return QRect(r.left, r.top, r.Width(), r.Height());
}
QString FromCp932(std::string_view s) {
    return QString::fromStdString(text::Cp932ToUtf8(s));
}

Key KeyOf(int qtKey) {
    switch (qtKey) {
        case Qt::Key_F2:
            return Key::F2;
        case Qt::Key_Backspace:
            return Key::Backspace;
        case Qt::Key_Delete:
            return Key::Delete;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return Key::Enter;
        case Qt::Key_Escape:
            return Key::Escape;
        case Qt::Key_PageUp:
            return Key::PageUp;
        case Qt::Key_PageDown:
            return Key::PageDown;
        case Qt::Key_End:
            return Key::End;
        case Qt::Key_Home:
            return Key::Home;
        case Qt::Key_Left:
            return Key::Left;
        case Qt::Key_Up:
            return Key::Up;
        case Qt::Key_Right:
            return Key::Right;
        case Qt::Key_Down:
            return Key::Down;
        case Qt::Key_Insert:
            return Key::Insert;
        case Qt::Key_X:
            return Key::X;
        case Qt::Key_C:
            return Key::C;
        case Qt::Key_V:
            return Key::V;
        case Qt::Key_Z:
            return Key::Z;
        default:
            return Key::Other;
    }
}

ScreenId ScreenOfBar(int32_t barId) {
    return barId == kPointHorizontalBar || barId == kPointVerticalBar ? ScreenId::Point
                                                                      : ScreenId::Face;
}

}  // namespace

// Widths of CP932 text as the screens draw it.
class QtTextMeasurer : public TextMeasurer {
public:
    explicit QtTextMeasurer(const QFont& font) : metrics_(font) {}
    int32_t Width(std::string_view cp932) const override {
        return metrics_.horizontalAdvance(FromCp932(cp932));
    }
    int32_t TabStop() const override { return metrics_.horizontalAdvance(' ') * 8; }

private:
    QFontMetrics metrics_;
};

CModelView::CModelView(CModelDoc& doc, ModellerSettings& settings, shell::SettingsStore& store,
                       shell::Prompt& prompt, shell::FileChooser& chooser,
                       shell::Clipboard* clipboard, QWidget* parent)
    : QWidget(parent),
      doc_(doc),
      settings_(settings),
      store_(store),
      prompt_(prompt),
      chooser_(chooser),
      font_("Noto Sans CJK JP", 10),
      measurer_(std::make_unique<QtTextMeasurer>(font_)),
      pane_(doc.model, doc.objects),
      screens_(doc.model, *this, *measurer_, clipboard),
      navigator_(pane_, doc.model.points, *this),
      iconStrip_(FaceIconStrip()) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_InputMethodEnabled);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setFont(font_);
    LoadSettings(store_, settings_);
    doc_.SetHost(this);
    doc_.fileDirectorySetting = &settings_.fileDirectory;
    pane_.pickList = &screens_.pickList.Points();
    pane_.device.present = [this] { PresentFrame(); };
    pane_.updateCamera = [this] { navigator_.UpdateGaze(); };
    pane_.sceneBuilt = [this] {
        const CameraSettings& c = settings_.camera;
        viewport::CameraPose pose;
        pose.position = {c.position[0], c.position[1], c.position[2]};
        pose.zAxis = {c.zAxis[0], c.zAxis[1], c.zAxis[2]};
        pose.yAxis = {c.yAxis[0], c.yAxis[1], c.yAxis[2]};
        pose.lookAt = {c.lookAt[0], c.lookAt[1], c.lookAt[2]};
        viewport::ApplyCameraPose(pane_.scene, pose);
        ApplyNavigationSettings();
    };
    connect(&timer_, &QTimer::timeout, this, [this] { navigator_.OnTimerTick(); });
    timer_.start(100);  // the fly-to animation's tick
}

CModelView::~CModelView() {
    Shutdown();
}

void CModelView::Shutdown() {
    if (shutDown_) return;
    shutDown_ = true;
    timer_.stop();
    pane_.device.closing = true;
    viewport::CameraPose pose;
    if (viewport::StoreCameraPose(pane_.scene, pose)) {
        CameraSettings& c = settings_.camera;
        c.position = {pose.position.x, pose.position.y, pose.position.z};
        c.zAxis = {pose.zAxis.x, pose.zAxis.y, pose.zAxis.z};
        c.yAxis = {pose.yAxis.x, pose.yAxis.y, pose.yAxis.z};
        c.lookAt = {pose.lookAt.x, pose.lookAt.y, pose.lookAt.z};
    }
    if (!doc_.model.currentFile.ModelDirectory.empty())
        settings_.fileDirectory = doc_.model.currentFile.ModelDirectory;
    SaveSettings(store_, settings_);
    pane_.Shutdown();
}

bool CModelView::ApplySettingsToScene() {
    viewport::SceneSettings& s = pane_.settings;
    const viewport::SceneSettings before = s;
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
    return !(s == before);
}

void CModelView::ApplyNavigationSettings() {
    viewport::NavigationSettings n = navigator_.Settings();
    n.speed = settings_.camera.speed;
    n.reverse = settings_.camera.reverse != 0;
    n.lookAtOnePoint = settings_.camera.look != 0;
    navigator_.ApplySettings(n);
}

bool CModelView::EnsureDevice() {
    if (firstPaintDone_) return !deviceFailed_;
    firstPaintDone_ = true;
    screens_.FirstPaint(width(), height(), settings_.device.width, settings_.device.height);
    const Rect view = screens_.layout.ThreeDPane();
    pane_.device.pane = {view.left, view.top, view.Width(), view.Height()};
    ApplySettingsToScene();
    const QSize display = screen() ? screen()->size() : QSize(1024, 768);
    viewport::DeviceRequest request{settings_.device.type, settings_.device.width,
                                    settings_.device.height};
    if (!pane_.Create(request, display.width(), display.height(), width(), height(), &prompt_)) {
        deviceFailed_ = true;
        settings_.device = DeviceSettings{};  // the next start uses the safe settings
        if (closeRequested) QTimer::singleShot(0, this, [this] { closeRequested(); });
        return false;
    }
    settings_.device.type = request.kind;
    screens_.layout.deviceWidth = pane_.device.renderWidth;
    screens_.layout.deviceHeight = pane_.device.renderHeight;
    pane_.RebuildPointMarkers(viewport::kReparseAll | viewport::kNoRender);
    return true;
}

void CModelView::PresentFrame() {
    if (painting_) return;
    update(ToQRect(screens_.layout.ThreeDPane()));
}

void CModelView::paintEvent(QPaintEvent* event) {
    if (!firstPaintDone_ && !EnsureDevice()) return;
    QPainter p(this);
    if (deviceFailed_) {
        p.fillRect(rect(), Qt::white);
        return;
    }
    screens_.Paint();
    const ViewLayout& layout = screens_.layout;
    const Rect view = layout.ThreeDPane();
    const viewport::PaneRect paneRect{view.left, view.top, view.Width(), view.Height()};
    if (!(pane_.device.pane == paneRect)) {
        pane_.device.pane = paneRect;
        pane_.device.stale = true;  // resized or split anew
    }

    p.setFont(font_);
    p.fillRect(QRect(layout.splitX, 0, ViewLayout::kBarWidth, height()), ButtonFace());
    p.fillRect(QRect(layout.splitX + ViewLayout::kBarWidth, layout.splitY,
                     width() - layout.splitX - ViewLayout::kBarWidth, ViewLayout::kBarWidth),
               ButtonFace());
    // A keystroke repaints one row and the caret: only rows in the dirty area are drawn.
    const QRect dirty = event->rect();
    DrawPointScreen(p, dirty);
    DrawFaceScreen(p, dirty);

    if (view.Width() > 0 && view.Height() > 0 && dirty.intersects(ToQRect(view))) {
        // The picture is rendered only when the scene or the pane changed since the last
        // frame; a paint for a keystroke or the caret shows the last picture as it is.
        if (ApplySettingsToScene()) pane_.device.stale = true;
        if (pane_.device.stale) {
            painting_ = true;
            pane_.RequestFrame();
            painting_ = false;
        }
        const rm::PixelView pixels = pane_.device.Picture();
        if (pixels.pixels && pixels.width > 0 && pixels.height > 0) {
            const QImage image(reinterpret_cast<const uchar*>(pixels.pixels), pixels.width,
                               pixels.height, pixels.stride * 4, QImage::Format_RGB32);
            p.drawImage(view.left, view.top, image);
        }
    }
    if (planePaint) {
        if (const auto band = planePaint->RubberBand()) {
            // The corners so far, drawn over the picture until the second click.
            p.save();
            p.setClipRect(ToQRect(view));
            p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
            p.setPen(QPen(Qt::white, 1, Qt::DotLine));
            p.drawRect(QRect(QPoint(band->x0, band->y0), QPoint(band->x1, band->y1)).normalized());
            p.restore();
        }
    }
    if (caretShown_ && hasFocus()) {
        const int h = QFontMetrics(font_).height();
        p.fillRect(caret_.x(), caret_.y(), 2, h, Qt::black);
        if (!preedit_.isEmpty()) {
            p.setPen(Qt::black);
            const int w = QFontMetrics(font_).horizontalAdvance(preedit_);
            p.fillRect(caret_.x(), caret_.y(), w + 2, h, QColor(255, 255, 210));
            p.drawText(caret_.x() + 1, caret_.y() + QFontMetrics(font_).ascent(), preedit_);
            p.drawLine(caret_.x(), caret_.y() + h - 1, caret_.x() + w, caret_.y() + h - 1);
        }
    }
}

void CModelView::DrawText(QPainter& p, const Rect& cell, const std::string& s, bool expandTabs) {
    if (s.empty() || cell.Width() <= 0) return;
    const QFontMetrics fm(font_);
    const int baseline = cell.bottom - fm.descent() - 1;
    p.save();
    p.setClipRect(ToQRect(cell), Qt::IntersectClip);
    if (!expandTabs) {
        p.drawText(cell.left, baseline, FromCp932(s));
    } else {
        // Tab stops as the row widths measure them.
        const int tab = std::max(1, measurer_->TabStop());
        int x = 0;
        size_t start = 0;
        while (start <= s.size()) {
            const size_t t = s.find('\t', start);
            const std::string_view seg = std::string_view(s).substr(
                start, t == std::string::npos ? std::string::npos : t - start);
            p.drawText(cell.left + x, baseline, FromCp932(seg));
            x += measurer_->Width(seg);
            if (t == std::string::npos || cell.left + x > cell.right) break;
            x = (x / tab + 1) * tab;
            start = t + 1;
        }
    }
    p.restore();
}

void CModelView::DrawSelection(QPainter& p, EditScreen& screen, int32_t line, int32_t gridRow) {
    const auto span = screen.HighlightSpan(line);
    if (!span) return;
    const int top = screen.y + gridRow * screen.rowHeight + 1;
    p.save();
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.fillRect(QRect(span->first, top, span->second - span->first, screen.rowHeight - 1),
               Qt::white);
    p.restore();
}

// The grid rows [first, last] of a screen that meet the dirty rectangle.
std::pair<int, int> CModelView::DirtyRows(const EditScreen& s, const QRect& dirty) const {
    const int h = std::max(s.rowHeight, 1);
    const int first = std::max(0, (dirty.top() - s.y) / h - 1);
    const int last = std::min(s.visibleRows - 1, (dirty.bottom() - s.y) / h + 1);
    return {first, last};
}

void CModelView::DrawPointScreen(QPainter& p, const QRect& dirty) {
    PointScreen& s = screens_.Points();
    const Rect pane = s.PaneLessBars();
    if (pane.Width() <= 0 || pane.Height() <= 0 || !dirty.intersects(ToQRect(s.Pane()))) return;
    p.save();
    p.setClipRect(ToQRect(pane));
    p.fillRect(ToQRect(pane), Qt::white);
    p.setPen(Qt::black);
    if (s.gutterState == 0) p.drawLine(s.gutterX, pane.top, s.gutterX, pane.bottom);
    for (int y = s.rowHeight; y < s.height - s.HorizontalThickness(); y += s.rowHeight)
        p.drawLine(0, y, s.width - s.VerticalThickness(), y);
    const model::PointSheet& sheet = doc_.model.points;
    const auto [firstRow, lastRow] = DirtyRows(s, dirty);
    for (int i = firstRow; i <= lastRow; ++i) {
        const int32_t line = s.firstRow + i;
        if (s.ShowsNumbers()) {
            p.setPen(FromArgb(s.NumberColour(line)));
            p.drawText(ToQRect(s.NumberCell(i)), Qt::AlignRight | Qt::AlignBottom,
                       QString::number(line));
            if (s.IsPicked(line)) {
                p.save();
                p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
                p.fillRect(ToQRect(s.PickedCell(i)), Qt::white);
                p.restore();
            }
        }
        if (s.ShowsText() && line <= sheet.maxLine) {
            p.setPen(Qt::black);
            DrawText(p, s.TextCell(i), sheet.GetLine(line), true);
        }
        DrawSelection(p, s, line, i);
    }
    p.restore();
    if (s.verticalBarShown && s.horizontalBarShown)
        p.fillRect(s.width - 15, s.height - 15, 15, 15, ButtonFace());
}

void CModelView::DrawFaceScreen(QPainter& p, const QRect& dirty) {
    FaceScreen& s = screens_.Faces();
    const Rect pane = s.PaneLessBars();
    if (pane.Width() <= 0 || pane.Height() <= 0 || !dirty.intersects(ToQRect(s.Pane()))) return;
    p.save();
    p.fillRect(ToQRect(pane), Qt::white);
    p.setPen(Qt::black);
    for (int k = 1; s.y + k * s.rowHeight < pane.bottom; ++k)
        p.drawLine(pane.left, s.y + k * s.rowHeight, pane.right, s.y + k * s.rowHeight);
    p.setClipRect(ToQRect(pane));
    model::FaceSheet& sheet = doc_.model.faces;
    sheet.ResizeFaceArrays();
    const auto [firstRow, lastRow] = DirtyRows(s, dirty);
    for (int i = firstRow; i <= lastRow; ++i) {
        const int32_t face = s.firstRow + i;
        if (face > sheet.maxLine) break;
        if (const auto icon = s.StatusIcon(face)) {
            const Point2 at = s.IconPosition(i);
            p.drawPixmap(at.x, at.y, iconStrip_, *icon * 16, 0, 16, 16);
        }
        p.setPen(Qt::black);
        DrawText(p, s.TextCell(i), sheet.GetLine(face), false);
        if (face == s.MarkedFace()) {
            const Point2 at = s.MarkerPosition(i);
            p.drawPixmap(at.x, at.y, iconStrip_, 64, 0, 8, 16);
        }
        DrawSelection(p, s, face, i);
    }
    p.restore();
    if (s.verticalBarShown && s.horizontalBarShown)
        p.fillRect(s.x + s.width - 15, s.y + s.height - 15, 15, 15, ButtonFace());
}

void CModelView::resizeEvent(QResizeEvent*) {
    if (firstPaintDone_) screens_.Resize(width(), height());
}

viewport::Modifiers CModelView::KeysOf(const QInputEvent* event) const {
    return {(event->modifiers() & Qt::ShiftModifier) != 0,
            (event->modifiers() & Qt::ControlModifier) != 0};
}

void CModelView::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        if (screens_.RightDown(pos.x(), pos.y()) == MouseTarget::ThreeD)
            navigator_.OnPaneRightClick();
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    if (screens_.LeftDown(pos.x(), pos.y()) == MouseTarget::ThreeD)
        navigator_.OnPaneLeftDown(pos.x(), pos.y(), KeysOf(event));
}

void CModelView::mouseMoveEvent(QMouseEvent* event) {
    QPoint pos = event->position().toPoint();
    if (confined_) {
        // Kept inside the pane: a pointer that left it is put back on its edge.
        const Rect pane = screens_.layout.ThreeDPane();
        const QPoint inside(std::clamp(pos.x(), pane.left, std::max(pane.left, pane.right - 1)),
                            std::clamp(pos.y(), pane.top, std::max(pane.top, pane.bottom - 1)));
        if (inside != pos) {
            QCursor::setPos(mapToGlobal(inside));
            pos = inside;
        }
    }
    const int32_t mode = navigator_.Mode();
    const bool paneDrag = ((event->buttons() & Qt::LeftButton) &&
                           (mode == viewport::kModeCameraDrag || mode == viewport::kModeOrbitDrag ||
                            mode == viewport::kModeMovePointsDrag)) ||
                          mode == viewport::kModePlanePaintDrag;
    if (paneDrag) {
        navigator_.OnPaneMouseMove(pos.x(), pos.y(), KeysOf(event));
        return;
    }
    if (screens_.MouseMove(pos.x(), pos.y()) == MouseTarget::ThreeD) SetModeCursor(mode);
}

void CModelView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint pos = event->position().toPoint();
    if (screens_.LeftUp(pos.x(), pos.y()) == MouseTarget::ThreeD ||
        navigator_.Mode() == viewport::kModeCameraDrag ||
        navigator_.Mode() == viewport::kModeOrbitDrag ||
        navigator_.Mode() == viewport::kModeMovePointsDrag)
        navigator_.OnPaneLeftUp(pos.x(), pos.y(), KeysOf(event));
}

void CModelView::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        mousePressEvent(event);  // a right double-click is a second right click
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    if (screens_.DoubleClick(pos.x(), pos.y()) == MouseTarget::ThreeD)
        navigator_.OnPaneDoubleClick(pos.x(), pos.y(), KeysOf(event));
}

KeyRecord CModelView::RecordOf(const QKeyEvent* event) const {
    KeyRecord r;
    r.key = KeyOf(event->key());
    r.modifiers = {(event->modifiers() & Qt::ShiftModifier) != 0,
                   (event->modifiers() & Qt::ControlModifier) != 0,
                   (event->modifiers() & Qt::AltModifier) != 0};
    r.text = text::Utf8ToCp932(event->text().toStdString());
    r.autoRepeat = event->isAutoRepeat();
    return r;
}

void CModelView::keyPressEvent(QKeyEvent* event) {
    const KeyRecord record = RecordOf(event);
    const KeyOutcome outcome = screens_.KeyPress(record);
    const viewport::Modifiers keys{record.modifiers.shift, record.modifiers.ctrl};
    switch (outcome.pane) {
        case PaneKey::Arrows: {
            viewport::ArrowKeys held;
            held.left = outcome.arrows.left;
            held.right = outcome.arrows.right;
            held.up = outcome.arrows.up;
            held.down = outcome.arrows.down;
            navigator_.OnPaneArrowKey(held, keys);
            break;
        }
        case PaneKey::Escape:
            navigator_.OnPaneEscape();
            break;
        case PaneKey::Enter:
            navigator_.OnPaneEnter();
            break;
        case PaneKey::None:
            break;
    }
}

void CModelView::keyReleaseEvent(QKeyEvent* event) {
    screens_.KeyRelease(RecordOf(event));
}

void CModelView::focusOutEvent(QFocusEvent* event) {
    screens_.KeysLost();
    QWidget::focusOutEvent(event);
}

void CModelView::wheelEvent(QWheelEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (screens_.Wheel(pos.x(), pos.y()) != MouseTarget::ThreeD) return;
    // 120 is one notch; finer wheels send parts of it.
    navigator_.OnPaneWheel(static_cast<float>(event->angleDelta().y()) / 120.0f);
}

void CModelView::inputMethodEvent(QInputMethodEvent* event) {
    preedit_ = event->preeditString();
    if (!event->commitString().isEmpty())
        screens_.InputMethodText(text::Utf8ToCp932(event->commitString().toStdString()));
    update();
}

QVariant CModelView::inputMethodQuery(Qt::InputMethodQuery query) const {
    switch (query) {
        case Qt::ImEnabled:
            return screens_.state.focus != kFocus3D;
        case Qt::ImCursorRectangle:
            return QRect(caret_, QSize(2, QFontMetrics(font_).height()));
        case Qt::ImFont:
            return font_;
        default:
            return QWidget::inputMethodQuery(query);
    }
}

void CModelView::RedrawRow(ScreenId screen, int32_t line) {
    EditScreen& s = screens_.ScreenOf(screen);
    const int32_t row = line - s.firstRow;
    if (row < 0 || row >= s.visibleRows) return;
    update(s.x, s.y + row * s.rowHeight, s.width, s.rowHeight + 1);
}

void CModelView::RedrawScreen(ScreenId screen) {
    update(ToQRect(screens_.ScreenOf(screen).Pane()));
}

void CModelView::ShowCaret(int32_t x, int32_t y) {
    // Every paint places the caret again; only a caret that moved asks for a repaint.
    if (caretShown_ && caret_ == QPoint(x, y)) return;
    if (caretShown_) update(caret_.x(), caret_.y(), 2, QFontMetrics(font_).height());
    caret_ = QPoint(x, y);
    caretShown_ = true;
    update(x, y, 2, QFontMetrics(font_).height());
    QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle);
}

void CModelView::HideCaret() {
    if (caretShown_) update(caret_.x(), caret_.y(), 2, QFontMetrics(font_).height());
    caretShown_ = false;
}

void CModelView::UpdateScrollBar(int32_t barId, const ScrollBarState& state) {
    auto it = bars_.find(barId);
    if (!state.shown) {
        if (it != bars_.end()) {
            delete it->second;
            bars_.erase(it);
        }
        return;
    }
    QScrollBar* bar = it == bars_.end() ? nullptr : it->second;
    if (!bar) {
        const bool vertical = barId == kPointVerticalBar || barId == kFaceVerticalBar;
        bar = new QScrollBar(vertical ? Qt::Vertical : Qt::Horizontal, this);
        bar->setFocusPolicy(Qt::NoFocus);
        connect(bar, &QScrollBar::actionTriggered, this, [this, barId, vertical, bar](int action) {
            ScrollRequest r;
            switch (action) {
                case QAbstractSlider::SliderSingleStepAdd:
                    r = ScrollRequest::LineForward;
                    break;
                case QAbstractSlider::SliderSingleStepSub:
                    r = ScrollRequest::LineBack;
                    break;
                case QAbstractSlider::SliderPageStepAdd:
                    r = ScrollRequest::PageForward;
                    break;
                case QAbstractSlider::SliderPageStepSub:
                    r = ScrollRequest::PageBack;
                    break;
                case QAbstractSlider::SliderToMinimum:
                    r = ScrollRequest::Start;
                    break;
                case QAbstractSlider::SliderToMaximum:
                    r = ScrollRequest::End;
                    break;
                case QAbstractSlider::SliderMove:
                    r = ScrollRequest::Thumb;
                    break;
                default:
                    return;
            }
            screens_.ScreenOf(ScreenOfBar(barId)).Scroll(vertical, r, bar->sliderPosition());
            update();
        });
        bars_[barId] = bar;
        bar->show();
    }
    bar->setGeometry(ToQRect(state.rect));
    const QSignalBlocker block(bar);
    bar->setRange(0, state.range);
    bar->setValue(state.position);
}

void CModelView::SetCursor(CursorShape shape) {
    setCursor(CursorForShape(shape));
}

void CModelView::SetModeCursor(int32_t mode) {
    setCursor(CursorForPaneMode(mode));
}

void CModelView::CaptureMouse(bool capture) {
    if (capture)
        grabMouse();
    else
        releaseMouse();
}

void CModelView::ConfinePointer(bool confine) {
    if (confine == confined_) return;
    confined_ = confine;
    // Moves outside the view still arrive, so the pointer can be brought back.
    if (confine)
        grabMouse();
    else
        releaseMouse();
}

void CModelView::ShowContextMenu(int32_t x, int32_t y) {
    QMenu menu(this);
    menu.addAction("切り取り", this, [this] { screens_.Cut(); });
    menu.addAction("コピー", this, [this] { screens_.Copy(); });
    menu.addAction("貼り付け", this, [this] { screens_.Paste(); });
    menu.exec(mapToGlobal(QPoint(x, y)));
}

int32_t CModelView::ModelMeshFaceCount() {
    return doc_.objects.modelMesh ? static_cast<int32_t>(doc_.objects.modelMesh->FaceCount()) : 0;
}

void CModelView::HighlightFace(int32_t face) {
    if (doc_.objects.modelMesh && face >= 0)
        doc_.objects.modelMesh->SetFaceColorRgb(static_cast<size_t>(face), 1, 0, 0);
    pane_.RequestFrame();
}

void CModelView::SelectFaceLine(int32_t face) {
    EditState& st = screens_.state;
    st.focus = kFocusFace;
    st.faceCaretRow = face;
    st.faceCaretColumn = static_cast<int32_t>(doc_.model.faces.LineLength(face));
    st.selectionActive = 1;
    st.selectionScreen = 1;
    st.anchorRow = face;
    st.anchorColumn = 0;
    screens_.Faces().FollowCaret();
    screens_.Faces().PlaceCaret();
    update();
}

void CModelView::ClearPickList() {
    screens_.pickList.Clear(doc_.model.points);
    pane_.MarkPoint(-1, false);
    update();
}

void CModelView::PointLinesChanged(const std::vector<int32_t>& lines) {
    if (lines.empty()) return;
    const auto [lo, hi] = std::minmax_element(lines.begin(), lines.end());
    screens_.Points().RemeasureLines(*lo, *hi);
    RedrawScreen(ScreenId::Point);
}

void CModelView::OnRefresh() {
    SetWaitCursor(true);
    ApplySettingsToScene();
    pane_.RebuildPointMarkers(viewport::kReparseAll | viewport::kNoRender |
                              viewport::kNoModelRebuild);
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
    const std::string error = pane_.SaveViewImage(*path, settings_.jpegQuality);
    if (!error.empty()) prompt_.Tell(error);
    update();
}

void CModelView::RefreshViews() {
    ApplySettingsToScene();
    if (pane_.device.initialised) {
        // The markers first (the mesh uses their count), then the mesh once.
        pane_.RebuildPointMarkers(viewport::kReparseAll | viewport::kNoRender |
                                  viewport::kNoModelRebuild);
        pane_.RebuildModelMesh(viewport::kNoRender);
    }
    if (firstPaintDone_) screens_.ModelReplaced(false);
    update();
}

void CModelView::UpdateTitle() {
    if (titleChanged) titleChanged();
}

void CModelView::AddRecentFile(const std::string& path) {
    if (recentFileAdded) recentFileAdded(path);
}

void CModelView::SetWaitCursor(bool on) {
    if (on)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}

viewport::FileOptions CModelView::FileOptions() const {
    viewport::FileOptions o;
    o.binaryX = settings_.xFormat != 0;
    o.meshOptions = pane_.MeshOptions();
    o.wrapReference = pane_.scene.modelFrame;
    return o;
}

}  // namespace modeller
