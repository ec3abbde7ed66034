#pragma once
// Dragging a word label: the data a drag carries and how a drag is run.

#include <QMimeData>
#include <QPointer>
#include <functional>

class QDrag;
class QWidget;

namespace WordDrag {

inline const QString MimeType = QStringLiteral("application/x-quillet-word-label");

// Runs the drag and returns what the drop did. Tests put their own runner in
// place of the platform's, which would wait for a real pointer.
using Runner = std::function<Qt::DropAction(QDrag&)>;
void setRunner(Runner runner);
Qt::DropAction esegui(QDrag& drag);

}  // namespace WordDrag

// The data of a word drag: the label itself, known only inside this program.
// A drop that carries the type but comes from elsewhere has no label.
class WordMime : public QMimeData {
    Q_OBJECT
public:
    explicit WordMime(QWidget* label);

    QWidget* label() const { return label_; }
    // The dragged label, or null when the data is not a word drag of this program.
    static QWidget* labelOf(const QMimeData* data);

private:
    QPointer<QWidget> label_;
};
