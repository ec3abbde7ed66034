#include "services/speech/SinkOutput.h"

#include <QAudioSink>
#include <QMediaDevices>
#include <algorithm>

namespace {
// The server's buffer for the stream. Left to the server it may hold seconds,
// and a click would be heard that much later; much less and the sound breaks
// up whenever this thread is late by a few of its 20 ms turns.
constexpr int BufferMs = 60;
}  // namespace

SinkOutput::SinkOutput(const QAudioDevice& device)
    : device_(device)
{
}

SinkOutput::~SinkOutput()
{
    if (sink_)
        sink_->stop();
}

bool SinkOutput::start(const Utterance& sound, qint64 fromSample)
{
    rate_ = sound.sampleRate;
    total_ = sound.samples.size();
    fromSample_ = std::clamp<qint64>(fromSample, 0, total_);
    QAudioFormat format;
    format.setSampleRate(rate_);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!device_.isFormatSupported(format))
        return false;
    bytes_ = QByteArray(reinterpret_cast<const char*>(sound.samples.constData() + fromSample_),
                        (total_ - fromSample_) * qsizetype(sizeof(qint16)));
    buffer_.setBuffer(&bytes_);
    buffer_.open(QIODevice::ReadOnly);
    sink_ = std::make_unique<QAudioSink>(device_, format);
    sink_->setBufferSize(format.bytesForDuration(BufferMs * 1000));
    sink_->start(&buffer_);
    // With no usable device the sink fails at once and sends no signal.
    return sink_->error() == QAudio::NoError && sink_->state() != QAudio::StoppedState;
}

qint64 SinkOutput::playedSamples() const
{
    if (!sink_)
        return fromSample_;
    if (finished())
        return total_;
    // Handed to the server, less what still waits in its buffer: what is
    // being heard, not what was handed over.
    const qint64 handed = sink_->processedUSecs() * rate_ / 1000000;
    const qint64 waiting = (sink_->bufferSize() - sink_->bytesFree()) / qint64(sizeof(qint16));
    const qint64 heard = std::clamp<qint64>(fromSample_ + handed - waiting, fromSample_, total_);
    // The sink may say it is idle long after its last sample was heard (a
    // second and more): once all is handed over, the rest takes its own time.
    if (drainedUs_ < 0 && buffer_.atEnd())
        drainedUs_ = clock_() + (total_ - heard) * 1000000 / rate_;
    return drainedUs_ < 0 ? heard : std::max(heard, total_ - (drainedUs_ - clock_()) * rate_ / 1000000);
}

bool SinkOutput::finished() const
{
    return sink_ && buffer_.atEnd()
           && (sink_->state() == QAudio::IdleState || (drainedUs_ >= 0 && clock_() >= drainedUs_));
}

bool SinkOutput::failed() const
{
    return !sink_ || (sink_->state() == QAudio::StoppedState && sink_->error() != QAudio::NoError);
}

DeviceOutputs systemDevice()
{
    return []() -> std::unique_ptr<SoundOutput> {
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull())
            return nullptr;
        return std::make_unique<SinkOutput>(device);
    };
}
