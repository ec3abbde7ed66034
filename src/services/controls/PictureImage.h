#pragma once
// A picture control: shows an image filling its place with the aspect kept,
// or a neutral drawn card when there is no usable image. Clickable while enabled.

#include <QDeadlineTimer>
#include <QFutureWatcher>
#include <QImage>
#include <QWidget>

class PictureImage : public QWidget {
    Q_OBJECT
public:
    explicit PictureImage(QWidget* parent = nullptr);
    ~PictureImage() override;

    // The word's picture, decoded off the interface thread at the size it is
    // shown at, and again when the control grows past it; the placeholder shows
    // until the first decode is done.
    void showPicture(const QString& word);
    void setPicture(const QImage& image);
    // What another control shows; a picture still decoding there is decoded here too.
    void showSameAs(const PictureImage& other);
    // Other words' pictures, decoded at this control's size once the control
    // is first drawn, so that they are kept for a coming round.
    void anticipa(const QStringList& words);
    // Named vector artwork, drawn at the control's own size so it stays sharp on any screen.
    void setArtwork(const QString& name);
    const QString& artwork() const { return artwork_; }
    const QImage& picture() const { return image_; }
    bool showsPlaceholder() const { return !empty_ && artwork_.isEmpty() && image_.isNull(); }
    // Empty: no picture and no placeholder (design state, found words).
    void clear();
    bool isEmpty() const { return empty_; }
    // Where the picture stands on the control as drawn: a photo keeps its
    // proportions, so it may leave bands at two sides; artwork and the
    // placeholder take the whole control. Clicks count only here.
    QRectF drawnRect() const;

    // Something answers its click.
    bool isClickable() const;

    // The control lying wholly over it, as a memory card's cover; null when none does.
    // A covered picture is decoded when it is uncovered: a child may never turn it.
    QWidget* copertura() const;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QSize pixelSize() const;
    void mostra(const QImage& image, const QString& artwork, bool empty);
    // Asked for after the screen has laid itself out, so one decode is made at the final size.
    void chiediDecodifica();
    void decodifica();
    void decodificato();
    // Shows the result of a finished decode, once; false when there is none new.
    bool prendiDecodifica();

    QImage image_;
    QString word_;  // the picture to decode, when it comes from a file
    QSize decodedFor_;  // the control size the decode done or under way is for
    QFutureWatcher<QImage> decoding_;
    bool decodePreso_ = false;  // the decode's result is on show already
    QDeadlineTimer attesa_;  // until when a frame waits for the decode under way
    QString artwork_;
    bool empty_ = true;
    bool pressedOnPicture_ = false;
    QStringList daAnticipare_;
};
