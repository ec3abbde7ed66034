#include "SpeechFigures.h"

#include "PaintedShapes.h"
#include "Waiting.h"
#include "services/speech/EspeakEngine.h"
#include "services/speech/SpeechControl.h"
#include "services/speech/VoiceCatalogue.h"
#include "services/speech/VoiceEngine.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QSet>
#include <QTest>
#include <algorithm>

namespace {

constexpr int Runs = 9;
const QStringList Texts = {QStringLiteral("welcome. unit 8. Quillet"), QStringLiteral("No! repeat!"),
                           QStringLiteral("hand")};

// A mouth on screen and silent: its animation must not wake up the process.
double silentMouthCpuPercent()
{
    SpeechControl mouth;
    mouth.resize(200, 200);
    mouth.show();
    if (!QTest::qWaitForWindowExposed(&mouth))
        qWarning("the mouth was never shown");
    return idleCpuPercent(5000);
}

// The largest delay between a shape's sound being played and its shape being
// drawn, over every shape change of the texts.
double lipSyncOffsetMs(EspeakEngine& engine)
{
    SpeechControl mouth;
    mouth.resize(300, 300);
    mouth.show();
    if (!QTest::qWaitForWindowExposed(&mouth))
        qWarning("the mouth was never shown");
    const SoundClock clock = steadyClock();
    double worst = 0;
    for (int run = 0; run < 3; ++run) {
        for (const QString& text : Texts) {
            PaintedShapes painted(mouth);
            qint64 startUs = 0;
            Utterance sound;
            const auto connection = QObject::connect(&engine, &EspeakEngine::soundStarted, &mouth,
                                                     [&](SpeechOwner, const Utterance& heard) {
                                                         startUs = clock();
                                                         sound = heard;
                                                     });
            mouth.Speak(text);
            waitUntil([&mouth] { return !mouth.isSpeaking(); }, 10000);
            QObject::disconnect(connection);
            idleFor(50);
            // Each change of the sound, and the rest after its end.
            QList<PaintedShapes::Change> heard;
            // The mouth rests before the sound.
            const auto hear = [&heard](qint64 us, MouthShape shape) {
                if (shape != (heard.isEmpty() ? MouthShape::Rest : heard.last().shape))
                    heard.append({us, shape});
            };
            for (const Utterance::Mark& mark : std::as_const(sound.marks))
                hear(startUs + mark.sample * 1000000 / sound.sampleRate, mark.shape);
            hear(startUs + sound.durationUs(), MouthShape::Rest);
            for (const PaintedShapes::Change& change : std::as_const(heard)) {
                const auto drawn = std::find_if(painted.changes.cbegin(), painted.changes.cend(), [&](const auto& seen) {
                    return seen.us >= change.us - 1000 && seen.shape == change.shape;
                });
                // A shape never drawn counts as the whole text late.
                const qint64 late = drawn == painted.changes.cend() ? sound.durationUs() : drawn->us - change.us;
                worst = std::max(worst, std::abs(late) / 1000.0);
            }
        }
    }
    return worst;
}

struct Latency {
    QList<double> firstSample;  // ms from Speak to the first sample handed over
    QList<double> rtf;          // synthesis time over sound time
};

// The whole text is made before its first sample is played.
Latency measureLatency(EspeakEngine& engine, int mode)
{
    Latency latency;
    if (mode < 1)
        return latency;
    QSignalSpy started(&engine, &EspeakEngine::soundStarted);
    for (int run = 0; run < Runs; ++run) {
        for (const QString& text : Texts) {
            started.clear();
            QElapsedTimer timer;
            timer.start();
            engine.speak(1, text, mode, 135);
            if (!started.wait(10000))
                continue;
            const double ms = timer.nsecsElapsed() / 1e6;
            latency.firstSample << ms;
            const auto sound = started.first().at(1).value<Utterance>();
            if (sound.durationUs() > 0)
                latency.rtf << ms * 1000 / double(sound.durationUs());
            engine.stop(1);
        }
    }
    return latency;
}

// The texts were made ahead, as the program makes its own texts: the first
// sample is heard as soon as the text is asked for.
QList<double> preparedFirstSampleMs(EspeakEngine& engine, EspeakSynth& synth, int mode)
{
    synth.makeAhead(Texts);
    // Asking for a text in the mode starts the making ahead in it.
    QSignalSpy started(&engine, &EspeakEngine::soundStarted);
    engine.speak(1, Texts.first(), mode, 135);
    started.wait(10000);
    engine.stop(1);
    waitUntil([&synth] { return synth.madeAhead(); }, 60000);
    return measureLatency(engine, mode).firstSample;
}

// The espeak-ng voice and each flite voice, by the mode that first uses it.
QList<std::pair<QString, int>> oneModeOfEachVoice()
{
    QList<std::pair<QString, int>> voices;
    QSet<QString> seen;
    const QList<CatalogueVoice>& catalogue = voiceCatalogue();
    for (qsizetype i = 0; i < catalogue.size(); ++i) {
        const CatalogueVoice& voice = catalogue.at(i);
        const QString name = voice.synthesiser == Synthesiser::Espeak
                                 ? QStringLiteral("espeak")
                                 : QStringLiteral("flite_") + QString::fromLatin1(voice.language).section('_', -1);
        if (!seen.contains(name)) {
            seen.insert(name);
            voices.append({name, int(i + 1)});
        }
    }
    return voices;
}

}  // namespace

QList<Figure> speechFigures()
{
    EspeakSynth* synth = EspeakSynth::shared(voiceDataParent());
    if (!synth)
        return {};
    // No device: the clock output takes the samples, as on a machine without sound.
    auto owned = std::make_unique<EspeakEngine>(*synth, DeviceOutputs());
    EspeakEngine& engine = *owned;
    // The mouths of the lip-sync figure speak through it.
    SpeechEngine::install(std::move(owned));
    // Made when asked for: how fast each voice is.
    QList<Figure> figures;
    for (const auto& [name, mode] : oneModeOfEachVoice()) {
        const Latency unprepared = measureLatency(engine, mode);
        figures << summarise(QStringLiteral("speak_unprepared_first_sample_ms_") + name, unprepared.firstSample,
                             QStringLiteral("ms"), QString())
                << summarise(QStringLiteral("synth_rtf_") + name, unprepared.rtf, QStringLiteral("ratio"),
                             QStringLiteral("< 1"));
    }
    for (const auto& [name, mode] : oneModeOfEachVoice()) {
        const QList<double> firstSample = preparedFirstSampleMs(engine, *synth, mode);
        if (mode == 1)
            figures << summarise(QStringLiteral("speak_first_sample_ms"), firstSample, QStringLiteral("ms"),
                                 QStringLiteral("<= 15"));
        figures << summarise(QStringLiteral("speak_first_sample_ms_") + name, firstSample, QStringLiteral("ms"),
                             QStringLiteral("<= 15"));
    }

    QList<double> cli;
    QTemporaryDir dir;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        QProcess::execute(QStringLiteral("espeak-ng"),
                          {QStringLiteral("-w"), dir.filePath(QStringLiteral("said.wav")), Texts.first()});
        cli << timer.nsecsElapsed() / 1e6;
    }

    const double lipSync = lipSyncOffsetMs(engine);
    const double idle = silentMouthCpuPercent();
    SpeechEngine::install(nullptr);
    return figures + QList<Figure>{
        summarise(QStringLiteral("espeak_cli_wav_ms"), cli, QStringLiteral("ms"), QString()),
        summarise(QStringLiteral("lipsync_offset_ms"), {lipSync}, QStringLiteral("ms"),
                  QStringLiteral("<= 20")),
        summarise(QStringLiteral("idle_cpu_percent"), {idle}, QStringLiteral("%"),
                  QStringLiteral("0")),
        summarise(QStringLiteral("voice_modes"), {double(synth->modes().size())}, QStringLiteral("modes"),
                  QStringLiteral(">= 8")),
    };
}
