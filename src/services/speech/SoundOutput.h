#pragma once
// Where the samples of a text go, and how far their playing has come.

#include "services/speech/Utterance.h"

#include <functional>
#include <memory>

class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // Starts playing the sound from a sample on; false when it cannot play.
    virtual bool start(const Utterance& sound, qint64 fromSample) = 0;
    // Samples heard so far.
    virtual qint64 playedSamples() const = 0;
    virtual bool finished() const = 0;
    // The output stopped by itself (device gone); playedSamples() says where.
    virtual bool failed() const = 0;
};

// Microseconds since some fixed moment.
using SoundClock = std::function<qint64()>;
SoundClock steadyClock();

// Plays nothing, but "plays" the samples in the time they would take, so the
// mouth and the queue behave the same without a sound card.
class ClockOutput : public SoundOutput {
public:
    explicit ClockOutput(SoundClock clock);
    bool start(const Utterance& sound, qint64 fromSample) override;
    qint64 playedSamples() const override;
    bool finished() const override { return playedSamples() >= total_; }
    bool failed() const override { return false; }

private:
    SoundClock clock_;
    qint64 startedUs_ = 0;
    qint64 total_ = 0;
    int rate_ = 22050;
};

// Makes an output on the sound device, or null when the machine has none.
// Called on the device's thread, where the output then lives.
using DeviceOutputs = std::function<std::unique_ptr<SoundOutput>()>;
