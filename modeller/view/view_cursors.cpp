#include "modeller/view/view_cursors.h"

#include <QCoreApplication>
#include <QImage>
#include <QImageReader>
#include <QString>
#include <QStringList>
#include <QtDebug>
#include <array>
#include <memory>
#include <optional>

#include "viewport/camera_navigation.h"

// Outside any namespace, as the resource initialiser demands. Naming it here also keeps the
// linker from dropping the compiled resources out of a static library.
static void InitViewResources() {
    Q_INIT_RESOURCE(mokkel_view);
}

namespace modeller {
namespace {

enum class Picture {
    PickPoint,
    PickFace,
    Camera,
    Gaze,
    Orbit,
    Vertex,
    Face,
    PlanePaint,
    MovePoints,
    Count
};

struct PictureSource {
    const char* path;
    // What the pointer shows should the picture be missing: never an invisible cursor.
    Qt::CursorShape fallback;
};

constexpr std::array<PictureSource, static_cast<size_t>(Picture::Count)> kSources{{
    {":/cursors/pick_point.png", Qt::PointingHandCursor},
    {":/cursors/pick_face.png", Qt::PointingHandCursor},
    {":/cursors/camera.png", Qt::SizeAllCursor},
    {":/cursors/gaze.png", Qt::CrossCursor},
    {":/cursors/orbit.png", Qt::CrossCursor},
    {":/cursors/vertex.png", Qt::PointingHandCursor},
    {":/cursors/face.png", Qt::PointingHandCursor},
    {":/cursors/plane_paint.png", Qt::CrossCursor},
    {":/cursors/move_points.png", Qt::SizeAllCursor},
}};

constexpr const char* kStripPath = ":/icons/face_status.png";
constexpr int kStripWidth = 80, kStripHeight = 16;

struct Cache {
    std::array<std::optional<QCursor>, static_cast<size_t>(Picture::Count)> cursors;
    std::optional<QPixmap> strip;
};

// Pixmaps must not outlive the application object, so the cache goes with it rather than
// with the process's static destructors; a later application builds it afresh.
std::unique_ptr<Cache>& CacheSlot() {
    static std::unique_ptr<Cache> cache;
    return cache;
}

void ReleaseCache() {
    CacheSlot().reset();
}

Cache& TheCache() {
    auto& cache = CacheSlot();
    if (!cache) {
        InitViewResources();
        cache = std::make_unique<Cache>();
        qAddPostRoutine(ReleaseCache);
    }
    return *cache;
}

// The hot spot travels in the picture as the text "x,y"; one that is missing or off the
// picture leaves Qt's default, the centre.
QPoint HotSpot(const QImage& image) {
    const QStringList parts = image.text(QStringLiteral("HotSpot")).split(QLatin1Char(','));
    if (parts.size() == 2) {
        bool okX = false, okY = false;
        const int x = parts[0].trimmed().toInt(&okX);
        const int y = parts[1].trimmed().toInt(&okY);
        if (okX && okY && image.rect().contains(x, y)) return {x, y};
    }
    qWarning("view cursors: no usable hot spot in the picture");
    return {-1, -1};
}

QCursor LoadCursor(const PictureSource& source) {
    QImageReader reader(QString::fromLatin1(source.path));
    const QImage image = reader.read();
    if (image.isNull()) {
        qWarning("view cursors: cannot load %s: %s", source.path, qPrintable(reader.errorString()));
        return QCursor(source.fallback);
    }
    const QPoint hot = HotSpot(image);
    return QCursor(QPixmap::fromImage(image), hot.x(), hot.y());
}

QCursor CursorFor(Picture picture) {
    const auto index = static_cast<size_t>(picture);
    auto& slot = TheCache().cursors[index];
    if (!slot) slot = LoadCursor(kSources[index]);
    return *slot;
}

QPixmap LoadStrip() {
    QPixmap strip;
    if (strip.load(QString::fromLatin1(kStripPath)) && strip.width() == kStripWidth &&
        strip.height() == kStripHeight)
        return strip;
    // The screen copies cells out of the strip by position, so a wrong picture is worse
    // than none: draw nothing rather than the wrong icons.
    qWarning("view cursors: %s is missing or not %d x %d", kStripPath, kStripWidth, kStripHeight);
    QPixmap blank(kStripWidth, kStripHeight);
    blank.fill(Qt::transparent);
    return blank;
}

}  // namespace

QCursor CursorForShape(CursorShape shape) {
    switch (shape) {
        case CursorShape::Arrow:
            return QCursor(Qt::ArrowCursor);
        case CursorShape::SizeWestEast:
            return QCursor(Qt::SplitHCursor);
        case CursorShape::SizeNorthSouth:
            return QCursor(Qt::SplitVCursor);
        case CursorShape::Wait:
            return QCursor(Qt::WaitCursor);
        case CursorShape::PickPoint:
            return CursorFor(Picture::PickPoint);
        case CursorShape::PickFace:
            return CursorFor(Picture::PickFace);
    }
    return QCursor(Qt::ArrowCursor);
}

QCursor CursorForPaneMode(int32_t mode) {
    switch (mode) {
        case viewport::kModeCamera:
        case viewport::kModeCameraDrag:
            return CursorFor(Picture::Camera);
        case viewport::kModeGaze:
            return CursorFor(Picture::Gaze);
        // The fly-to ends in gazing, so it already shows the gazing cursor.
        case viewport::kModeGazing:
        case viewport::kModeFlying:
        case viewport::kModeOrbitDrag:
            return CursorFor(Picture::Orbit);
        case viewport::kModeVertex:
            return CursorFor(Picture::Vertex);
        case viewport::kModeFace:
            return CursorFor(Picture::Face);
        case viewport::kModePlanePaint:
        case viewport::kModePlanePaintDrag:
            return CursorFor(Picture::PlanePaint);
        case viewport::kModeMovePoints:
        case viewport::kModeMovePointsDrag:
            return CursorFor(Picture::MovePoints);
        default:
            return QCursor(Qt::ArrowCursor);
    }
}

QPixmap FaceIconStrip() {
    auto& slot = TheCache().strip;
    if (!slot) slot = LoadStrip();
    return *slot;
}

}  // namespace modeller
