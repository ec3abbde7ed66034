#include "services/controls/CommandButton.h"

#include "services/Artwork.h"
#include "services/controls/DisabledLook.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

namespace {
// The smallest picture beside a caption, as a share of the button's height.
constexpr double SmallestBeside = 0.45;
}  // namespace

CommandButton::CommandButton(const QString& caption, QWidget* parent)
    : QAbstractButton(parent)
    , face_(palette().color(QPalette::Button))
{
    setText(caption);
    setFocusPolicy(Qt::NoFocus);
}

void CommandButton::setFaceColor(const QColor& color)
{
    face_ = color;
    update();
}

void CommandButton::setPictureName(const QString& name)
{
    pictureName_ = name;
    update();
}

QRectF CommandButton::contentRect() const
{
    const QRectF area = QRectF(rect()).adjusted(1, 1, -1, -1);
    return area.adjusted(area.width() * 0.06, area.height() * 0.08, -area.width() * 0.06, -area.height() * 0.08);
}

double CommandButton::roomBeside(const QRectF& content) const
{
    return content.width() * 0.96 - QFontMetricsF(font()).horizontalAdvance(text());
}

bool CommandButton::pictureAbove(const QRectF& content) const
{
    // Beside the caption the picture gives way down to about half the height;
    // where the caption still would not keep its own size, it goes under the picture.
    return !pictureName_.isEmpty() && !text().isEmpty() && roomBeside(content) < content.height() * SmallestBeside;
}

double CommandButton::captionHeight(const QRectF& content) const
{
    return std::min(content.height() * 0.5, QFontMetricsF(font()).lineSpacing() * 1.1);
}

QRectF CommandButton::pictureRect(const QRectF& content) const
{
    if (text().isEmpty()) {
        const double side = std::min(content.width(), content.height());
        return QRectF(content.center().x() - side / 2, content.center().y() - side / 2, side, side);
    }
    if (pictureAbove(content)) {
        const double side = std::min(content.width(), content.height() - captionHeight(content));
        return QRectF(content.center().x() - side / 2, content.top(), side, side);
    }
    const double side = std::min(std::min(content.height(), content.width() * 0.4),
                                 std::max(content.height() * SmallestBeside, roomBeside(content)));
    return QRectF(content.left(), content.center().y() - side / 2, side, side);
}

QRectF CommandButton::captionRect(const QRectF& content) const
{
    if (pictureName_.isEmpty())
        return content;
    if (pictureAbove(content))
        return content.adjusted(0, content.height() - captionHeight(content), 0, 0);
    return content.adjusted(pictureRect(content).width() + content.width() * 0.04, 0, 0, 0);
}

void CommandButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(rect()).adjusted(1, 1, -1, -1);
    const double radius = std::min(area.width(), area.height()) * 0.12;
    const bool pressed = isDown();
    // Off: a grey face, so it plainly takes no click.
    const QColor face = isEnabled() ? face_ : DisabledLook::Faccia;

    QLinearGradient shade(area.topLeft(), area.bottomLeft());
    shade.setColorAt(0.0, pressed ? face.darker(110) : face.lighter(125));
    shade.setColorAt(1.0, pressed ? face.lighter(105) : face.darker(115));
    painter.setPen(QPen(face.darker(170), std::max(1.0, area.height() * 0.03)));
    painter.setBrush(shade);
    painter.drawRoundedRect(area, radius, radius);

    QRectF content = contentRect();
    if (pressed)
        content.translate(1, 1);

    if (!pictureName_.isEmpty()) {
        painter.setOpacity(isEnabled() ? 1.0 : DisabledLook::Opacita);
        Artwork::paint(painter, pictureName_, pictureRect(content));
        painter.setOpacity(1.0);
    }
    if (text().isEmpty())
        return;

    const QRectF caption = captionRect(content);
    const CaptionFit fit = CaptionFit::of(font(), text(), caption.size());
    QFont fitted = font();
    fitted.setPointSizeF(fit.points);
    painter.setFont(fitted);
    painter.setPen(isEnabled() ? QColor(Qt::black) : DisabledLook::Testo);
    painter.drawText(caption, Qt::AlignCenter, fit.lines.join(QLatin1Char('\n')));
}

CaptionFit CommandButton::captionLayout() const
{
    return CaptionFit::of(font(), text(), captionRect(contentRect()).size());
}
