#include "exercises/ordering/WordDrag.h"

#include <QDrag>
#include <QWidget>

namespace WordDrag {

namespace {

Runner& runner()
{
    static Runner installed;
    return installed;
}

}  // namespace

void setRunner(Runner replacement)
{
    runner() = std::move(replacement);
}

Qt::DropAction esegui(QDrag& drag)
{
    if (!runner())
        return drag.exec(Qt::MoveAction);
    const Qt::DropAction action = runner()(drag);
    drag.deleteLater();
    return action;
}

}  // namespace WordDrag

WordMime::WordMime(QWidget* label)
    : label_(label)
{
    setData(WordDrag::MimeType, label->objectName().toUtf8());
}

QWidget* WordMime::labelOf(const QMimeData* data)
{
    const auto* word = qobject_cast<const WordMime*>(data);
    if (!word || !word->hasFormat(WordDrag::MimeType))
        return nullptr;
    return word->label();
}
