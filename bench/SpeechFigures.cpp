#include "SpeechFigures.h"

#include "services/speech/EspeakEngine.h"
#include "services/speech/SpeechControl.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <ctime>

namespace {

constexpr int Runs = 9;
const QStringList Texts = {QStringLiteral("welcome. unit 8. Quillet"), QStringLiteral("No! repeat!"),
                           QStringLiteral("hand")};

double processCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// CPU used while a mouth is on screen and silent: its animation must not wake up.
double idleCpuPercent()
{
    SpeechControl mouth;
    mouth.resize(200, 200);
    mouth.show();
    QTest::qWait(200);
    const double before = processCpuMs();
    QElapsedTimer wall;
    wall.start();
    QTest::qWait(5000);
    return (processCpuMs() - before) * 100 / double(wall.elapsed());
}

}  // namespace

QList<Figure> speechFigures()
{
    EspeakSynth* synth = EspeakSynth::shared(voiceDataParent());
    if (!synth)
        return {};
    // No device: the clock output takes the samples, as on a machine without sound.
    EspeakEngine engine(*synth, [] { return std::unique_ptr<SoundOutput>(); });
    QSignalSpy started(&engine, &EspeakEngine::soundStarted);
    QList<double> firstSample;
    QList<double> rtf;
    for (int run = 0; run < Runs; ++run) {
        for (const QString& text : Texts) {
            started.clear();
            QElapsedTimer timer;
            timer.start();
            engine.speak(1, text, 1, 135);
            if (!started.wait(10000))
                continue;
            const double ms = timer.nsecsElapsed() / 1e6;
            firstSample << ms;
            const auto sound = started.first().at(1).value<Utterance>();
            // The whole text is made before its first sample is played.
            if (sound.durationUs() > 0)
                rtf << ms * 1000 / double(sound.durationUs());
            engine.stop(1);
        }
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

    return {
        summarise(QStringLiteral("speak_first_sample_ms"), firstSample, QStringLiteral("ms"), QStringLiteral("<= 15")),
        summarise(QStringLiteral("speak_first_sample_ms_espeak"), firstSample, QStringLiteral("ms"),
                  QStringLiteral("<= 15")),
        summarise(QStringLiteral("synth_rtf_espeak"), rtf, QStringLiteral("ratio"), QStringLiteral("< 1")),
        summarise(QStringLiteral("espeak_cli_wav_ms"), cli, QStringLiteral("ms"), QString()),
        summarise(QStringLiteral("idle_cpu_percent"), {idleCpuPercent()}, QStringLiteral("%"), QStringLiteral("0")),
        summarise(QStringLiteral("voice_modes"), {double(synth->modes().size())}, QStringLiteral("modes"),
                  QStringLiteral(">= 8")),
    };
}
