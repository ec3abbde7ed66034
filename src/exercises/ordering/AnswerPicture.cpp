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
    painter.setRenderHint(QPainter::Antialiasing);
    const double pen = std::max(1.5, height() / 60.0);
    const QRectF box = QRectF(rect()).adjusted(pen, pen, -pen, -pen);
    const double radius = std::min(box.width(), box.height()) * 0.06;
    painter.setBrush(QColor(255, 255, 255, 110));
    painter.setPen(QPen(QColor(90, 90, 90), pen, Qt::DashLine));
    painter.drawRoundedRect(box, radius, radius);
}
