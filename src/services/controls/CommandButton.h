#pragma once
// A push button with a coloured face, an optional picture and a caption that
// wraps and shrinks to fit its place.

#include "services/controls/CaptionFit.h"

#include <QAbstractButton>
#include <QColor>

class CommandButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit CommandButton(const QString& caption = {}, QWidget* parent = nullptr);

    void setFaceColor(const QColor& color);
    QColor faceColor() const { return face_; }
    // An icon of the resources, drawn at the button's size.
    void setPictureName(const QString& name);
    const QString& pictureName() const { return pictureName_; }

    QSize sizeHint() const override { return {120, 60}; }
    // The caption's lines and size as the button draws them at its size.
    CaptionFit captionLayout() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The face less its margins, where the picture and the caption go.
    QRectF contentRect() const;
    // The width the caption leaves beside it at its own size.
    double roomBeside(const QRectF& content) const;
    // The picture goes beside the caption, or above it when the caption would have to shrink there.
    bool pictureAbove(const QRectF& content) const;
    double captionHeight(const QRectF& content) const;
    QRectF pictureRect(const QRectF& content) const;
    QRectF captionRect(const QRectF& content) const;

    QColor face_;
    QString pictureName_;
};
