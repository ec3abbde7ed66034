// The real espeak-ng voice path, played against a manual clock: the one queue,
// stopping, the voice catalogue with its speeds and lip shapes, a sound device that fails,
// dies or hangs, and missing or damaged speech data.

#include "services/speech/EspeakEngine.h"
#include "services/speech/PackedSound.h"
#include "services/speech/PhonemeShape.h"
#include "services/speech/SpeechControl.h"
#include "services/speech/VoiceCatalogue.h"
#include "services/speech/VoiceEngine.h"
#include "support/TestWorld.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <future>
#include <random>

namespace {

EspeakSynth& synth()
{
    EspeakSynth* shared = EspeakSynth::shared(voiceDataParent());
    if (!shared)
        qFatal("espeak-ng speech data is not installed");
    return *shared;
}

using ManualClock = std::shared_ptr<std::atomic<qint64>>;  // microseconds

// A sound device on the manual clock whose next output refuses to start, dies
// halfway through its text or hangs in its start until released.
struct FakeDevice {
    enum class Fault { None, Refuses, DiesHalfway, Hangs };
    ManualClock now;
    std::atomic<Fault> next{Fault::None};
    std::atomic<int> made{0};
    std::atomic<int> begun{0};  // outputs that started playing
    std::atomic<int> ended{0};
    std::atomic<bool> hanging{false};
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
};

// Plays on the manual clock as a device would, with the device's next fault.
class FakeOutput : public ClockOutput {
public:
    explicit FakeOutput(std::shared_ptr<FakeDevice> device)
        : ClockOutput([device] { return device->now->load(); })
        , device_(std::move(device))
        , fault_(device_->next.exchange(FakeDevice::Fault::None))
    {
        ++device_->made;
    }
    ~FakeOutput() override { ++device_->ended; }
    bool start(const Utterance& sound, qint64 fromSample) override
    {
        if (fault_ == FakeDevice::Fault::Hangs) {
            device_->hanging = true;
            device_->released.wait();
        }
        ClockOutput::start(sound, fromSample);
        half_ = sound.samples.size() / 2;
        if (fault_ == FakeDevice::Fault::Refuses)
            return false;
        ++device_->begun;
        return true;
    }
    qint64 playedSamples() const override { return failed() ? half_ : ClockOutput::playedSamples(); }
    bool failed() const override
    {
        return fault_ == FakeDevice::Fault::DiesHalfway && ClockOutput::playedSamples() >= half_;
    }

private:
    std::shared_ptr<FakeDevice> device_;
    FakeDevice::Fault fault_;
    qint64 half_ = 0;
};

// The real engine played against a clock the test moves by hand; with no
// device at all, as on this machine and in CI, or with a fake one.
struct Rig {
    explicit Rig(std::shared_ptr<FakeDevice> device = nullptr)
        : owned(std::make_unique<EspeakEngine>(
              synth(),
              device ? DeviceOutputs([device] { return std::unique_ptr<SoundOutput>(new FakeOutput(device)); })
                     : DeviceOutputs(),
              [now = nowUs] { return now->load(); }))
    {
        if (device)
            device->now = nowUs;
    }
    ManualClock nowUs = std::make_shared<std::atomic<qint64>>(0);
    std::unique_ptr<EspeakEngine> owned;
    EspeakEngine& engine = *owned;
    QSignalSpy started{&engine, &EspeakEngine::soundStarted};

    Utterance sound(int k) const { return started.at(k).at(1).value<Utterance>(); }
    SpeechOwner owner(int k) const { return started.at(k).at(0).value<SpeechOwner>(); }
    // Waits for the synthesiser (not for the speech itself: the clock is manual).
    bool waitStarted(int count)
    {
        return QTest::qWaitFor([&] { return started.size() >= count; }, 10000);
    }
    // Moves the clock to just past a sample of a sound.
    void reach(const Utterance& sound, qint64 sample) const { *nowUs = sample * 1'000'000 / sound.sampleRate + 1000; }
    // The mouth shows each shape of a sound started at clock zero, from a
    // sample up to another, as the clock reaches it.
    bool showsShapes(SpeechOwner owner, const Utterance& sound, qint64 from, qint64 to)
    {
        for (const Utterance::Mark& mark : sound.marks) {
            // A few milliseconds into the shape, clear of rounding.
            const qint64 sample = mark.sample + sound.sampleRate / 200;
            if (sample < from || sample >= to)
                continue;
            reach(sound, sample);
            if (!QTest::qWaitFor([&] { return engine.shapeNow(owner) == sound.shapeAt(sample); }, 2000))
                return false;
        }
        return true;
    }
};

Utterance said(const QString& text, int mode, int speed)
{
    Rig rig;
    rig.engine.speak(1, text, mode, speed);
    return rig.waitStarted(1) ? rig.sound(0) : Utterance{};
}

QList<int> modesOf(Synthesiser synthesiser)
{
    QList<int> modes;
    for (qsizetype i = 0; i < voiceCatalogue().size(); ++i)
        if (voiceCatalogue().at(i).synthesiser == synthesiser)
            modes << int(i + 1);
    return modes;
}

bool sameSound(const Utterance& a, const Utterance& b)
{
    return a.sampleRate == b.sampleRate && a.samples == b.samples && a.marks.size() == b.marks.size()
           && std::equal(a.marks.cbegin(), a.marks.cend(), b.marks.cbegin(), [](const auto& x, const auto& y) {
                  return x.sample == y.sample && x.shape == y.shape;
              });
}

// In a child process, with the speech data of `data`: the flite voices speak,
// espeak-ng ones are refused and only estimated.
void speakWithDamagedData(const QString& data)
{
    const int espeak = modesOf(Synthesiser::Espeak).first();
    const int flite = modesOf(Synthesiser::Flite).first();
    const std::unique_ptr<SpeechEngine> engine = makeVoiceEngine(data);
    QVERIFY(engine->canUseMode(flite));
    // The settings dialog asks this before it keeps a mode.
    QVERIFY(!engine->canUseMode(espeak));

    // The flite voices still speak.
    const Utterance word = said("hand", flite, 135);
    QVERIFY(std::any_of(word.samples.cbegin(), word.samples.cend(), [](qint16 s) { return std::abs(s) > 1000; }));

    // An espeak-ng voice: the text takes as long as it would to say, with the
    // mouth moving through it (played as any other sound).
    const Utterance estimated = said("hand and mouth", espeak, 135);
    QVERIFY(estimated.durationUs() > 500'000 && estimated.durationUs() < 3'000'000);
    QVERIFY(estimated.marks.size() >= 3);
}

}  // namespace

class TestVoice : public QObject {
    Q_OBJECT
private slots:
    void mouthsTakeTurnsAndAStoppedMouthLosesItsTexts();
    void everyCatalogueModeSpeaksInItsOwnVoiceWithItsLips();
    void everySpeedStepChangesTheLength_data();
    void everySpeedStepChangesTheLength();
    void damagedSpeechDataCostsOnlyEspeakVoices_data();
    void damagedSpeechDataCostsOnlyEspeakVoices();
    void deviceFaultsNeverStopTheSpeech_data();
    void deviceFaultsNeverStopTheSpeech();
    void textsMadeAheadSoundAsIfMadeWhenAsked();
    void cleanupTestCase();
};

void TestVoice::mouthsTakeTurnsAndAStoppedMouthLosesItsTexts()
{
    Rig rig;
    SpeechEngine::install(std::move(rig.owned));
    auto leaving = std::make_unique<SpeechControl>();
    auto stopped = std::make_unique<SpeechControl>();
    auto staying = std::make_unique<SpeechControl>();
    const auto owner = [](const std::unique_ptr<SpeechControl>& mouth) {
        return reinterpret_cast<SpeechOwner>(mouth.get());
    };
    // Stopped while it is still being made: never heard, not even as the mouth's next text.
    staying->Speak("welcome. unit 8. Quillet");
    staying->StopSpeaking();
    stopped->Speak("welcome. unit 8. Quillet");
    stopped->Speak("No! repeat!");
    leaving->Speak("ear");
    staying->Speak("click here");
    // Nothing is said yet: the calls only queued the texts.
    QVERIFY(rig.started.isEmpty());
    QVERIFY(rig.waitStarted(1));
    QCOMPARE(rig.owner(0), owner(stopped));
    QVERIFY(rig.sound(0).durationUs() > 1'200'000);
    QVERIFY(stopped->isSpeaking() && leaving->isSpeaking() && staying->isSpeaking());

    // The drawn mouth shows the shape of the sample the clock has reached;
    // the other mouths wait their turn at rest: one voice at a time.
    const Utterance sound = rig.sound(0);
    QVERIFY(sound.marks.size() >= 2);
    const Utterance::Mark mark = sound.marks.at(1);
    rig.reach(sound, mark.sample);
    QTRY_COMPARE(stopped->shownShape(), mark.shape);
    QCOMPARE(staying->shownShape(), MouthShape::Rest);
    QTest::qWait(50);
    QCOMPARE(rig.started.size(), 1);

    // A screen unloaded, and a mouth stopped in the middle of a text: their
    // waiting texts go with them, and the other mouth is heard next.
    leaving.reset();
    stopped->StopSpeaking();
    QVERIFY(!stopped->isSpeaking());
    QCOMPARE(stopped->shownShape(), MouthShape::Rest);
    QVERIFY(staying->isSpeaking());
    QVERIFY(rig.waitStarted(2));
    QCOMPARE(rig.owner(1), owner(staying));
    QVERIFY(rig.sound(1).durationUs() < 1'200'000);
    *rig.nowUs += 10'000'000;
    rig.engine.pump();
    QVERIFY(!staying->isSpeaking());
    QCOMPARE(staying->shownShape(), MouthShape::Rest);
    QTest::qWait(100);
    QCOMPARE(rig.started.size(), 2);
    staying.reset();
}

void TestVoice::everyCatalogueModeSpeaksInItsOwnVoiceWithItsLips()
{
    EspeakSynth& voices = synth();
    const QList<VoiceMode> modes = voices.modes();
    QVERIFY(modes.size() >= 8);
    QSet<QByteArray> samples;
    for (int mode = 1; mode <= modes.size(); ++mode) {
        const VoiceMode& voice = modes.at(mode - 1);
        QVERIFY2(voices.usable(mode), qPrintable(voice.name));
        const Utterance sound = said("mouth", mode, 135);
        QVERIFY2(sound.durationUs() > 150'000 && sound.marks.size() >= 2, qPrintable(voice.name));
        // "m" closes the lips, "ou" rounds or opens them; a shape holds long enough not to flicker.
        QCOMPARE(sound.marks.first().shape, MouthShape::Closed);
        QSet<MouthShape> shapes;
        for (qsizetype i = 0; i < sound.marks.size(); ++i) {
            shapes.insert(sound.marks.at(i).shape);
            QVERIFY2(i == 0 || sound.marks.at(i).sample - sound.marks.at(i - 1).sample >= sound.sampleRate * 70 / 1000,
                     qPrintable(voice.name));
        }
        QVERIFY2(shapes.size() >= 2, qPrintable(voice.name));
        // Going from change to change, the mouth takes every shape the lips take, in order, and ends at rest.
        QList<MouthShape> walked, taken;
        for (qint64 at = 0; at >= 0; at = sound.nextChangeAfter(at))
            walked << sound.shapeAt(at);
        for (qint64 at = 0; at <= sound.samples.size(); ++at)
            if (taken.isEmpty() || taken.last() != sound.shapeAt(at))
                taken << sound.shapeAt(at);
        QVERIFY2(walked == taken, qPrintable(voice.name));
        samples.insert(QByteArray(reinterpret_cast<const char*>(sound.samples.constData()), sound.samples.size() * 2));
    }
    // The voices differ: no two modes make the very same samples.
    QCOMPARE(samples.size(), modes.size());
    QVERIFY(!voices.usable(0));
    QVERIFY(!voices.usable(int(modes.size()) + 1));
    // Every sound of flite's set but the pause moves the lips.
    for (const QByteArray& phone : QByteArray("aa ae ah ao aw ay b ch d dh eh er ey f g hh ih iy jh k l m n ng "
                                              "ow oy p r s sh t th uh uw v w y z zh").split(' '))
        QVERIFY2(shapeForFlitePhone(phone.constData()) != MouthShape::Rest, phone.constData());
    QCOMPARE(shapeForFlitePhone("pau"), MouthShape::Rest);
}

void TestVoice::everySpeedStepChangesTheLength_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("espeak-ng") << modesOf(Synthesiser::Espeak).first();
    QTest::newRow("flite") << modesOf(Synthesiser::Flite).first();
}

void TestVoice::everySpeedStepChangesTheLength()
{
    QFETCH(int, mode);
    for (const QString& text : {QStringLiteral("hand"), QStringLiteral("No! repeat!")}) {
        qint64 previous = 0;
        for (int speed = 50; speed <= 200; speed += 5) {
            const qint64 length = said(text, mode, speed).samples.size();
            // At least half a per cent shorter with every step faster.
            QVERIFY2(previous == 0 || length * 1000 < previous * 995,
                     qPrintable(QStringLiteral("%1 at %2").arg(text).arg(speed)));
            previous = length;
        }
    }
    // The slow end really is slow: more than twice as long as the fast end.
    QVERIFY(said("hand", mode, 50).samples.size() > 2 * said("hand", mode, 200).samples.size());
}

void TestVoice::damagedSpeechDataCostsOnlyEspeakVoices_data()
{
    QTest::addColumn<QString>("damage");
    QTest::newRow("no data") << QString();
    QTest::newRow("phondata missing") << QStringLiteral("phondata");
    // Cut short, each of them crashes espeak-ng inside its first text.
    QTest::newRow("phontab cut short") << QStringLiteral("phontab");
    QTest::newRow("en_dict cut short") << QStringLiteral("en_dict");
}

void TestVoice::damagedSpeechDataCostsOnlyEspeakVoices()
{
    // espeak-ng starts once a process: the damaged data is tried in a child
    // run of this very test.
    if (const QString data = qEnvironmentVariable("QUILLET_TEST_SPEECH_DATA"); !data.isEmpty()) {
        speakWithDamagedData(data);
        return;
    }
    QFETCH(QString, damage);
    QTemporaryDir dir;
    if (!damage.isEmpty()) {
        // The system's data, one file of it missing or cut short.
        const QDir system(EspeakSynth::systemDataParent() + QStringLiteral("/espeak-ng-data"));
        const QString copy = dir.filePath(QStringLiteral("espeak-ng-data/"));
        QVERIFY(QDir().mkpath(copy));
        for (const QFileInfo& entry : system.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot))
            if (entry.fileName() != damage)
                QVERIFY(QFile::link(entry.absoluteFilePath(), copy + entry.fileName()));
        const QByteArray whole = readFile(system.filePath(damage));
        if (damage != QStringLiteral("phondata"))
            writeFile(copy + damage, whole.left(whole.size() / 10));
    }
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    qputenv("QUILLET_TEST_SPEECH_DATA", dir.path().toUtf8());
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("damagedSpeechDataCostsOnlyEspeakVoices:") + QString::fromUtf8(QTest::currentDataTag())});
    qunsetenv("QUILLET_TEST_SPEECH_DATA");
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
}

void TestVoice::deviceFaultsNeverStopTheSpeech_data()
{
    QTest::addColumn<FakeDevice::Fault>("fault");
    // Refused at the start: the text plays against the clock from its start.
    QTest::newRow("refused") << FakeDevice::Fault::Refuses;
    // Dead halfway: heard on the device up to there, then on the clock.
    QTest::newRow("dead halfway") << FakeDevice::Fault::DiesHalfway;
    // Hung in its start: the interface thread goes on, the text plays against
    // the clock after a short stall, and the device is asked again only once
    // it is back.
    QTest::newRow("hung") << FakeDevice::Fault::Hangs;
}

void TestVoice::deviceFaultsNeverStopTheSpeech()
{
    QFETCH(FakeDevice::Fault, fault);
    auto device = std::make_shared<FakeDevice>();
    device->next = fault;
    Rig rig(device);
    rig.engine.speak(1, "welcome. unit 8. Quillet", 1, 135);
    rig.engine.speak(2, "hand", 1, 135);
    QVERIFY(rig.waitStarted(1));
    const Utterance sound = rig.sound(0);
    const qint64 end = sound.samples.size();
    // The last sample heard on the device (the device begins at clock zero).
    const qint64 lost = fault == FakeDevice::Fault::DiesHalfway ? end / 2 : 0;
    if (fault == FakeDevice::Fault::Hangs) {
        QTRY_VERIFY(device->hanging.load());
        // The stall is measured in real time: the watchdog's own.
        QTest::qWait(2 * EspeakEngine::StallMs);
    } else {
        if (lost > 0) {
            QTRY_COMPARE(device->begun.load(), 1);
            QVERIFY(rig.showsShapes(1, sound, 0, lost));
            rig.reach(sound, lost);
        }
        QTRY_COMPARE(device->ended.load(), 1);
        rig.engine.pump();
    }
    // The rest goes on against the clock for as long as it takes.
    QVERIFY(rig.showsShapes(1, sound, lost, end));
    rig.reach(sound, end - sound.sampleRate / 50);
    rig.engine.pump();
    QVERIFY(rig.engine.isSpeaking(1));
    rig.reach(sound, end + sound.sampleRate / 50);
    rig.engine.pump();
    QVERIFY(!rig.engine.isSpeaking(1));
    QVERIFY(rig.waitStarted(2));
    QCOMPARE(rig.owner(1), SpeechOwner(2));
    // The next text tries the device again, but not while it hangs.
    if (fault != FakeDevice::Fault::Hangs)
        QTRY_COMPARE(device->begun.load(), fault == FakeDevice::Fault::Refuses ? 1 : 2);
    *rig.nowUs += rig.sound(1).durationUs() + 1000;
    QTRY_VERIFY(!rig.engine.isSpeaking(2));
    if (fault != FakeDevice::Fault::Hangs)
        return;
    // Once it is back.
    QCOMPARE(device->made.load(), 1);
    device->release.set_value();
    QTRY_COMPARE(device->ended.load(), 1);
    rig.engine.speak(3, "nose", 1, 135);
    QVERIFY(rig.waitStarted(3));
    // Started, not only made: an output takes its start time from the clock.
    QTRY_COMPARE(device->begun.load(), 2);
    *rig.nowUs += rig.sound(2).durationUs() + 1000;
    QTRY_VERIFY(!rig.engine.isSpeaking(3));
}

void TestVoice::textsMadeAheadSoundAsIfMadeWhenAsked()
{
    // Two flite voices: flite makes a text the same every time, espeak-ng not quite.
    const QList<int> flite = modesOf(Synthesiser::Flite);
    QVERIFY(flite.size() >= 2);
    const Utterance slow = said("No! repeat!", flite.at(0), 100);
    const Utterance inAnother = said("No! repeat!", flite.at(1), 100);
    EspeakSynth::makeAhead({"No! repeat!", "hands"});
    // A text asked for starts the making ahead in its mode and speed.
    said("hands", flite.at(0), 100);
    QVERIFY(QTest::qWaitFor([] { return synth().madeAhead(); }, 30000));
    QVERIFY(sameSound(said("No! repeat!", flite.at(0), 100), slow));
    // Another mode is not served what was made in the first; made after the
    // voices gave their pages back, it sounds as before.
    QVERIFY(sameSound(said("No! repeat!", flite.at(1), 100), inAnother));
    EspeakSynth::makeAhead({});

    // Kept packed, any samples come back bit for bit: the extremes, noise, a
    // click in silence, and lengths that end inside a block.
    Utterance edges;
    edges.sampleRate = 16000;
    std::mt19937 noise(7);
    for (int i = 0; i < 1400; ++i)
        edges.samples.append(i < 700 ? (i % 2 ? 32767 : -32768) : qint16(noise()));
    edges.samples.append(QVector<qint16>(300, 0));
    edges.samples[1600] = -32768;  // a click in the silence
    edges.marks = {{0, MouthShape::Open}, {900, MouthShape::Rest}, {1200, MouthShape::Open}};
    for (qsizetype length : {0, 1, 2, 257, 1700}) {
        Utterance part = edges;
        part.samples.resize(length);
        QVERIFY2(sameSound(PackedSound(part).unpack(), part), qPrintable(QString::number(length)));
    }

    // A break put between two words keeps every lip shape on the sample it was made for.
    Utterance paused = edges;
    paused.pauseBefore({900}, 10);
    QCOMPARE(paused.samples.mid(900, 160), QVector<qint16>(160, 0));
    QCOMPARE(paused.samples.mid(1060), edges.samples.mid(900));
    QCOMPARE(paused.marks.size(), edges.marks.size());
    for (qsizetype k = 0; k < paused.marks.size(); ++k)
        QCOMPARE(paused.samples.at(paused.marks[k].sample), edges.samples.at(edges.marks[k].sample));
}

void TestVoice::cleanupTestCase()
{
    // As the program does before it ends: a text still being made ahead would
    // read the tables that the exit frees.
    QVERIFY(QTest::qWaitFor([] { return EspeakSynth::finish(); }, 30000));
}

QTEST_MAIN(TestVoice)
#include "test_voice.moc"
