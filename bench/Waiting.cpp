#include "Waiting.h"

#include "services/speech/SpeechControl.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QFile>
#include <QPaintEvent>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <ctime>

FirstPaint::FirstPaint(std::function<void()> done)
    : done_(std::move(done))
{
    qApp->installEventFilter(this);
}

FirstPaint::~FirstPaint()
{
    qApp->removeEventFilter(this);
}

bool FirstPaint::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == QEvent::Paint && done_) {
        auto done = std::move(done_);
        done_ = nullptr;
        // After the paint itself has run.
        QTimer::singleShot(0, done);
    }
    return false;
}

LastPaint::LastPaint(const QElapsedTimer& clock)
    : clock_(clock)
{
    qApp->installEventFilter(this);
}

LastPaint::~LastPaint()
{
    qApp->removeEventFilter(this);
}

namespace {

// A paint of the mouth itself, or of what lies under it: a mouth draws no
// background of its own, so its parent repaints beneath it each frame.
bool onlyTheMouth(QWidget* widget, const QRegion& region)
{
    if (qobject_cast<SpeechControl*>(widget))
        return true;
    QRegion rest = region;
    for (const SpeechControl* mouth : widget->window()->findChildren<SpeechControl*>())
        if (mouth->isVisible())
            rest -= QRect(mouth->mapTo(widget, QPoint(0, 0)), mouth->size());
    return rest.isEmpty();
}

}  // namespace

bool LastPaint::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Paint || pending_ || !watched->isWidgetType())
        return false;
    if (onlyTheMouth(static_cast<QWidget*>(watched), static_cast<QPaintEvent*>(event)->region()))
        return false;
    pending_ = true;
    // When the whole frame has been painted.
    QTimer::singleShot(0, this, [this] {
        pending_ = false;
        lastNs_ = clock_.nsecsElapsed();
        lastThreadCpuMs_ = ::threadCpuMs();
        lastProcessCpuMs_ = ::processCpuMs();
        ++frames_;
    });
    return false;
}

bool waitUntil(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        const qint64 left = timeoutMs - clock.elapsed();
        if (left <= 0)
            return false;
        // Wakes on any event; the timer only bounds the wait.
        QEventLoop loop;
        QTimer::singleShot(int(std::min<qint64>(left, 50)), &loop, &QEventLoop::quit);
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

void idleFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void waitUntilQuiet(const LastPaint& painted, const QElapsedTimer& clock, int ms)
{
    for (const double since = clock.elapsed(); clock.elapsed() - std::max(since, painted.ms()) < ms;)
        idleFor(ms / 4);
}

void waitUntilQuiet(int ms)
{
    QElapsedTimer clock;
    const LastPaint painted(clock);
    clock.start();
    waitUntilQuiet(painted, clock, ms);
}

double processCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

double idleCpuPercent(int ms)
{
    QElapsedTimer wall;
    const double before = processCpuMs();
    wall.start();
    idleFor(ms);
    return (processCpuMs() - before) * 100 / double(wall.elapsed());
}

double peakRssMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    return 0;
}
