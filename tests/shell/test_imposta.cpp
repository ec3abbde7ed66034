// The voice settings dialog: what it shows, what it says, what it stores, and
// stored or refused modes that must not break it or the other screens.

#include "services/DesignForm.h"
#include "services/controls/CommandButton.h"
#include "services/controls/TextLabel.h"
#include "services/speech/SpeechControl.h"
#include "shell/ImpostaVoce.h"
#include "shell/Modulo1.h"
#include "shell/Schermi.h"
#include "support/TestWorld.h"

#include <QComboBox>
#include <QMenuBar>
#include <QScrollBar>

namespace {

DesignForm* openOverMenu(TestWorld& world)
{
    DesignForm* menu = world.open("FormMenu");
    click(control<CommandButton>(menu, "Command1"));
    QApplication::processEvents();
    return Schermi::istanza().forma("FormImposta");
}

// Confirms the dialog and returns what the settings file then holds.
QByteArray confirm(TestWorld& world, DesignForm* form)
{
    click(control<CommandButton>(form, "BottoneEsci"));
    QApplication::processEvents();
    return readFile(world.settingsFile());
}

}  // namespace

class TestImposta : public QObject {
    Q_OBJECT
private slots:
    void showsSpeaksAndStoresTheChoice();
    void menuAndExerciseOpenIt();
    void unusableStoredModeFallsBackToModeOne_data();
    void unusableStoredModeFallsBackToModeOne();
    void refusedModeKeepsThePreviousOne();
};

void TestImposta::showsSpeaksAndStoresTheChoice()
{
    TestWorld world;
    DesignForm* form = openOverMenu(world);
    QVERIFY(form && form->isVisible());
    auto* combo = control<QComboBox>(form, "Combo1");
    QCOMPARE(combo->count(), 3);
    QCOMPARE(combo->itemText(1), QString("Mode two"));
    QCOMPARE(combo->currentIndex(), 0);
    auto* speed = control<TextLabel>(form, "Label1");
    QCOMPARE(speed->caption(), QString("Velocità =  135"));
    auto* bar = control<QScrollBar>(form, "HScroll1");
    // Value, range and steps.
    QCOMPARE((QList<int>{bar->value(), bar->minimum(), bar->maximum(), bar->singleStep(), bar->pageStep()}),
             (QList<int>{135, 50, 200, 5, 50}));
    // The arrow is as wide as the bar is high: a click a bar's height from the end is one step.
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() - bar->height() + 2, bar->height() / 2));
    QCOMPARE(bar->value(), 140);
    bar->setValue(135);
    auto* confirmButton = control<CommandButton>(form, "BottoneEsci");
    QCOMPARE(confirmButton->text(), QString("conferma"));
    QCOMPARE(confirmButton->font(), speed->font());
    QCOMPARE(confirmButton->captionLayout().points, confirmButton->font().pointSizeF());
    QCOMPARE(world.saidBy(form), QStringList{"click here"});

    // The speed shows at once; the mouth takes it at its next word.
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QCOMPARE(Modulo1::Velocita, qint16(130));
    QCOMPARE(speed->caption(), QString("Velocità =  130"));
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    QCOMPARE(speed->caption(), QString("Velocità =  50"));
    QCOMPARE(world.engine.said.last().speed, 135);
    click(form->mouth());
    QCOMPARE(world.engine.said.last().text, QString("welcome "));
    QCOMPARE(world.engine.said.last().speed, 50);

    // A mode sets the mouth's style with it.
    combo->setCurrentIndex(1);
    QCOMPARE(Modulo1::Voce, qint16(2));
    QCOMPARE(Modulo1::TipoLabbra, qint16(1));
    QCOMPARE(form->mouth()->mouthStyle(), qint16(1));
    combo->setCurrentIndex(0);
    QCOMPARE(Modulo1::TipoLabbra, qint16(0));
    combo->setCurrentIndex(2);
    QCOMPARE(Modulo1::Voce, qint16(3));
    QCOMPARE(Modulo1::TipoLabbra, qint16(1));
    click(form->mouth());
    QCOMPARE(world.engine.said.last().mode, 3);

    // Confirmed, the choice is stored and the menu is back; opened again, the dialog shows it.
    bar->setValue(85);
    QCOMPARE(confirm(world, form), QByteArray(" 3 \r\n 85 \r\n"));
    QVERIFY(!form->isLoaded());
    QVERIFY(Schermi::istanza().forma("FormMenu")->isLoaded());
    QVERIFY(world.boxes.isEmpty());
    form = openOverMenu(world);
    QCOMPARE(control<QComboBox>(form, "Combo1")->currentIndex(), 2);
    QCOMPARE(control<TextLabel>(form, "Label1")->caption(), QString("Velocità =  85"));
}

void TestImposta::menuAndExerciseOpenIt()
{
    TestWorld world;
    DesignForm* exercise = world.open("Form1");
    QAction* voice = control<QAction>(exercise, "mnuImposta");
    voice->trigger();
    QApplication::processEvents();
    DesignForm* form = Schermi::istanza().forma("FormImposta");
    QVERIFY(form && form->isLoaded());
    world.engine.clear();
    click(control<CommandButton>(form, "BottoneEsci"));
    QApplication::processEvents();
    QVERIFY(!form->isLoaded());
    // The exercise beneath runs its activation again and says its title.
    QVERIFY(exercise->isLoaded());
    QVERIFY(!world.saidBy(exercise).isEmpty());
}

void TestImposta::unusableStoredModeFallsBackToModeOne_data()
{
    QTest::addColumn<int>("modes");
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("shown");
    QTest::addColumn<QByteArray>("onFile");
    QTest::addColumn<QByteArray>("confirmed");
    QTest::newRow("stored mode beyond the list") << 3 << 9 << 0 << QByteArray() << QByteArray(" 1 \r\n 135 \r\n");
    QTest::newRow("no modes at all") << 0 << 1 << -1 << QByteArray() << QByteArray(" 1 \r\n 135 \r\n");
    // Without its voices now, the machine keeps the parent's choice for when they are back.
    QTest::newRow("no modes, a mode on file") << 0 << 1 << -1 << QByteArray(" 11 \r\n 90 \r\n")
                                              << QByteArray(" 11 \r\n 135 \r\n");
}

void TestImposta::unusableStoredModeFallsBackToModeOne()
{
    QFETCH(int, modes);
    QFETCH(int, stored);
    QFETCH(int, shown);
    QFETCH(QByteArray, onFile);
    QFETCH(QByteArray, confirmed);
    TestWorld world;
    if (!onFile.isEmpty())
        writeFile(world.settingsFile(), onFile);
    if (modes == 0)
        SpeechEngine::install(std::make_unique<RecordingEngine>(QList<VoiceMode>{}));
    auto& engine = static_cast<RecordingEngine&>(SpeechEngine::instance());
    Modulo1::Voce = qint16(stored);
    DesignForm* form = openOverMenu(world);
    auto* combo = control<QComboBox>(form, "Combo1");
    QCOMPARE(combo->count(), modes);
    QCOMPARE(combo->currentIndex(), shown);
    QCOMPARE(Modulo1::Voce, qint16(1));
    QVERIFY(world.boxes.isEmpty());
    QCOMPARE(engine.texts().last(), QString("click here"));
    QCOMPARE(confirm(world, form), confirmed);
    QCOMPARE(Modulo1::Voce, qint16(1));
}

void TestImposta::refusedModeKeepsThePreviousOne()
{
    TestWorld world;
    world.engine.refusedModes = {3};
    DesignForm* form = openOverMenu(world);
    auto* combo = control<QComboBox>(form, "Combo1");
    combo->setCurrentIndex(1);
    combo->setCurrentIndex(2);
    QCOMPARE(world.boxes,
             (QList<MsgRequest>{{"non posso selezionare questa voce", "Quillet", MsgButtons::Ok, MsgIcon::None}}));
    QCOMPARE(combo->currentIndex(), 1);
    QCOMPARE(Modulo1::Voce, qint16(2));
    QCOMPARE(form->mouth()->CurrentMode(), 2);
    QCOMPARE(confirm(world, form), QByteArray(" 2 \r\n 135 \r\n"));
    // Another screen applies the kept mode without trouble.
    DesignForm* menu = Schermi::istanza().forma("FormMenu");
    ImpostaVoce(*menu->mouth());
    QCOMPARE(menu->mouth()->CurrentMode(), 2);
}

QTEST_MAIN(TestImposta)
#include "test_imposta.moc"
