#include "services/speech/SoundOutput.h"

#include <QElapsedTimer>
#include <algorithm>

SoundClock steadyClock()
{
    return [] {
        static QElapsedTimer since = [] {
            QElapsedTimer timer;
            timer.start();
            return timer;
        }();
        return since.nsecsElapsed() / 1000;
    };
}

ClockOutput::ClockOutput(SoundClock clock)
    : clock_(std::move(clock))
{
}

bool ClockOutput::start(const Utterance& sound, qint64 fromSample)
{
    rate_ = sound.sampleRate;
    total_ = sound.samples.size();
    startedUs_ = clock_() - fromSample * 1000000 / rate_;
    return true;
}

qint64 ClockOutput::playedSamples() const
{
    return std::clamp<qint64>((clock_() - startedUs_) * rate_ / 1000000, 0, total_);
}
