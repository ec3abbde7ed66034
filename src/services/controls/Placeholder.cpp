#include "services/controls/Placeholder.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

void drawPlaceholder(QPainter& painter, const QRectF& area)
{
    const double side = std::min(area.width(), area.height());
    if (side < 4)
        return;
    const QRectF card = area.adjusted(side * 0.04, side * 0.04, -side * 0.04, -side * 0.04);
    painter.setPen(QPen(QColor(170, 175, 185), std::max(1.0, side * 0.015)));
    painter.setBrush(QColor(236, 238, 242));
    painter.drawRoundedRect(card, side * 0.06, side * 0.06);

    // A small landscape with a sun: "a picture goes here".
    const QRectF frame(card.center().x() - side * 0.25, card.center().y() - side * 0.18, side * 0.5, side * 0.36);
    painter.setPen(QPen(QColor(160, 165, 175), std::max(1.0, side * 0.02)));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(frame, side * 0.03, side * 0.03);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(200, 204, 212));
    QPainterPath hills;
    hills.moveTo(frame.left(), frame.bottom());
    hills.lineTo(frame.left() + frame.width() * 0.35, frame.top() + frame.height() * 0.45);
    hills.lineTo(frame.left() + frame.width() * 0.55, frame.top() + frame.height() * 0.7);
    hills.lineTo(frame.left() + frame.width() * 0.72, frame.top() + frame.height() * 0.55);
    hills.lineTo(frame.right(), frame.bottom());
    hills.closeSubpath();
    painter.drawPath(hills);
    painter.drawEllipse(QPointF(frame.left() + frame.width() * 0.75, frame.top() + frame.height() * 0.28), side * 0.04,
                        side * 0.04);
}
