#pragma once
// A box that takes a dropped word label of its own screen while it is enabled.

#include "services/controls/TextLabel.h"

class WordLabel;

class DropBox : public TextLabel {
    Q_OBJECT
public:
    explicit DropBox(const QString& caption = {}, QWidget* parent = nullptr);

signals:
    void dropped(WordLabel* source);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The word being dropped, or null when this box must refuse the drop.
    WordLabel* parolaAccettata(const QDropEvent* event) const;
};
