#include "services/controls/LargeText.h"

#include <QFontMetricsF>
#include <QHash>
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
// Some 100 KiB of outlines, a few alphabets.
constexpr qsizetype MostElements = 4096;

struct Key {
    QFont font;
    QString text;

    bool operator==(const Key& other) const { return text == other.text && font == other.font; }
    friend size_t qHash(const Key& key, size_t seed = 0) { return qHashMulti(seed, key.font, key.text); }
};

struct Outline {
    QPainterPath path;  // its origin on the baseline, at the left
    qreal advance;
    qreal ascent;
    qreal height;  // of the line
};

class Outlines {
public:
    const Outline& of(const QFont& font, const QString& text, const QPaintDevice* device)
    {
        const Key key{font, text};
        if (const auto found = known_.constFind(key); found != known_.cend())
            return *found;
        const QFontMetricsF metrics(font, device);
        QPainterPath path;
        path.addText(0, 0, font, text);
        if (elements_ + path.elementCount() > MostElements) {
            known_.clear();
            elements_ = 0;
        }
        elements_ += path.elementCount();
        return *known_.insert(key, {path, metrics.horizontalAdvance(text), metrics.ascent(),
                                    metrics.ascent() + metrics.descent()});
    }

private:
    QHash<Key, Outline> known_;
    qsizetype elements_ = 0;
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
    static Outlines outlines;
    const Outline& outline = outlines.of(font, text, device);
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
