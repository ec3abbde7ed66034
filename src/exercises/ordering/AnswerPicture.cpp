#include "exercises/ordering/AnswerPicture.h"

#include <QPainter>
#include <algorithm>

void AnswerPicture::paintEvent(QPaintEvent* event)
{
    if (!isEmpty()) {
        PictureImage::paintEvent(event);
        return;
    }
    QPainter painter(this);
    const double pen = std::max(1.5, height() / 60.0);
    const QRectF box = QRectF(rect()).adjusted(pen, pen, -pen, -pen);
    const double radius = std::min(box.width(), box.height()) * 0.06;
    // The pale fill's edge lies under the dashes: smoothing it would cost
    // more than the rest of the box and show nowhere.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 110));
    painter.drawRoundedRect(box, radius, radius);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(90, 90, 90), pen, Qt::DashLine));
    painter.drawRoundedRect(box, radius, radius);
}
