#include "services/speech/MouthDrawing.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

// Drawn like the mouth of the child in the word pictures (assets/pictures/STYLE.md):
// flat colours, one brown outline, rosy lips round an open smile with a row of upper teeth.
namespace {

struct Opening {
    double halfWidth;  // share of the patch's side
    double top;        // how far the upper edge dips at the middle (share of the side)
    double depth;      // how far the lower edge falls below the corners (share of the side)
    bool upperTeeth;
    bool lowerTeeth;
    bool tongue;
};

Opening openingOf(MouthShape shape)
{
    switch (shape) {
    case MouthShape::Rest: return {0.22, 0.05, 0.0, false, false, false};
    case MouthShape::Closed: return {0.17, 0.015, 0.0, false, false, false};
    case MouthShape::Teeth: return {0.22, 0.02, 0.1, true, true, false};
    case MouthShape::Open: return {0.22, 0.025, 0.2, true, false, true};
    case MouthShape::Wide: return {0.26, 0.03, 0.3, true, false, true};
    case MouthShape::Rounded: return {0.12, -0.12, 0.17, false, false, true};
    case MouthShape::Puckered: return {0.075, -0.06, 0.07, false, false, false};
    case MouthShape::LipBite: return {0.2, 0.02, 0.06, true, false, false};
    }
    return {0.22, 0.05, 0.0, false, false, false};
}

struct Look {
    QColor skin, shade, shine, blush, outline, lipLine, lips, inside, tongue;
    double lipWidth;    // share of the side
    bool lipsOutlined;  // the child's lips have the lip line round them too
};

// Style 0 is the boy of the pictures: fair skin, thin pale-rose lips inside the
// lip line. Style 1 has a darker skin and full deep-pink lips without it, so the
// two never look alike.
Look lookOf(int style)
{
    const QColor outline(0x5B, 0x3A, 0x29), inside(0x8E, 0x2B, 0x36), tongue(0xF2, 0x7C, 0x86);
    if (style == 0)
        return {QColor(0xFF, 0xD6, 0xB8), QColor(0xE2, 0x9C, 0x7C), QColor(0xFF, 0xF1, 0xE6), QColor(0xFF, 0x8F, 0x8F), outline,
                QColor(0x7A, 0x2E, 0x2A), QColor(0xF2, 0xA0, 0x9A), inside, tongue, 0.04, true};
    return {QColor(0xC9, 0x8A, 0x5E), QColor(0x9E, 0x62, 0x3E), QColor(0xDD, 0xA8, 0x80), QColor(0xE0, 0x6A, 0x6A), outline,
            QColor(0x6E, 0x24, 0x2C), QColor(0xE0, 0x5C, 0x7C), inside, tongue, 0.065, false};
}

// The opening: an upper edge from corner to corner and a rounder lower edge.
QPainterPath openingPath(const QPointF& centre, double side, const Opening& opening)
{
    const double half = side * opening.halfWidth, top = side * opening.top, depth = side * opening.depth;
    const QPointF left(centre.x() - half, centre.y()), right(centre.x() + half, centre.y());
    QPainterPath path(left);
    path.cubicTo(centre.x() - half * 0.5, centre.y() + top, centre.x() + half * 0.5, centre.y() + top, right.x(), right.y());
    path.cubicTo(right.x() - half * 0.05, centre.y() + depth * 0.75, centre.x() + half * 0.5, centre.y() + depth,
                 centre.x(), centre.y() + depth);
    path.cubicTo(centre.x() - half * 0.5, centre.y() + depth, left.x() + half * 0.05, centre.y() + depth * 0.75,
                 left.x(), left.y());
    path.closeSubpath();
    return path;
}

void drawTeethRow(QPainter& painter, const QPointF& centre, double side, const Opening& opening, bool upper)
{
    const double half = side * opening.halfWidth;
    const double height = side * (upper ? 0.055 : 0.04);
    const int count = 6;
    const double step = half * 2 / count, gap = side * 0.006;
    painter.setPen(QPen(QColor(0xD8, 0xB4, 0xAC), side * 0.004));
    painter.setBrush(Qt::white);
    for (int i = 0; i < count; ++i) {
        const double x = centre.x() - half + i * step;
        const double middle = (x + step / 2 - centre.x()) / half;  // -1 at a corner, 1 at the other
        const double longer = 1.0 + 0.35 * (1 - middle * middle);  // front teeth are longer
        const double edge = upper ? centre.y() + side * opening.top * 0.75 * (1 - middle * middle)
                                  : centre.y() + side * opening.depth * (1 - 0.6 * middle * middle);
        const QRectF tooth = upper ? QRectF(x + gap / 2, edge - side * 0.05, step - gap, side * 0.05 + height * longer)
                                   : QRectF(x + gap / 2, edge - height * longer, step - gap, height * longer + side * 0.05);
        painter.drawRoundedRect(tooth, step * 0.3, step * 0.3);
    }
}

void drawFacePatch(QPainter& painter, const QPointF& centre, double side, const Look& look)
{
    painter.setPen(QPen(look.outline, side * 0.018));
    painter.setBrush(look.skin);
    painter.drawEllipse(centre, side * 0.47, side * 0.47);
    painter.setPen(Qt::NoPen);
    QColor blush = look.blush;
    blush.setAlphaF(0.5);
    painter.setBrush(blush);
    for (double sign : {-1.0, 1.0})
        painter.drawEllipse(QPointF(centre.x() + sign * side * 0.3, centre.y() - side * 0.02), side * 0.08, side * 0.05);
    // The child's nose above the mouth: its rounded tip and flares outlined, the bridge left open.
    const QPointF nose(centre.x(), centre.y() - side * 0.18);
    const double k = side * 0.17 / 54;  // the child's nose is 54 units wide
    auto at = [&](double x, double y) { return QPointF(nose.x() + (x - 500) * k, nose.y() + (y - 365) * k); };
    QPainterPath outline(at(485, 357));
    outline.cubicTo(at(474, 361), at(473, 378), at(488, 378));
    outline.cubicTo(at(494, 382), at(506, 382), at(512, 378));
    outline.cubicTo(at(527, 378), at(526, 361), at(515, 357));
    QPainterPath tip = outline;
    tip.cubicTo(at(511, 355), at(509, 352), at(508, 348));
    tip.cubicTo(at(505, 343), at(495, 343), at(492, 348));
    tip.cubicTo(at(491, 352), at(489, 355), at(485, 357));
    painter.setPen(Qt::NoPen);
    painter.setBrush(look.skin);
    painter.drawPath(tip);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(look.outline, side * 0.014, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(outline);
    QPainterPath creases(at(490, 359));
    creases.cubicTo(at(486, 364), at(486, 370), at(489, 373));
    creases.moveTo(at(510, 359));
    creases.cubicTo(at(514, 364), at(514, 370), at(511, 373));
    creases.moveTo(at(489, 375));
    creases.cubicTo(at(491, 372), at(495, 372), at(497, 375));
    creases.moveTo(at(503, 375));
    creases.cubicTo(at(505, 372), at(509, 372), at(511, 375));
    painter.setPen(QPen(look.shade, side * 0.007, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(creases);
    painter.setPen(Qt::NoPen);
    painter.setBrush(look.shine);
    painter.drawEllipse(at(500, 362), 6 * k, 4.5 * k);
}

}  // namespace

void drawMouth(QPainter& painter, const QRectF& place, MouthShape shape, int style)
{
    if (place.width() < 2 || place.height() < 2)
        return;
    const double side = std::min(place.width(), place.height());
    const QPointF patchCentre = place.center();
    const Look look = lookOf(style);
    const Opening opening = openingOf(shape);
    const QPointF centre(patchCentre.x(), patchCentre.y() + side * 0.02);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    drawFacePatch(painter, patchCentre, side, look);

    const QPen lipLine(look.lipLine, side * 0.016, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    const QPen lipBand(look.lips, side * look.lipWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    const QPen lipRim(look.lipLine, side * (look.lipWidth + 0.03), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    auto drawLips = [&](const QPainterPath& path) {
        painter.setBrush(Qt::NoBrush);
        if (look.lipsOutlined) {
            painter.setPen(lipRim);
            painter.drawPath(path);
        }
        painter.setPen(lipBand);
        painter.drawPath(path);
    };
    if (opening.depth <= 0.0) {
        // Lips together: the smile line between them.
        const double half = side * opening.halfWidth;
        QPainterPath line(QPointF(centre.x() - half, centre.y()));
        line.quadTo(centre.x(), centre.y() + side * opening.top * 2, centre.x() + half, centre.y());
        drawLips(line);
        painter.setPen(lipLine);
        painter.drawPath(line);
        for (double sign : {-1.0, 1.0})
            painter.drawLine(QPointF(centre.x() + sign * half * 1.06, centre.y() - side * 0.02),
                             QPointF(centre.x() + sign * half * 0.97, centre.y() + side * 0.008));
        painter.restore();
        return;
    }

    const QPainterPath mouth = openingPath(centre, side, opening);
    drawLips(mouth);
    painter.setPen(Qt::NoPen);
    painter.setBrush(look.inside);
    painter.drawPath(mouth);

    painter.save();
    painter.setClipPath(mouth);
    if (opening.tongue) {
        painter.setBrush(look.tongue);
        const double half = side * opening.halfWidth;
        painter.drawEllipse(QPointF(centre.x(), centre.y() + side * opening.depth), half * 0.75, side * opening.depth * 0.55);
    }
    if (opening.upperTeeth)
        drawTeethRow(painter, centre, side, opening, true);
    if (opening.lowerTeeth)
        drawTeethRow(painter, centre, side, opening, false);
    painter.restore();

    painter.setPen(lipLine);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(mouth);
    if (shape == MouthShape::LipBite) {
        // The lower lip tucked under the upper teeth.
        const double half = side * opening.halfWidth;
        QPainterPath lip(QPointF(centre.x() - half * 0.7, centre.y() + side * opening.depth * 1.5));
        lip.quadTo(centre.x(), centre.y() + side * opening.depth * 2.6, centre.x() + half * 0.7,
                   centre.y() + side * opening.depth * 1.5);
        painter.drawPath(lip);
    }
    painter.restore();
}
