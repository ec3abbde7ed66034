// The exercise frame: feedback, counts and their captions, the menu items and
// when a screen runs its activation again.

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

SampleExercise* openSample(TestWorld& world)
{
    Schermi::istanza().registra("Sample", [] { return std::make_unique<SampleExercise>(); });
    return static_cast<SampleExercise*>(world.open("Sample"));
}

}  // namespace

class TestFrame : public QObject {
    Q_OBJECT
private slots:
    void activationFeedbackAndMenuItems();
    void goBackNoKeepsEverythingYesReturnsToMenu();
    void everyControlIsNamedNoPictureByItsWord_data();
    void everyControlIsNamedNoPictureByItsWord();
};

void TestFrame::activationFeedbackAndMenuItems()
{
    TestWorld world;
    SampleExercise* screen = openSample(world);
    QCOMPARE(screen->activations, 1);
    QCOMPARE(screen->rounds, 1);
    QCOMPARE(world.saidBy(screen), QStringList{"exercise 2.. click on the objet."});
    QCOMPARE(screen->geometry(), screen->screenRect());
    // The applied voice reached the mouth.
    QCOMPARE(world.engine.said.last().speed, 135);
    QCOMPARE(world.engine.said.last().mode, 1);

    auto* yes = control<PictureImage>(screen, "ComandoIconaSi");
    auto* no = control<PictureImage>(screen, "ComandoIconaNo");
    QVERIFY(yes->isVisibleTo(screen) && !no->isVisibleTo(screen));
    click(control<CommandButton>(screen, "wrong"));
    click(control<CommandButton>(screen, "wrong"));
    QVERIFY(!yes->isVisibleTo(screen) && no->isVisibleTo(screen));
    QCOMPARE(world.saidBy(screen).last(), QString("No! repeat!"));
    click(control<CommandButton>(screen, "right"));
    QVERIFY(yes->isVisibleTo(screen) && !no->isVisibleTo(screen));
    QCOMPARE(control<TextLabel>(screen, "EtichettaErrati")->caption(), QString(" 2"));
    QCOMPARE(control<TextLabel>(screen, "EtichettaEsatti")->caption(), QString(" 1"));
    QCOMPARE(control<TextLabel>(screen, "LabelEst")->caption(), QString("Correct"));
    QCOMPARE(control<TextLabel>(screen, "LabelErt")->caption(), QString("Mistake"));
    QCOMPARE(int(Modulo1::Esatti), 1);
    QCOMPARE(int(Modulo1::Errati), 2);
    // The counts stop at the largest 16-bit value.
    Modulo1::Errati = std::numeric_limits<qint16>::max() - 1;
    click(control<CommandButton>(screen, "wrong"));
    click(control<CommandButton>(screen, "wrong"));
    QCOMPARE(int(Modulo1::Errati), 32767);
    QCOMPARE(control<TextLabel>(screen, "EtichettaErrati")->caption(), QString(" 32767"));

    QCOMPARE(control<QAction>(screen, "mnuImposta")->text(), QString("Voice") + QString(16, ' '));
    QCOMPARE(control<QAction>(screen, "mnuEsci")->text(), QString("Go back") + QString(21, ' '));
    // The voice item speaks even on a screen without the dialog.
    control<QAction>(screen, "mnuImposta")->trigger();
    QCOMPARE(world.saidBy(screen).last(), QString("VOICE"));
    QVERIFY(screen->isLoaded());
}

void TestFrame::goBackNoKeepsEverythingYesReturnsToMenu()
{
    TestWorld world;
    SampleExercise* screen = openSample(world);
    click(control<CommandButton>(screen, "wrong"));
    world.answers = {MsgResult::No};
    control<QAction>(screen, "mnuEsci")->trigger();
    QCOMPARE(world.boxes, (QList<MsgRequest>{{"go back? ", "Quillet", MsgButtons::YesNo, MsgIcon::Question}}));
    QCOMPARE(world.saidBy(screen).last(), QString("go back?"));
    QVERIFY(screen->isLoaded());
    QCOMPARE(screen->rounds, 1);
    QCOMPARE(screen->activations, 1);
    QCOMPARE(int(Modulo1::Errati), 1);
    QCOMPARE(control<TextLabel>(screen, "EtichettaErrati")->caption(), QString(" 1"));

    click(control<CommandButton>(screen, "right"));
    screen->Form_Activate();  // as when the voice dialog above it closes
    QCOMPARE(int(Modulo1::Esatti), 0);
    QCOMPARE(int(Modulo1::Errati), 0);
    QCOMPARE(control<TextLabel>(screen, "EtichettaErrati")->caption(), QString("0"));
    QCOMPARE(control<TextLabel>(screen, "EtichettaEsatti")->caption(), QString("0"));
    QCOMPARE(screen->rounds, 2);

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

QTEST_MAIN(TestFrame)
#include "test_frame.moc"
