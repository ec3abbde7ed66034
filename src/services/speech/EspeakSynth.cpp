#include "services/speech/EspeakSynth.h"

#include "services/speech/EspeakProbe.h"
#include "services/speech/PhonemeShape.h"
#include "services/speech/VoiceCatalogue.h"

#include <QFileInfo>
#include <QSet>
#include <algorithm>
#include <cstring>
#include <functional>
#include <espeak-ng/speak_lib.h>
#include <chrono>
#include <future>
#include <optional>
#include <thread>

namespace {

// A shape shown for less than this flickers.
constexpr int HoldMs = 70;

// What the synthesiser's callback fills; only the synthesis thread touches it.
struct Collecting {
    Utterance* sound = nullptr;
    std::function<bool()> cancelled;
};
Collecting collecting;

int collect(short* wav, int count, espeak_EVENT* events)
{
    if (!collecting.sound)
        return 0;
    if (wav && count > 0)
        collecting.sound->samples.append(QVector<qint16>(wav, wav + count));
    for (espeak_EVENT* event = events; event && event->type != espeakEVENT_LIST_TERMINATED; ++event) {
        if (event->type != espeakEVENT_PHONEME)
            continue;
        char name[9] = {};
        std::copy_n(event->id.string, 8, name);
        const qint64 sample = qint64(event->audio_position) * collecting.sound->sampleRate / 1000;
        collecting.sound->marks.append({sample, shapeForPhoneme(name)});
    }
    return collecting.cancelled() ? 1 : 0;
}

QByteArray voiceName(const CatalogueVoice& voice)
{
    QByteArray name(voice.language);
    if (*voice.variant)
        name += QByteArray("+") + voice.variant;
    return name;
}

QList<QByteArray> espeakVoiceNames()
{
    QList<QByteArray> names;
    for (const CatalogueVoice& voice : voiceCatalogue())
        if (voice.synthesiser == Synthesiser::Espeak)
            names << voiceName(voice);
    return names;
}

// The languages and variants the data holds. Listing reads every voice file,
// so it is done once. The synthesiser takes any variant name without
// complaint, so a name is checked against the variants it really has.
struct InstalledVoices {
    QSet<QByteArray> languages;  // lower case
    QSet<QByteArray> variants;   // "!v/<name>"

    static InstalledVoices list()
    {
        InstalledVoices installed;
        for (const espeak_VOICE** voice = espeak_ListVoices(nullptr); voice && *voice; ++voice)
            // A list of a priority byte then a name, ended by an empty name.
            for (const char* entry = (*voice)->languages; entry && *entry; entry += std::strlen(entry + 1) + 2)
                installed.languages.insert(QByteArray(entry + 1).toLower());
        espeak_VOICE variantsOnly{};
        variantsOnly.languages = "variant";
        for (const espeak_VOICE** voice = espeak_ListVoices(&variantsOnly); voice && *voice; ++voice)
            if ((*voice)->identifier)
                installed.variants.insert((*voice)->identifier);
        return installed;
    }
    bool has(const CatalogueVoice& voice) const
    {
        return languages.contains(QByteArray(voice.language).toLower())
               && (!*voice.variant || variants.contains(QByteArray("!v/") + voice.variant));
    }
};

// Whether the synthesiser may start.
struct StartGate {
    std::mutex lock;
    std::condition_variable opened;
    bool held = false;

    void open()
    {
        {
            std::lock_guard guard(lock);
            held = false;
        }
        opened.notify_all();
    }
    void pass()
    {
        std::unique_lock guard(lock);
        opened.wait(guard, [this] { return !held; });
    }
};

StartGate& startGate()
{
    // Never destroyed: a process that ends with the start still held (a
    // second copy refused) would wait forever at exit for the thread held here.
    static auto* gate = new StartGate;
    return *gate;
}

// Lives as long as the process, like its thread.
EspeakSynth*& theSynth()
{
    static EspeakSynth* synth = nullptr;
    return synth;
}

}  // namespace

bool EspeakSynth::hasVoiceData(const QString& dataParent)
{
    const QString data = dataParent + QStringLiteral("/espeak-ng-data/");
    return QFileInfo::exists(data + QStringLiteral("phontab")) && QFileInfo::exists(data + QStringLiteral("en_dict"));
}

QString EspeakSynth::systemDataParent()
{
    // The library's own folder, as the Debian package lays it out.
    return QStringLiteral("/usr/lib/x86_64-linux-gnu");
}

void EspeakSynth::holdStart()
{
    std::lock_guard guard(startGate().lock);
    startGate().held = true;
}

void EspeakSynth::releaseStart()
{
    startGate().open();
}

void EspeakSynth::waitStarted() const
{
    startGate().open();
    started_.wait();
}

void EspeakSynth::makeAhead(const QStringList& texts)
{
    EspeakSynth* synth = theSynth();
    if (!synth)
        return;
    {
        std::lock_guard guard(synth->lock_);
        synth->ahead_ = texts;
    }
    synth->wake_.notify_one();
}

bool EspeakSynth::finish()
{
    EspeakSynth* synth = theSynth();
    if (!synth)
        return true;
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    startGate().open();
    if (synth->started_.wait_until(limit) != std::future_status::ready)
        return false;
    std::unique_lock guard(synth->lock_);
    synth->finishing_ = true;
    synth->jobs_.clear();
    return synth->idle_.wait_until(guard, limit, [synth] { return !synth->busy_; });
}

EspeakSynth& EspeakSynth::inBackground(const QString& dataParent)
{
    EspeakSynth*& synth = theSynth();
    if (!synth) {
        qRegisterMetaType<Utterance>();
        synth = new EspeakSynth;
        synth->startThread(dataParent);
    }
    return *synth;
}

EspeakSynth* EspeakSynth::shared(const QString& dataParent)
{
    EspeakSynth& synth = inBackground(dataParent);
    synth.waitStarted();
    return synth.started_.get() ? &synth : nullptr;
}

void EspeakSynth::startThread(const QString& dataParent)
{
    // Only whether a flite voice's library is there: loading one costs
    // megabytes, so it waits until the voice is first heard.
    for (const CatalogueVoice& voice : voiceCatalogue())
        fliteInstalled_.append(voice.synthesiser == Synthesiser::Flite && FliteVoices::installed(voice.language));
    std::promise<bool> started;
    started_ = started.get_future().share();
    const QByteArray path = dataParent.toLocal8Bit();
    std::thread([this, path, started = std::move(started)]() mutable {
        startGate().pass();
        // Damaged data must cost only espeak-ng's voices: each is tried first
        // where a crash does no harm. The flite voices need none of the data.
        const QList<QByteArray> espeakVoices = espeakVoiceNames();
        const QList<bool> heard = espeakVoicesSpeak(path, espeakVoices);
        InstalledVoices installed;
        if (heard.contains(true)) {
            const int rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, path.constData(),
                                               espeakINITIALIZE_PHONEME_EVENTS | espeakINITIALIZE_DONT_EXIT);
            if (rate > 0) {
                sampleRate_ = rate;
                espeak_SetSynthCallback(collect);
                installed = InstalledVoices::list();
            }
        }
        for (const CatalogueVoice& voice : voiceCatalogue()) {
            if (voice.synthesiser == Synthesiser::Flite) {
                usable_.append(fliteInstalled_.at(usable_.size()));
                continue;
            }
            const QByteArray name = voiceName(voice);
            usable_.append(heard.at(espeakVoices.indexOf(name)) && installed.has(voice)
                           && espeak_SetVoiceByName(name.constData()) == EE_OK);
        }
        started.set_value(usable_.contains(true));
        // Without any voice each text still comes back, as a silence.
        run();
    }).detach();
}

QList<VoiceMode> EspeakSynth::modes() const
{
    QList<VoiceMode> modes;
    if (!fliteInstalled_.contains(true)) {
        waitStarted();
        if (!started_.get())
            return modes;
    }
    for (const CatalogueVoice& voice : voiceCatalogue())
        modes.append(voice.mode);
    return modes;
}

bool EspeakSynth::usable(int mode) const
{
    if (mode >= 1 && mode <= fliteInstalled_.size() && fliteInstalled_.at(mode - 1))
        return true;
    waitStarted();
    return canSay(mode);
}

bool EspeakSynth::canSay(int mode) const
{
    return mode >= 1 && mode <= usable_.size() && usable_.at(mode - 1);
}

double EspeakSynth::speedFactor(int speed)
{
    // 135 is the base rate itself: words a minute are the speed plus five.
    return (std::clamp(speed, 50, 200) + 5) / double(BaseRate);
}

void EspeakSynth::submit(quint64 job, const QString& text, int mode, int speed)
{
    {
        std::lock_guard guard(lock_);
        jobs_.push_back({job, text, mode, speed});
    }
    wake_.notify_one();
}

void EspeakSynth::cancel(quint64 job)
{
    std::lock_guard guard(lock_);
    if (running_ == job)
        cancelRunning_ = true;
    jobs_.erase(std::remove_if(jobs_.begin(), jobs_.end(), [job](const Job& j) { return j.id == job; }), jobs_.end());
}

bool EspeakSynth::madeAhead() const
{
    waitStarted();
    std::lock_guard guard(lock_);
    QString text;
    return !nextAhead(text);
}

bool EspeakSynth::nextAhead(QString& text) const
{
    if (!canSay(aheadMode_))
        return false;
    for (const QString& wanted : ahead_)
        if (!madeAhead_.contains(wanted)) {
            text = wanted;
            return true;
        }
    return false;
}

bool EspeakSynth::stopMaking() const
{
    std::lock_guard guard(lock_);
    if (finishing_)
        return true;
    // A text made ahead gives way to any text asked for.
    return makingAhead_ ? !jobs_.empty() : cancelRunning_;
}

void EspeakSynth::run()
{
    collecting.cancelled = [this] { return stopMaking(); };
    for (;;) {
        Job job;
        QString aheadText;
        bool ahead = false;
        {
            std::unique_lock guard(lock_);
            busy_ = false;
            idle_.notify_all();
            wake_.wait(guard, [&] { return !finishing_ && (!jobs_.empty() || nextAhead(aheadText)); });
            busy_ = true;
            ahead = makingAhead_ = jobs_.empty();
            if (ahead) {
                job = {0, aheadText, aheadMode_, aheadSpeed_};
            } else {
                job = jobs_.front();
                jobs_.pop_front();
                running_ = job.id;
                cancelRunning_ = false;
                if (job.mode != aheadMode_ || job.speed != aheadSpeed_) {
                    // Texts made in another voice or speed are of no use now.
                    aheadMode_ = job.mode;
                    aheadSpeed_ = job.speed;
                    madeAhead_.clear();
                }
            }
        }
        if (ahead) {
            const PackedSound sound(synthesise(job.text, job.mode, job.speed));
            bool allMade;
            {
                std::lock_guard guard(lock_);
                makingAhead_ = false;
                // Cut short for a text asked for, it is made again later.
                if (jobs_.empty() && job.mode == aheadMode_ && job.speed == aheadSpeed_)
                    madeAhead_.insert(job.text, sound);
                QString next;
                allMade = !nextAhead(next);
            }
            // Nothing left to make: a text asked for from here on is rare.
            if (allMade)
                FliteVoices::rest();
            continue;
        }
        std::optional<PackedSound> packed;
        {
            std::lock_guard guard(lock_);
            if (const auto it = madeAhead_.constFind(job.text); it != madeAhead_.cend())
                packed = *it;
        }
        const Utterance sound = packed ? packed->unpack() : synthesise(job.text, job.mode, job.speed);
        bool cancelled;
        {
            std::lock_guard guard(lock_);
            cancelled = cancelRunning_;
            running_ = 0;
        }
        if (cancelled)
            continue;
        emit ready(job.id, sound);
        // Packed once it is on its way, so the packing never delays it.
        if (!packed) {
            PackedSound kept(sound);
            std::lock_guard guard(lock_);
            if (ahead_.contains(job.text))
                madeAhead_.insert(job.text, std::move(kept));
        }
    }
}

Utterance EspeakSynth::synthesise(const QString& text, int mode, int speed)
{
    if (!canSay(mode)) {
        Utterance none;
        none.sampleRate = sampleRate_;
        return none;
    }
    const CatalogueVoice& voice = voiceCatalogue().at(mode - 1);
    Utterance sound = voice.synthesiser == Synthesiser::Flite
                          ? flite_.say(voice.language, text, voice.betweenStopsMs, [this] { return stopMaking(); })
                          : sayWithEspeak(text, mode);
    sound.trimSilence();
    sound.changeSpeed(speedFactor(speed));
    sound.holdShapes(HoldMs);
    return sound;
}

Utterance EspeakSynth::sayWithEspeak(const QString& text, int mode)
{
    Utterance sound;
    sound.sampleRate = sampleRate_;
    if (voiceInUse_ != mode) {
        espeak_SetVoiceByName(voiceName(voiceCatalogue().at(mode - 1)).constData());
        voiceInUse_ = mode;
    }
    espeak_SetParameter(espeakRATE, BaseRate, 0);
    collecting.sound = &sound;
    const QByteArray utf8 = text.toUtf8();
    espeak_Synth(utf8.constData(), size_t(utf8.size() + 1), 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, nullptr);
    espeak_Synchronize();
    collecting.sound = nullptr;
    return sound;
}
