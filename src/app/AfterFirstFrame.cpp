#include "app/AfterFirstFrame.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <utility>

namespace {

class FirstFrameWatch : public QObject {
public:
    explicit FirstFrameWatch(std::function<void()> task)
        : QObject(qApp)
        , task_(std::move(task))
    {
        qApp->installEventFilter(this);
        QTimer::singleShot(500, this, &FirstFrameWatch::run);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        // Queued twice: after the rest of the frame and what its painting queued.
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            QMetaObject::invokeMethod(
                this, [this] { QMetaObject::invokeMethod(this, &FirstFrameWatch::run, Qt::QueuedConnection); },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    void run()
    {
        qApp->removeEventFilter(this);
        if (task_)
            std::exchange(task_, nullptr)();
        deleteLater();
    }

    std::function<void()> task_;
    bool seen_ = false;
};

}  // namespace

void afterFirstFrame(std::function<void()> task)
{
    new FirstFrameWatch(std::move(task));
}
