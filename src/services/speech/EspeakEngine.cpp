#include "services/speech/EspeakEngine.h"

#include "services/speech/SilentEngine.h"
#include "services/speech/SinkOutput.h"

#include <QCoreApplication>

namespace {
// Often enough that one text follows the other without a gap one would hear.
constexpr int PumpMs = 10;
}  // namespace

EspeakEngine::EspeakEngine(EspeakSynth& synth, DeviceOutputs device, SoundClock clock)
    : synth_(synth)
    , device_(std::move(device))
    , clock_(std::move(clock))
{
    pump_.setInterval(PumpMs);
    connect(&pump_, &QTimer::timeout, this, &EspeakEngine::pump);
    connect(&synth_, &EspeakSynth::ready, this, &EspeakEngine::onReady, Qt::QueuedConnection);
}

EspeakEngine::~EspeakEngine()
{
    for (const auto& [owner, queue] : queues_)
        for (const Text& text : queue.texts)
            synth_.cancel(text.job);
}

QList<VoiceMode> EspeakEngine::modes() const
{
    return synth_.modes();
}

bool EspeakEngine::canUseMode(int mode) const
{
    return synth_.usable(mode);
}

void EspeakEngine::speak(SpeechOwner owner, const QString& text, int mode, int speed)
{
    const bool wasSilent = !queues_.contains(owner);
    Queue& queue = queues_[owner];
    const quint64 job = ++nextJob_;
    queue.texts.append({job, std::nullopt});
    synth_.submit(job, text, mode, speed);
    pump_.start();
    if (wasSilent)
        emit speakingChanged(owner, true);
}

void EspeakEngine::stop(SpeechOwner owner)
{
    const auto it = queues_.find(owner);
    if (it == queues_.end())
        return;
    for (const Text& text : std::as_const(it->second.texts))
        synth_.cancel(text.job);
    queues_.erase(it);
    if (queues_.empty())
        pump_.stop();
    emit speakingChanged(owner, false);
}

bool EspeakEngine::isSpeaking(SpeechOwner owner) const
{
    return queues_.contains(owner);
}

MouthShape EspeakEngine::shapeNow(SpeechOwner owner) const
{
    const auto it = queues_.find(owner);
    if (it == queues_.cend() || !it->second.output)
        return MouthShape::Rest;
    return it->second.texts.first().sound->shapeAt(it->second.output->playedSamples());
}

void EspeakEngine::onReady(quint64 job, const Utterance& sound)
{
    for (auto& [owner, queue] : queues_) {
        for (Text& text : queue.texts) {
            if (text.job != job)
                continue;
            text.sound = sound;
            if (!queue.output && &text == &queue.texts.first())
                play(owner, queue);
            return;
        }
    }
}

void EspeakEngine::play(SpeechOwner owner, Queue& queue)
{
    const Utterance& sound = *queue.texts.first().sound;
    queue.output = device_ ? device_() : nullptr;
    if (!queue.output || !queue.output->start(sound, 0)) {
        queue.output = std::make_unique<ClockOutput>(clock_);
        queue.output->start(sound, 0);
    }
    emit soundStarted(owner, sound);
}

void EspeakEngine::pump()
{
    QList<SpeechOwner> ended;
    QList<SpeechOwner> heard;
    for (auto& [owner, queue] : queues_) {
        if (!queue.output)
            continue;
        if (queue.output->failed()) {
            // The device went away: the rest of the text goes on against the clock.
            const qint64 at = queue.output->playedSamples();
            queue.output = std::make_unique<ClockOutput>(clock_);
            queue.output->start(*queue.texts.first().sound, at);
        }
        // Several short texts may have been heard since the last look.
        while (queue.output && queue.output->finished()) {
            queue.output.reset();
            queue.texts.removeFirst();
            heard.append(owner);
            if (!queue.texts.isEmpty() && queue.texts.first().sound)
                play(owner, queue);
        }
        if (queue.texts.isEmpty())
            ended.append(owner);
    }
    for (SpeechOwner owner : heard)
        emit soundFinished(owner);
    for (SpeechOwner owner : ended) {
        queues_.erase(owner);
        emit speakingChanged(owner, false);
    }
    if (queues_.empty())
        pump_.stop();
}

std::unique_ptr<SpeechEngine> makeVoiceEngine(const QString& dataParent)
{
    if (EspeakSynth* synth = EspeakSynth::shared(dataParent))
        return std::make_unique<EspeakEngine>(*synth, systemDevice());
    return std::make_unique<SilentEngine>();
}

QString voiceDataParent()
{
    const QString beside = QCoreApplication::applicationDirPath();
    return EspeakSynth::hasVoiceData(beside) ? beside : EspeakSynth::systemDataParent();
}
