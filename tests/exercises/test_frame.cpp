// The exercise frame: feedback, counts and their captions, the menu items,
// when a screen runs its activation again, and the listen screens built on it.

#include "app/FormCatalogue.h"
#include "exercises/frame/ExerciseForm.h"
#include "services/controls/CommandButton.h"
#include "services/controls/PictureImage.h"
#include "services/controls/TextLabel.h"
#include "services/speech/SpeechControl.h"
#include "shell/Modulo1.h"
#include "shell/Schermi.h"
#include "support/TestWorld.h"

#include <QAccessible>
#include <QAction>
#include <limits>

namespace {

// A scored screen whose answers are two buttons: "right" and "wrong".
class SampleExercise : public ExerciseForm {
public:
    SampleExercise()
        : ExerciseForm("Form2", {{9000, 6000}, {300, 4500, 1200, 1200}, {5700, 4800}, {7000, 3400, 1500, 1000}, Qt::blue})
    {
    }
    int rounds = 0;
    int activations = 0;

protected:
    void buildExercise() override
    {
        connect(place(new CommandButton("right"), "right", {300, 300, 2000, 1000}), &CommandButton::clicked, this,
                [this] { rispostaGiusta(); });
        connect(place(new CommandButton("wrong"), "wrong", {3000, 300, 2000, 1000}), &CommandButton::clicked, this,
                [this] { rispostaSbagliata(); });
    }
    void attivazioneSpecifica() override { ++activations; }
    void CaricaPalla() override { ++rounds; }
};

}  // namespace

class TestFrame : public QObject {
    Q_OBJECT
private slots:
    void activationFeedbackMenuItemsAndGoingBack();
    void everyControlIsNamedNoPictureByItsWord_data();
    void everyControlIsNamedNoPictureByItsWord();
    void listenScreensSpeakShowAndRepeatTheWord_data();
    void listenScreensSpeakShowAndRepeatTheWord();
};

void TestFrame::activationFeedbackMenuItemsAndGoingBack()
{
    TestWorld world;
    Schermi::istanza().registra("Sample", [] { return std::make_unique<SampleExercise>(); });
    auto* screen = static_cast<SampleExercise*>(world.open("Sample"));
    QCOMPARE(screen->activations, 1);
    QCOMPARE(screen->rounds, 1);
    QCOMPARE(world.saidBy(screen), QStringList{"exercise 2.. click on the objet."});

    auto* yes = control<PictureImage>(screen, "ComandoIconaSi");
    auto* no = control<PictureImage>(screen, "ComandoIconaNo");
    QVERIFY(yes->isVisibleTo(screen) && !no->isVisibleTo(screen));
    click(control<CommandButton>(screen, "wrong"));
    click(control<CommandButton>(screen, "wrong"));
    QVERIFY(!yes->isVisibleTo(screen) && no->isVisibleTo(screen));
    click(control<CommandButton>(screen, "right"));
    QVERIFY(yes->isVisibleTo(screen) && !no->isVisibleTo(screen));
    QCOMPARE(counts(screen), QString(" 1 2"));
    QCOMPARE(control<TextLabel>(screen, "LabelEst")->caption(), QString("Correct"));
    QCOMPARE(control<TextLabel>(screen, "LabelErt")->caption(), QString("Mistake"));

    QCOMPARE(control<QAction>(screen, "mnuImposta")->text(), QString("Voice") + QString(16, ' '));
    QCOMPARE(control<QAction>(screen, "mnuEsci")->text(), QString("Go back") + QString(21, ' '));
    // Go back, answered No, keeps the item and its counts.
    world.answers = {MsgResult::No};
    control<QAction>(screen, "mnuEsci")->trigger();
    QCOMPARE(world.boxes, (QList<MsgRequest>{{"go back? ", "Quillet", MsgButtons::YesNo, MsgIcon::Question}}));
    QCOMPARE(world.saidBy(screen).last(), QString("go back?"));
    QVERIFY(screen->isLoaded());
    QCOMPARE(screen->rounds + screen->activations, 2);
    QCOMPARE(int(Modulo1::Errati), 2);
    QCOMPARE(counts(screen), QString(" 1 2"));

    // The voice item speaks; the dialog it opens, closed, runs the activation again.
    control<QAction>(screen, "mnuImposta")->trigger();
    QCOMPARE(world.saidBy(screen).last(), QString("VOICE"));
    click(control<CommandButton>(Schermi::istanza().forma("FormImposta"), "BottoneEsci"));
    QCOMPARE(int(Modulo1::Esatti) + int(Modulo1::Errati), 0);
    QCOMPARE(counts(screen), QString("00"));
    QCOMPARE(screen->rounds, 2);
    // The counts stop at the largest 16-bit value.
    Modulo1::Errati = std::numeric_limits<qint16>::max() - 1;
    click(control<CommandButton>(screen, "wrong"));
    click(control<CommandButton>(screen, "wrong"));
    QCOMPARE(int(Modulo1::Errati), 32767);
    QCOMPARE(counts(screen), QString("0 32767"));

    control<QAction>(screen, "mnuEsci")->trigger();  // Yes
    QVERIFY(!screen->isLoaded());
    DesignForm* menu = Schermi::istanza().forma("FormMenu");
    QVERIFY(menu && menu->isLoaded());
    QCOMPARE(Schermi::istanza().caricati().size(), 1);
}

void TestFrame::everyControlIsNamedNoPictureByItsWord_data()
{
    QTest::addColumn<QString>("screen");
    for (const QString& name : QStringList{"FormAvvio", "FormMenu", "FormImposta"} + nomiEsercizi())
        QTest::newRow(qPrintable(name)) << name;
}

void TestFrame::everyControlIsNamedNoPictureByItsWord()
{
    QFETCH(QString, screen);
    TestWorld world;
    DesignForm* form = world.open(screen);
    QVERIFY(form);
    const QSet<QString> words(Modulo1::Parola.begin(), Modulo1::Parola.end());
    QSet<QString> pictureNames;
    int pictures = 0;
    for (QWidget* control : form->designControls()) {
        if (!control->isVisibleTo(form))
            continue;
        QAccessibleInterface* about = QAccessible::queryAccessibleInterface(control);
        const QString name = about->text(QAccessible::Name);
        const QString what = control->objectName() + ": " + name;
        QVERIFY2(about->role() != QAccessible::Client && !name.isEmpty(), qPrintable(what));
        const auto* picture = qobject_cast<PictureImage*>(control);
        // The memory game's rows are its cards and their covers.
        const bool card = screen == "FormMemory" && control->objectName().contains('(');
        if ((picture && picture->artwork().isEmpty()) || card) {
            const QString value = about->text(QAccessible::Value);
            QVERIFY2(!words.contains(name) && (value.isEmpty() || !words.contains(value)), qPrintable(what));
            pictureNames.insert(name);
            ++pictures;
        }
    }
    if (screen == "Form3" || screen == "FormMemory") {
        // Every place its own name; a memory cover shares it with its card.
        QCOMPARE(pictureNames.size(), screen == "Form3" ? 5 : 24);
        QCOMPARE(pictures, screen == "Form3" ? 5 : 48);
    }
    if (auto* correct = form->findChild<TextLabel*>("EtichettaEsatti")) {
        QAccessibleInterface* count = QAccessible::queryAccessibleInterface(correct);
        QCOMPARE(count->text(QAccessible::Name) + "=" + count->text(QAccessible::Value), QString("Correct=0"));
    }
    if (auto* next = form->findChild<CommandButton*>("Command1"); next && next->text().isEmpty())
        QCOMPARE(QAccessible::queryAccessibleInterface(next)->text(QAccessible::Name), QString("next"));
    QCOMPARE(QAccessible::queryAccessibleInterface(form->mouth())->text(QAccessible::Name), QString("mouth"));
}

void TestFrame::listenScreensSpeakShowAndRepeatTheWord_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("title");
    QTest::newRow("Form1") << "Form1" << "exercise 1. listen.";
    QTest::newRow("Form7") << "Form7" << "exercise 7. listen and read.";
}

void TestFrame::listenScreensSpeakShowAndRepeatTheWord()
{
    QFETCH(QString, form);
    QFETCH(QString, title);
    TestWorld world;
    DesignForm* screen = world.open(form);
    const QStringList said = world.saidBy(screen);
    QCOMPARE(said, (QStringList{title, Modulo1::Parola[Modulo1::Estratto3]}));
    QVERIFY(!screen->findChild<QWidget*>("PicturesattiErrati"));
    QCOMPARE(control<QAction>(screen, "mnuImposta")->text(), QString("Voice") + QString(14, ' '));
    QCOMPARE(control<QAction>(screen, "mnuEsci")->text(), QString("Go back"));

    click(screen->mouth());
    // The title and the word still playing were dropped; the word starts again alone.
    QCOMPARE(world.engine.pending(reinterpret_cast<SpeechOwner>(screen->mouth())), QStringList{said[1]});
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
        QCOMPARE(pictureWord(picture->picture()), int(Modulo1::Estratto3));
    }
}

QTEST_MAIN(TestFrame)
#include "test_frame.moc"
