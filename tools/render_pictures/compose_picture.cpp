// Composes the drawing of one word from the one drawing of the child:
//   compose_picture <child.svg> <framing.txt> <word> <picture.svg>
// The framing line of the word gives the part of the child in view and the
// parts shown in full colour and the colour of the word's card ("card=#RRGGBB");
// every other part is faded, and the word's parts get a glow and a wide pool of
// light that lie under the whole child, so they only show against the card and
// never tint a neighbouring part. A part that lies on another (a nose on the
// face) names it with glow-over="<group id>": the cream of its glow is drawn
// again just after that group, which comes before it in the drawing, on it but
// under every part drawn later; when that group is lit too, the part needs no
// glow of its own. One lying wholly inside it names it with glow-within and has
// its whole glow there, none on the card. Groups hidden in the child (display="none") appear only in the pictures that name them; a group
// with shown-with="<parts>" appears only when one of those parts is lit, one
// with hidden-with="<parts>" only when none is (the open laughing mouth and
// the closed smile). The lit parts keep the child's own colours; the faded parts are a colouring
// page in lighter, softer tints of their own colours, drawn in the lit part's line in a lighter ink;
// the lines and tints of a part marked recedes-with="<parts>"
// are lighter still when one of those is lit (the feet and shorts beside the lit legs).
// A group marked glow="none"
// casts no glow: a soft end lying over the joint of two parts, fading from its
// part's colour into the other's, and the features of the face (the eyes, the
// lips and the mouth's inside), where a ring of light read as sore eyes or a cold sore. An outline drawn with a fading gradient fades its glow the same way. A framing
// line names a part (every group whose id is the name, alone or before a dot)
// or one group by its whole id; "lines-of=<word>" on it keeps that word's
// line weight, so the view is a plain enlarged crop of the other. Where a lit
// part joins the body, fades-into="circle <cx cy> <faded radius> <lit radius>"
// or "ellipse <cx cy> <faded radius> <lit radius> <height/width> <angle>" on it
// (or on one of its shapes) fades its colour and glow into the faded body across
// the middle of those radii, over a few pixels, along a curve of the body, its
// outline turning into the body's lighter line as it goes (line-turn="<pixels>" on
// it shortens that turn), so it is coloured in place instead of looking cut out
// and laid on; glow-ends="<pixels across> <pixels>" on a part whose colour pales
// out before its span lets its glow pale out with it over that stretch, and
// glow-fades-into="<span>" gives its glow a span of its own, wider than the colour's. The lit
// skin and hair are rounded by one light from the upper left for the whole set;
// the faded rest stays flat. The child's outer contour is drawn heavier than the lines inside him,
// except round a group marked contour="none".
// A group marked halo="<width>" holds bare outlines and becomes a wide soft
// halo round them: the outlines drawn again in faint warm strokes, the widest that wide, each narrower one
// a little stronger and paler.

#include <QColor>
#include <QDomDocument>
#include <QFile>
#include <QHash>
#include <QRectF>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>
#include <QStringList>
#include <QTextStream>
#include <QTransform>
#include <QtMath>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <iterator>
#include <limits>

namespace {

// The outline keeps one weight in every picture: strokes are drawn in units of
// this width of view, and thinner in closer views (except in a crop, below).
constexpr double referenceViewWidth = 1000.0;
// Faded parts are a colouring page: every fill its own colour mixed towards a warm near-white,
// clean and clearly recognisable (the skin a light peach, the top a soft blue, the shorts a
// deeper blue) yet lighter and softer than the lit part; never greyed or veiled, since a grey
// or grey-blue wash over the skin looked sickly. Every outline is whole and crisp in the picture's
// one line, and the inner details are lines (lighter for the creases drawn in a skin shade). Only
// the darkest fills (a pupil, the inside of a mouth) take a soft warm grey-brown tone, darker than
// the faded iris, so the faded eyes still look. A part that would draw the eye from its lit
// neighbour keeps lighter lines and tints (the shorts beside the lit legs: in their full colour they
// fought the legs). Every tint and line is kept light, so at card size the lit part with its glow wins
// clearly and the rest stays a quiet drawing behind it (fuller tints, the hair and eyes in a mid
// brown and a darker line made the faded child compete with the lit part on the small cards, and
// so did a third more of every tint and line than now).
// The ground's shadow is not the child: it is a shade of the card's own colour, laid
// thinly over the card and the light round the feet, so he still stands on it (a grey-blue
// shadow looked dirty on the warmer cards, and an opaque one cut the light off in a hard edge).
const QColor pageWhite(0xFF, 0xFB, 0xF5), pageDark(0xC9, 0xBA, 0xB1);
constexpr double fadedPresence = 0.12, mostTint = 0.40, recedingStrength = 0.45, groundShadow = 0.2;
// Strokes this dark or darker are drawn in the full line; lighter ones lighter.
constexpr double fullLineDarkness = 0.6;
// Fills darker than this take the dark tone, full at the darkest.
constexpr double toneFromDarkness = 0.58, fullToneDarkness = 0.9;
// A strokeless shape this much lighter or darker than its part (the star on the top) is outlined.
constexpr double detailContrast = 0.3, detailLineWidth = 3.5;
// The faded lines are thinned towards the near-white under a faint cool veil, a touch cooler and
// flatter, so they stay light on every card; only faint, since a light brown under more of it
// turned grey.
const QColor veilColour(0xDA, 0xE2, 0xEE);
constexpr double veilStrength = 0.10;
// The whole child is drawn in one line, one warm dark brown at one weight, a touch lighter and
// thinner than the drawing's near-black (which looked heavy beside the glow). The faded parts
// take it thinned towards the veiled near-white, the same hue, only lighter, so they recede and the lit
// part is told by its colour and glow alone: a dark line round the lit part beside a thin grey
// one round the rest made the lit part a sticker, and the ink under the veil turned grey.
const QColor inkLine(0x6B, 0x40, 0x29);
constexpr double lineWeight = 0.9, fadedInk = 0.45;
constexpr double pictureWidth = 960, pictureHeight = 840;
// The glow reaches as many pixels of the picture past the lit part's outline in every view,
// whatever its line weight or the part's own scale, so it looks the same on every card: in
// units of the view it filled the gaps between the enlarged hands' fingers and all but
// vanished under the heavy line of the eyes' crop.
// It is light, never a rim: the card's own colour lightening into a warm near-white and, nearer
// the outline, one pale warm cream light laid over that near-white, strongest at the outline; from
// there a wide, faint pool of light spreads round the part over the card, so the part stands in
// a soft light (a pale glow of a few card pixels on a pale page all but vanished at card size,
// and at five eighths of today's width it still barely showed on the memory cards beside pale
// skin, under the feet and round the neck).
// Mixing the card's colour straight into the cream made a yellow-green band, and a saturated
// yellow or orange ring hugging the line read as a rim drawn round the part, and beside the skin
// as a rash.
struct GlowLayer {
    double light;  // towards the near-white from the card
    double cream;  // of the cream over the near-white (the glow's inner layers)
    double reach;  // pixels past the outline
    double creamWithin;  // of the cream over the near-white, inside the body
};
const QColor glowWhite(0xFF, 0xFD, 0xF6), glowCream(0xFF, 0xE6, 0x9C);
constexpr GlowLayer glowLayers[] = {{0.64, 0, 54.4, 0.14}, {0.88, 0, 44, 0.26}, {1, 0.40, 34.4, 0.40},
                                    {1, 0.55, 25.6, 0.55}, {1, 0.70, 17.6, 0.70}, {1, 0.85, 9.6, 0.85}};
// Pixels the child's outer contour reaches past his outline, so it is about twice as heavy as the lines
// inside him: an even line all through looked thin and washed out, and two thirds heavier still a little thin.
constexpr double outerContourPixels = 6.0;
constexpr int contourLayerIndex = 90000;  // names the contour's copies apart from the glow layers'
constexpr double outermostGlowReach = glowLayers[0].reach, innermostGlowReach = glowLayers[std::size(glowLayers) - 1].reach;
// Over the faded body (a hand over its arm) the glow is only its cream: the card's colour there
// made a cold ring on the skin, and the near-white a hard white one. Where it lies on the card it
// matches the whole glow drawn under the child. A part lying wholly inside the body (the nose on
// the face, glow-within) glows on it alone, its whole glow the cream fading out over the near-white,
// so it is no narrower than the other parts' glow.
// The pool of light: its strength falls from the glow's outermost to nothing this many pixels
// past the outline, steepest near the glow and flattening out, in steps too small to see. It lies
// on the card only: over the face a wide light read as a stain.
constexpr double poolPixels = 120;
constexpr int poolSteps = 14;
GlowLayer poolLayer(int step)
{
    const double share = double(step + 1) / (poolSteps + 1);  // the outermost first
    return {glowLayers[0].light * share, 0, outermostGlowReach + (poolPixels - outermostGlowReach) * (1 - std::sqrt(share)), 0};
}
// Towards a joint the glow narrows over this many pixels before it ends with the colour, each
// wider layer of it and of the pool ending further back, so no light runs on beside the faded
// limb past the joint (the pool ending with the colour rose in flames beside the ankles); each
// step of the pool fades out over as many pixels as it reaches, so it dims towards the joint
// (ending in a few pixels, its steps drew hard arcs round the knee).
constexpr double glowTaperPixels = 30;
// A lit part whose colour pales out over a stretch of its own before its span (the lit knee, whose
// colour leaves thigh and shin softly) names that stretch with glow-ends="<pixels across> <pixels
// before the span's middle>": every layer of its glow then keeps its width along the part's sides
// and pales out with the colour over that stretch, all together, so the light goes where the colour
// goes (narrowing over the last 30 pixels of a short lit stretch, it lit only the top of the knee).
// The pool of light round it still ends step by step further back.
const QLatin1String glowEnds("glow-ends");
// A part whose glow needs a gentler end than its colour's curve gives (beside the ankles, the light
// on the colour's own narrow curve stayed full up to the foot's top and ended there in a flat block)
// names the glow's span with glow-fades-into="<span>", in the form of fades-into.
const QLatin1String glowFadesInto("glow-fades-into");
const char* const paintAttributes[] = {"fill", "stroke", "stop-color"};
const char* const inheritedAttributes[] = {"fill", "stroke", "stroke-width", "stroke-linejoin", "stroke-linecap"};

struct Framing {
    double x = 0, y = 0, width = 0;
    QColor card;  // the card's own colour behind the child
    double lineViewWidth = 0;  // the view whose outline weight this one keeps
    QSet<QString> parts;
};

// "lines-of=<word>" makes a view a plain crop of that word's view, lines and
// all, so a close-up of the face shows the very eyes and mouth of the head.
const QLatin1String linesOf("lines-of=");
// "card=#RRGGBB" gives the word's card its own colour.
const QLatin1String cardOf("card=");

int fail(const QString& why)
{
    std::fprintf(stderr, "compose_picture: %s\n", qPrintable(why));
    return 1;
}

// The view a crop takes its lines from is read as it is, not as a crop itself.
bool readFraming(const QString& path, const QString& word, Framing& framing, bool followCrop = true)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QTextStream lines(&file);
    while (!lines.atEnd()) {
        const QStringList fields = lines.readLine().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (fields.size() < 5 || fields[0] != word)
            continue;
        framing.x = fields[1].toDouble();
        framing.y = fields[2].toDouble();
        framing.width = fields[3].toDouble();
        framing.lineViewWidth = framing.width;
        QString cropOf;
        for (qsizetype i = 4; i < fields.size(); ++i) {
            if (fields[i].startsWith(cardOf))
                framing.card = QColor(fields[i].mid(cardOf.size()));
            else if (!fields[i].startsWith(linesOf))
                framing.parts.insert(fields[i]);
            else if (followCrop)
                cropOf = fields[i].mid(linesOf.size());
        }
        if (!cropOf.isEmpty()) {
            Framing wider;
            if (!readFraming(path, cropOf, wider, false))
                return false;
            framing.lineViewWidth = wider.width;
        }
        return framing.width > 0 && !framing.parts.isEmpty();
    }
    return false;
}

QString partOf(const QDomElement& group)
{
    return group.attribute(QStringLiteral("id")).section(QLatin1Char('.'), 0, 0);
}

double darknessOf(const QColor& colour)
{
    return 1 - (0.3 * colour.redF() + 0.59 * colour.greenF() + 0.11 * colour.blueF());
}

QColor mixed(const QColor& from, const QColor& to, double share)
{
    auto channel = [share](double a, double b) { return a + (b - a) * share; };
    return QColor::fromRgbF(channel(from.redF(), to.redF()), channel(from.greenF(), to.greenF()), channel(from.blueF(), to.blueF()));
}

QColor veiled(const QColor& colour)
{
    return mixed(colour, veilColour, veilStrength);
}

// The colour of the word's card, behind the child; set once from its framing line.
QColor cardColour;
// The colour the child is drawn in, which a lit part's outline takes as inkLine; set once from the drawing.
QColor drawnLine;

QString glowColour(const GlowLayer& layer)
{
    return mixed(mixed(cardColour, glowWhite, layer.light), glowCream, layer.cream).name().toUpper();
}

enum class Paint { Fill, Line, Ground };

// Every faded fill stands about as far from the page as the others: a light colour such as
// the skin keeps more of itself than the saturated top, so the faded child is neither a
// white ghost nor a figure whose clothes outshine the lit part; no colour keeps more than
// mostTint, so the faded skin stays clearly lighter than the lit skin beside it (at a fifth of
// its colour the skin read as a pale, sickly body wearing the lit part like a tan sock).
double ownTint(const QColor& colour)
{
    const double distance = std::max({std::abs(colour.redF() - pageWhite.redF()), std::abs(colour.greenF() - pageWhite.greenF()),
                                      std::abs(colour.blueF() - pageWhite.blueF())});
    return std::min(fadedPresence / std::max(distance, 1e-3), mostTint);
}

// A colour of a faded part on the colouring page; strength lightens the lines and tints of a receding part.
QString faded(const QString& value, Paint paint, double strength = 1)
{
    const QColor colour(value);
    if (!value.startsWith(QLatin1Char('#')) || !colour.isValid())
        return value;
    const double darkness = darknessOf(colour);
    if (paint == Paint::Line)
        return mixed(veiled(pageWhite), inkLine, fadedInk * std::min(1.0, darkness / fullLineDarkness) * strength).name().toUpper();
    if (paint == Paint::Fill) {
        const double t = std::clamp((darkness - toneFromDarkness) / (fullToneDarkness - toneFromDarkness), 0.0, 1.0);
        return mixed(mixed(pageWhite, colour, ownTint(colour) * strength), pageDark, t * t * (3 - 2 * t)).name().toUpper();
    }
    return QColor::fromHsvF(cardColour.hsvHueF(), std::min(1.0, cardColour.hsvSaturationF() * 1.5), cardColour.valueF() * 0.6).name().toUpper();
}

QString fadedPaint(const QString& value, const QString& attribute)
{
    return faded(value, attribute == QLatin1String("stroke") ? Paint::Line : Paint::Fill);
}

// One light for the whole set, from the upper left: the lit skin is rounded by a soft
// highlight towards it and a warmer, darker shade blending into the edges away from it, and
// lit hair takes a sheen band. Each shape is shaded in its own box, so every finger and toe is
// rounded on its own; a mirrored shape takes its shading mirrored, so the light stays on the left.
const QLatin1String skinColour("#FFD6B8"), hairColour("#8A4B24"), hairSheen("#B06B3A");
struct ShadeStop {
    double offset;
    QString colour;
};

QString shadeOfSkin(const QColor& skin)
{
    return QColor::fromHsvF((skin.hsvHue() - 4) / 360.0, std::min(1.0, skin.hsvSaturationF() * 1.15), skin.valueF() * 0.95)
        .name()
        .toUpper();
}

QString highlightOf(const QColor& colour)
{
    auto lighter = [](double c) { return c + (1 - c) * 0.45; };
    return QColor::fromRgbF(lighter(colour.redF()), lighter(colour.greenF()), lighter(colour.blueF())).name().toUpper();
}

QDomElement volumeGradient(const QString& id, bool hair, bool mirrored, QDomDocument& document)
{
    QDomElement gradient;
    QList<ShadeStop> stops;
    auto x = [mirrored](double value) { return QString::number(mirrored ? 1 - value : value); };
    if (hair) {
        gradient = document.createElement(QStringLiteral("linearGradient"));
        gradient.setAttribute(QStringLiteral("x1"), x(0));
        gradient.setAttribute(QStringLiteral("y1"), QStringLiteral("0"));
        gradient.setAttribute(QStringLiteral("x2"), x(0.7));
        gradient.setAttribute(QStringLiteral("y2"), QStringLiteral("1"));
        stops = {{0.2, hairColour}, {0.34, hairSheen}, {0.48, hairColour}};
    } else {
        const QColor lit(skinColour);
        gradient = document.createElement(QStringLiteral("radialGradient"));
        gradient.setAttribute(QStringLiteral("cx"), x(0.38));
        gradient.setAttribute(QStringLiteral("cy"), QStringLiteral("0.32"));
        gradient.setAttribute(QStringLiteral("r"), QStringLiteral("0.8"));
        stops = {{0, highlightOf(lit)}, {0.3, lit.name().toUpper()}, {0.55, lit.name().toUpper()}, {1, shadeOfSkin(lit)}};
    }
    gradient.setAttribute(QStringLiteral("id"), id);
    for (const ShadeStop& shadeStop : stops) {
        QDomElement stop = document.createElement(QStringLiteral("stop"));
        stop.setAttribute(QStringLiteral("offset"), QString::number(shadeStop.offset));
        stop.setAttribute(QStringLiteral("stop-color"), shadeStop.colour);
        gradient.appendChild(stop);
    }
    return gradient;
}

// The elements that draw a filled shape, and with lines the ones that draw anything.
const QStringList shapeTags = {QStringLiteral("path"), QStringLiteral("ellipse"), QStringLiteral("circle"), QStringLiteral("rect"),
                               QStringLiteral("polygon")};
const QStringList drawnTags = shapeTags + QStringList{QStringLiteral("line"), QStringLiteral("polyline")};
// A group marked contour="none" gets no heavy outer contour.
const QLatin1String contourAttribute("contour");

template <typename Change>
void forEachElement(QDomElement element, const Change& change)
{
    change(element);
    for (QDomElement child = element.firstChildElement(); !child.isNull(); child = child.nextSiblingElement())
        forEachElement(child, change);
}

// Whether a group draws any filled shape: one whose shapes are all unfilled is a group of lines.
// The fill may sit on the shapes alone (a head and arm grouped together), not on the group.
bool hasFilledShape(const QDomElement& group)
{
    std::function<bool(const QDomElement&, const QString&)> filled = [&](const QDomElement& e, QString fill) {
        fill = e.attribute(QStringLiteral("fill"), fill);
        if (shapeTags.contains(e.tagName()) && fill != QLatin1String("none"))
            return true;
        for (QDomElement child = e.firstChildElement(); !child.isNull(); child = child.nextSiblingElement())
            if (filled(child, fill))
                return true;
        return false;
    };
    return filled(group, QStringLiteral("black"));
}

// A wash that pales a lit part into the faded body paints with "faded-skin", so it always
// matches the faded skin beside it, whatever the fading.
void resolveFadedSkin(QDomElement root)
{
    const QString fadedSkin = faded(skinColour, Paint::Fill);
    forEachElement(root, [&fadedSkin](QDomElement e) {
        for (const char* name : paintAttributes)
            if (e.attribute(QLatin1String(name)) == QLatin1String("faded-skin"))
                e.setAttribute(QLatin1String(name), fadedSkin);
    });
}

void scaleStrokes(QDomElement element, double scale)
{
    forEachElement(element, [scale](QDomElement e) {
        if (e.hasAttribute(QStringLiteral("stroke-width")))
            e.setAttribute(QStringLiteral("stroke-width"),
                           QString::number(e.attribute(QStringLiteral("stroke-width")).toDouble() * scale, 'g', 4));
    });
}

// A fill may name a clean colour of its own for the page instead (the inside of the gap-toothed
// mouth, a grey-brown hole in the dark tone otherwise; the hair and irises a soft light brown).
const QLatin1String fadedFill("faded-fill");

// Draws a faded part on the colouring page. A strokeless shape that stands out from its part
// (the star on the top) would vanish in the one fill, so it is outlined first; a gradient that
// paints an outline fades as a line.
void drawOnColouringPage(QDomElement part, Paint fills, double strength)
{
    const QColor partFill(part.attribute(QStringLiteral("fill")));
    const QString line = part.attribute(QStringLiteral("stroke"));
    std::function<void(QDomElement, QString, QString)> outline = [&](QDomElement e, QString fill, QString stroke) {
        fill = e.attribute(QStringLiteral("fill"), fill);
        stroke = e.attribute(QStringLiteral("stroke"), stroke);
        const QColor colour(fill);
        if (shapeTags.contains(e.tagName()) && stroke == QLatin1String("none") && colour.isValid() && partFill.isValid()
            && !e.hasAttribute(QStringLiteral("fill-opacity")) && std::abs(darknessOf(colour) - darknessOf(partFill)) > detailContrast) {
            e.setAttribute(QStringLiteral("stroke"), line);
            e.setAttribute(QStringLiteral("stroke-width"), QString::number(detailLineWidth));
        }
        for (QDomElement child = e.firstChildElement(); !child.isNull(); child = child.nextSiblingElement())
            outline(child, fill, stroke);
    };
    outline(part, QString(), QString());
    QSet<QString> lineGradients;
    forEachElement(part, [&lineGradients](QDomElement e) {
        const QString stroke = e.attribute(QStringLiteral("stroke"));
        if (stroke.startsWith(QLatin1String("url(#")))
            lineGradients.insert(stroke.mid(5).chopped(1));
    });
    forEachElement(part, [&](QDomElement e) {
        const bool inLine = lineGradients.contains(e.parentNode().toElement().attribute(QStringLiteral("id")));
        for (const char* name : paintAttributes)
            if (e.hasAttribute(QLatin1String(name))) {
                const bool stroke = qstrcmp(name, "stroke") == 0 || (qstrcmp(name, "stop-color") == 0 && inLine);
                e.setAttribute(QLatin1String(name),
                               faded(e.attribute(QLatin1String(name)), stroke ? Paint::Line : fills, strength));
            }
        if (e.hasAttribute(fadedFill))
            e.setAttribute(QStringLiteral("fill"), e.attribute(fadedFill));
    });
}

// A path's commands and numbers.
const QRegularExpression pathToken(QStringLiteral("[A-Za-z]|-?[0-9]*\\.?[0-9]+(?:[eE]-?[0-9]+)?"));

// The box round a shape's points (a curve's control points, an arc's end points), in its own
// user space; empty for a shape it cannot read.
QRectF controlBox(const QDomElement& shape)
{
    auto number = [&shape](const char* name) { return shape.attribute(QLatin1String(name)).toDouble(); };
    const QString tag = shape.tagName();
    if (tag == QLatin1String("ellipse") || tag == QLatin1String("circle")) {
        const double rx = number(tag == QLatin1String("circle") ? "r" : "rx"), ry = number(tag == QLatin1String("circle") ? "r" : "ry");
        return QRectF(number("cx") - rx, number("cy") - ry, 2 * rx, 2 * ry);
    }
    if (tag == QLatin1String("rect"))
        return QRectF(number("x"), number("y"), number("width"), number("height"));
    if (tag != QLatin1String("path"))
        return QRectF();
    QList<QPointF> points;
    QChar command;
    QList<double> values;
    auto take = [&]() {
        // An arc's radii, turn and flags are no points: only its end counts.
        const int stride = command == QLatin1Char('A') ? 7 : 2;
        for (qsizetype i = stride - 2; i + 1 < values.size(); i += stride)
            points.append(QPointF(values[i], values[i + 1]));
        values.clear();
    };
    for (auto match = pathToken.globalMatch(shape.attribute(QStringLiteral("d"))); match.hasNext();) {
        const QString text = match.next().captured();
        if (text.front().isLetter()) {
            take();
            command = text.front();
            // Relative commands would need the pen's place: such a shape keeps its own box.
            if (command.isLower() && command != QLatin1Char('z'))
                return QRectF();
        } else {
            values.append(text.toDouble());
        }
    }
    take();
    if (points.isEmpty())
        return QRectF();
    double left = points.first().x(), top = points.first().y(), right = left, bottom = top;
    for (const QPointF& point : points) {
        left = std::min(left, point.x());
        right = std::max(right, point.x());
        top = std::min(top, point.y());
        bottom = std::max(bottom, point.y());
    }
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

QDomElement elementWithId(const QDomElement& root, const QString& id)
{
    QDomElement found;
    forEachElement(root, [&](QDomElement e) {
        if (found.isNull() && e.attribute(QStringLiteral("id")) == id)
            found = e;
    });
    return found;
}

// A part drawn as a group of its own but growing out of a lit body (a thumb out of its palm,
// shaded-with="<the body's id>") takes the body's shading, its box widened round both, so
// the two read as one rounded shape with no seam; its soft base then needs no fade of its own.
bool shadeWithBody(QDomElement part, QDomElement& volumes)
{
    const QString body = part.attribute(QStringLiteral("shaded-with"));
    if (body.isEmpty())
        return false;
    const bool mirrored = part.attribute(QStringLiteral("transform")).count(QLatin1String("scale(-1")) % 2 == 1;
    QDomElement gradient = elementWithId(volumes, QStringLiteral("volume.skin%1.in.%2").arg(mirrored ? QStringLiteral(".mirrored") : QString(), body));
    if (gradient.isNull())
        return false;  // the body is not lit here
    static const QRegularExpression matrix(QStringLiteral("matrix\\(([-0-9.e]+) 0 0 ([-0-9.e]+) ([-0-9.e]+) ([-0-9.e]+)\\)"));
    const auto m = matrix.match(gradient.attribute(QStringLiteral("gradientTransform")));
    QRectF box(m.captured(3).toDouble(), m.captured(4).toDouble(), m.captured(1).toDouble(), m.captured(2).toDouble());
    QList<QDomElement> skin;
    forEachElement(part, [&](QDomElement e) {
        const QString fill = e.attribute(QStringLiteral("fill"));
        if (e.tagName() == QLatin1String("path") && (fill.isEmpty() || fill.startsWith(QLatin1String("url(#")))) {
            skin.append(e);
            box = box.united(controlBox(e));
        }
    });
    gradient.setAttribute(QStringLiteral("gradientTransform"),
                          QStringLiteral("matrix(%1 0 0 %2 %3 %4)").arg(box.width()).arg(box.height()).arg(box.left()).arg(box.top()));
    for (QDomElement& shape : skin)
        shape.setAttribute(QStringLiteral("fill"), QStringLiteral("url(#%1)").arg(gradient.attribute(QStringLiteral("id"))));
    return true;
}

// Shades the lit skin and hair of a lit part. A shape with no outline of its own that lies on the
// part's largest shape (the side foot's big toe) is shaded as one body with it, in the box round
// them all, so no seam shows where they meet; every other shape is rounded in its own box. A
// shape marked volume="none" stays flat lit skin (the lit knee: a stretch of a limb, which rounded
// on its own became a ball of colour on the leg).
void addVolume(QDomElement part, QDomElement& volumes, QDomDocument& document)
{
    if (shadeWithBody(part, volumes))
        return;
    struct Shaded {
        QDomElement shape;
        bool hair, mirrored, outlined;
        QRectF box;  // empty when unknown (a transform between the part and the shape, a polygon)
    };
    QList<Shaded> shaded;
    std::function<void(QDomElement, QString, QString, bool, bool)> walk = [&](QDomElement e, QString fill, QString stroke, bool mirrored,
                                                                             bool moved) {
        fill = e.attribute(QStringLiteral("fill"), fill);
        stroke = e.attribute(QStringLiteral("stroke"), stroke);
        const QString transform = e.attribute(QStringLiteral("transform"));
        mirrored ^= transform.count(QLatin1String("scale(-1")) % 2 == 1;
        moved = moved || (e != part && !transform.isEmpty());
        if (shapeTags.contains(e.tagName())) {
            if (e.attribute(QStringLiteral("volume")) == QLatin1String("none"))
                return;
            const bool hair = fill.compare(hairColour, Qt::CaseInsensitive) == 0;
            if (hair || fill.compare(skinColour, Qt::CaseInsensitive) == 0)
                shaded.append({e, hair, mirrored, stroke != QLatin1String("none"), moved ? QRectF() : controlBox(e)});
            return;
        }
        for (QDomElement child = e.firstChildElement(); !child.isNull(); child = child.nextSiblingElement())
            walk(child, fill, stroke, mirrored, moved);
    };
    walk(part, QString(), QString(), false, false);

    QHash<bool, qsizetype> largest;  // hair or skin -> its largest shape
    for (qsizetype i = 0; i < shaded.size(); ++i) {
        auto area = [](const QRectF& box) { return box.width() * box.height(); };
        if (!largest.contains(shaded[i].hair) || area(shaded[i].box) > area(shaded[largest[shaded[i].hair]].box))
            largest[shaded[i].hair] = i;
    }
    // Most of a joined shape lies on the body; one that only touches it (the forearm at the
    // elbow) is a limb of its own.
    auto joins = [&](qsizetype i) {
        const Shaded& shape = shaded[i];
        const QRectF& body = shaded[largest[shape.hair]].box;
        if (body.isEmpty() || shape.box.isEmpty())
            return false;
        const QRectF common = shape.box.intersected(body);
        return i == largest[shape.hair]
            || (!shape.outlined && common.width() * common.height() >= 0.4 * shape.box.width() * shape.box.height());
    };
    QHash<bool, QRectF> bodies;  // hair or skin -> the box its joined shapes are shaded in
    for (qsizetype i = 0; i < shaded.size(); ++i)
        if (joins(i))
            bodies[shaded[i].hair] = bodies.value(shaded[i].hair).isNull() ? shaded[i].box : bodies[shaded[i].hair].united(shaded[i].box);
    for (qsizetype i = 0; i < shaded.size(); ++i) {
        const Shaded& shape = shaded[i];
        const bool joined = joins(i);
        QString id = QStringLiteral("volume.%1%2").arg(shape.hair ? QStringLiteral("hair") : QStringLiteral("skin"),
                                                       shape.mirrored ? QStringLiteral(".mirrored") : QString());
        if (joined)
            id += QStringLiteral(".in.") + part.attribute(QStringLiteral("id"));
        bool defined = false;
        forEachElement(volumes, [&](QDomElement g) { defined = defined || g.attribute(QStringLiteral("id")) == id; });
        if (!defined) {
            QDomElement gradient = volumeGradient(id, shape.hair, shape.mirrored, document);
            if (joined) {
                const QRectF box = bodies.value(shape.hair);
                gradient.setAttribute(QStringLiteral("gradientUnits"), QStringLiteral("userSpaceOnUse"));
                gradient.setAttribute(QStringLiteral("gradientTransform"), QStringLiteral("matrix(%1 0 0 %2 %3 %4)")
                                                                               .arg(box.width())
                                                                               .arg(box.height())
                                                                               .arg(box.left())
                                                                               .arg(box.top()));
            }
            volumes.appendChild(gradient);
        }
        QDomElement(shape.shape).setAttribute(QStringLiteral("fill"), QStringLiteral("url(#%1)").arg(id));
    }
}

// The transform of an SVG transform attribute.
QTransform transformOf(const QString& transform)
{
    static const QRegularExpression step(QStringLiteral("(\\w+)\\s*\\(([^)]*)\\)"));
    static const QRegularExpression separator(QStringLiteral("[\\s,]+"));
    QTransform whole;
    for (auto match = step.globalMatch(transform); match.hasNext();) {
        const auto found = match.next();
        QList<double> values;
        for (const QString& value : found.captured(2).split(separator, Qt::SkipEmptyParts))
            values.append(value.toDouble());
        const QString name = found.captured(1);
        QTransform one;
        if (name == QLatin1String("translate") && !values.isEmpty())
            one.translate(values[0], values.value(1));
        else if (name == QLatin1String("scale") && !values.isEmpty())
            one.scale(values[0], values.value(1, values[0]));
        else if (name == QLatin1String("rotate") && !values.isEmpty())
            one.translate(values.value(1), values.value(2)).rotate(values[0]).translate(-values.value(1), -values.value(2));
        else if (name == QLatin1String("skewX") && !values.isEmpty())
            one.shear(std::tan(qDegreesToRadians(values[0])), 0);
        else if (name == QLatin1String("matrix") && values.size() == 6)
            one.setMatrix(values[0], values[1], 0, values[2], values[3], 0, values[4], values[5], 1);
        whole = one * whole;
    }
    return whole;
}

// How much a transform enlarges what it draws (its area's square root).
double enlargementOf(const QString& transform)
{
    return std::sqrt(std::abs(transformOf(transform).determinant()));
}

const QLatin1String fadesInto("fades-into");
// A lit part ends in the middle of its span, passing into the faded body over at most this many
// pixels of the picture in every view: spans set in units of the drawing ran over a fifth of a
// limb in the close views, a wide pale pink band like sunburn between the lit part and the body.
constexpr double jointPixels = 10;
// The outline runs on from the lit part into the body's lighter line as one line changing colour,
// at full strength, along this many pixels up to where the skin's colour has gone, as the glow thins
// out towards the joint (so the faded body keeps its own line, and a line crossing the joint, a
// toe's back under the foot, stays light). The lit part's line and the faded copy's line over it
// take the same turn of colour, so where the copy comes in (its skin covers the inner half of the
// lit line from the colour's short span on) and the lit line goes, nothing changes but which of them
// is drawn. Switched over the colour's short span, with the dark line fading out under the pale one
// fading in, both half see-through at its middle, the card showed through them and the dark line
// broke off into the pale one in a grey notch, like a seam.
constexpr double lineJointPixels = 28;
// line-turn="<pixels>" on a joint (or a group round it) sets that length for its outlines, short
// where the long turn shows: it is measured across the joint's curve, so an outline running along the
// curve rather than across it (a finger's side beside its knuckle) turns over a far longer stretch
// of itself (the counting thumb's whole outer edge and the web beside it were a thin greyish brown).
const QLatin1String lineTurn("line-turn");
// A round gradient centred on a joint's span, with no radius or stops yet.
QDomElement jointGradient(const QStringList& span, const QString& id, QDomDocument& document)
{
    QDomElement gradient = document.createElement(QStringLiteral("radialGradient"));
    gradient.setAttribute(QStringLiteral("id"), id);
    gradient.setAttribute(QStringLiteral("gradientUnits"), QStringLiteral("userSpaceOnUse"));
    gradient.setAttribute(QStringLiteral("cx"), span.value(1));
    gradient.setAttribute(QStringLiteral("cy"), span.value(2));
    // An ellipse is that circle squashed across and turned, so a joint can
    // curve round the part it closes without cutting into it.
    if (span.value(0) == QLatin1String("ellipse"))
        gradient.setAttribute(QStringLiteral("gradientTransform"),
                              QStringLiteral("translate(%1 %2) rotate(%3) scale(1 %4) translate(%5 %6)")
                                  .arg(span.value(1), span.value(2), span.value(6), span.value(5))
                                  .arg(-span.value(1).toDouble())
                                  .arg(-span.value(2).toDouble()));
    return gradient;
}

// A round gradient from the lit side of a joint (litOpacity) to its faded side, at most widest
// units across (or across units, however narrow the span), its middle moved litward units
// towards the lit side.
QDomElement fadeGradient(const QStringList& span, const QString& id, const QString& colour, double litOpacity,
                         double fadedOpacity, double widest, QDomDocument& document, double litward = 0, double across = 0)
{
    QDomElement gradient = jointGradient(span, id, document);
    auto stop = [&](double offset, double opacity) {
        QDomElement element = document.createElement(QStringLiteral("stop"));
        element.setAttribute(QStringLiteral("offset"), QString::number(offset, 'g', 4));
        element.setAttribute(QStringLiteral("stop-color"), colour);
        element.setAttribute(QStringLiteral("stop-opacity"), QString::number(opacity));
        gradient.appendChild(element);
    };
    const double fadedEnd = span.value(3).toDouble(), litEnd = span.value(4).toDouble();
    const double towardsFaded = fadedEnd < litEnd ? -1 : 1;
    const double middle = (fadedEnd + litEnd) / 2 - towardsFaded * litward, half = (across > 0 ? across : std::min(std::abs(fadedEnd - litEnd), widest)) / 2;
    const double fadedRadius = std::max(0.0, middle + towardsFaded * half), litRadius = std::max(0.0, middle - towardsFaded * half);
    const double radius = std::max({fadedRadius, litRadius, 1e-3});
    gradient.setAttribute(QStringLiteral("r"), QString::number(radius));
    if (fadedRadius < litRadius) {
        stop(fadedRadius / radius, fadedOpacity);
        stop(1, litOpacity);
    } else {
        stop(litRadius / radius, litOpacity);
        stop(1, fadedOpacity);
    }
    return gradient;
}

// An outline across a joint: its own colour on the lit side turning to its faded colour over
// turnPixels up to where the skin's colour has gone, at the opacities given at points (pixels
// from the middle of the span towards the faded side, in order; the first and last hold beyond them).
QDomElement outlineJointGradient(const QStringList& span, const QString& id, const QString& colour, const QString& fadedColour,
                                 double pixel, double turnPixels, const QList<QPointF>& opacities, QDomDocument& document)
{
    QDomElement gradient = jointGradient(span, id, document);
    const double fadedEnd = span.value(3).toDouble(), litEnd = span.value(4).toDouble();
    const double towardsFaded = fadedEnd < litEnd ? -1 : 1, middle = (fadedEnd + litEnd) / 2;
    const double paleFrom = jointPixels / 2, litUntil = paleFrom - turnPixels;
    QList<double> points = {litUntil, paleFrom};
    for (const QPointF& at : opacities)
        points.append(at.x());
    std::sort(points.begin(), points.end());
    auto opacityAt = [&opacities](double d) {
        if (d <= opacities.first().x())
            return opacities.first().y();
        for (qsizetype i = 1; i < opacities.size(); ++i)
            if (d <= opacities[i].x())
                return opacities[i - 1].y() + (opacities[i].y() - opacities[i - 1].y()) * (d - opacities[i - 1].x()) / (opacities[i].x() - opacities[i - 1].x());
        return opacities.last().y();
    };
    auto radiusAt = [&](double d) { return std::max(0.0, middle + towardsFaded * d * pixel); };
    const double radius = std::max({radiusAt(points.first()), radiusAt(points.last()), 1e-3});
    gradient.setAttribute(QStringLiteral("r"), QString::number(radius));
    if (towardsFaded < 0)
        std::reverse(points.begin(), points.end());
    for (const double d : points) {
        const double share = std::clamp((d - litUntil) / turnPixels, 0.0, 1.0);
        QDomElement element = document.createElement(QStringLiteral("stop"));
        element.setAttribute(QStringLiteral("offset"), QString::number(radiusAt(d) / radius, 'g', 4));
        element.setAttribute(QStringLiteral("stop-color"), mixed(QColor(colour), QColor(fadedColour), share).name().toUpper());
        element.setAttribute(QStringLiteral("stop-opacity"), QString::number(opacityAt(d)));
        gradient.appendChild(element);
    }
    return gradient;
}

// What a fade repaints: a glow; a faded copy, which only covers the joints, so its shapes outside a
// span are hidden; or a lit part's outlines alone, which would show along the edges of the copy's
// lighter lines.
enum class Fade { Glow, Copy, LitLines };
// The ids of the gradients fading a lit part's outlines end in this and a number.
const QLatin1String litLinesFade(".line");

// Paints every shape under a fades-into span with a gradient of paintOf(its
// colour), from litOpacity to fadedOpacity across the span (or across acrossPixels), ending
// litwardPixels before its middle.
template <typename PaintOf>
void fadeShapes(QDomElement top, const QString& idPrefix, double unitsPerPixel, QDomDocument& document, const PaintOf& paintOf,
                double litOpacity, double fadedOpacity, Fade fade, double litwardPixels = 0, double acrossPixels = 0)
{
    const bool hideOthers = fade == Fade::Copy;
    int count = 0;
    std::function<void(QDomElement, QString, QString, QString, double, double)> walk = [&](QDomElement e, QString span, QString fill,
                                                                                          QString stroke, double enlargement, double turn) {
        enlargement *= enlargementOf(e.attribute(QStringLiteral("transform")));
        if (e.hasAttribute(fadesInto))
            span = e.attribute(fadesInto);
        if (e.hasAttribute(lineTurn))
            turn = e.attribute(lineTurn).toDouble();
        if (e.hasAttribute(QStringLiteral("fill")))
            fill = e.attribute(QStringLiteral("fill"));
        if (e.hasAttribute(QStringLiteral("stroke")))
            stroke = e.attribute(QStringLiteral("stroke"));
        if (drawnTags.contains(e.tagName())) {
            if (span.isEmpty()) {
                if (hideOthers)
                    e.setAttribute(QStringLiteral("display"), QStringLiteral("none"));
                return;
            }
            const QStringList fields = span.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            for (const auto& [name, value] : {std::pair{QStringLiteral("fill"), fill}, std::pair{QStringLiteral("stroke"), stroke}}) {
                if (value.isEmpty() || value == QLatin1String("none") || (fade == Fade::LitLines && name == QLatin1String("fill")))
                    continue;
                // An outline that already fades keeps its own fade; a faded copy leaves it out.
                if (value.startsWith(QLatin1String("url("))) {
                    if (hideOthers)
                        e.setAttribute(name, QStringLiteral("none"));
                    continue;
                }
                const QString id = QStringLiteral("%1%2").arg(idPrefix).arg(count++);
                const double pixel = unitsPerPixel / enlargement;
                // The copy's line comes in just before its skin does; the lit line ends under it.
                if (name == QLatin1String("stroke") && (fade == Fade::LitLines || fade == Fade::Copy)) {
                    const QString lit = fade == Fade::Copy && QColor(value) == drawnLine ? inkLine.name().toUpper() : value;
                    const QList<QPointF> opacities = fade == Fade::Copy
                        ? QList<QPointF>{{-jointPixels / 2 - 2, 0}, {-jointPixels / 2, 1}}
                        : QList<QPointF>{{-jointPixels / 2, 1}, {-jointPixels / 2 + 8, 0}};
                    top.insertBefore(outlineJointGradient(fields, id, lit, faded(value, Paint::Line), pixel, turn, opacities, document),
                                     top.firstChild());
                } else {
                    top.insertBefore(fadeGradient(fields, id, paintOf(value, name), litOpacity, fadedOpacity, jointPixels * pixel, document,
                                                  litwardPixels * pixel, acrossPixels * pixel),
                                     top.firstChild());
                }
                e.setAttribute(name, QStringLiteral("url(#%1)").arg(id));
                // The faded copy's skin reaches a pixel past the lit skin's edge, which would
                // otherwise show through its soft edge as a thin line across the limb.
                if (hideOthers && name == QLatin1String("fill") && (stroke.isEmpty() || stroke == QLatin1String("none"))) {
                    e.setAttribute(QStringLiteral("stroke"), QStringLiteral("url(#%1)").arg(id));
                    e.setAttribute(QStringLiteral("stroke-width"), QString::number(2 * unitsPerPixel / enlargement, 'g', 4));
                }
            }
            return;
        }
        for (QDomElement child = e.firstChildElement(); !child.isNull(); child = child.nextSiblingElement())
            walk(child, span, fill, stroke, enlargement, turn);
    };
    walk(top, QString(), QString(), QString(), 1, lineJointPixels);
}

// Near a joint the lit skin passes from its rounded shading into the plain lit skin, so the part
// ends in its own colour: the shade, strongest at a shape's edges, lay along the ends of the limbs
// and made them darker and redder just before the faded body, like a burn.
constexpr double plainSkinPixels = 30;

void plainSkinAtJoints(QDomElement part, const QString& idPrefix, double unitsPerPixel, QDomDocument& document)
{
    int count = 0;
    std::function<void(QDomElement, QString, QString, double)> walk = [&](QDomElement e, QString span, QString stroke, double enlargement) {
        enlargement *= enlargementOf(e.attribute(QStringLiteral("transform")));
        span = e.attribute(fadesInto, span);
        stroke = e.attribute(QStringLiteral("stroke"), stroke);
        if (!e.attribute(QStringLiteral("fill")).startsWith(QLatin1String("url(#volume.skin"))) {
            QList<QDomElement> children;
            for (QDomElement child = e.firstChildElement(); !child.isNull(); child = child.nextSiblingElement())
                children.append(child);
            for (const QDomElement& child : children)
                walk(child, span, stroke, enlargement);
            return;
        }
        if (span.isEmpty())
            return;
        QStringList fields = span.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const double fadedEnd = fields.value(3).toDouble(), litEnd = fields.value(4).toDouble();
        const double middle = (fadedEnd + litEnd) / 2, towardsFaded = fadedEnd < litEnd ? -1 : 1;
        fields[3] = QString::number(middle);
        fields[4] = QString::number(std::max(0.0, middle - towardsFaded * plainSkinPixels * unitsPerPixel / enlargement));
        const QString id = QStringLiteral("%1%2").arg(idPrefix).arg(count++);
        part.insertBefore(fadeGradient(fields, id, skinColour, 0.0, 1.0, std::numeric_limits<double>::infinity(), document),
                          part.firstChild());
        // The plain skin lies over the shading but under the shape's own outline, drawn again.
        QDomElement plain = e.cloneNode(false).toElement();
        plain.removeAttribute(QStringLiteral("id"));
        plain.setAttribute(QStringLiteral("fill"), QStringLiteral("url(#%1)").arg(id));
        plain.setAttribute(QStringLiteral("stroke"), QStringLiteral("none"));
        e.parentNode().insertAfter(plain, e);
        if (!stroke.isEmpty() && stroke != QLatin1String("none")) {
            QDomElement outline = e.cloneNode(false).toElement();
            outline.removeAttribute(QStringLiteral("id"));
            outline.setAttribute(QStringLiteral("fill"), QStringLiteral("none"));
            plain.parentNode().insertAfter(outline, plain);
        }
    };
    walk(part, QString(), QString(), 1);
}

// Gives every shape of a part's glow copy the width that reaches reach pixels past its own
// outline (past its fill where it has none), in its own units.
void setGlowWidths(QDomElement e, double reach, double unitsPerPixel, QString stroke, double lineWidth, double enlargement)
{
    stroke = e.attribute(QStringLiteral("stroke"), stroke);
    if (e.hasAttribute(QStringLiteral("stroke-width")))
        lineWidth = e.attribute(QStringLiteral("stroke-width")).toDouble();
    enlargement *= enlargementOf(e.attribute(QStringLiteral("transform")));
    e.removeAttribute(QStringLiteral("stroke-width"));
    if (drawnTags.contains(e.tagName())) {
        const double outline = stroke.isEmpty() || stroke == QLatin1String("none") ? 0 : lineWidth;
        e.setAttribute(QStringLiteral("stroke-width"), QString::number(outline + 2 * reach * unitsPerPixel / enlargement, 'g', 4));
        return;
    }
    for (QDomElement child = e.firstChildElement(); !child.isNull(); child = child.nextSiblingElement())
        setGlowWidths(child, reach, unitsPerPixel, stroke, lineWidth, enlargement);
}

// A copy of a part widened by the layer's reach, in one colour: the glow's, or the one given.
QDomElement glowOf(const QDomElement& part, const GlowLayer& layer, int layerIndex, double unitsPerPixel, QDomDocument& document,
                   const QString& paint = QString())
{
    const QString colour = paint.isEmpty() ? glowColour(layer) : paint;
    QDomElement glow = document.createElement(QStringLiteral("g"));
    glow.setAttribute(QStringLiteral("fill"), colour);
    glow.setAttribute(QStringLiteral("stroke"), colour);
    glow.setAttribute(QStringLiteral("stroke-linejoin"), QStringLiteral("round"));
    glow.setAttribute(QStringLiteral("stroke-linecap"), QStringLiteral("round"));
    QDomElement shape = part.cloneNode(true).toElement();
    forEachElement(shape, [](QDomElement e) {
        if (e.hasAttribute(glowFadesInto))
            e.setAttribute(fadesInto, e.attribute(glowFadesInto));
    });
    setGlowWidths(shape, layer.reach, unitsPerPixel, QString(), 0, 1);
    QHash<QString, QDomElement> gradients;
    forEachElement(shape, [&gradients](QDomElement e) {
        if (e.tagName().endsWith(QLatin1String("Gradient")))
            gradients.insert(e.attribute(QStringLiteral("id")), e);
    });
    const QString suffix = QStringLiteral(".glow%1").arg(layerIndex);
    forEachElement(shape, [&](QDomElement e) {
        // Lines stay lines; shapes take the glow's colour.
        if (e.attribute(QStringLiteral("fill")) != QLatin1String("none"))
            e.removeAttribute(QStringLiteral("fill"));
        // An outline that fades out on a gradient of its own takes its glow with it: its gradient
        // is repainted in the glow's colour. One faded at a joint glows like the part's shapes.
        const QString stroke = e.attribute(QStringLiteral("stroke"));
        const QString fadingId = stroke.startsWith(QLatin1String("url(#")) ? stroke.mid(5).chopped(1) : QString();
        if (gradients.contains(fadingId) && !fadingId.startsWith(part.attribute(QStringLiteral("id")) + litLinesFade)) {
            QDomElement gradient = gradients.value(fadingId);
            if (!gradient.attribute(QStringLiteral("id")).endsWith(suffix)) {
                gradient.setAttribute(QStringLiteral("id"), fadingId + suffix);
                forEachElement(gradient, [&colour](QDomElement stop) {
                    if (stop.hasAttribute(QStringLiteral("stop-color")))
                        stop.setAttribute(QStringLiteral("stop-color"), colour);
                });
            }
            e.setAttribute(QStringLiteral("stroke"), QStringLiteral("url(#%1)").arg(fadingId + suffix));
        } else {
            e.removeAttribute(QStringLiteral("stroke"));
        }
        const bool fadingGradient = e.tagName().endsWith(QLatin1String("Gradient")) && e.attribute(QStringLiteral("id")).endsWith(suffix);
        for (const char* name : {"fill-opacity", "stroke-opacity", "opacity", "display"})
            e.removeAttribute(QLatin1String(name));
        if (!fadingGradient)
            e.removeAttribute(QStringLiteral("id"));
    });
    // A gradient the glow does not repaint has lost its id above: nothing can refer to it. This takes a
    // pass of its own: a gradient met before the outline it paints loses its id there and gets it back
    // (with the glow's suffix) only when that outline is met.
    QList<QDomElement> unused;
    forEachElement(shape, [&unused](QDomElement e) {
        if (e.tagName().endsWith(QLatin1String("Gradient")) && !e.hasAttribute(QStringLiteral("id")))
            unused.append(e);
    });
    for (QDomElement& gradient : unused)
        gradient.parentNode().removeChild(gradient);
    // A group of lines (fill="none") stays lines: filled, an open line's glow would close over its chord.
    if (shape.attribute(QStringLiteral("fill")) != QLatin1String("none"))
        shape.setAttribute(QStringLiteral("fill"), colour);
    shape.setAttribute(QStringLiteral("stroke"), colour);
    // The glow thins out to nothing towards the joint: each layer ends before the next narrower one, the
    // narrowest where the colour ends (all ending together, the glow stopped in a blunt end).
    double litward = glowTaperPixels * (layer.reach - innermostGlowReach) / (outermostGlowReach - innermostGlowReach);
    double across = layer.reach > outermostGlowReach ? layer.reach : 0;
    const QStringList ends = part.attribute(glowEnds).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (ends.size() == 2 && layer.reach <= outermostGlowReach) {
        across = ends.value(0).toDouble();
        litward = ends.value(1).toDouble() + across / 2;
    }
    fadeShapes(shape, part.attribute(QStringLiteral("id")) + suffix + QStringLiteral(".fade"), unitsPerPixel, document,
               [&colour](const QString&, const QString&) { return colour; }, 1.0, 0.0, Fade::Glow, litward, across);
    glow.appendChild(shape);
    return glow;
}

// The glows of parts, each layer of them all before the next narrower one: the pool of light on the
// card, the whole glow on the card, over the body the glow's cream, or the whole glow in the light
// of the body round a part lying wholly inside it.
enum class GlowOn { Pool, Card, Body, Within };
void appendGlows(QDomElement& svg, const QList<QDomElement>& parts, double unitsPerPixel, QDomDocument& document, GlowOn on)
{
    if (on == GlowOn::Pool) {
        for (int step = 0; step < poolSteps; ++step)
            for (const QDomElement& part : parts)
                svg.appendChild(glowOf(part, poolLayer(step), 1000 + step * 100, unitsPerPixel, document));
        return;
    }
    for (int step = 0; step < int(std::size(glowLayers)); ++step) {
        GlowLayer layer = glowLayers[step];
        if (on == GlowOn::Within)
            layer = {1, layer.creamWithin, layer.reach, 0};
        if (on == GlowOn::Card || layer.cream > 0)
            for (const QDomElement& part : parts)
                svg.appendChild(glowOf(part, layer, (on == GlowOn::Card ? 0 : 5000) + step * 100, unitsPerPixel, document));
    }
}

// Turns every group marked halo="<width>" into its layers: its outlines stroked
// again and again, widest and faintest first, so the light fades out with no
// edge; the last layers turn paler, so no band of colour lies along the line.
void expandHalos(QDomElement top, QDomDocument& document)
{
    static constexpr std::array<double, 16> opacity = {0.040, 0.048, 0.053, 0.058, 0.063, 0.069, 0.075, 0.082,
                                                       0.091, 0.101, 0.114, 0.129, 0.150, 0.178, 0.217, 0.280};
    static const std::array<const char*, 7> palerLayers = {"#FFE7BA", "#FFE8BD", "#FFEAC0", "#FFEBC4",
                                                           "#FFECC8", "#FFEECB", "#FFEFCE"};
    const QDomNodeList groups = top.elementsByTagName(QStringLiteral("g"));
    QList<QDomElement> halos;
    for (int i = 0; i < groups.size(); ++i)
        if (groups.at(i).toElement().hasAttribute(QStringLiteral("halo")))
            halos << groups.at(i).toElement();
    for (QDomElement halo : halos) {
        const double width = halo.attribute(QStringLiteral("halo")).toDouble();
        halo.removeAttribute(QStringLiteral("halo"));
        QList<QDomNode> outlines;
        while (!halo.firstChild().isNull())
            outlines << halo.removeChild(halo.firstChild());
        const int layers = int(opacity.size());
        for (int layer = 0; layer < layers; ++layer) {
            QDomElement stroke = document.createElement(QStringLiteral("g"));
            const int pale = layer - (layers - int(palerLayers.size()));
            stroke.setAttribute(QStringLiteral("stroke"),
                                pale < 0 ? halo.attribute(QStringLiteral("stroke")) : QString::fromLatin1(palerLayers[pale]));
            stroke.setAttribute(QStringLiteral("stroke-width"), QString::number(width * (layers - layer) / layers));
            stroke.setAttribute(QStringLiteral("stroke-opacity"), QString::number(opacity[layer]));
            for (const QDomNode& outline : outlines)
                stroke.appendChild(outline.cloneNode(true));
            halo.appendChild(stroke);
        }
    }
}

}  // namespace

int main(int argc, char* argv[])
{
    // The DOM keeps attributes in a hash: a fixed seed writes them in the same order on every run.
    QHashSeed::setDeterministicGlobalSeed();
    if (argc != 5) {
        std::fprintf(stderr, "usage: compose_picture <child.svg> <framing.txt> <word> <picture.svg>\n");
        return 2;
    }
    const QString source = QString::fromLocal8Bit(argv[1]);
    const QString word = QString::fromLocal8Bit(argv[3]);
    Framing framing;
    if (!readFraming(QString::fromLocal8Bit(argv[2]), word, framing))
        return fail(QStringLiteral("no framing for \"%1\"").arg(word));
    if (!framing.card.isValid())
        return fail(QStringLiteral("the framing of \"%1\" names no colour for its card (card=#RRGGBB)").arg(word));

    QFile file(source);
    QDomDocument child;
    if (!file.open(QIODevice::ReadOnly) || !child.setContent(&file))
        return fail(QStringLiteral("cannot read the drawing %1").arg(source));
    const QDomElement root = child.documentElement();
    resolveFadedSkin(root);
    const QDomElement defs = root.firstChildElement(QStringLiteral("defs"));
    QDomElement body = root.firstChildElement(QStringLiteral("g"));
    while (!body.isNull() && body.attribute(QStringLiteral("id")) != QLatin1String("child"))
        body = body.nextSiblingElement(QStringLiteral("g"));
    if (body.isNull())
        return fail(QStringLiteral("%1 has no group \"child\"").arg(source));
    expandHalos(body, child);

    const double height = framing.width * 7 / 8;
    const double unitsPerPixel = framing.width / pictureWidth;
    const double lineScale = lineWeight * framing.lineViewWidth / referenceViewWidth;
    QDomDocument picture;
    QDomElement svg = picture.createElement(QStringLiteral("svg"));
    svg.setAttribute(QStringLiteral("xmlns"), QStringLiteral("http://www.w3.org/2000/svg"));
    svg.setAttribute(QStringLiteral("version"), QStringLiteral("1.2"));
    svg.setAttribute(QStringLiteral("baseProfile"), QStringLiteral("tiny"));
    svg.setAttribute(QStringLiteral("width"), QString::number(pictureWidth));
    svg.setAttribute(QStringLiteral("height"), QString::number(pictureHeight));
    svg.setAttribute(QStringLiteral("viewBox"), QStringLiteral("%1 %2 %3 %4").arg(framing.x).arg(framing.y).arg(framing.width).arg(height));
    picture.appendChild(picture.createProcessingInstruction(QStringLiteral("xml"), QStringLiteral("version=\"1.0\" encoding=\"UTF-8\"")));
    picture.appendChild(svg);
    svg.appendChild(picture.createComment(QStringLiteral(" Made from child.svg by compose_picture: edit those, not this. ")));
    if (!defs.isNull())
        svg.appendChild(picture.importNode(defs, true));
    // The drawing's own page is only for looking at it: the picture lies on the word's card.
    const QDomElement page = elementWithId(svg, QStringLiteral("backdrop"));
    if (!page.isNull())
        page.parentNode().removeChild(page);
    cardColour = framing.card;
    drawnLine = QColor(body.attribute(QStringLiteral("stroke")));
    QDomElement volumes = picture.createElement(QStringLiteral("defs"));
    svg.appendChild(volumes);

    QDomElement backdrop = picture.createElement(QStringLiteral("rect"));
    backdrop.setAttribute(QStringLiteral("x"), framing.x);
    backdrop.setAttribute(QStringLiteral("y"), framing.y);
    backdrop.setAttribute(QStringLiteral("width"), framing.width);
    backdrop.setAttribute(QStringLiteral("height"), height);
    backdrop.setAttribute(QStringLiteral("fill"), cardColour.name().toUpper());
    svg.appendChild(backdrop);

    QList<QDomElement> parts;
    QList<QDomElement> shown;
    QHash<QString, QList<QDomElement>> shownOver;  // glow-over group id -> the lit parts lying on it
    QSet<QString> inside;  // the lit parts lying wholly inside another, glow-within
    QSet<QString> found, lit;  // lit: the lit groups that glow
    QHash<QString, QDomElement> joints;  // lit group id -> its faded copy fading out from its joints
    auto anyLit = [&framing](const QString& names) {
        const QStringList list = names.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        return std::any_of(list.begin(), list.end(), [&framing](const QString& name) { return framing.parts.contains(name); });
    };
    for (QDomElement group = body.firstChildElement(); !group.isNull(); group = group.nextSiblingElement()) {
        if ((group.hasAttribute(QStringLiteral("shown-with")) && !anyLit(group.attribute(QStringLiteral("shown-with"))))
            || anyLit(group.attribute(QStringLiteral("hidden-with"))))
            continue;
        QDomElement part = picture.importNode(group, true).toElement();
        for (const char* name : inheritedAttributes)
            if (!part.hasAttribute(QLatin1String(name)) && body.hasAttribute(QLatin1String(name)))
                part.setAttribute(QLatin1String(name), body.attribute(QLatin1String(name)));
        const QString id = group.attribute(QStringLiteral("id"));
        // A blank in an id hides the group from its part without a word: it would be drawn faded.
        if (id.contains(QRegularExpression(QStringLiteral("\\s"))))
            return fail(QStringLiteral("the group \"%1\" has a blank in its id").arg(id));
        const QString name = framing.parts.contains(id) ? id : partOf(group);
        if (framing.parts.contains(name)) {
            found.insert(name);
            if (group.attribute(QStringLiteral("glow")) != QLatin1String("none"))
                lit.insert(id);
            part.removeAttribute(QStringLiteral("display"));
            const QString within = group.attribute(QStringLiteral("glow-within"));
            const QString over = within.isEmpty() ? group.attribute(QStringLiteral("glow-over")) : within;
            if (!within.isEmpty())
                inside.insert(id);
            // A soft end casts no glow (it would spill past the joint), nor does a feature of the face.
            const QString glow = group.attribute(QStringLiteral("glow"));
            if (glow != QLatin1String("none") && over.isEmpty())
                shown.append(part);
            else if (glow != QLatin1String("none"))
                shownOver[over].append(part);
        } else {
            const bool receding = anyLit(group.attribute(QStringLiteral("recedes-with")));
            const bool ground = partOf(group) == QLatin1String("ground");
            drawOnColouringPage(part, ground ? Paint::Ground : Paint::Fill, receding ? recedingStrength : 1);
            if (ground)
                part.setAttribute(QStringLiteral("fill-opacity"), QString::number(groundShadow));
        }
        for (const char* name : {"glow", "glow-over", "glow-within", "shown-with", "hidden-with", "recedes-with"})
            part.removeAttribute(QLatin1String(name));
        scaleStrokes(part, lineScale);
        parts.append(part);
        // A lit part's joints: a faded copy of it over it, fading out from the body.
        if (framing.parts.contains(name)) {
            bool joins = false;
            forEachElement(part, [&joins](QDomElement e) { joins = joins || e.hasAttribute(fadesInto); });
            if (joins) {
                QDomElement overlay = part.cloneNode(true).toElement();
                QList<QDomElement> gradients;
                forEachElement(overlay, [&gradients](QDomElement e) {
                    if (e.tagName().endsWith(QLatin1String("Gradient")))
                        gradients.append(e);
                });
                for (QDomElement& gradient : gradients)
                    gradient.parentNode().removeChild(gradient);
                forEachElement(overlay, [](QDomElement e) { e.removeAttribute(QStringLiteral("id")); });
                fadeShapes(overlay, id + QStringLiteral(".joint"), unitsPerPixel, picture,
                           fadedPaint, 0.0, 1.0, Fade::Copy);
                joints.insert(id, overlay);
            }
            // After the joints' copy, which must match the faded body it fades into.
            forEachElement(part, [](QDomElement e) {
                for (const char* name : paintAttributes)
                    if (QColor(e.attribute(QLatin1String(name))) == drawnLine)
                        e.setAttribute(QLatin1String(name), inkLine.name().toUpper());
            });
            addVolume(part, volumes, picture);
            plainSkinAtJoints(part, id + QStringLiteral(".plain"), unitsPerPixel, picture);
            // The lit outline fades out under the copy's lighter one instead of showing along its edges.
            if (joins)
                fadeShapes(part, id + litLinesFade, unitsPerPixel, picture,
                           [](const QString& colour, const QString&) { return colour; }, 1.0, 0.0, Fade::LitLines);
        }
    }
    for (const QString& name : framing.parts)
        if (!found.contains(name))
            return fail(QStringLiteral("\"%1\" names the part \"%2\" that the drawing does not have").arg(word, name));

    // A part lying on another glows on the card round it like the rest; where that other is not
    // in this picture, nothing lies under it and its whole glow goes on the card.
    QSet<QString> drawn, groups;
    for (const QDomElement& part : parts)
        drawn.insert(part.attribute(QStringLiteral("id")));
    for (QDomElement group = body.firstChildElement(); !group.isNull(); group = group.nextSiblingElement())
        groups.insert(group.attribute(QStringLiteral("id")));
    for (auto over = shownOver.cbegin(); over != shownOver.cend(); ++over) {
        if (!groups.contains(over.key()))
            return fail(QStringLiteral("\"%1\" glows over \"%2\", which the drawing does not have")
                            .arg(over.value().constFirst().attribute(QStringLiteral("id")), over.key()));
        if (lit.contains(over.key()))
            continue;
        for (const QDomElement& part : over.value())
            if (!drawn.contains(over.key()) || !inside.contains(part.attribute(QStringLiteral("id"))))
                shown.append(part);
    }
    // The ground's shadows lie over the pool of light, which would wash them out, and under the
    // glow, so the glow of the feet shows along the soles too.
    if (!shown.isEmpty())
        appendGlows(svg, shown, unitsPerPixel, picture, GlowOn::Pool);
    for (const QDomElement& part : parts)
        if (partOf(part) == QLatin1String("ground"))
            svg.appendChild(part);
    if (!shown.isEmpty())
        appendGlows(svg, shown, unitsPerPixel, picture, GlowOn::Card);
    // The child's outer contour is heavier than the lines inside him, as a cartoon is inked: each part
    // widened in its own line's colour lies under the whole child, so it shows only round his outside.
    // Groups of lines (creases, motion marks) keep their weight, and so does a group marked contour="none"
    // (a lit patch whose own edge lies inside the body, where a heavy line would mark the wrong part).
    for (const QDomElement& part : parts) {
        if (partOf(part) == QLatin1String("ground") || !hasFilledShape(part)
            || part.attribute(contourAttribute) == QLatin1String("none"))
            continue;
        const bool isLit = framing.parts.contains(part.attribute(QStringLiteral("id"))) || framing.parts.contains(partOf(part));
        const QString line = isLit ? inkLine.name().toUpper() : faded(drawnLine.name(), Paint::Line);
        // A shape nobody sees (one that only sets where a part is shaded, or one hidden to carry a glow
        // or a fade) must not be inked.
        QDomElement seen = part.cloneNode(true).toElement();
        QList<QDomElement> unseen;
        forEachElement(seen, [&unseen](QDomElement e) {
            const bool unstroked = e.attribute(QStringLiteral("stroke")) == QLatin1String("none");
            if (e.attribute(QStringLiteral("opacity")) == QLatin1String("0") || e.attribute(QStringLiteral("display")) == QLatin1String("none")
                || (unstroked && e.attribute(QStringLiteral("fill-opacity")) == QLatin1String("0")))
                unseen.append(e);
        });
        for (QDomElement& e : unseen)
            e.parentNode().removeChild(e);
        svg.appendChild(glowOf(seen, {1, 0, outerContourPixels, 0}, contourLayerIndex, unitsPerPixel, picture, line));
    }
    for (const QDomElement& part : parts) {
        if (part.parentNode() == svg)
            continue;
        svg.appendChild(part);
        const QString id = part.attribute(QStringLiteral("id"));
        if (joints.contains(id))
            svg.appendChild(joints.value(id));
        const QList<QDomElement> lying = shownOver.value(id);
        if (lying.isEmpty() || lit.contains(id))
            continue;
        // Its glow would cover a part drawn already.
        for (const QDomElement& over : lying)
            if (over.parentNode() == svg)
                return fail(QStringLiteral("\"%1\" glows over \"%2\", which is drawn after it").arg(over.attribute(QStringLiteral("id")), id));
        QList<QDomElement> within, onto;
        for (const QDomElement& part : lying)
            (inside.contains(part.attribute(QStringLiteral("id"))) ? within : onto).append(part);
        if (!onto.isEmpty())
            appendGlows(svg, onto, unitsPerPixel, picture, GlowOn::Body);
        if (!within.isEmpty())
            appendGlows(svg, within, unitsPerPixel, picture, GlowOn::Within);
    }

    forEachElement(svg, [](QDomElement e) {
        e.removeAttribute(fadesInto);
        e.removeAttribute(lineTurn);
        e.removeAttribute(glowEnds);
        e.removeAttribute(glowFadesInto);
        e.removeAttribute(fadedFill);
        e.removeAttribute(contourAttribute);
    });
    QSaveFile output(QString::fromLocal8Bit(argv[4]));
    if (!output.open(QIODevice::WriteOnly) || output.write(picture.toByteArray(1)) < 0 || !output.commit())
        return fail(QStringLiteral("cannot write %1").arg(output.fileName()));
    return 0;
}
