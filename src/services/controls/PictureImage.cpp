#include "services/controls/PictureImage.h"

#include "services/Artwork.h"
#include "services/Pictures.h"
#include "services/controls/Accessibility.h"
#include "services/controls/DisabledLook.h"
#include "services/controls/Placeholder.h"

#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>

PictureImage::PictureImage(QWidget* parent)
    : QWidget(parent)
{
    Accessibility::install();
}

bool PictureImage::isClickable() const
{
    return isSignalConnected(QMetaMethod::fromSignal(&PictureImage::clicked));
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

QRectF PictureImage::drawnRect() const
{
    if (empty_)
        return {};
    if (!artwork_.isEmpty() || picture().isNull())
        return QRectF(rect());
    const QSizeF fitted = QSizeF(picture().size()).scaled(QSizeF(size()), Qt::KeepAspectRatio);
    return QRectF(QPointF((width() - fitted.width()) / 2.0, (height() - fitted.height()) / 2.0), fitted);
}

void PictureImage::paintEvent(QPaintEvent*)
{
    if (empty_)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled())
        painter.setOpacity(DisabledLook::Opacita);
    if (!artwork_.isEmpty())
        Artwork::paint(painter, artwork_, drawnRect());
    else if (picture().isNull())
        drawPlaceholder(painter, drawnRect());
    else
        painter.drawImage(drawnRect(), picture());
}

void PictureImage::mousePressEvent(QMouseEvent* event)
{
    pressedOnPicture_ = drawnRect().contains(event->position());
    event->accept();
}

void PictureImage::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && pressedOnPicture_ && drawnRect().contains(event->position()))
        emit clicked();
}
