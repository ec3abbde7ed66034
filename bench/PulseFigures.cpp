#include "PulseFigures.h"

#include "PaintedShapes.h"
#include "Waiting.h"
#include "services/speech/EspeakEngine.h"
#include "services/speech/SinkOutput.h"
#include "services/speech/VoiceEngine.h"

#include <QFile>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <csignal>
#include <limits>

namespace {

constexpr int Rate = 22050;
// Above this a recorded sample is sound: between texts the null sink's monitor
// is digital silence. A higher level cuts a text's quiet ends off; "welcome"'s
// fading "m" then ended 20 to 30 ms early, and the mouth, resting at the real
// end, seemed that much late.
constexpr int Heard = 10;
// A text's sound ends where this much silence follows.
constexpr int EndSilenceMs = 300;
constexpr int Clicks = 6;

qint64 nowUs()
{
    static const SoundClock clock = steadyClock();
    return clock();
}

// What the null sink's monitor hears, with the steady time of each sample.
class Monitor {
public:
    Monitor()
    {
        QObject::connect(&parec_, &QProcess::readyReadStandardOutput, [this] { take(); });
        parec_.start(QStringLiteral("parec"), {QStringLiteral("-d"), QStringLiteral("speakers.monitor"),
                                               QStringLiteral("--raw"), QStringLiteral("--format=s16le"),
                                               QStringLiteral("--rate=%1").arg(Rate), QStringLiteral("--channels=1"),
                                               QStringLiteral("--latency-msec=5")});
    }
    ~Monitor()
    {
        parec_.kill();
        parec_.waitForFinished(1000);
    }
    // The monitor sends silence all the time: recording has begun once it arrives.
    bool recording()
    {
        return parec_.waitForStarted(3000) && waitUntil([this] { return samples_.size() > Rate / 5; }, 5000);
    }
    qint64 size() const { return samples_.size(); }
    // When a sample was heard: a chunk arrives some time after its last
    // sample, so the earliest bound that any later chunk gives.
    qint64 timeOf(qint64 sample) const
    {
        qint64 best = std::numeric_limits<qint64>::max();
        for (const Chunk& chunk : chunks_)
            if (chunk.end > sample)
                best = std::min(best, chunk.arrivedUs - (chunk.end - sample) * 1'000'000 / Rate);
        return best;
    }
    // The first and last samples of the sound that begins after `from`; -1 when none.
    std::pair<qint64, qint64> soundAfter(qint64 from) const
    {
        const auto heard = [this](qint64 i) { return std::abs(int(samples_.at(i))) > Heard; };
        qint64 first = from;
        while (first < size() && !heard(first))
            ++first;
        if (first == size())
            return {-1, -1};
        qint64 last = first;
        for (qint64 i = first; i < size() && i - last < qint64(Rate) * EndSilenceMs / 1000; ++i)
            if (heard(i))
                last = i;
        return {first, last};
    }

private:
    struct Chunk {
        qint64 end;  // samples heard up to this chunk
        qint64 arrivedUs;
    };
    void take()
    {
        pending_ += parec_.readAllStandardOutput();
        const qsizetype whole = pending_.size() / 2;
        const auto* data = reinterpret_cast<const qint16*>(pending_.constData());
        samples_.append(QVector<qint16>(data, data + whole));
        pending_.remove(0, whole * 2);
        chunks_.append({samples_.size(), nowUs()});
    }
    QProcess parec_;
    QByteArray pending_;
    QVector<qint16> samples_;
    QList<Chunk> chunks_;
};

// The server that scripts/bench started for us, or 0.
pid_t privateServer()
{
    QFile file(qEnvironmentVariable("XDG_RUNTIME_DIR") + QStringLiteral("/pulse/pid"));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    return pid_t(file.readAll().trimmed().toInt());
}

}  // namespace

QList<Figure> pulseFigures()
{
    const pid_t server = privateServer();
    EspeakSynth* synth = EspeakSynth::shared(voiceDataParent());
    if (server <= 0 || !synth) {
        qWarning("no private sound server or no voice: the sound server figures are left out");
        return {};
    }
    SpeechEngine::install(std::make_unique<EspeakEngine>(*synth, systemDevice()));
    Monitor monitor;
    if (!monitor.recording()) {
        qWarning("the sink's monitor cannot be recorded: the sound server figures are left out");
        return {};
    }
    QList<double> clickToSound;
    QList<double> lipSync;
    double longestStallMs = 0;
    {
        SpeechControl mouth;
        mouth.resize(300, 300);
        mouth.show();
        if (!QTest::qWaitForWindowExposed(&mouth))
            qWarning("the mouth was never shown");
        QObject::connect(&mouth, &SpeechControl::MouthClick, &mouth, [&mouth] { mouth.Speak(QStringLiteral("welcome ")); });
        // The program has spoken its welcome before any click: the stream to
        // the server is known by then.
        mouth.Speak(QStringLiteral("hand"));
        waitUntil([&mouth] { return !mouth.isSpeaking(); }, 10000);

        PaintedShapes painted(mouth);
        for (int click = 0; click < Clicks; ++click) {
            idleFor(400);
            const qint64 from = monitor.size();
            painted.changes.clear();
            const qint64 clickUs = nowUs();
            QTest::mouseClick(&mouth, Qt::LeftButton);
            waitUntil([&mouth] { return !mouth.isSpeaking(); }, 10000);
            idleFor(EndSilenceMs + 200);
            const auto [first, last] = monitor.soundAfter(from);
            const auto open = std::find_if(painted.changes.cbegin(), painted.changes.cend(),
                                           [](const auto& change) { return change.shape != MouthShape::Rest; });
            if (first < 0 || open == painted.changes.cend() || painted.changes.last().shape != MouthShape::Rest) {
                qWarning("click %d: no sound recorded or no mouth drawn", click);
                continue;
            }
            const qint64 soundUs = monitor.timeOf(first);
            clickToSound << (soundUs - clickUs) / 1000.0;
            // The mouth opens when the sound begins and rests when it ends.
            lipSync << (open->us - soundUs) / 1000.0 << (painted.changes.last().us - monitor.timeOf(last)) / 1000.0;
        }

        // The server hangs: clicks and texts must not hold the interface thread.
        ::kill(server, SIGSTOP);
        qint64 lastBeat = nowUs();
        QTimer beat;
        beat.setInterval(5);
        QObject::connect(&beat, &QTimer::timeout, [&] {
            const qint64 now = nowUs();
            longestStallMs = std::max(longestStallMs, (now - lastBeat) / 1000.0 - beat.interval());
            lastBeat = now;
        });
        beat.start();
        for (int click = 0; click < Clicks; ++click) {
            QTest::mouseClick(&mouth, Qt::LeftButton);
            idleFor(500);
        }
        beat.stop();
        ::kill(server, SIGCONT);
        waitUntil([&mouth] { return !mouth.isSpeaking(); }, 10000);
    }
    SpeechEngine::install(nullptr);
    return {
        summarise(QStringLiteral("pulse_click_to_sound_ms"), clickToSound, QStringLiteral("ms"),
                  QStringLiteral("<= 100")),
        summarise(QStringLiteral("pulse_lipsync_offset_ms"), lipSync, QStringLiteral("ms"),
                  QStringLiteral("within ±40 (min and max)")),
        summarise(QStringLiteral("interface_stall_ms"), {longestStallMs}, QStringLiteral("ms"),
                  QStringLiteral("<= 50")),
    };
}
