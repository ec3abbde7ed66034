#include "services/speech/DeviceThread.h"

#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

namespace {
// How often the heard position is published while a text plays.
constexpr int TickMs = 5;
// How long the interface thread waits at the end for a thread that is not stuck.
constexpr auto EndWait = std::chrono::milliseconds(100);

std::atomic<int> leftStuck{0};
}  // namespace

struct DeviceThread::Shared {
    struct Request {
        quint64 number;
        quint64 job;  // 0: halt
        Utterance sound;
    };
    mutable std::mutex lock;
    std::condition_variable wake;
    std::condition_variable ended;
    quint64 requests = 0;
    std::optional<Request> waiting;  // only the latest request counts
    bool quit = false;
    bool done = false;
    Progress progress;
    SoundClock clock = steadyClock();

    bool superseded() const { return waiting || quit; }
    void publish(State state, qint64 heard)
    {
        std::lock_guard guard(lock);
        progress.state = state;
        progress.heard = heard;
        progress.beatUs = clock();
    }
};

namespace {

using Shared = DeviceThread::Shared;
using State = DeviceThread::State;

// Plays one text to its end, its failure or the next request. The output goes
// after the loop has ended, so that nothing of ours runs again inside the
// event loop a sink may run while it is destroyed.
void playOne(Shared& shared, const DeviceOutputs& outputs, const Utterance& sound, QEventLoop& loop)
{
    std::unique_ptr<SoundOutput> output = outputs ? outputs() : nullptr;
    if (!output || !output->start(sound, 0)) {
        shared.publish(State::Failed, 0);
        return;
    }
    QTimer tick;
    tick.setInterval(TickMs);
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        const qint64 heard = output->playedSamples();
        const State state = output->failed() ? State::Failed : output->finished() ? State::Finished : State::Playing;
        shared.publish(state, heard);
        std::lock_guard guard(shared.lock);
        if (state != State::Playing || shared.superseded())
            loop.quit();
    });
    tick.start();
    loop.exec();
    tick.stop();
    output.reset();
}

void run(const std::shared_ptr<Shared>& shared, const DeviceOutputs& outputs)
{
    // Made first: it gives the thread the event dispatcher that the sound
    // library's timers need.
    QEventLoop loop;
    for (;;) {
        Shared::Request request;
        {
            std::unique_lock guard(shared->lock);
            shared->wake.wait(guard, [&] { return shared->superseded(); });
            if (shared->quit)
                break;
            request = std::move(*shared->waiting);
            shared->waiting.reset();
            shared->progress = {request.number, request.job, request.job ? State::Playing : State::Idle, 0,
                                shared->clock()};
        }
        if (request.job)
            playOne(*shared, outputs, request.sound, loop);
    }
    std::lock_guard guard(shared->lock);
    shared->done = true;
    shared->ended.notify_all();
}

}  // namespace

DeviceThread::DeviceThread(DeviceOutputs outputs)
    : shared_(std::make_shared<Shared>())
{
    std::thread([shared = shared_, outputs = std::move(outputs)] { run(shared, outputs); }).detach();
}

DeviceThread::~DeviceThread()
{
    std::unique_lock guard(shared_->lock);
    shared_->quit = true;
    shared_->wake.notify_all();
    if (!shared_->ended.wait_for(guard, EndWait, [this] { return shared_->done; }))
        ++leftStuck;
}

bool DeviceThread::anyLeftStuck()
{
    return leftStuck > 0;
}

quint64 DeviceThread::play(quint64 job, const Utterance& sound)
{
    std::lock_guard guard(shared_->lock);
    const quint64 number = ++shared_->requests;
    shared_->waiting = Shared::Request{number, job, sound};
    shared_->wake.notify_all();
    return number;
}

quint64 DeviceThread::halt()
{
    return play(0, {});
}

DeviceThread::Progress DeviceThread::progress() const
{
    std::lock_guard guard(shared_->lock);
    return shared_->progress;
}
