#include "exercises/ordering/WordLabel.h"

#include "exercises/ordering/WordDrag.h"

#include <QApplication>
#include <QDrag>
#include <QMouseEvent>

void WordLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return TextLabel::mousePressEvent(event);
    pressed_ = true;
    pressedAt_ = event->position().toPoint();
    event->accept();
}

void WordLabel::mouseMoveEvent(QMouseEvent* event)
{
    // A small move first, so a finger's tremble on a tap starts no drag.
    if (!pressed_ || (event->position().toPoint() - pressedAt_).manhattanLength() < QApplication::startDragDistance())
        return;
    pressed_ = false;
    trascina();
}

void WordLabel::mouseReleaseEvent(QMouseEvent* event)
{
    pressed_ = false;
    TextLabel::mouseReleaseEvent(event);
}

void WordLabel::trascina()
{
    auto* drag = new QDrag(this);
    drag->setMimeData(new WordMime(this));
    drag->setPixmap(grab());
    drag->setHotSpot(pressedAt_);
    WordDrag::esegui(*drag);
}
