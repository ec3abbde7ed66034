#pragma once
// Plays a sound on an audio device. Made, used and destroyed on the sound
// device's own thread only (see DeviceThread): its calls may wait for the
// sound server as long as the server hangs.

#include "services/speech/SoundOutput.h"

#include <QAudioDevice>
#include <memory>

class QAudioSink;
class QBuffer;

class SinkOutput : public SoundOutput {
public:
    explicit SinkOutput(const QAudioDevice& device);
    ~SinkOutput() override;
    bool start(const Utterance& sound, qint64 fromSample) override;
    qint64 playedSamples() const override;
    bool finished() const override;
    bool failed() const override;

private:
    QAudioDevice device_;
    std::unique_ptr<QAudioSink> sink_;
    // What the sink reads; the sink's child, so it lives as long as the sink.
    QBuffer* buffer_ = nullptr;
    SoundClock clock_ = steadyClock();
    mutable qint64 drainedUs_ = -1;  // when the last sample handed over will have been heard
    qint64 fromSample_ = 0;
    qint64 total_ = 0;
    int rate_ = 22050;
};

// Outputs on the default device of the moment; called on the device's thread.
DeviceOutputs systemDevice();
