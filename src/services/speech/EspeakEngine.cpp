#include "services/speech/EspeakEngine.h"

#include "services/speech/EstimatedSpeech.h"

#include <algorithm>

namespace {
// Often enough that one text follows the other without a gap one would hear.
constexpr int PumpMs = 10;

// Job numbers are the process's own: the synthesiser is shared, and a text it
// finished for an engine that is gone must not pass for another engine's.
quint64 nextJob()
{
    static quint64 last = 0;
    return ++last;
}
}  // namespace

EspeakEngine::EspeakEngine(EspeakSynth& synth, DeviceOutputs device, SoundClock clock)
    : synth_(synth)
    , clock_(std::move(clock))
    , onClock_(clock_)
{
    if (device)
        device_ = std::make_unique<DeviceThread>(std::move(device));
    connect(&synth_, &EspeakSynth::ready, this, &EspeakEngine::onReady, Qt::QueuedConnection);
    pump_.setInterval(PumpMs);
    connect(&pump_, &QTimer::timeout, this, &EspeakEngine::pump);
}

EspeakEngine::~EspeakEngine()
{
    for (const Text& text : std::as_const(texts_))
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
    const bool wasSilent = !hasTexts(owner);
    const quint64 job = nextJob();
    texts_.append({owner, job, text, speed, std::nullopt});
    if (!pump_.isActive())
        pump_.start();
    if (wasSilent)
        emit speakingChanged(owner, true);
    synth_.submit(job, text, mode, speed);
}

void EspeakEngine::stop(SpeechOwner owner)
{
    if (!hasTexts(owner))
        return;
    if (texts_.first().owner == owner && route_ != Route::None) {
        if (route_ == Route::Device) {
            request_ = device_->halt();
            requestedUs_ = steady_();
        }
        route_ = Route::None;
    }
    texts_.removeIf([this, owner](const Text& text) {
        if (text.owner == owner)
            synth_.cancel(text.job);
        return text.owner == owner;
    });
    emit speakingChanged(owner, false);
    if (route_ == Route::None && !texts_.isEmpty() && texts_.first().sound)
        play();
}

bool EspeakEngine::isSpeaking(SpeechOwner owner) const
{
    return hasTexts(owner);
}

bool EspeakEngine::hasTexts(SpeechOwner owner) const
{
    return std::any_of(texts_.cbegin(), texts_.cend(), [owner](const Text& text) { return text.owner == owner; });
}

MouthShape EspeakEngine::shapeNow(SpeechOwner owner) const
{
    if (route_ == Route::None || texts_.first().owner != owner)
        return MouthShape::Rest;
    return texts_.first().sound->shapeAt(heardSamples());
}

qint64 EspeakEngine::usToNextShape(SpeechOwner owner) const
{
    if (route_ == Route::None || texts_.first().owner != owner)
        return -1;
    const Utterance& sound = *texts_.first().sound;
    const qint64 heard = heardSamples();
    const qint64 change = sound.nextChangeAfter(heard);
    return change < 0 ? -1 : (change - heard) * 1000000 / sound.sampleRate;
}

qint64 EspeakEngine::heardSamples() const
{
    if (route_ == Route::Clock)
        return onClock_.playedSamples();
    const DeviceThread::Progress progress = device_->progress();
    return progress.taken == request_ ? progress.heard : 0;
}

void EspeakEngine::onReady(quint64 job, const Utterance& sound)
{
    const auto text = std::find_if(texts_.begin(), texts_.end(), [job](const Text& t) { return t.job == job; });
    if (text == texts_.end())
        return;
    // Without a usable voice the text still takes its time and moves the mouth.
    text->sound = sound.samples.isEmpty() ? estimatedSpeech(text->text, text->speed, sound.sampleRate) : sound;
    if (route_ == Route::None && text == texts_.begin())
        play();
}

void EspeakEngine::play()
{
    const Text& text = texts_.first();
    if (deviceLost_ && device_->progress().taken == request_)
        deviceLost_ = false;
    if (device_ && !deviceLost_) {
        request_ = device_->play(text.job, *text.sound);
        requestedUs_ = steady_();
        route_ = Route::Device;
    } else {
        playOnClock(0);
    }
    emit soundStarted(text.owner, *text.sound);
}

void EspeakEngine::playOnClock(qint64 fromSample)
{
    onClock_.start(*texts_.first().sound, fromSample);
    route_ = Route::Clock;
}

bool EspeakEngine::deviceStuck(const DeviceThread::Progress& progress) const
{
    const qint64 now = steady_();
    if (progress.taken != request_)
        return now - requestedUs_ > StallMs * 1000;
    return progress.state == DeviceThread::State::Playing && now - progress.beatUs > StallMs * 1000;
}

void EspeakEngine::pump()
{
    if (route_ == Route::Device) {
        const DeviceThread::Progress progress = device_->progress();
        if (deviceStuck(progress)) {
            // The device hangs: the text goes on against the clock from the
            // last sample known heard, and the device is left to come back.
            playOnClock(progress.taken == request_ ? progress.heard : 0);
            request_ = device_->halt();
            requestedUs_ = steady_();
            deviceLost_ = true;
        } else if (progress.taken == request_ && progress.state == DeviceThread::State::Failed) {
            playOnClock(progress.heard);
        } else if (progress.taken == request_ && progress.state == DeviceThread::State::Finished) {
            next();
        }
    }
    // Several short texts may have been heard since the last look.
    while (route_ == Route::Clock && onClock_.finished())
        next();
    if (texts_.isEmpty())
        pump_.stop();
}

void EspeakEngine::next()
{
    const SpeechOwner owner = texts_.takeFirst().owner;
    route_ = Route::None;
    if (!hasTexts(owner))
        emit speakingChanged(owner, false);
    if (route_ == Route::None && !texts_.isEmpty() && texts_.first().sound)
        play();
}
