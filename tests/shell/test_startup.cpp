// Start-up and the menu: one copy per user, the settings folder and readme, the
// welcome screen, the menu's buttons, the credits and leaving the program
// (where each button leads: test_monkey).

#include "services/DesignForm.h"
#include "services/controls/CommandButton.h"
#include "services/speech/SpeechControl.h"
#include "shell/Modulo1.h"
#include "shell/Schermi.h"
#include "shell/SettingsFile.h"
#include "shell/SingleInstance.h"
#include "support/TestWorld.h"
#include "support/TightFolder.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QThread>
#include <unistd.h>
#include <optional>

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void startsWhateverTheSettingsFolderHolds_data();
    void startsWhateverTheSettingsFolderHolds();
    void onlyALiveCopyKeepsTheLock_data();
    void onlyALiveCopyKeepsTheLock();
    void welcomeLeavesOnEveryClickButTheDate_data();
    void welcomeLeavesOnEveryClickButTheDate();
    void menuButtonsOnTheGrid();
    void creditsThenExitNoStaysExitYesSaysByeAndEnds();
    void screensTakeTurnsInOneWindow();
};

void TestStartup::startsWhateverTheSettingsFolderHolds_data()
{
    QTest::addColumn<QString>("folder");
    QTest::newRow("settings without readme") << "settings only";
    QTest::newRow("unwritable: a plain file in its place") << "plain file";
    QTest::newRow("readme left empty") << "readme empty";
    QTest::newRow("readme cut short") << "readme cut short";
    QTest::newRow("readme of another text") << "readme other";
    QTest::newRow("first run, temporary files of a save killed before its rename") << "stray";
    QTest::newRow("full disk at the first start") << "full";
    QTest::newRow("relative XDG_CONFIG_HOME") << "relative";
}

void TestStartup::startsWhateverTheSettingsFolderHolds()
{
    QFETCH(QString, folder);
    TestWorld world;
    const QByteArray readme = SettingsFile::leggimi();
    const QByteArray other = "Questa cartella contiene le impostazioni.\r\n";
    const bool withSettings = folder == "settings only";
    if (withSettings)
        writeFile(world.settingsFile(), " 2 \r\n 150 \r\n");
    if (folder == "plain file")
        writeFile(world.configFolder(), {});
    if (folder.startsWith("readme"))
        writeFile(world.readmeFile(), folder == "readme empty" ? QByteArray() : folder == "readme other" ? other
                                                                                   : readme.left(40));
    const QStringList strays = {"programmiinglese.ini.Ab3xZ9", "leggimi.txt.q0W2e4"};
    const QString othersTemporary = world.configFolder() + "/altroprogramma.ini.Ab3xZ9";
    if (folder == "stray") {
        for (const QString& name : strays)
            writeFile(world.configFolder() + "/" + name, " 2 \r\n");
        writeFile(othersTemporary, " 2 \r\n");
    }
    // Started from the world's root, the relative name would find the world's settings folder.
    const QString root = QDir(world.configFolder() + "/../..").absolutePath();
    const QString home = qEnvironmentVariable("HOME");
    const QString cwd = QDir::currentPath();
    if (folder == "relative") {
        qputenv("HOME", root.toUtf8());
        qputenv("XDG_CONFIG_HOME", "config");
        QDir::setCurrent(root);
    }
    {
        std::optional<TightFolder> full;
        if (folder == "full")
            full.emplace(world.configFolder(), TightFolder::Full);
        QVERIFY(Modulo1::Main());
        // Nothing cut short is left behind, and the next start makes it whole.
        if (folder == "full") {
            QVERIFY(!QFile::exists(world.readmeFile()));
            QCOMPARE(QDir(world.configFolder()).entryList(QDir::Files), QStringList{"filler"});
        }
    }
    if (folder == "relative") {
        QDir::setCurrent(cwd);
        qputenv("HOME", home.toUtf8());
        // The base rules' default under the home folder, not a folder named after the working one.
        QCOMPARE(readFile(root + "/.config/ImpostazioniProgrammiZelbo/leggimi.txt"), readme);
        QVERIFY(!QFile::exists(world.readmeFile()));
        return;
    }
    if (folder == "full") {
        Schermi::istanza().svuota();
        Modulo1::RilasciaCopiaUnica();
        // The new welcome's mouth may take the old one's address: only the second start's texts count.
        world.engine.clear();
        QVERIFY(Modulo1::Main());
    }
    // A folder gets its readme, whole; starting writes no settings.
    QCOMPARE(readFile(world.readmeFile()),
             folder == "plain file" ? QByteArray() : folder == "readme other" ? other : readme);
    QCOMPARE(QFile::exists(world.settingsFile()), withSettings);
    for (const QString& name : strays)
        QVERIFY2(!QFile::exists(world.configFolder() + "/" + name), qPrintable(name));
    QCOMPARE(QFile::exists(othersTemporary), folder == "stray");
    // The settings written are read; every other start keeps the defaults.
    QCOMPARE(int(Modulo1::Voce), withSettings ? 2 : 1);
    QCOMPARE(int(Modulo1::Velocita), withSettings ? 150 : 135);

    DesignForm* welcome = Schermi::istanza().forma("FormAvvio");
    QVERIFY(welcome && welcome->isLoaded() && welcome->isVisible());
    QCOMPARE(world.saidBy(welcome), QStringList{"welcome. unit 8. Quillet"});
    QCOMPARE(Schermi::istanza().caricati().size(), 1);
}

void TestStartup::onlyALiveCopyKeepsTheLock_data()
{
    QTest::addColumn<QString>("lock");
    QTest::addColumn<bool>("starts");
    QTest::newRow("held by a live copy") << "live" << false;
    QTest::newRow("held by a live copy, its folder full") << "live, full" << false;
    QTest::newRow("left by a killed copy") << "killed" << true;
    QTest::newRow("naming a live program that is not ours") << "foreign" << true;
    QTest::newRow("unreadable") << "unreadable" << true;
    QTest::newRow("a link to nowhere") << "link" << true;
    QTest::newRow("a folder") << "folder" << true;
    QTest::newRow("cannot be made: its folder read-only") << "read-only" << true;
}

void TestStartup::onlyALiveCopyKeepsTheLock()
{
    QFETCH(QString, lock);
    QFETCH(bool, starts);
    TestWorld world;
    const QString path = qEnvironmentVariable("XDG_RUNTIME_DIR") + "/quillet.lock";
    std::optional<TightFolder> tight;
    if (lock == "live, full" || lock == "read-only")
        tight.emplace(QFileInfo(path).path(), lock == "read-only" ? TightFolder::ReadOnly : TightFolder::Full);
    QProcess holder;
    if (lock.startsWith("live") || lock == "killed") {
        holder.start(QCoreApplication::applicationFilePath(), {"--hold-lock"});
        QVERIFY(holder.waitForReadyRead(5000));  // the child says when it holds the lock
        if (lock == "killed") {
            holder.kill();
            holder.waitForFinished();
        }
    }
    if (lock == "unreadable")
        writeFile(path, {});
    if (lock == "foreign")  // the parent process: alive, and not a copy of the program
        writeFile(path, QByteArray::number(qint64(getppid())) + "\nbash\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    if (lock == "unreadable")
        QVERIFY(QFile::setPermissions(path, {}));
    if (lock == "link")
        QVERIFY(QFile::link(world.configFolder() + "/nowhere", path));
    if (lock == "folder")
        QVERIFY(QDir().mkpath(path + "/inside"));

    QCOMPARE(Modulo1::Main(), starts);
    holder.kill();
    holder.waitForFinished();
    if (starts) {
        QVERIFY(world.boxes.isEmpty());
        QCOMPARE(Schermi::istanza().caricati().size(), 1);
        return;
    }
    QCOMPARE(world.boxes, (QList<MsgRequest>{{QString::fromUtf8("E' già stata avviata una copia di questo programma!"),
                                               "Error", MsgButtons::Ok, MsgIcon::Critical}}));
    // Nothing read or written, no screen.
    QVERIFY(!QFileInfo::exists(world.configFolder()));
    QVERIFY(Schermi::istanza().caricati().isEmpty());
}

void TestStartup::welcomeLeavesOnEveryClickButTheDate_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("leaves");
    QTest::newRow("picture") << "Image1(1)" << true;
    QTest::newRow("mouth") << "Bocca" << true;
    QTest::newRow("background") << "ARGradient1" << true;
    QTest::newRow("date line") << "Label1" << false;
}

void TestStartup::welcomeLeavesOnEveryClickButTheDate()
{
    QFETCH(QString, target);
    QFETCH(bool, leaves);
    TestWorld world;
    QVERIFY(Modulo1::Main());
    DesignForm* welcome = Schermi::istanza().forma("FormAvvio");
    QWidget* widget = control<QWidget>(welcome, target);
    // A corner of the background, away from every control.
    const QPoint where = target == "ARGradient1" ? QPoint(widget->width() - 3, 3) : widget->rect().center();
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, where);
    QApplication::processEvents();
    DesignForm* menu = Schermi::istanza().forma("FormMenu");
    QCOMPARE(!welcome->isLoaded(), leaves);
    QCOMPARE(menu && menu->isLoaded(), leaves);
}

void TestStartup::menuButtonsOnTheGrid()
{
    TestWorld world;
    DesignForm* menu = world.open("FormMenu");
    // Same size everywhere, columns and rows aligned.
    auto* first = control<CommandButton>(menu, "Command2");
    auto* exitButton = control<CommandButton>(menu, "BottoneEsci");
    QCOMPARE(exitButton->size(), first->size());
    QCOMPARE(control<CommandButton>(menu, "Command21")->y(), first->y());
    QCOMPARE(control<CommandButton>(menu, "Command16")->x(), first->x());
    QCOMPARE(exitButton->text(), QString("Exit"));
    QVERIFY(exitButton->font().bold());
    QVERIFY(!first->font().bold());
    // Command9 lies exactly over Command6: a click there always lands on it.
    auto* nine = control<CommandButton>(menu, "Command9");
    QCOMPARE(nine->geometry(), control<CommandButton>(menu, "Command6")->geometry());
    QCOMPARE(menu->client()->childAt(nine->geometry().center()), nine);
    // A caption breaks after its number first, never inside "What is it?".
    for (const QRect& screen : {QRect(0, 0, 1024, 768), QRect(0, 0, 1366, 768), QRect(0, 0, 3840, 2160)}) {
        menu->setFormGeometry(screen);
        const QStringList lines = control<CommandButton>(menu, "Command3")->captionLayout().lines;
        QVERIFY2(lines == QStringList{"2 - What is it?"} || lines == (QStringList{"2 -", "What is it?"}),
                 qPrintable(lines.join(" / ")));
    }
}

void TestStartup::creditsThenExitNoStaysExitYesSaysByeAndEnds()
{
    TestWorld world;
    DesignForm* menu = world.open("FormMenu");
    click(control<CommandButton>(menu, "Command14"));
    QCOMPARE(world.boxes.size(), 1);
    QCOMPARE(world.boxes[0], (MsgRequest{world.boxes[0].text, "Quillet", MsgButtons::Ok, MsgIcon::Information}));
    QVERIFY(world.boxes[0].text.contains("  \r\n ----------------------- \r\n"));
    world.boxes.clear();

    QSignalSpy ended(&Schermi::istanza(), &Schermi::fine);
    world.answers = {MsgResult::No};
    click(control<CommandButton>(menu, "BottoneEsci"));
    QCOMPARE(world.boxes, (QList<MsgRequest>{{"exit?", "Quillet", MsgButtons::YesNo, MsgIcon::Question}}));
    QVERIFY(menu->isVisible());
    QCOMPARE(ended.count(), 0);

    // The copy's lock goes at Yes: a copy started while "bye!" is said is not refused.
    QVERIFY(Modulo1::Main());
    SingleInstance other;
    QCOMPARE(other.acquisisci(), SingleInstance::Esito::AltraCopia);
    click(control<CommandButton>(menu, "BottoneEsci"));
    QCOMPARE(world.saidBy(menu).last(), QString("bye!"));
    QVERIFY(!menu->isVisible());
    QCOMPARE(other.acquisisci(), SingleInstance::Esito::Presa);
    // The program waits for "bye!" to be heard...
    QTest::qWait(100);
    QCOMPARE(ended.count(), 0);
    world.engine.finishCurrent(reinterpret_cast<SpeechOwner>(menu->mouth()));
    QVERIFY(ended.wait(1000));
}

void TestStartup::screensTakeTurnsInOneWindow()
{
    TestWorld world;
    DesignForm* shown = world.open("FormMenu");
    QWidget* window = shown->window();
    QVERIFY(window != shown);
    QCOMPARE(window->geometry(), shown->screenRect());
    // A screen shown in place of another is the one page up, over the whole window.
    for (const char* name : {"Form1", "Form2", "FormMenu", "Form3"}) {
        DesignForm* next = Schermi::istanza().mostraAlPosto(name, shown);
        QApplication::processEvents();
        QCOMPARE(next->window(), window);
        int pagesUp = 0;
        for (const DesignForm* page : window->findChildren<DesignForm*>(Qt::FindDirectChildrenOnly))
            pagesUp += page->isVisible();
        QCOMPARE(pagesUp, 1);
        QVERIFY(next->isVisible() && !shown->isVisible());
        QCOMPARE(next->geometry(), window->rect());
        QCOMPARE(window->windowTitle(), next->windowTitle());
        shown = next;
    }
    // The pages follow the window's size; the last one closed takes the window down.
    window->resize(1024, 768);
    QCOMPARE(shown->size(), QSize(1024, 768));
    QCOMPARE(shown->client()->width(), 1024);
    Schermi::istanza().chiudi(shown);
    QVERIFY(!window->isVisible());
}

int main(int argc, char* argv[])
{
    if (argc == 2 && QByteArray(argv[1]) == "--hold-lock") {
        QCoreApplication app(argc, argv);
        SingleInstance copy;
        if (copy.acquisisci() != SingleInstance::Esito::Presa)
            return 1;
        std::fputs("locked\n", stdout);
        std::fflush(stdout);
        for (;;)
            QThread::sleep(1);
    }
    TightFolder::enterPrivateMounts();
    QApplication app(argc, argv);
    TestStartup tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "test_startup.moc"
