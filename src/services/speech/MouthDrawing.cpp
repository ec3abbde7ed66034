#include "services/speech/MouthDrawing.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

// Drawn like the smiling mouth of the child in the word pictures (assets/pictures/STYLE.md):
// flat colours, one dark line round rose lips (a thin upper lip in a gentle bow, a shade
// deeper, a fuller lower one with a light sheen, the lip line ending at the pointed corners,
// a thin dimple tick in the cheek beside each), the dark inside with the tongue's tip and,
// where a sound shows them, white teeth.
namespace {

// The mouth's measures, in shares of the patch's side.
struct Opening {
    double halfWidth;  // from the middle to a corner of the opening
    double dip;        // how far the middle of the upper edge lies below the corners (up when negative)
    double open;       // how far the lower edge falls below the upper one at the middle; 0 closes the lips
    double round;      // 0 a smile with its corners up, 1 an "o" with round sides
    double upperLip, lowerLip;
    bool upperTeeth;
    bool lowerTeeth;
    bool tongue;
};

Opening openingOf(MouthShape shape)
{
    switch (shape) {
    case MouthShape::Rest: return {0.225, 0.065, 0.0, 0, 0.038, 0.07, false, false, false};
    case MouthShape::Closed: return {0.195, 0.03, 0.0, 0, 0.03, 0.035, false, false, false};
    case MouthShape::Teeth: return {0.225, 0.055, 0.06, 0, 0.034, 0.058, true, true, false};
    case MouthShape::Open: return {0.225, 0.06, 0.13, 0, 0.034, 0.058, true, false, true};
    case MouthShape::Wide: return {0.255, 0.055, 0.2, 0, 0.031, 0.047, true, false, true};
    case MouthShape::Rounded: return {0.1, -0.07, 0.19, 1, 0.048, 0.055, false, false, true};
    case MouthShape::Puckered: return {0.06, -0.04, 0.085, 1, 0.052, 0.058, false, false, false};
    case MouthShape::LipBite: return {0.215, 0.05, 0.05, 0, 0.033, 0.045, true, false, false};
    }
    return {0.225, 0.065, 0.0, 0, 0.038, 0.07, false, false, false};
}

// One line weight for every shape: the child's lip line against the width of its mouth.
constexpr double lineWeight = 0.021;
// The dimple tick beside each corner, in shares of the side, from just above the corner curling
// out round it into the cheek and back under it; apart from the lip line, so the line stops at
// the corner. The same size in every shape, so only its place moves while the mouth speaks.
constexpr QPointF dimpleTop(0.016, -0.029), dimpleBulge1(0.031, -0.02), dimpleBulge2(0.035, -0.002), dimpleEnd(0.025, 0.013);
constexpr double dimpleWeight = 0.6;  // against the lip line

struct Look {
    QColor skin, shade, shine, blush, outline, lipLine, lips, upperLip, sheen, inside, tongue, dimple;
    double fullness;  // the lips' thickness against the child's
};

// Style 0 is the boy of the pictures, his very lips. Style 1 has a darker skin
// and fuller deep-rose lips, so the two never look alike; its dimples a deeper
// rose, as the light one would vanish on the darker skin.
Look lookOf(int style)
{
    const QColor outline(0x5B, 0x3A, 0x29), lipLine(0x7A, 0x2E, 0x2A), inside(0x8E, 0x2B, 0x36), tongue(0xF2, 0x7C, 0x86);
    if (style == 0)
        return {QColor(0xFF, 0xD6, 0xB8), QColor(0xE2, 0x9C, 0x7C), QColor(0xFF, 0xF1, 0xE6), QColor(0xFF, 0x8F, 0x8F), outline,
                lipLine,
                QColor(0xF2, 0xA0, 0x9A),
                QColor(0xEC, 0x96, 0x92),
                QColor(0xFF, 0xE1, 0xDA),
                inside,
                tongue,
                QColor(0xD0, 0x8C, 0x7C),
                1.0};
    return {QColor(0xC9, 0x8A, 0x5E), QColor(0x9E, 0x62, 0x3E), QColor(0xDD, 0xA8, 0x80), QColor(0xE0, 0x6A, 0x6A), outline,
            lipLine,
            QColor(0xD9, 0x66, 0x7A),
            QColor(0xD0, 0x5C, 0x71),
            QColor(0xF5, 0xB0, 0xBC),
            inside,
            tongue,
            QColor(0xA8, 0x55, 0x58),
            1.35};
}

double mix(double a, double b, double t)
{
    return a + (b - a) * t;
}

// The mouth drawn about its centre (the corners of the opening), in shares of the side.
class MouthPaths {
public:
    MouthPaths(const QPointF& centre, double side, const Opening& opening, double fullness)
        : centre_(centre), side_(side), o_(opening), upperLip_(opening.upperLip * fullness), lowerLip_(opening.lowerLip * fullness)
    {
    }

    // The upper edge of the opening from corner to corner, then its lower edge back.
    QPainterPath opening() const
    {
        const double w = o_.halfWidth, low = o_.dip + o_.open;
        const double upperReach = mix(0.545, 1.0, o_.round), lowerReach = mix(0.636, 1.0, o_.round);
        QPainterPath path(at(-w, 0));
        path.cubicTo(at(-upperReach * w, o_.dip / 0.75), at(upperReach * w, o_.dip / 0.75), at(w, 0));
        path.cubicTo(at(lowerReach * w, low / 0.75), at(-lowerReach * w, low / 0.75), at(-w, 0));
        path.closeSubpath();
        return path;
    }

    // The lip line where closed lips meet.
    QPainterPath meeting() const
    {
        const double w = o_.halfWidth;
        QPainterPath path(at(-w, 0));
        path.cubicTo(at(-0.545 * w, o_.dip / 0.75), at(0.545 * w, o_.dip / 0.75), at(w, 0));
        return path;
    }

    // The outer edge of both lips: a smile narrowing to pointed corners, or a ring round an "o".
    QPainterPath lips() const
    {
        QPainterPath path = upperEdge();
        const double reach = lipsReach(), bottom = o_.dip + o_.open + lowerLip_;
        const double lowerReach = mix(0.76, 1.0, o_.round) * reach;
        path.cubicTo(at(lowerReach, bottom / 0.75), at(-lowerReach, bottom / 0.75), at(-reach, 0));
        path.closeSubpath();
        return path;
    }

    // The upper lip alone, down to the opening or the lip line, for its deeper shade.
    QPainterPath upperLip() const
    {
        QPainterPath path = upperEdge();
        const double w = o_.halfWidth, upperReach = mix(0.545, 1.0, o_.round);
        if (lipsReach() > w)
            path.lineTo(at(w, 0));
        path.cubicTo(at(upperReach * w, o_.dip / 0.75), at(-upperReach * w, o_.dip / 0.75), at(-w, 0));
        path.closeSubpath();
        return path;
    }

    // The dimple ticks in the cheeks beside the corners; none round an "o", which has no corners.
    QPainterPath dimples() const
    {
        QPainterPath path;
        if (o_.round > 0.5)
            return path;
        const double w = o_.halfWidth;
        for (double sign : {-1.0, 1.0}) {
            auto beside = [&](const QPointF& point) { return at(sign * (w + point.x()), point.y()); };
            path.moveTo(beside(dimpleTop));
            path.cubicTo(beside(dimpleBulge1), beside(dimpleBulge2), beside(dimpleEnd));
        }
        return path;
    }

    // The light on the lower lip.
    QPainterPath sheen() const
    {
        const double w = o_.halfWidth * mix(0.36, 0.45, o_.round);
        const double y = o_.dip + o_.open + lowerLip_ * 0.55;
        QPainterPath path(at(-w, y));
        path.cubicTo(at(-w * 0.4, y + 0.004), at(w * 0.4, y + 0.004), at(w, y));
        return path;
    }

    QPointF at(double x, double y) const { return {centre_.x() + x * side_, centre_.y() + y * side_}; }

private:
    // How far the lips reach from the middle: to the opening's corners in a smile, past them in a ring.
    double lipsReach() const { return o_.halfWidth + (o_.round > 0.5 ? (upperLip_ + lowerLip_) / 2 : 0.0); }

    // The upper lip's outer edge from the left end to the right: a gentle bow with a soft dip at
    // the middle, thinning to nothing at the corners; over an "o" a half ring.
    QPainterPath upperEdge() const
    {
        const double reach = lipsReach(), top = o_.dip - upperLip_;
        QPainterPath path(at(-reach, 0));
        if (o_.round > 0.5) {
            path.cubicTo(at(-reach, top * 0.552), at(-0.552 * reach, top), at(0, top));
            path.cubicTo(at(0.552 * reach, top), at(reach, top * 0.552), at(reach, 0));
            return path;
        }
        const double d = o_.dip, u = upperLip_, w = reach;
        path.cubicTo(at(-0.68 * w, 0.5 * d - 0.2 * u), at(-0.38 * w, 0.85 * d - 0.7 * u), at(-0.18 * w, d - 1.5 * u));
        path.cubicTo(at(-0.1 * w, d - 1.6 * u), at(-0.04 * w, d - 1.2 * u), at(0, d - u));
        path.cubicTo(at(0.04 * w, d - 1.2 * u), at(0.1 * w, d - 1.6 * u), at(0.18 * w, d - 1.5 * u));
        path.cubicTo(at(0.38 * w, 0.85 * d - 0.7 * u), at(0.68 * w, 0.5 * d - 0.2 * u), at(w, 0));
        return path;
    }

    QPointF centre_;
    double side_;
    Opening o_;
    double upperLip_, lowerLip_;
};

// A row of six teeth, white with pale blue-grey edges, hanging from the upper edge
// or standing on the lower one; drawn inside the opening's clip.
void drawTeethRow(QPainter& painter, const MouthPaths& mouth, double side, const Opening& opening, bool upper)
{
    const double w = opening.halfWidth * 0.92;
    const int count = 6;
    const double step = w * 2 / count;
    const double low = opening.dip + opening.open;
    painter.setPen(QPen(QColor(0xB5, 0xCC, 0xDA), side * lineWeight * 0.5));
    painter.setBrush(Qt::white);
    for (int i = 0; i < count; ++i) {
        const double x = -w + i * step;
        const double middle = (x + step / 2) / opening.halfWidth;  // -1 at a corner, 1 at the other
        const double longer = 1.0 + 0.3 * (1 - middle * middle);   // front teeth are longer
        const double height = (upper ? 0.05 : 0.036) * longer;
        const double edge = upper ? opening.dip * (1 - middle * middle) : low * (1 - 0.7 * middle * middle);
        const QRectF tooth = upper ? QRectF(mouth.at(x, edge - 0.05), mouth.at(x + step, edge + height))
                                   : QRectF(mouth.at(x, edge - height), mouth.at(x + step, edge + 0.05));
        const double corner = step * side * 0.3;
        painter.drawRoundedRect(tooth, corner, corner);
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
    const MouthPaths mouth(QPointF(patchCentre.x(), patchCentre.y() + side * 0.03), side, opening, look.fullness);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    drawFacePatch(painter, patchCentre, side, look);

    const QPen lipLine(look.lipLine, side * lineWeight, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(Qt::NoPen);
    painter.setBrush(look.lips);
    painter.drawPath(mouth.lips());
    painter.setBrush(look.upperLip);
    painter.drawPath(mouth.upperLip());
    painter.setPen(QPen(look.sheen, side * lineWeight * 0.6, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(mouth.sheen());

    if (opening.open > 0) {
        const QPainterPath inside = mouth.opening();
        painter.save();
        painter.setClipPath(inside);
        painter.setPen(Qt::NoPen);
        painter.setBrush(look.inside);
        painter.drawPath(inside);
        if (opening.tongue) {
            const double low = opening.dip + opening.open;
            painter.setBrush(look.tongue);
            painter.drawEllipse(mouth.at(0, low), side * opening.halfWidth * mix(0.55, 0.7, opening.round),
                                side * opening.open * 0.45);
        }
        if (opening.upperTeeth)
            drawTeethRow(painter, mouth, side, opening, true);
        if (opening.lowerTeeth)
            drawTeethRow(painter, mouth, side, opening, false);
        painter.restore();
        painter.setPen(lipLine);
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(inside);
    } else {
        painter.setPen(lipLine);
        painter.drawPath(mouth.meeting());
    }
    painter.setPen(lipLine);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(mouth.lips());
    painter.setPen(QPen(look.dimple, side * lineWeight * dimpleWeight, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(mouth.dimples());
    painter.restore();
}
