#pragma once
// A word the child drags: pressing on it and moving starts a drag that shows
// the word under the pointer. A disabled label cannot be dragged.

#include "services/controls/TextLabel.h"

class WordLabel : public TextLabel {
    Q_OBJECT
public:
    using TextLabel::TextLabel;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void trascina();

    bool pressed_ = false;
    QPoint pressedAt_;
};
