#include "services/controls/ShapeOutline.h"

#include <QPainter>
#include <algorithm>

ShapeOutline::ShapeOutline(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeOutline::setBorder(const QColor& color, int designPixels)
{
    color_ = color;
    designPixels_ = designPixels;
    update();
}

void ShapeOutline::paintEvent(QPaintEvent*)
{
    // The border grows with the outline, as it was designed on a 200-pixel picture.
    const double pen = std::max(1.0, designPixels_ * std::min(width(), height()) / 193.0);
    QPainter painter(this);
    painter.setPen(QPen(color_, pen, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(rect()).adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2));
}
