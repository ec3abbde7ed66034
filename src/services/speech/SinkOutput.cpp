#include "services/speech/SinkOutput.h"

#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>
#include <algorithm>
#include <mutex>
#include <vector>

namespace {
// The server's buffer for the stream. Left to the server it may hold seconds,
// and a click would be heard that much later; much less and the sound breaks
// up whenever this thread is late by a few of its 20 ms turns.
constexpr int BufferMs = 60;
// Qt 6.4's sink asks the server to drain a stream whose source has run out,
// to be told with the sink itself as the callback's data, and does not take
// that back when it closes the stream: the server's answer can still come
// after the sink was deleted, and the sound library's thread then wrote into
// freed memory (a crash in about one run of the pulse bench in twenty). A
// closed sink is deleted only once any answer has long come.
constexpr qint64 ClosedSinkKeptUs = 10'000'000;

// The closed sinks of this thread: a sink is deleted on the thread it lives on.
class ClosedSinks {
public:
    void keep(std::unique_ptr<QAudioSink> sink)
    {
        const qint64 now = clock_();
        std::erase_if(sinks_, [now](const Kept& kept) { return now - kept.closedUs > ClosedSinkKeptUs; });
        sinks_.push_back({std::move(sink), now});
    }
    // The thread ends: what may still be answered is left alive for good,
    // out of reach of the clean-up at exit too.
    ~ClosedSinks()
    {
        static std::mutex lock;
        static auto* leftAlive = new std::vector<QAudioSink*>;
        std::lock_guard guard(lock);
        for (Kept& kept : sinks_)
            leftAlive->push_back(kept.sink.release());
    }

private:
    struct Kept {
        std::unique_ptr<QAudioSink> sink;
        qint64 closedUs;
    };
    std::vector<Kept> sinks_;
    SoundClock clock_ = steadyClock();
};
thread_local ClosedSinks closedSinks;
}  // namespace

SinkOutput::SinkOutput(const QAudioDevice& device)
    : device_(device)
{
}

SinkOutput::~SinkOutput()
{
    if (!sink_)
        return;
    sink_->stop();
    // Closed, the sink reads no more: only the sink itself is kept, not the sound.
    buffer_->close();
    buffer_->setData(QByteArray());
    closedSinks.keep(std::move(sink_));
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
    sink_ = std::make_unique<QAudioSink>(device_, format);
    buffer_ = new QBuffer(sink_.get());
    buffer_->setData(reinterpret_cast<const char*>(sound.samples.constData() + fromSample_),
                     (total_ - fromSample_) * qsizetype(sizeof(qint16)));
    buffer_->open(QIODevice::ReadOnly);
    sink_->setBufferSize(format.bytesForDuration(BufferMs * 1000));
    sink_->start(buffer_);
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
    if (drainedUs_ < 0 && buffer_->atEnd())
        drainedUs_ = clock_() + (total_ - heard) * 1000000 / rate_;
    return drainedUs_ < 0 ? heard : std::max(heard, total_ - (drainedUs_ - clock_()) * rate_ / 1000000);
}

bool SinkOutput::finished() const
{
    return sink_ && buffer_->atEnd()
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
