#include "services/controls/TextLabel.h"

#include "services/controls/DisabledLook.h"
#include "services/controls/FitMemo.h"
#include "services/controls/LargeText.h"

#include <QFontMetricsF>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace {

constexpr int Flags = Qt::TextWordWrap;

bool fits(const QFont& font, const QString& text, const QSize& area)
{
    const QFontMetricsF metrics(font);
    const QRectF needed = metrics.boundingRect(QRectF(QPointF(), QSizeF(area)), Flags, text);
    return needed.width() <= area.width() + 0.5 && needed.height() <= area.height() + 0.5;
}

// Shrinks the font in steps until the wrapped caption fits.
double shrunkToFit(const QFont& font, const QString& text, const QSize& area)
{
    QFont trial = font;
    double points = trial.pointSizeF();
    while (points > 4.0) {
        trial.setPointSizeF(points);
        if (fits(trial, text, area))
            break;
        points *= 0.92;
    }
    return points;
}

}  // namespace

TextLabel::TextLabel(const QString& caption, QWidget* parent)
    : QWidget(parent)
    , caption_(caption)
{
}

bool TextLabel::isClickable() const
{
    return isSignalConnected(QMetaMethod::fromSignal(&TextLabel::clicked));
}

void TextLabel::setCaption(const QString& caption)
{
    caption_ = caption;
    update();
}

void TextLabel::setAlignment(Qt::Alignment alignment)
{
    alignment_ = alignment;
    update();
}

void TextLabel::setTextColor(const QColor& color)
{
    text_ = color;
    update();
}

void TextLabel::setBackColor(const QColor& color)
{
    back_ = color;
    // Filled edge to edge: what lies beneath need not be painted, nor repainted while covered.
    setAttribute(Qt::WA_OpaquePaintEvent, back_.isValid() && back_.alpha() == 255);
    update();
}

void TextLabel::setBorder(bool border)
{
    border_ = border;
    update();
}

QRect TextLabel::textArea() const
{
    const int margin = border_ ? std::max(2, height() / 20) : 1;
    return rect().adjusted(margin, margin, -margin, -margin);
}

double TextLabel::fittedPointSize() const
{
    static FitMemo<double> fits;
    const QSize area = textArea().size();
    return fits.of(font(), caption_, area, [&] { return shrunkToFit(font(), caption_, area); });
}

void TextLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const bool enabled = isEnabled();
    if (back_.isValid())
        painter.fillRect(rect(), enabled ? back_ : DisabledLook::sfondo(back_));
    if (border_) {
        painter.setPen(QPen(enabled ? QColor(Qt::black) : DisabledLook::Testo, 1));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    QFont fitted = font();
    fitted.setPointSizeF(fittedPointSize());
    painter.setFont(fitted);
    const auto drawCaption = [&](const QRect& area) {
        if (!LargeText::draw(painter, fitted, caption_, area, alignment_))
            painter.drawText(area, int(alignment_) | Flags, caption_);
    };
    if (!enabled) {
        const int offset = std::max(1, QFontMetrics(fitted).height() / 24);
        painter.setPen(DisabledLook::Rilievo);
        drawCaption(textArea().translated(offset, offset));
    }
    painter.setPen(enabled ? text_ : DisabledLook::Testo);
    drawCaption(textArea());
}

void TextLabel::mousePressEvent(QMouseEvent* event)
{
    event->accept();
}

void TextLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}
