#include "services/speech/MouthDrawing.h"

#include <QLinearGradient>
#include <algorithm>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

struct Opening {
    double width;   // share of the mouth's width
    double height;  // share of the mouth's height
    bool upperTeeth;
    bool lowerTeeth;
    bool tongue;
};

Opening openingOf(MouthShape shape)
{
    switch (shape) {
    case MouthShape::Rest: return {0.62, 0.03, false, false, false};
    case MouthShape::Closed: return {0.56, 0.0, false, false, false};
    case MouthShape::Teeth: return {0.64, 0.16, true, true, false};
    case MouthShape::Open: return {0.66, 0.34, true, false, true};
    case MouthShape::Wide: return {0.72, 0.52, true, false, true};
    case MouthShape::Rounded: return {0.40, 0.40, false, false, true};
    case MouthShape::Puckered: return {0.26, 0.20, false, false, false};
    case MouthShape::LipBite: return {0.62, 0.10, true, false, false};
    }
    return {0.62, 0.03, false, false, false};
}

struct Palette {
    QColor skin, lipLight, lipDark, outline;
};

Palette paletteOf(int style)
{
    // Style 0: soft rosy lips; style 1: firmer, darker lips with a clear outline.
    if (style == 0)
        return {QColor(255, 224, 200), QColor(244, 120, 150), QColor(205, 60, 95), QColor(170, 40, 75)};
    return {QColor(240, 200, 165), QColor(196, 110, 90), QColor(140, 62, 48), QColor(80, 35, 25)};
}

QPainterPath lipsPath(const QPointF& centre, double halfWidth, double halfHeight)
{
    QPainterPath path;
    path.moveTo(centre.x() - halfWidth, centre.y());
    path.cubicTo(centre.x() - halfWidth * 0.6, centre.y() - halfHeight * 1.1, centre.x() - halfWidth * 0.15,
                 centre.y() - halfHeight * 1.2, centre.x(), centre.y() - halfHeight * 0.8);
    path.cubicTo(centre.x() + halfWidth * 0.15, centre.y() - halfHeight * 1.2, centre.x() + halfWidth * 0.6,
                 centre.y() - halfHeight * 1.1, centre.x() + halfWidth, centre.y());
    path.cubicTo(centre.x() + halfWidth * 0.6, centre.y() + halfHeight * 1.3, centre.x() - halfWidth * 0.6,
                 centre.y() + halfHeight * 1.3, centre.x() - halfWidth, centre.y());
    path.closeSubpath();
    return path;
}

}  // namespace

void drawMouth(QPainter& painter, const QRectF& place, MouthShape shape, int style)
{
    if (place.width() < 2 || place.height() < 2)
        return;
    // A round face patch whatever the shape of the place.
    const double square = std::min(place.width(), place.height());
    const QRectF area(place.center() - QPointF(square / 2, square / 2), QSizeF(square, square));
    const Palette colours = paletteOf(style);
    const Opening opening = openingOf(shape);
    const QPointF centre = area.center();
    const double side = std::min(area.width(), area.height());

    // A patch of face around the mouth.
    QRadialGradient face(centre, side * 0.55);
    face.setColorAt(0.0, colours.skin.lighter(106));
    face.setColorAt(1.0, colours.skin.darker(104));
    painter.setPen(QPen(colours.skin.darker(125), side * 0.015));
    painter.setBrush(face);
    painter.drawEllipse(centre, area.width() * 0.48, area.height() * 0.48);

    const double lipHalfWidth = area.width() * 0.5 * std::max(opening.width, 0.3) * 1.15;
    const double innerHalfWidth = area.width() * 0.5 * opening.width;
    const double innerHalfHeight = area.height() * 0.5 * opening.height;
    const double lipThickness = side * (style == 0 ? 0.11 : 0.09);

    QLinearGradient lipShade(centre.x(), centre.y() - innerHalfHeight - lipThickness, centre.x(),
                             centre.y() + innerHalfHeight + lipThickness);
    lipShade.setColorAt(0.0, colours.lipDark);
    lipShade.setColorAt(0.45, colours.lipLight);
    lipShade.setColorAt(1.0, colours.lipDark);
    painter.setPen(QPen(colours.outline, side * (style == 0 ? 0.012 : 0.025)));
    painter.setBrush(lipShade);
    painter.drawPath(lipsPath(centre, lipHalfWidth, innerHalfHeight + lipThickness));

    if (opening.height <= 0.0) {
        painter.setPen(QPen(colours.outline, side * 0.02, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(centre.x() - innerHalfWidth, centre.y()), QPointF(centre.x() + innerHalfWidth, centre.y()));
        return;
    }

    const QRectF inner(centre.x() - innerHalfWidth, centre.y() - innerHalfHeight, innerHalfWidth * 2, innerHalfHeight * 2);
    QPainterPath innerPath;
    innerPath.addEllipse(inner);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(90, 20, 30));
    painter.drawPath(innerPath);

    painter.save();
    painter.setClipPath(innerPath);
    if (opening.tongue) {
        painter.setBrush(QColor(230, 100, 110));
        painter.drawEllipse(QRectF(inner.left() + inner.width() * 0.2, inner.center().y(), inner.width() * 0.6, inner.height() * 0.7));
    }
    painter.setBrush(Qt::white);
    const double toothHeight = std::min(inner.height() * 0.42, side * 0.09);
    if (opening.upperTeeth)
        painter.drawRect(QRectF(inner.left(), inner.top(), inner.width(), toothHeight));
    if (opening.lowerTeeth)
        painter.drawRect(QRectF(inner.left(), inner.bottom() - toothHeight * 0.8, inner.width(), toothHeight));
    painter.restore();
}
