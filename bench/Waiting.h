#pragma once
// Waiting in the bench without waking up the process: a real event loop, never
// a polling sleep, so idle figures show the program's own wake-ups only.

#include <QElapsedTimer>
#include <QObject>
#include <functional>

// Calls back once, on the first paint of any widget after installation.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(std::function<void()> done);
    ~FirstPaint() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> done_;
};

// Times, on `clock`, the end of the latest frame that painted anything but a
// speaking mouth (which moves for as long as it talks).
class LastPaint : public QObject {
public:
    explicit LastPaint(const QElapsedTimer& clock);
    ~LastPaint() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Milliseconds on the clock; 0 before any such paint.
    double ms() const { return lastNs_ / 1e6; }
    // The interface thread's and the whole process's CPU time when that frame
    // ended, and the frames so far.
    double threadCpuMs() const { return lastThreadCpuMs_; }
    double processCpuMs() const { return lastProcessCpuMs_; }
    int frames() const { return frames_; }

private:
    const QElapsedTimer& clock_;
    qint64 lastNs_ = 0;
    double lastThreadCpuMs_ = 0;
    double lastProcessCpuMs_ = 0;
    int frames_ = 0;
    bool pending_ = false;
};

// Runs the event loop until `done` says so or `timeoutMs` pass; false on timeout.
bool waitUntil(const std::function<bool()>& done, int timeoutMs);
// Runs the event loop for `ms` without a poll of its own.
void idleFor(int ms);
// Runs the event loop until nothing but a speaking mouth has painted for `ms`,
// counted on `painted`'s clock from now or from its last paint.
void waitUntilQuiet(const LastPaint& painted, const QElapsedTimer& clock, int ms);
// The same with a clock of its own: before a click, so that the frame the
// window system is still drawing is not timed as part of what the click does.
void waitUntilQuiet(int ms);

// CPU time of the whole process, all threads, in milliseconds.
double processCpuMs();
// CPU time of the calling thread: unlike the wall clock, it holds still while
// other work on a shared machine has the cores.
double threadCpuMs();
// CPU used by the process over `ms` of an idle event loop, in percent of one core.
double idleCpuPercent(int ms);
// Peak resident memory of the process so far, in MiB.
double peakRssMb();
