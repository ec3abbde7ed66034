#include "Waiting.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
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

double processCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
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
