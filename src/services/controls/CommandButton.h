#pragma once
// A push button with a coloured face, an optional picture and a caption that
// wraps and shrinks to fit its place.

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

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor face_;
    QString pictureName_;
};
