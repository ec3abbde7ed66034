#include "exercises/ordering/DropBox.h"

#include "exercises/ordering/WordDrag.h"
#include "exercises/ordering/WordLabel.h"
#include "services/DesignForm.h"

#include <QDropEvent>

DropBox::DropBox(const QString& caption, QWidget* parent)
    : TextLabel(caption, parent)
{
    setAcceptDrops(true);
}

WordLabel* DropBox::parolaAccettata(const QDropEvent* event) const
{
    if (!isEnabled())
        return nullptr;
    auto* word = qobject_cast<WordLabel*>(WordMime::labelOf(event->mimeData()));
    // Only an enabled word of this very screen.
    if (!word || !word->isEnabled() || DesignForm::of(word) != DesignForm::of(this))
        return nullptr;
    return word;
}

void DropBox::dragEnterEvent(QDragEnterEvent* event)
{
    if (parolaAccettata(event))
        event->acceptProposedAction();
    else
        event->ignore();
}

void DropBox::dragMoveEvent(QDragMoveEvent* event)
{
    if (parolaAccettata(event))
        event->acceptProposedAction();
    else
        event->ignore();
}

void DropBox::dropEvent(QDropEvent* event)
{
    WordLabel* word = parolaAccettata(event);
    if (!word) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit dropped(word);
}
