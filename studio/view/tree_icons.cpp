#include "studio/view/tree_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <array>

#include "studio/scene/scene_types.h"

namespace studio {

namespace {

void DrawBulb(QPainter& p, QColor glow) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(glow);
    p.drawEllipse(QRectF(5.5, 2.5, 9, 9));
    p.setBrush(QColor(128, 128, 128));
    p.drawRect(QRectF(7.5, 11.5, 5, 4));
}

QPixmap Draw(uint8_t kind) {
    QPixmap pm(kTreeIconSize, kTreeIconSize);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing, true);
    switch (kind) {
        case kAmbientLight:  // a bulb in a soft halo
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(255, 255, 160, 120));
            p.drawEllipse(QRectF(1, 0, 18, 18));
            DrawBulb(p, QColor(255, 255, 128));
            break;
        case kDirectionalLight:  // parallel rays
            DrawBulb(p, QColor(255, 220, 0));
            p.setPen(QPen(QColor(200, 120, 0), 1.5));
            for (int x : {4, 10, 16}) p.drawLine(QPointF(x, 16), QPointF(x, 19.5));
            break;
        case kPointLight:  // rays all round
            p.setPen(QPen(QColor(200, 120, 0), 1.5));
            for (int i = 0; i < 8; ++i) {
                p.save();
                p.translate(10, 10);
                p.rotate(45.0 * i);
                p.drawLine(QPointF(0, 6), QPointF(0, 9.5));
                p.restore();
            }
            p.setPen(QPen(Qt::black, 1));
            p.setBrush(QColor(255, 230, 0));
            p.drawEllipse(QRectF(5.5, 5.5, 9, 9));
            break;
        case kSpotLight: {  // a cone of light
            QPainterPath cone;
            cone.moveTo(10, 2);
            cone.lineTo(2, 18);
            cone.lineTo(18, 18);
            cone.closeSubpath();
            p.setPen(QPen(QColor(160, 100, 0), 1));
            p.setBrush(QColor(255, 240, 120));
            p.drawPath(cone);
            p.setBrush(Qt::black);
            p.drawRect(QRectF(8, 1, 4, 4));
            break;
        }
        case kFolder:
            p.setPen(QPen(QColor(120, 90, 0), 1));
            p.setBrush(QColor(240, 200, 80));
            p.drawRect(QRectF(2.5, 4.5, 7, 3));
            p.drawRect(QRectF(2.5, 6.5, 15, 10));
            break;
        case kObject: {  // a cube
            p.setPen(QPen(QColor(0, 0, 96), 1));
            p.setBrush(QColor(100, 150, 255));
            p.drawPolygon(
                QPolygonF({QPointF(3, 7), QPointF(13, 7), QPointF(13, 17), QPointF(3, 17)}));
            p.setBrush(QColor(170, 200, 255));
            p.drawPolygon(
                QPolygonF({QPointF(3, 7), QPointF(7, 3), QPointF(17, 3), QPointF(13, 7)}));
            p.setBrush(QColor(60, 100, 200));
            p.drawPolygon(
                QPolygonF({QPointF(13, 7), QPointF(17, 3), QPointF(17, 13), QPointF(13, 17)}));
            break;
        }
        case 6:  // no item (a joint without a partner): an empty ring
            p.setPen(QPen(QColor(128, 128, 128), 1.5));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QRectF(4, 4, 12, 12));
            break;
        default: {  // a missing model: the cube's outline crossed out
            p.setPen(QPen(QColor(128, 128, 128), 1, Qt::DashLine));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(3.5, 6.5, 10, 10));
            p.setPen(QPen(QColor(220, 0, 0), 2));
            p.drawLine(QPointF(3, 3), QPointF(17, 17));
            p.drawLine(QPointF(17, 3), QPointF(3, 17));
            break;
        }
    }
    return pm;
}

}  // namespace

QIcon KindIcon(uint8_t kind) {
    static std::array<QIcon, 8> icons;
    const uint8_t k = kind < icons.size() ? kind : static_cast<uint8_t>(kMissingObject);
    if (icons[k].isNull()) icons[k] = QIcon(Draw(k));
    return icons[k];
}

}  // namespace studio
