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
#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QScrollBar>

namespace {

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

DesignForm* openOverMenu(TestWorld& world)
{
    DesignForm* menu = world.open("FormMenu");
    click(control<CommandButton>(menu, "Command1"));
    QApplication::processEvents();
    return Schermi::istanza().forma("FormImposta");
}

}  // namespace

class TestImposta : public QObject {
    Q_OBJECT
private slots:
    void defaultsShowModeOneAndSpeed();
    void menuAndExerciseOpenIt();
    void speedLabelAtOnceMouthSpeedOnClick();
    void choosingAModeSetsMouthStyle();
    void confirmWritesTheFileAndReturns();
    void storedModeBeyondTheListSelectsModeOne();
    void noModesGiveAnEmptyList();
    void refusedModeKeepsThePreviousOne();
    void failedSaveIsReported();
};

void TestImposta::defaultsShowModeOneAndSpeed()
{
    TestWorld world;
    DesignForm* form = openOverMenu(world);
    QVERIFY(form && form->isVisible());
    auto* combo = control<QComboBox>(form, "Combo1");
    QCOMPARE(combo->count(), 3);
    QCOMPARE(combo->itemText(1), QString("Mode two"));
    QCOMPARE(combo->currentIndex(), 0);
    QCOMPARE(control<TextLabel>(form, "Label1")->caption(), QString("Velocità =  135"));
    auto* bar = control<QScrollBar>(form, "HScroll1");
    QCOMPARE(bar->value(), 135);
    QCOMPARE(bar->minimum(), 50);
    QCOMPARE(bar->maximum(), 200);
    QCOMPARE(bar->singleStep(), 5);
    QCOMPARE(bar->pageStep(), 50);
    QCOMPARE(control<CommandButton>(form, "BottoneEsci")->text(), QString("conferma"));
    QCOMPARE(world.saidBy(form), QStringList{"click here"});
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

void TestImposta::speedLabelAtOnceMouthSpeedOnClick()
{
    TestWorld world;
    DesignForm* form = openOverMenu(world);
    auto* bar = control<QScrollBar>(form, "HScroll1");
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QCOMPARE(Modulo1::Velocita, qint16(130));
    QCOMPARE(control<TextLabel>(form, "Label1")->caption(), QString("Velocità =  130"));
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    QCOMPARE(control<TextLabel>(form, "Label1")->caption(), QString("Velocità =  50"));
    QCOMPARE(world.engine.said.last().speed, 135);
    click(form->mouth());
    QCOMPARE(world.engine.said.last().text, QString("welcome "));
    QCOMPARE(world.engine.said.last().speed, 50);
}

void TestImposta::choosingAModeSetsMouthStyle()
{
    TestWorld world;
    DesignForm* form = openOverMenu(world);
    auto* combo = control<QComboBox>(form, "Combo1");
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
    QVERIFY(world.boxes.isEmpty());
}

void TestImposta::confirmWritesTheFileAndReturns()
{
    TestWorld world;
    DesignForm* form = openOverMenu(world);
    control<QComboBox>(form, "Combo1")->setCurrentIndex(2);
    control<QScrollBar>(form, "HScroll1")->setValue(85);
    click(control<CommandButton>(form, "BottoneEsci"));
    QApplication::processEvents();
    QCOMPARE(readFile(world.settingsFile()), QByteArray(" 3 \r\n 85 \r\n"));
    QVERIFY(!form->isLoaded());
    QVERIFY(Schermi::istanza().forma("FormMenu")->isLoaded());
    QVERIFY(world.boxes.isEmpty());

    // Opened again, it shows what was chosen.
    form = openOverMenu(world);
    QCOMPARE(control<QComboBox>(form, "Combo1")->currentIndex(), 2);
    QCOMPARE(control<TextLabel>(form, "Label1")->caption(), QString("Velocità =  85"));
}

void TestImposta::storedModeBeyondTheListSelectsModeOne()
{
    TestWorld world;
    Modulo1::Voce = 9;
    DesignForm* form = openOverMenu(world);
    QCOMPARE(control<QComboBox>(form, "Combo1")->currentIndex(), 0);
    QCOMPARE(Modulo1::Voce, qint16(1));
    QVERIFY(world.boxes.isEmpty());
}

void TestImposta::noModesGiveAnEmptyList()
{
    TestWorld world;
    SpeechEngine::install(std::make_unique<RecordingEngine>(QList<VoiceMode>{}));
    auto& engine = static_cast<RecordingEngine&>(SpeechEngine::instance());
    DesignForm* form = openOverMenu(world);
    auto* combo = control<QComboBox>(form, "Combo1");
    QCOMPARE(combo->count(), 0);
    QCOMPARE(combo->currentIndex(), -1);
    QVERIFY(world.boxes.isEmpty());
    QCOMPARE(engine.texts().last(), QString("click here"));
    click(control<CommandButton>(form, "BottoneEsci"));
    QCOMPARE(readFile(world.settingsFile()), QByteArray(" 1 \r\n 135 \r\n"));
}

void TestImposta::refusedModeKeepsThePreviousOne()
{
    TestWorld world;
    world.engine.refusedModes = {3};
    DesignForm* form = openOverMenu(world);
    auto* combo = control<QComboBox>(form, "Combo1");
    combo->setCurrentIndex(1);
    combo->setCurrentIndex(2);
    QCOMPARE(world.boxes.size(), 1);
    QCOMPARE(world.boxes.first().text, QString("non posso selezionare questa voce"));
    QCOMPARE(world.boxes.first().title, QString("Quillet"));
    QCOMPARE(world.boxes.first().icon, MsgIcon::None);
    QCOMPARE(world.boxes.first().buttons, MsgButtons::Ok);
    QCOMPARE(combo->currentIndex(), 1);
    QCOMPARE(Modulo1::Voce, qint16(2));
    QCOMPARE(form->mouth()->CurrentMode(), 2);
    click(control<CommandButton>(form, "BottoneEsci"));
    QCOMPARE(readFile(world.settingsFile()), QByteArray(" 2 \r\n 135 \r\n"));
    // Another screen applies the kept mode without trouble.
    DesignForm* menu = Schermi::istanza().forma("FormMenu");
    ImpostaVoce(*menu->mouth());
    QCOMPARE(menu->mouth()->CurrentMode(), 2);
}

void TestImposta::failedSaveIsReported()
{
    TestWorld world;
    DesignForm* form = openOverMenu(world);
    control<QScrollBar>(form, "HScroll1")->setValue(150);
    // A folder where the file should be: the file cannot be written.
    QFile::remove(world.settingsFile());
    QVERIFY(QDir().mkpath(world.settingsFile()));
    click(control<CommandButton>(form, "BottoneEsci"));
    QApplication::processEvents();
    QCOMPARE(world.boxes.size(), 1);
    QCOMPARE(world.boxes.first().text, QString("non posso salvare le impostazioni"));
    QCOMPARE(world.boxes.first().title, QString("Quillet"));
    // The choice holds for the rest of the run and the child is not stuck.
    QCOMPARE(Modulo1::Velocita, qint16(150));
    QVERIFY(!form->isLoaded());
}

QTEST_MAIN(TestImposta)
#include "test_imposta.moc"
