#include "services/controls/LargeText.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <cmath>

namespace LargeText {

namespace {

// Letters up to this size the toolkit keeps drawn itself.
constexpr int KeptByToolkit = 64;
// The captions of every screen, even on a 4K screen; past it, all is dropped
// and drawn anew.
constexpr qsizetype MostBytes = 4 * 1024 * 1024;

struct Drawn {
    QImage image;
    QPoint offset;  // of the picture from the area's pixel
};

struct Kept {
    QHash<QString, Drawn> drawn;
    qsizetype bytes = 0;
};

Kept& kept()
{
    static Kept kept;
    return kept;
}

// The area's text alone, in as small a picture as holds its ink; `within` is
// where the area starts within its pixel.
Drawn drawText(const QPainter& painter, QSizeF area, QPointF within, int flags, const QString& text)
{
    const QFontMetricsF metrics(painter.font());
    const QRectF placed(within, area);
    // Overhangs and anti-aliasing reach a little past the text's layout.
    const double margin = std::ceil(metrics.height() / 4);
    const QRectF ink = metrics.boundingRect(placed, flags, text).adjusted(-margin, -margin, margin, margin)
                           .intersected(placed.adjusted(-1, -1, 1, 1));
    const QPoint corner(int(std::floor(ink.left())), int(std::floor(ink.top())));
    const QSize size(int(std::ceil(ink.right())) - corner.x(), int(std::ceil(ink.bottom())) - corner.y());
    Drawn drawn{QImage(size.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied), corner};
    drawn.image.fill(Qt::transparent);
    QPainter into(&drawn.image);
    into.setRenderHints(painter.renderHints());
    into.setFont(painter.font());
    into.setPen(painter.pen());
    into.drawText(placed.translated(-corner), flags, text);
    return drawn;
}

}  // namespace

void draw(QPainter& painter, const QRectF& area, int flags, const QString& text)
{
    const QTransform& device = painter.deviceTransform();
    // Scaled or turned, the toolkit's own drawing is the right one.
    if (text.isEmpty() || device.type() > QTransform::TxTranslate
        || painter.compositionMode() != QPainter::CompositionMode_SourceOver
        || QFontInfo(painter.font()).pixelSize() <= KeptByToolkit) {
        painter.drawText(area, flags, text);
        return;
    }
    const QPointF onDevice = device.map(area.topLeft());
    const QPointF pixel(std::floor(onDevice.x()), std::floor(onDevice.y()));
    const QPointF within = onDevice - pixel;
    const QString key = painter.font().key() + QLatin1Char('|') + QString::number(painter.pen().color().rgba(), 16)
                        + QLatin1Char('|') + QString::number(int(painter.renderHints())) + QLatin1Char('|')
                        + QString::number(flags) + QLatin1Char('|') + QString::number(qRound(area.width() * 64))
                        + QLatin1Char('x') + QString::number(qRound(area.height() * 64)) + QLatin1Char('+')
                        + QString::number(qRound(within.x() * 64)) + QLatin1Char(',')
                        + QString::number(qRound(within.y() * 64)) + QLatin1Char('|') + text;
    Kept& k = kept();
    auto found = k.drawn.constFind(key);
    if (found == k.drawn.cend()) {
        Drawn drawn = drawText(painter, area.size(), within, flags, text);
        if (k.bytes + drawn.image.sizeInBytes() > MostBytes) {
            k.drawn.clear();
            k.bytes = 0;
        }
        k.bytes += drawn.image.sizeInBytes();
        found = k.drawn.insert(key, std::move(drawn));
    }
    // Back from the device's pixels to the painter's own coordinates.
    painter.drawImage(device.inverted().map(pixel + QPointF(found->offset)), found->image);
}

}  // namespace LargeText
