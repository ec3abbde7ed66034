#include "services/controls/PictureImage.h"

#include "services/Artwork.h"
#include "services/controls/Placeholder.h"

#include <QMouseEvent>
#include <QPainter>

PictureImage::PictureImage(QWidget* parent)
    : QWidget(parent)
{
}

void PictureImage::setPicture(const QImage& image)
{
    image_ = image;
    artwork_.clear();
    empty_ = false;
    update();
}

void PictureImage::setArtwork(const QString& name)
{
    image_ = QImage();
    artwork_ = name;
    empty_ = false;
    update();
}

void PictureImage::clear()
{
    image_ = QImage();
    artwork_.clear();
    empty_ = true;
    update();
}

void PictureImage::paintEvent(QPaintEvent*)
{
    if (empty_)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!artwork_.isEmpty()) {
        Artwork::paint(painter, artwork_, QRectF(rect()));
        return;
    }
    if (image_.isNull()) {
        drawPlaceholder(painter, QRectF(rect()));
        return;
    }
    const QSizeF fitted = QSizeF(image_.size()).scaled(QSizeF(size()), Qt::KeepAspectRatio);
    const QRectF target(QPointF((width() - fitted.width()) / 2.0, (height() - fitted.height()) / 2.0), fitted);
    painter.drawImage(target, image_);
}

void PictureImage::mousePressEvent(QMouseEvent* event)
{
    event->accept();
}

void PictureImage::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}
