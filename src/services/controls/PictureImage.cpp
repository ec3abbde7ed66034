#include "services/controls/PictureImage.h"

#include "services/Artwork.h"
#include "services/Pictures.h"
#include "services/controls/Placeholder.h"

#include <QMouseEvent>
#include <QPainter>

PictureImage::PictureImage(QWidget* parent)
    : QWidget(parent)
{
}

void PictureImage::showPicture(const QString& word)
{
    setPicture(QImage());
    word_ = word;
}

void PictureImage::setPicture(const QImage& image)
{
    image_ = image;
    word_.clear();
    decodedFor_ = QSize();
    artwork_.clear();
    empty_ = false;
    update();
}

void PictureImage::setArtwork(const QString& name)
{
    image_ = QImage();
    word_.clear();
    artwork_ = name;
    empty_ = false;
    update();
}

void PictureImage::clear()
{
    image_ = QImage();
    word_.clear();
    artwork_.clear();
    empty_ = true;
    update();
}

QSize PictureImage::pixelSize() const
{
    return (QSizeF(size()) * devicePixelRatioF()).toSize();
}

const QImage& PictureImage::picture() const
{
    const QSize shown = pixelSize();
    // A broken file is tried again only when the control grows.
    if (!word_.isEmpty() && (decodedFor_.isEmpty() || shown.width() > decodedFor_.width()
                             || shown.height() > decodedFor_.height())) {
        decodedFor_ = shown.expandedTo(QSize(1, 1));
        image_ = Pictures::carica(word_, decodedFor_);
    }
    return image_;
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
    if (picture().isNull()) {
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
