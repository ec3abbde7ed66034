#include "services/controls/LargeText.h"

#include "services/controls/FitMemo.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>

namespace LargeText {

namespace {

// The raster engine's largest cached glyph, in pixels: larger text goes by outlines.
constexpr qreal GlyphCacheLimit = 64;
// Letters and counts, which come back in every cell and on every visit. A word
// is drawn once a visit: its outline would cost more to keep than to load.
constexpr qsizetype MostCharacters = 2;

struct Outline {
    QPainterPath path;  // its origin on the baseline, at the left
    qreal advance;
    qreal ascent;
    qreal height;  // of the line
};

}  // namespace

bool draw(QPainter& painter, const QFont& font, const QString& text, const QRectF& area, Qt::Alignment alignment)
{
    const QPaintDevice* device = painter.device();
    if (!device || text.isEmpty() || text.size() > MostCharacters || text.contains(QLatin1Char('\n'))
        || device->devicePixelRatioF() != 1
        || painter.worldTransform().type() > QTransform::TxTranslate)
        return false;
    const qreal pixels = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * device->logicalDpiY() / 72.0;
    if (pixels <= GlyphCacheLimit)
        return false;
    static FitMemo<Outline> outlines;
    const Outline outline = outlines.of(font, text, QSizeF(), [&] {
        const QFontMetricsF metrics(font, device);
        QPainterPath path;
        path.addText(0, 0, font, text);
        return Outline{path, metrics.horizontalAdvance(text), metrics.ascent(), metrics.ascent() + metrics.descent()};
    });
    if (outline.advance > area.width())
        return false;
    qreal x = area.left();
    if (alignment & Qt::AlignRight)
        x = area.right() - outline.advance;
    else if (alignment & Qt::AlignHCenter)
        x = area.left() + (area.width() - outline.advance) / 2;
    qreal top = area.top();
    if (alignment & Qt::AlignBottom)
        top = area.bottom() - outline.height;
    else if (alignment & Qt::AlignVCenter)
        top = area.top() + (area.height() - outline.height) / 2;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(x, top + outline.ascent);
    painter.fillPath(outline.path, painter.pen().color());
    painter.restore();
    return true;
}

}  // namespace LargeText
