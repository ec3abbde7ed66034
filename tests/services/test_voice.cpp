// The real espeak-ng voice path, played against a manual clock: queueing,
// stopping, speed, the voice catalogue, lip shapes and missing speech data.

#include "services/speech/EspeakEngine.h"
#include "services/speech/PhonemeShape.h"
#include "services/speech/SilentEngine.h"
#include "services/speech/SpeechControl.h"
#include "services/speech/VoiceCatalogue.h"

#include <QSignalSpy>
#include <QTest>

namespace {

// A clock the test moves by hand, in microseconds.
struct ManualClock {
    std::shared_ptr<qint64> now = std::make_shared<qint64>(0);
    SoundClock clock() const
    {
        return [now = now] { return *now; };
    }
    void advanceUs(qint64 us) const { *now += us; }
};

// No sound card, as on this machine and in CI.
DeviceOutputs noDevice()
{
    return [] { return std::unique_ptr<SoundOutput>(); };
}

EspeakSynth& synth()
{
    EspeakSynth* shared = EspeakSynth::shared(voiceDataParent());
    if (!shared)
        qFatal("espeak-ng speech data is not installed");
    return *shared;
}

// Waits for the synthesiser (not for the speech itself: the clock is manual).
bool waitStarted(QSignalSpy& started, int count)
{
    return QTest::qWaitFor([&] { return started.size() >= count; }, 10000);
}

// Plays everything out: the clock is moved past each sound as it starts.
QStringList playAll(EspeakEngine& engine, const ManualClock& clock, QSignalSpy& started, SpeechOwner owner)
{
    QStringList heard;
    int seen = 0;
    while (engine.isSpeaking(owner)) {
        if (!QTest::qWaitFor([&] { return started.size() > seen; }, 10000))
            break;
        const auto sound = started.at(seen).at(1).value<Utterance>();
        ++seen;
        heard << QString::number(sound.samples.size());
        clock.advanceUs(sound.durationUs() + 1000);
        engine.pump();
    }
    return heard;
}

Utterance said(const QString& text, int mode, int speed)
{
    ManualClock clock;
    EspeakEngine engine(synth(), noDevice(), clock.clock());
    QSignalSpy started(&engine, &EspeakEngine::soundStarted);
    engine.speak(1, text, mode, speed);
    if (!waitStarted(started, 1))
        return {};
    return started.first().at(1).value<Utterance>();
}

// One mode of each synthesiser: the first espeak-ng voice and the first flite voice.
void addOneModeOfEachSynthesiser()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("espeak-ng") << 1;
    for (qsizetype i = 0; i < voiceCatalogue().size(); ++i)
        if (voiceCatalogue().at(i).synthesiser == Synthesiser::Flite) {
            QTest::newRow("flite") << int(i + 1);
            break;
        }
}

}  // namespace

class TestVoice : public QObject {
    Q_OBJECT
private slots:
    void speakReturnsAtOnceAndQueueKeepsCallOrder();
    void stopDropsOnlyThatMouthsTexts();
    void stopThenSpeakAgain();
    void everyCatalogueModeSpeaks();
    void catalogueNamesAndGenders();
    void everySpeedStepChangesTheLength_data();
    void everySpeedStepChangesTheLength();
    void lipShapesFollowThePlayedSound_data();
    void lipShapesFollowThePlayedSound();
    void flitePhonesHaveShapes_data();
    void flitePhonesHaveShapes();
    void missingSpeechDataLeavesASilentMovingMouth();
    void twoMouthsAndAnUnloadedScreen();
};

void TestVoice::speakReturnsAtOnceAndQueueKeepsCallOrder()
{
    ManualClock clock;
    EspeakEngine engine(synth(), noDevice(), clock.clock());
    QSignalSpy started(&engine, &EspeakEngine::soundStarted);
    QSignalSpy finished(&engine, &EspeakEngine::soundFinished);
    const QStringList words = {"hand", "welcome. unit 8. Quillet", "nose"};
    for (const QString& word : words)
        engine.speak(7, word, 1, 135);
    // Nothing is said yet: the calls only queued the texts.
    QVERIFY(started.isEmpty());
    QVERIFY(engine.isSpeaking(7));

    QVERIFY(waitStarted(started, 1));
    const auto first = started.at(0).at(1).value<Utterance>();
    // The second text waits for the first to be heard, however fast it was made.
    QTest::qWait(50);
    QCOMPARE(started.size(), 1);
    const QStringList heard = playAll(engine, clock, started, 7);
    QCOMPARE(heard.size(), 3);
    QCOMPARE(finished.size(), 3);
    // The long sentence came second.
    QVERIFY(heard.at(1).toInt() > heard.at(0).toInt() * 2);
    QVERIFY(heard.at(1).toInt() > heard.at(2).toInt() * 2);
    QCOMPARE(heard.at(0).toInt(), first.samples.size());
    QVERIFY(!engine.isSpeaking(7));
}

void TestVoice::stopDropsOnlyThatMouthsTexts()
{
    ManualClock clock;
    EspeakEngine engine(synth(), noDevice(), clock.clock());
    QSignalSpy started(&engine, &EspeakEngine::soundStarted);
    QSignalSpy changed(&engine, &SpeechEngine::speakingChanged);
    engine.speak(1, "welcome. unit 8. Quillet", 1, 135);
    engine.speak(1, "No! repeat!", 1, 135);
    engine.speak(2, "ear", 1, 135);
    QVERIFY(waitStarted(started, 2));
    engine.stop(1);
    QVERIFY(!engine.isSpeaking(1));
    QVERIFY(engine.isSpeaking(2));
    QCOMPARE(engine.shapeNow(1), MouthShape::Rest);
    QCOMPARE(changed.last().at(0).value<SpeechOwner>(), SpeechOwner(1));
    QCOMPARE(changed.last().at(1).toBool(), false);

    clock.advanceUs(5'000'000);
    engine.pump();
    QTest::qWait(100);
    // The stopped mouth's waiting text never starts.
    int ownerOne = 0;
    for (const QList<QVariant>& start : std::as_const(started))
        ownerOne += start.at(0).value<SpeechOwner>() == 1;
    QCOMPARE(ownerOne, 1);
    QVERIFY(!engine.isSpeaking(2));
}

void TestVoice::stopThenSpeakAgain()
{
    ManualClock clock;
    EspeakEngine engine(synth(), noDevice(), clock.clock());
    QSignalSpy started(&engine, &EspeakEngine::soundStarted);
    engine.speak(3, "welcome. unit 8. Quillet", 1, 135);
    engine.stop(3);
    engine.speak(3, "foot", 1, 135);
    QVERIFY(waitStarted(started, 1));
    QTest::qWait(100);
    QCOMPARE(started.size(), 1);
    const auto sound = started.first().at(1).value<Utterance>();
    // Only the single word is played, not the long sentence stopped before it.
    QVERIFY(sound.durationUs() < 1'200'000);
    QCOMPARE(playAll(engine, clock, started, 3).size(), 1);
    QVERIFY(!engine.isSpeaking(3));
}

void TestVoice::everyCatalogueModeSpeaks()
{
    EspeakSynth& voices = synth();
    const QList<VoiceMode> modes = voices.modes();
    QCOMPARE(modes.size(), voiceCatalogue().size());
    for (int mode = 1; mode <= modes.size(); ++mode) {
        QVERIFY2(voices.usable(mode), qPrintable(modes.at(mode - 1).name));
        const Utterance sound = said("mouth", mode, 135);
        QVERIFY2(sound.durationUs() > 150'000, qPrintable(modes.at(mode - 1).name));
        QVERIFY2(!sound.marks.isEmpty(), qPrintable(modes.at(mode - 1).name));
    }
    // The voices differ: no two modes make the very same samples.
    QSet<QByteArray> distinct;
    for (int mode = 1; mode <= modes.size(); ++mode) {
        const Utterance sound = said("mouth", mode, 135);
        distinct.insert(QByteArray(reinterpret_cast<const char*>(sound.samples.constData()),
                                   sound.samples.size() * 2));
    }
    QCOMPARE(distinct.size(), modes.size());
    QVERIFY(!voices.usable(0));
    QVERIFY(!voices.usable(int(modes.size()) + 1));
}

void TestVoice::catalogueNamesAndGenders()
{
    const QList<VoiceMode> modes = synth().modes();
    QVERIFY(modes.size() >= 8);
    QSet<QString> names;
    int women = 0;
    int men = 0;
    for (const VoiceMode& mode : modes) {
        QVERIFY(!mode.name.isEmpty());
        names.insert(mode.name);
        women += mode.gender == 1;
        men += mode.gender == 2;
    }
    QCOMPARE(names.size(), modes.size());
    QVERIFY(women >= 2);
    QVERIFY(men >= 2);
    QVERIFY(modes.first().name.contains("britannico"));
}

void TestVoice::everySpeedStepChangesTheLength_data()
{
    addOneModeOfEachSynthesiser();
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

void TestVoice::lipShapesFollowThePlayedSound_data()
{
    addOneModeOfEachSynthesiser();
}

void TestVoice::lipShapesFollowThePlayedSound()
{
    QFETCH(int, mode);
    ManualClock clock;
    EspeakEngine engine(synth(), noDevice(), clock.clock());
    QSignalSpy started(&engine, &EspeakEngine::soundStarted);
    engine.speak(5, "mouth", mode, 135);
    QVERIFY(waitStarted(started, 1));
    const auto sound = started.first().at(1).value<Utterance>();
    QVERIFY(sound.marks.size() >= 2);
    // "m" closes the lips, "ou" rounds or opens them.
    QCOMPARE(sound.marks.first().shape, MouthShape::Closed);
    QSet<MouthShape> seen;
    for (const Utterance::Mark& mark : sound.marks) {
        *clock.now = mark.sample * 1'000'000 / sound.sampleRate + 1000;
        seen.insert(engine.shapeNow(5));
        QCOMPARE(engine.shapeNow(5), sound.shapeAt(mark.sample + sound.sampleRate / 1000));
    }
    QVERIFY(seen.size() >= 2);
    // A shape holds long enough not to flicker.
    for (qsizetype i = 1; i < sound.marks.size(); ++i)
        QVERIFY(sound.marks.at(i).sample - sound.marks.at(i - 1).sample >= sound.sampleRate * 70 / 1000);
}

void TestVoice::flitePhonesHaveShapes_data()
{
    QTest::addColumn<QByteArray>("phone");
    QTest::addColumn<MouthShape>("shape");
    QTest::newRow("m") << QByteArray("m") << MouthShape::Closed;
    QTest::newRow("b") << QByteArray("b") << MouthShape::Closed;
    QTest::newRow("p") << QByteArray("p") << MouthShape::Closed;
    QTest::newRow("f") << QByteArray("f") << MouthShape::LipBite;
    QTest::newRow("v") << QByteArray("v") << MouthShape::LipBite;
    QTest::newRow("uw") << QByteArray("uw") << MouthShape::Puckered;
    QTest::newRow("ow") << QByteArray("ow") << MouthShape::Rounded;
    QTest::newRow("pau") << QByteArray("pau") << MouthShape::Rest;
}

void TestVoice::flitePhonesHaveShapes()
{
    QFETCH(QByteArray, phone);
    QFETCH(MouthShape, shape);
    QCOMPARE(shapeForFlitePhone(phone.constData()), shape);
    // Every other sound of the set moves the lips: none is left at rest.
    const QByteArrayList sounds = QByteArray("aa ae ah ao aw ay b ch d dh eh er ey f g hh ih iy jh k l m n ng "
                                             "ow oy p r s sh t th uh uw v w y z zh").split(' ');
    for (const QByteArray& sound : sounds)
        QVERIFY2(shapeForFlitePhone(sound.constData()) != MouthShape::Rest, sound.constData());
}

void TestVoice::missingSpeechDataLeavesASilentMovingMouth()
{
    QVERIFY(!EspeakSynth::hasVoiceData("/nonexistent"));
    const std::unique_ptr<SpeechEngine> engine = makeVoiceEngine("/nonexistent");
    QVERIFY(dynamic_cast<SilentEngine*>(engine.get()));
    QCOMPARE(engine->modes().size(), 0);
    QVERIFY(!engine->canUseMode(1));
    engine->speak(9, "hand and mouth", 1, 135);
    QVERIFY(engine->isSpeaking(9));
    QSet<MouthShape> seen;
    QVERIFY(QTest::qWaitFor([&] {
        seen.insert(engine->shapeNow(9));
        return seen.size() >= 3;
    }, 5000));
    engine->stop(9);
    QVERIFY(!engine->isSpeaking(9));
}

void TestVoice::twoMouthsAndAnUnloadedScreen()
{
    ManualClock clock;
    auto owned = std::make_unique<EspeakEngine>(synth(), noDevice(), clock.clock());
    EspeakEngine& engine = *owned;
    SpeechEngine::install(std::move(owned));
    QSignalSpy started(&engine, &EspeakEngine::soundStarted);
    auto leaving = std::make_unique<SpeechControl>();
    auto staying = std::make_unique<SpeechControl>();
    leaving->Speak("welcome. unit 8. Quillet");
    leaving->Speak("No! repeat!");
    staying->Speak("mouth");
    QVERIFY(waitStarted(started, 2));
    QVERIFY(leaving->isSpeaking());
    QVERIFY(staying->isSpeaking());

    const auto ownerOf = [](const SpeechControl* mouth) { return reinterpret_cast<SpeechOwner>(mouth); };
    Utterance sound;
    for (const QList<QVariant>& start : std::as_const(started))
        if (start.at(0).value<SpeechOwner>() == ownerOf(staying.get()))
            sound = start.at(1).value<Utterance>();
    QVERIFY(sound.marks.size() >= 2);
    // The drawn mouth shows the shape of the sample the clock has reached.
    const Utterance::Mark mark = sound.marks.at(1);
    *clock.now = mark.sample * 1'000'000 / sound.sampleRate + 1000;
    QTRY_COMPARE(staying->shownShape(), mark.shape);

    // A screen unloaded while speaking takes its texts with it.
    leaving.reset();
    QVERIFY(staying->isSpeaking());
    *clock.now += 10'000'000;
    engine.pump();
    QVERIFY(!staying->isSpeaking());
    QCOMPARE(staying->shownShape(), MouthShape::Rest);
    QTest::qWait(50);
    // The unloaded mouth's waiting text never started.
    QCOMPARE(started.size(), 2);
    staying.reset();
}

QTEST_MAIN(TestVoice)
#include "test_voice.moc"
