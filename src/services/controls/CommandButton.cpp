#include "services/controls/CommandButton.h"

#include "services/Artwork.h"
#include "services/controls/DisabledLook.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

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

    QRectF content = area.adjusted(area.width() * 0.06, area.height() * 0.08, -area.width() * 0.06, -area.height() * 0.08);
    if (pressed)
        content.translate(1, 1);

    if (!pictureName_.isEmpty()) {
        const double side = text().isEmpty() ? std::min(content.width(), content.height())
                                             : std::min(content.height(), content.width() * 0.4);
        const QRectF iconArea(text().isEmpty() ? content.center().x() - side / 2 : content.left(),
                              content.center().y() - side / 2, side, side);
        painter.setOpacity(isEnabled() ? 1.0 : DisabledLook::Opacita);
        Artwork::paint(painter, pictureName_, iconArea);
        painter.setOpacity(1.0);
        if (!text().isEmpty())
            content.setLeft(iconArea.right() + content.width() * 0.04);
    }
    if (text().isEmpty())
        return;

    QFont fitted = font();
    double points = fitted.pointSizeF();
    const int flags = Qt::AlignCenter | Qt::TextWordWrap;
    while (points > 4.0) {
        fitted.setPointSizeF(points);
        const QRectF needed = QFontMetricsF(fitted).boundingRect(content, flags, text());
        if (needed.width() <= content.width() + 0.5 && needed.height() <= content.height() + 0.5)
            break;
        points *= 0.92;
    }
    fitted.setPointSizeF(points);
    painter.setFont(fitted);
    painter.setPen(isEnabled() ? QColor(Qt::black) : DisabledLook::Testo);
    painter.drawText(content, flags, text());
}
