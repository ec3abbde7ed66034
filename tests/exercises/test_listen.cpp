// The listen screens: a picture, its word (Form7) and the spoken word, always the same word.

#include "services/DesignForm.h"
#include "services/controls/CommandButton.h"
#include "services/controls/PictureImage.h"
#include "services/controls/TextLabel.h"
#include "services/speech/SpeechControl.h"
#include "shell/Modulo1.h"
#include "support/TestWorld.h"

#include <QAction>

class TestListen : public QObject {
    Q_OBJECT
private slots:
    void speaksShowsAndRepeatsTheWord_data();
    void speaksShowsAndRepeatsTheWord();
};

void TestListen::speaksShowsAndRepeatsTheWord_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("title");
    QTest::newRow("Form1") << "Form1" << "exercise 1. listen.";
    QTest::newRow("Form7") << "Form7" << "exercise 7. listen and read.";
}

void TestListen::speaksShowsAndRepeatsTheWord()
{
    QFETCH(QString, form);
    QFETCH(QString, title);
    TestWorld world;
    DesignForm* screen = world.open(form);
    QVERIFY(screen);
    const QStringList said = world.saidBy(screen);
    QCOMPARE(said.size(), 2);
    QCOMPARE(said[0], title);
    QCOMPARE(said[1], Modulo1::Parola[Modulo1::Estratto3]);
    QVERIFY(!screen->findChild<QWidget*>("PicturesattiErrati"));
    QCOMPARE(control<QAction>(screen, "mnuImposta")->text(), QString("Voice") + QString(14, ' '));
    QCOMPARE(control<QAction>(screen, "mnuEsci")->text(), QString("Go back"));

    const auto owner = reinterpret_cast<SpeechOwner>(screen->mouth());
    QVERIFY(world.engine.isSpeaking(owner));
    click(screen->mouth());
    // The title and the word still playing were dropped; the word starts again alone.
    QCOMPARE(world.engine.pending(owner), QStringList{said[1]});
    QCOMPARE(world.saidBy(screen).last(), said[1]);
    if (form != "Form7")
        return;

    // Each next word is shown, written and said alike.
    auto* word = control<TextLabel>(screen, "Label1");
    auto* picture = control<PictureImage>(screen, "Image1");
    for (int i = 0; i < 60; ++i) {
        world.engine.clear();
        click(control<CommandButton>(screen, "Command1"));
        QVERIFY(Modulo1::Estratto3 >= 1 && Modulo1::Estratto3 <= 18);
        const QString expected = Modulo1::Parola[Modulo1::Estratto3];
        QCOMPARE(word->caption(), expected);
        QCOMPARE(world.saidBy(screen), QStringList{expected});
        QVERIFY(!picture->picture().isNull());
        QCOMPARE(pictureWord(picture->picture()), int(Modulo1::Estratto3));
    }
}

QTEST_MAIN(TestListen)
#include "test_listen.moc"
