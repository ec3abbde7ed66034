#include "services/controls/PictureImage.h"

#include "services/Artwork.h"
#include "services/Pictures.h"
#include "services/controls/DisabledLook.h"
#include "services/controls/Placeholder.h"

#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <utility>

namespace {

// From the decode's start: a new screen's first frame comes some 10 ms after it,
// and a frame of its own for the picture costs as much again. A slow picture
// shows the placeholder first.
constexpr int AttesaMassimaMs = 20;

}  // namespace

PictureImage::PictureImage(QWidget* parent)
    : QWidget(parent)
{
    connect(&decoding_, &QFutureWatcher<QImage>::finished, this, &PictureImage::decodificato);
}

bool PictureImage::isClickable() const
{
    return isSignalConnected(QMetaMethod::fromSignal(&PictureImage::clicked));
}

PictureImage::~PictureImage()
{
    decoding_.future().cancel();
}

void PictureImage::mostra(const QImage& image, const QString& artwork, bool empty)
{
    decoding_.future().cancel();
    decoding_.setFuture(QFuture<QImage>());
    image_ = image;
    word_.clear();
    decodedFor_ = QSize();
    artwork_ = artwork;
    empty_ = empty;
    update();
}

void PictureImage::showPicture(const QString& word)
{
    mostra(QImage(), QString(), false);
    word_ = word;
    chiediDecodifica();
}

void PictureImage::setPicture(const QImage& image)
{
    mostra(image, QString(), false);
}

void PictureImage::showSameAs(const PictureImage& other)
{
    if (other.image_.isNull() && !other.word_.isEmpty())
        showPicture(other.word_);
    else
        setPicture(other.image_);
}

void PictureImage::anticipa(const QStringList& words)
{
    daAnticipare_ = words;
}

void PictureImage::setArtwork(const QString& name)
{
    mostra(QImage(), name, false);
}

void PictureImage::clear()
{
    mostra(QImage(), QString(), true);
}

QSize PictureImage::pixelSize() const
{
    return (QSizeF(size()) * devicePixelRatioF()).toSize();
}

void PictureImage::chiediDecodifica()
{
    QMetaObject::invokeMethod(this, &PictureImage::decodifica, Qt::QueuedConnection);
}

void PictureImage::decodifica()
{
    const QSize shown = pixelSize().expandedTo(QSize(1, 1));
    // A broken file is tried again only when the control grows.
    if (word_.isEmpty() || (shown.width() <= decodedFor_.width() && shown.height() <= decodedFor_.height())
        || copertura())
        return;
    decoding_.future().cancel();
    decodedFor_ = shown;
    decodePreso_ = false;
    attesa_.setRemainingTime(AttesaMassimaMs);
    decoding_.setFuture(Pictures::caricaInSottofondo(word_, shown));
}

void PictureImage::decodificato()
{
    // A covered picture is drawn when it is uncovered; a frame now would show nothing new.
    if (prendiDecodifica() && !copertura())
        update();
}

QWidget* PictureImage::copertura() const
{
    const QWidget* parent = parentWidget();
    if (!parent)
        return nullptr;
    // Siblings later in the list lie above.
    const QObjectList& siblings = parent->children();
    for (qsizetype i = siblings.indexOf(const_cast<PictureImage*>(this)) + 1; i < siblings.size(); ++i) {
        auto* above = qobject_cast<QWidget*>(siblings[i]);
        if (above && above->isVisible() && above->testAttribute(Qt::WA_OpaquePaintEvent)
            && above->geometry().contains(geometry()))
            return above;
    }
    return nullptr;
}

bool PictureImage::prendiDecodifica()
{
    const QFuture<QImage> done = decoding_.future();
    if (decodePreso_ || !done.isFinished() || done.isCanceled() || done.resultCount() == 0)
        return false;
    image_ = done.result();
    decodePreso_ = true;
    return true;
}

void PictureImage::resizeEvent(QResizeEvent*)
{
    if (!word_.isEmpty())
        chiediDecodifica();
}

QRectF PictureImage::drawnRect() const
{
    if (empty_)
        return {};
    if (!artwork_.isEmpty() || image_.isNull())
        return QRectF(rect());
    const QSizeF fitted = QSizeF(image_.size()).scaled(QSizeF(size()), Qt::KeepAspectRatio);
    return QRectF(QPointF((width() - fitted.width()) / 2.0, (height() - fitted.height()) / 2.0), fitted);
}

void PictureImage::paintEvent(QPaintEvent*)
{
    // After this frame, so that they never share the cores with its painting.
    if (!daAnticipare_.isEmpty())
        QMetaObject::invokeMethod(
            this, [this, words = std::exchange(daAnticipare_, {})] { Pictures::anticipa(words, pixelSize()); },
            Qt::QueuedConnection);
    if (empty_)
        return;
    // Uncovered since its decode was skipped: decoded now, and drawn in this frame when it is quick.
    decodifica();
    // A decode done by then is drawn in this frame, not in one of its own.
    if (!decodePreso_ && !attesa_.hasExpired())
        Pictures::attendi(decoding_.future(), attesa_);
    prendiDecodifica();
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled())
        painter.setOpacity(DisabledLook::Opacita);
    if (!artwork_.isEmpty())
        Artwork::paint(painter, artwork_, drawnRect());
    else if (image_.isNull())
        drawPlaceholder(painter, drawnRect());
    else
        painter.drawImage(drawnRect(), image_);
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
