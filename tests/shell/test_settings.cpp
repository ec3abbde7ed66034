// The voice settings: what the dialog shows, says and stores, stored or refused
// modes that must not break it or the other screens, the exact bytes of the
// settings file and the readme, and every bad input a school computer may hold.

#include "services/DesignForm.h"
#include "services/controls/CommandButton.h"
#include "services/controls/TextLabel.h"
#include "services/speech/SpeechControl.h"
#include "shell/Modulo1.h"
#include "shell/Schermi.h"
#include "shell/SettingsFile.h"
#include "support/TestWorld.h"
#include "support/TightFolder.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QScrollBar>
#include <optional>

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

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    void dialogShowsSpeaksAndStoresTheChoice();
    void unusableStoredModeFallsBackToModeOne_data();
    void unusableStoredModeFallsBackToModeOne();
    void refusedModeKeepsThePreviousOne();
    void bytesOfTheFiles();
    void reading_data();
    void reading();
    void failedSaveKeepsTheOldFileAndSaysSo_data();
    void failedSaveKeepsTheOldFileAndSaysSo();
    void saveKilledMidwayLeavesOldOrNewPair();
};

void TestSettings::dialogShowsSpeaksAndStoresTheChoice()
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
    QCOMPARE(speed->caption(), QString("Velocità =  130"));
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    QCOMPARE(speed->caption(), QString("Velocità =  50"));
    QCOMPARE(world.engine.said.last().speed, 135);
    click(form->mouth());
    QCOMPARE(world.engine.said.last().text, QString("welcome "));
    QCOMPARE(world.engine.said.last().speed, 50);

    // A mode sets the mouth's style with it: the female voice's lips, or the others'.
    const std::pair<int, int> modeAndLips[] = {{1, 1}, {0, 0}, {2, 1}};
    for (const auto& [index, lips] : modeAndLips) {
        combo->setCurrentIndex(index);
        QCOMPARE(form->mouth()->mouthStyle(), qint16(lips));
    }
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

void TestSettings::unusableStoredModeFallsBackToModeOne_data()
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

void TestSettings::unusableStoredModeFallsBackToModeOne()
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
    QVERIFY(world.boxes.isEmpty());
    QCOMPARE(engine.said.last().text, QString("click here"));
    QCOMPARE(confirm(world, form), confirmed);
    QCOMPARE(Modulo1::Voce, qint16(1));
}

void TestSettings::refusedModeKeepsThePreviousOne()
{
    TestWorld world;
    world.engine.refusedModes = {3};
    DesignForm* exercise = world.open("Form1");
    control<QAction>(exercise, "mnuImposta")->trigger();
    QApplication::processEvents();
    DesignForm* form = Schermi::istanza().forma("FormImposta");
    QVERIFY(form && form->isLoaded());
    auto* combo = control<QComboBox>(form, "Combo1");
    combo->setCurrentIndex(1);
    combo->setCurrentIndex(2);
    QCOMPARE(world.boxes,
             (QList<MsgRequest>{{"non posso selezionare questa voce", "Quillet", MsgButtons::Ok, MsgIcon::None}}));
    QCOMPARE(combo->currentIndex(), 1);
    QCOMPARE(form->mouth()->CurrentMode(), 2);
    world.engine.clear();
    QCOMPARE(confirm(world, form), QByteArray(" 2 \r\n 135 \r\n"));
    QVERIFY(!form->isLoaded());
    // The exercise beneath runs its activation again: its title, in the kept mode.
    QVERIFY(exercise->isLoaded());
    QCOMPARE(world.saidBy(exercise).value(0), QString("exercise 1. listen."));
    QCOMPARE(exercise->mouth()->CurrentMode(), 2);
}

void TestSettings::bytesOfTheFiles()
{
    QCOMPARE(SettingsFile::formatta(1, 135), QByteArray::fromHex("2031200D0A20313335200D0A"));
    QCOMPARE(SettingsFile::formatta(-3, 150), QByteArray("-3 \r\n 150 \r\n"));

    // The readme: CR LF line ends, and "può" in the single-byte code page.
    QCOMPARE(SettingsFile::leggimi(),
             QByteArray("Questa cartella contiene i files di impostazione dei programmi presenti nel sito "
                        "www.quillet.example.org.\r\n \r\nSe qualche programma presenta problemi di funzionamento "
                        "pu\xf2 essere utile cancellare il file *.ini relativo al programma in quata cartella.\r\n \r\n"
                        "Non cancellare questo file.\r\n"));
}

void TestSettings::reading_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("voce");
    QTest::addColumn<int>("velocita");
    QTest::newRow("two lines") << QByteArray(" 3 \r\n 150 \r\n") << 3 << 150;
    QTest::newRow("comma on one line") << QByteArray("3,150") << 3 << 150;
    QTest::newRow("LF only") << QByteArray("2\n100\n") << 2 << 100;
    QTest::newRow("no file") << QByteArray() << 1 << 135;
    QTest::newRow("one number") << QByteArray(" 2 \r\n") << 1 << 135;
    QTest::newRow("text") << QByteArray("voice=2\r\nspeed=90") << 1 << 135;
    QTest::newRow("negative voice") << QByteArray("-2\r\n150\r\n") << 1 << 150;
    QTest::newRow("voice beyond the modes") << QByteArray("9\r\n150\r\n") << 1 << 150;
    QTest::newRow("out of 16-bit range") << QByteArray("70000\r\n135\r\n") << 1 << 135;
    QTest::newRow("speed too slow") << QByteArray("2\r\n10\r\n") << 2 << 50;
    QTest::newRow("speed too fast") << QByteArray("2\r\n900\r\n") << 2 << 200;
    QTest::newRow("decimals") << QByteArray("2\r\n150.5\r\n") << 1 << 135;
    QByteArray garbage(1 << 20, '\0');
    for (char& c : garbage)
        c = char(QRandomGenerator::global()->bounded(256));
    QTest::newRow("a megabyte of garbage") << garbage << 1 << 135;
}

void TestSettings::reading()
{
    QFETCH(QByteArray, content);
    QFETCH(int, voce);
    QFETCH(int, velocita);
    TestWorld world;  // three voice modes
    if (!content.isNull())
        writeFile(world.settingsFile(), content);
    // What was set before never leaks through.
    Modulo1::Voce = 3;
    Modulo1::Velocita = 90;
    Modulo1::LeggiImpostazioni();
    QCOMPARE(int(Modulo1::Voce), voce);
    QCOMPARE(int(Modulo1::Velocita), velocita);
    // Reading leaves the file as it was, and makes none.
    QCOMPARE(QFile::exists(world.settingsFile()), !content.isNull());
    QCOMPARE(readFile(world.settingsFile()), content);
}

void TestSettings::failedSaveKeepsTheOldFileAndSaysSo_data()
{
    QTest::addColumn<QString>("folder");
    QTest::newRow("a plain file in the folder's place") << "plain file";
    QTest::newRow("full disk") << "full";
}

void TestSettings::failedSaveKeepsTheOldFileAndSaysSo()
{
    QFETCH(QString, folder);
    TestWorld world;
    const QByteArray stored(" 3 \r\n 150 \r\n");
    std::optional<TightFolder> full;
    if (folder == "full")
        full.emplace(world.configFolder(), TightFolder::Full,
                     QMap<QString, QByteArray>{{"programmiinglese.ini", stored}, {"leggimi.txt", SettingsFile::leggimi()}});
    else  // even root cannot write there
        writeFile(world.configFolder(), stored);
    const QString file = folder == "full" ? world.settingsFile() : world.configFolder();
    QVERIFY(Modulo1::Main());
    DesignForm* dialog = openOverMenu(world);
    QVERIFY(dialog && dialog->isLoaded());
    control<QScrollBar>(dialog, "HScroll1")->setValue(100);
    confirm(world, dialog);
    QCOMPARE(world.boxes, (QList<MsgRequest>{{"non posso salvare le impostazioni", "Quillet", MsgButtons::Ok,
                                               MsgIcon::Critical}}));
    QCOMPARE(readFile(file), stored);
    // The choice holds for the rest of the run and the child is not stuck.
    QCOMPARE(Modulo1::Velocita, qint16(100));
    QVERIFY(!dialog->isLoaded());
    if (full)  // nothing but the filler beside the two files
        QCOMPARE(QDir(world.configFolder()).entryList(QDir::Files).size(), 3);
}

void TestSettings::saveKilledMidwayLeavesOldOrNewPair()
{
    TestWorld world;
    const QByteArray before(" 1 \r\n 135 \r\n");
    const QByteArray after(" 2 \r\n 90 \r\n");
    writeFile(world.settingsFile(), before);
    // A child process saves in a loop and is killed at varied moments.
    for (int round = 0; round < 20; ++round) {
        QProcess process;
        process.start(QCoreApplication::applicationFilePath(), {"--save-forever", world.settingsFile()});
        QVERIFY(process.waitForStarted());
        QTest::qWait(5 + round * 3);
        process.kill();
        process.waitForFinished();
        const QByteArray now = readFile(world.settingsFile());
        QVERIFY2(now == before || now == after, now.toHex().constData());
    }
}

// Run as a child: save the second pair again and again until killed.
int main(int argc, char* argv[])
{
    if (argc == 3 && QByteArray(argv[1]) == "--save-forever") {
        QCoreApplication app(argc, argv);
        for (;;)
            SettingsFile::scriviAtomico(QString::fromLocal8Bit(argv[2]), SettingsFile::formatta(2, 90));
    }
    TightFolder::enterPrivateMounts();
    QApplication app(argc, argv);
    TestSettings tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "test_settings.moc"
