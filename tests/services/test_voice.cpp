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

EspeakSynth& synth()
{
    EspeakSynth* shared = EspeakSynth::shared(voiceDataParent());
    if (!shared)
        qFatal("espeak-ng speech data is not installed");
    return *shared;
}

// The real engine with no sound card, as on this machine and in CI, played
// against a clock the test moves by hand (in microseconds).
struct Rig {
    std::shared_ptr<qint64> nowUs = std::make_shared<qint64>(0);
    std::unique_ptr<EspeakEngine> owned = std::make_unique<EspeakEngine>(
        synth(), [] { return std::unique_ptr<SoundOutput>(); }, [now = nowUs] { return *now; });
    EspeakEngine& engine = *owned;
    QSignalSpy started{&engine, &EspeakEngine::soundStarted};

    Utterance sound(int k) const { return started.at(k).at(1).value<Utterance>(); }
    // Waits for the synthesiser (not for the speech itself: the clock is manual).
    bool waitStarted(int count)
    {
        return QTest::qWaitFor([&] { return started.size() >= count; }, 10000);
    }
    // Moves the clock to just past a sample of a sound.
    void reach(const Utterance& sound, qint64 sample) const { *nowUs = sample * 1'000'000 / sound.sampleRate + 1000; }
    // Plays everything out: the clock is moved past each sound as it starts.
    QStringList playAll(SpeechOwner owner)
    {
        QStringList heard;
        for (int seen = 0; engine.isSpeaking(owner) && waitStarted(seen + 1); ++seen) {
            heard << QString::number(sound(seen).samples.size());
            *nowUs += sound(seen).durationUs() + 1000;
            engine.pump();
        }
        return heard;
    }
};

Utterance said(const QString& text, int mode, int speed)
{
    Rig rig;
    rig.engine.speak(1, text, mode, speed);
    return rig.waitStarted(1) ? rig.sound(0) : Utterance{};
}

int firstModeOf(Synthesiser synthesiser)
{
    for (qsizetype i = 0; i < voiceCatalogue().size(); ++i)
        if (voiceCatalogue().at(i).synthesiser == synthesiser)
            return int(i + 1);
    return 0;
}

// One mode of each synthesiser: the first espeak-ng voice and the first flite voice.
void addOneModeOfEachSynthesiser()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("espeak-ng") << firstModeOf(Synthesiser::Espeak);
    QTest::newRow("flite") << firstModeOf(Synthesiser::Flite);
}

bool sameSound(const Utterance& a, const Utterance& b)
{
    return a.sampleRate == b.sampleRate && a.samples == b.samples && a.marks.size() == b.marks.size()
           && std::equal(a.marks.cbegin(), a.marks.cend(), b.marks.cbegin(), [](const auto& x, const auto& y) {
                  return x.sample == y.sample && x.shape == y.shape;
              });
}

}  // namespace

class TestVoice : public QObject {
    Q_OBJECT
private slots:
    void speakReturnsAtOnceAndQueueKeepsCallOrder();
    void stopDropsOnlyThatMouthsTexts();
    void stopThenSpeakAgain();
    void everyCatalogueModeSpeaksInItsOwnVoice();
    void everySpeedStepChangesTheLength_data();
    void everySpeedStepChangesTheLength();
    void lipShapesFollowThePlayedSound_data();
    void lipShapesFollowThePlayedSound();
    void flitePhonesHaveShapes_data();
    void flitePhonesHaveShapes();
    void missingSpeechDataLeavesASilentMovingMouth();
    void twoMouthsAndAnUnloadedScreen();
    void textsMadeAheadSoundAsIfMadeWhenAsked();
};

void TestVoice::speakReturnsAtOnceAndQueueKeepsCallOrder()
{
    Rig rig;
    QSignalSpy finished(&rig.engine, &EspeakEngine::soundFinished);
    for (const char* word : {"hand", "welcome. unit 8. Quillet", "nose"})
        rig.engine.speak(7, word, 1, 135);
    // Nothing is said yet: the calls only queued the texts.
    QVERIFY(rig.started.isEmpty());
    QVERIFY(rig.engine.isSpeaking(7));

    QVERIFY(rig.waitStarted(1));
    const Utterance first = rig.sound(0);
    // The second text waits for the first to be heard, however fast it was made.
    QTest::qWait(50);
    QCOMPARE(rig.started.size(), 1);
    const QStringList heard = rig.playAll(7);
    QCOMPARE(heard.size(), 3);
    QCOMPARE(finished.size(), 3);
    // The long sentence came second.
    QVERIFY(heard.at(1).toInt() > heard.at(0).toInt() * 2);
    QVERIFY(heard.at(1).toInt() > heard.at(2).toInt() * 2);
    QCOMPARE(heard.at(0).toInt(), first.samples.size());
    QVERIFY(!rig.engine.isSpeaking(7));
}

void TestVoice::stopDropsOnlyThatMouthsTexts()
{
    Rig rig;
    QSignalSpy changed(&rig.engine, &SpeechEngine::speakingChanged);
    rig.engine.speak(1, "welcome. unit 8. Quillet", 1, 135);
    rig.engine.speak(1, "No! repeat!", 1, 135);
    rig.engine.speak(2, "ear", 1, 135);
    QVERIFY(rig.waitStarted(2));
    rig.engine.stop(1);
    QVERIFY(!rig.engine.isSpeaking(1));
    QVERIFY(rig.engine.isSpeaking(2));
    QCOMPARE(rig.engine.shapeNow(1), MouthShape::Rest);
    QCOMPARE(changed.last().at(0).value<SpeechOwner>(), SpeechOwner(1));
    QCOMPARE(changed.last().at(1).toBool(), false);

    *rig.nowUs += 5'000'000;
    rig.engine.pump();
    QTest::qWait(100);
    // The stopped mouth's waiting text never starts.
    int ownerOne = 0;
    for (const QList<QVariant>& start : std::as_const(rig.started))
        ownerOne += start.at(0).value<SpeechOwner>() == 1;
    QCOMPARE(ownerOne, 1);
    QVERIFY(!rig.engine.isSpeaking(2));
}

void TestVoice::stopThenSpeakAgain()
{
    Rig rig;
    rig.engine.speak(3, "welcome. unit 8. Quillet", 1, 135);
    rig.engine.stop(3);
    rig.engine.speak(3, "foot", 1, 135);
    QVERIFY(rig.waitStarted(1));
    QTest::qWait(100);
    QCOMPARE(rig.started.size(), 1);
    // Only the single word is played, not the long sentence stopped before it.
    QVERIFY(rig.sound(0).durationUs() < 1'200'000);
    QCOMPARE(rig.playAll(3).size(), 1);
    QVERIFY(!rig.engine.isSpeaking(3));
}

void TestVoice::everyCatalogueModeSpeaksInItsOwnVoice()
{
    EspeakSynth& voices = synth();
    const QList<VoiceMode> modes = voices.modes();
    QCOMPARE(modes.size(), voiceCatalogue().size());
    QVERIFY(modes.size() >= 8);
    // The clearest voice is the default.
    QCOMPARE(QByteArray(voiceCatalogue().first().language), QByteArray("cmu_us_slt"));
    QSet<QString> names;
    QSet<QByteArray> samples;
    int women = 0;
    int men = 0;
    for (int mode = 1; mode <= modes.size(); ++mode) {
        const VoiceMode& voice = modes.at(mode - 1);
        QVERIFY2(voices.usable(mode), qPrintable(voice.name));
        const Utterance sound = said("mouth", mode, 135);
        QVERIFY2(sound.durationUs() > 150'000, qPrintable(voice.name));
        QVERIFY2(!sound.marks.isEmpty(), qPrintable(voice.name));
        samples.insert(QByteArray(reinterpret_cast<const char*>(sound.samples.constData()), sound.samples.size() * 2));
        QVERIFY(!voice.name.isEmpty());
        names.insert(voice.name);
        women += voice.gender == 1;
        men += voice.gender == 2;
    }
    // The voices differ: no two modes make the very same samples or share a name.
    QCOMPARE(samples.size(), modes.size());
    QCOMPARE(names.size(), modes.size());
    QVERIFY(women >= 2 && men >= 2);
    QVERIFY(!voices.usable(0));
    QVERIFY(!voices.usable(int(modes.size()) + 1));
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
    Rig rig;
    rig.engine.speak(5, "mouth", mode, 135);
    QVERIFY(rig.waitStarted(1));
    const Utterance sound = rig.sound(0);
    QVERIFY(sound.marks.size() >= 2);
    // "m" closes the lips, "ou" rounds or opens them.
    QCOMPARE(sound.marks.first().shape, MouthShape::Closed);
    QSet<MouthShape> seen;
    for (const Utterance::Mark& mark : sound.marks) {
        rig.reach(sound, mark.sample);
        seen.insert(rig.engine.shapeNow(5));
        QCOMPARE(rig.engine.shapeNow(5), sound.shapeAt(mark.sample + sound.sampleRate / 1000));
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
    Rig rig;
    SpeechEngine::install(std::move(rig.owned));
    auto leaving = std::make_unique<SpeechControl>();
    auto staying = std::make_unique<SpeechControl>();
    leaving->Speak("welcome. unit 8. Quillet");
    leaving->Speak("No! repeat!");
    staying->Speak("mouth");
    QVERIFY(rig.waitStarted(2));
    QVERIFY(leaving->isSpeaking());
    QVERIFY(staying->isSpeaking());

    Utterance sound;
    for (const QList<QVariant>& start : std::as_const(rig.started))
        if (start.at(0).value<SpeechOwner>() == reinterpret_cast<SpeechOwner>(staying.get()))
            sound = start.at(1).value<Utterance>();
    QVERIFY(sound.marks.size() >= 2);
    // The drawn mouth shows the shape of the sample the clock has reached.
    const Utterance::Mark mark = sound.marks.at(1);
    rig.reach(sound, mark.sample);
    QTRY_COMPARE(staying->shownShape(), mark.shape);

    // A screen unloaded while speaking takes its texts with it.
    leaving.reset();
    QVERIFY(staying->isSpeaking());
    *rig.nowUs += 10'000'000;
    rig.engine.pump();
    QVERIFY(!staying->isSpeaking());
    QCOMPARE(staying->shownShape(), MouthShape::Rest);
    QTest::qWait(50);
    // The unloaded mouth's waiting text never started.
    QCOMPARE(rig.started.size(), 2);
    staying.reset();
}

void TestVoice::textsMadeAheadSoundAsIfMadeWhenAsked()
{
    // Two flite voices: flite makes a text the same every time, espeak-ng not quite.
    QList<int> flite;
    for (qsizetype i = 0; i < voiceCatalogue().size(); ++i)
        if (voiceCatalogue().at(i).synthesiser == Synthesiser::Flite)
            flite << int(i + 1);
    QVERIFY(flite.size() >= 2);
    const Utterance slow = said("No! repeat!", flite.at(0), 100);
    const Utterance inAnother = said("No! repeat!", flite.at(1), 100);
    EspeakSynth::makeAhead({"No! repeat!", "hands"});
    // A text asked for starts the making ahead in its mode and speed.
    said("hands", flite.at(0), 100);
    QVERIFY(QTest::qWaitFor([] { return synth().madeAhead(); }, 30000));
    QVERIFY(sameSound(said("No! repeat!", flite.at(0), 100), slow));
    // Another mode is not served what was made in the first.
    QVERIFY(sameSound(said("No! repeat!", flite.at(1), 100), inAnother));
    EspeakSynth::makeAhead({});
}

QTEST_MAIN(TestVoice)
#include "test_voice.moc"
