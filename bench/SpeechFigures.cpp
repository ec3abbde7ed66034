#include "SpeechFigures.h"

#include "services/speech/EspeakEngine.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>

namespace {

constexpr int Runs = 9;
const QStringList Texts = {QStringLiteral("welcome. unit 8. Quillet"), QStringLiteral("No! repeat!"),
                           QStringLiteral("hand")};

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
        summarise(QStringLiteral("voice_modes"), {double(synth->modes().size())}, QStringLiteral("modes"),
                  QStringLiteral(">= 8")),
    };
}
