#pragma once
// The sound device on a thread of its own. The sound server may refuse a
// stream, die or hang inside any call of the sound library; only this thread
// ever waits for it. The interface thread leaves requests and reads how far
// the sound has been heard, under a lock that is never held across a call to
// the device.

#include "services/speech/SoundOutput.h"

#include <memory>

class DeviceThread {
public:
    enum class State { Idle, Playing, Finished, Failed };
    struct Progress {
        quint64 taken = 0;  // the last request the thread has begun on
        quint64 job = 0;    // the text of that request, 0 for a halt
        State state = State::Idle;
        qint64 heard = 0;   // samples of that text heard so far
        qint64 beatUs = 0;  // steady clock when the thread last showed it is not stuck
    };

    explicit DeviceThread(DeviceOutputs outputs);
    // Asks the thread to end and leaves it: a thread stuck in the sound
    // library ends when (if ever) the library returns.
    ~DeviceThread();
    DeviceThread(const DeviceThread&) = delete;
    DeviceThread& operator=(const DeviceThread&) = delete;

    // Plays a text from its start instead of anything else; both return the
    // number of the request, which progress().taken reaches once it is begun.
    quint64 play(quint64 job, const Utterance& sound);
    quint64 halt();
    Progress progress() const;

    // Whether a device thread is still inside the sound library after its
    // owner let it go. The library's own clean-up at exit would wait for it
    // forever, so the process must then end without running it.
    static bool anyLeftStuck();

    struct Shared;  // what the thread and its owner both hold

private:
    std::shared_ptr<Shared> shared_;
};
