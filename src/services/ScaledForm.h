#pragma once
// What the scaler needs of a screen: its window, the client size, the controls
// in design order and the screen it stands on.

#include <QList>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>

class ScaledForm {
public:
    virtual QWidget* scaledWindow() = 0;
    virtual QSize clientSizeTwips() const = 0;
    virtual const QList<QPointer<QWidget>>& designControls() const = 0;
    virtual QRect screenRect() const = 0;
    // Moves and sizes the window and scales its controls at once.
    virtual void setFormGeometry(const QRect& rect) = 0;

protected:
    ~ScaledForm() = default;
};
