#pragma once
// Icons, button pictures and pointers, drawn from the vector artwork in the
// program's resources at whatever size and pixel density they are needed.

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QRectF>
#include <QString>

class QPainter;

namespace Artwork {

// The resource path of an icon by name, e.g. "right" -> ":/icons/right.svg".
QString resourcePath(const QString& name);
bool exists(const QString& name);

// Draws the icon into the area, aspect kept; draws nothing when it is missing.
void paint(QPainter& painter, const QString& name, const QRectF& area);
QPixmap pixmap(const QString& name, const QSize& size, qreal devicePixelRatio = 1.0);
// The icon at the usual window and task bar sizes; an empty icon when it is missing.
QIcon icon(const QString& name);

enum class Pointer {
    Hand,     // the welcome screen and the menu buttons
    Arrow,    // the large white arrow over pictures and words
    Next,     // the next arrow over Command1
};
// The pointer at a size that suits the screen; the system's pointer when the artwork is missing.
QCursor pointer(Pointer which);

}  // namespace Artwork
