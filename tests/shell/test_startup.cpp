// Start-up: one copy per user, the settings folder and readme, the welcome
// screen and the road to the menu.

#include "services/DesignForm.h"
#include "services/controls/PictureImage.h"
#include "services/controls/TextLabel.h"
#include "shell/Modulo1.h"
#include "shell/Schermi.h"
#include "shell/SettingsFile.h"
#include "support/TestWorld.h"

#include <QApplication>
#include <QDir>
#include <QLockFile>
#include <QProcess>
#include <QThread>

namespace {

QString lockPath()
{
    return qEnvironmentVariable("XDG_RUNTIME_DIR") + "/quillet.lock";
}

}  // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void startsWhateverTheSettingsFolderHolds_data();
    void startsWhateverTheSettingsFolderHolds();
    void secondCopyOnlyShowsTheErrorBox();
    void lockOfAKilledCopyIsTakenOver();
    void welcomeLeavesOnEveryClickButTheDate_data();
    void welcomeLeavesOnEveryClickButTheDate();
    void brokenPicturesShowPlaceholders();
};

void TestStartup::startsWhateverTheSettingsFolderHolds_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<int>("voce");
    QTest::addColumn<int>("velocita");
    QTest::newRow("first run") << "missing" << 1 << 135;
    QTest::newRow("settings without readme") << "settings only" << 2 << 150;
    QTest::newRow("unwritable: a plain file in its place") << "plain file" << 1 << 135;
}

void TestStartup::startsWhateverTheSettingsFolderHolds()
{
    QFETCH(QString, folder);
    QFETCH(int, voce);
    QFETCH(int, velocita);
    TestWorld world;
    if (folder == "settings only")
        writeFile(world.settingsFile(), " 2 \r\n 150 \r\n");
    if (folder == "plain file")
        writeFile(world.configFolder(), {});
    QVERIFY(Modulo1::Main());
    // A folder gets its readme; starting writes no settings.
    QCOMPARE(readFile(world.readmeFile()), folder == "plain file" ? QByteArray() : SettingsFile::leggimi());
    QCOMPARE(QFile::exists(world.settingsFile()), folder == "settings only");
    QCOMPARE(int(Modulo1::Voce), voce);
    QCOMPARE(int(Modulo1::Velocita), velocita);

    DesignForm* welcome = Schermi::istanza().forma("FormAvvio");
    QVERIFY(welcome && welcome->isLoaded() && welcome->isVisible());
    QCOMPARE(world.saidBy(welcome), QStringList{"welcome. unit 8. Quillet"});
    QCOMPARE(Schermi::istanza().caricati().size(), 1);
}

void TestStartup::secondCopyOnlyShowsTheErrorBox()
{
    TestWorld world;
    QLockFile other(lockPath());
    QVERIFY(other.tryLock(0));
    QVERIFY(!Modulo1::Main());
    QCOMPARE(world.boxes, (QList<MsgRequest>{{QString::fromUtf8("E' già stata avviata una copia di questo programma!"),
                                               "Error", MsgButtons::Ok, MsgIcon::Critical}}));
    // Nothing read or written, no screen.
    QVERIFY(!QFileInfo::exists(world.configFolder()));
    QVERIFY(Schermi::istanza().caricati().isEmpty());
}

void TestStartup::lockOfAKilledCopyIsTakenOver()
{
    TestWorld world;
    QProcess holder;
    holder.start(QCoreApplication::applicationFilePath(), {"--hold-lock", lockPath()});
    QVERIFY(holder.waitForReadyRead(5000));  // the child says when it holds the lock
    QLockFile probe(lockPath());
    QVERIFY(!probe.tryLock(0));
    holder.kill();
    holder.waitForFinished();
    QVERIFY(QFile::exists(lockPath()));
    QVERIFY(Modulo1::Main());
    QVERIFY(world.boxes.isEmpty());
}

void TestStartup::welcomeLeavesOnEveryClickButTheDate_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("leaves");
    QTest::newRow("picture") << "Image1(1)" << true;
    QTest::newRow("title") << "Label2" << true;
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
    QWidget* widget = welcome->findChild<QWidget*>(target);
    QVERIFY(widget);
    // A corner of the background, away from every control.
    const QPoint where = target == "ARGradient1" ? QPoint(widget->width() - 3, 3) : widget->rect().center();
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, where);
    QApplication::processEvents();
    DesignForm* menu = Schermi::istanza().forma("FormMenu");
    QCOMPARE(!welcome->isLoaded(), leaves);
    QCOMPARE(menu && menu->isLoaded(), leaves);
}

void TestStartup::brokenPicturesShowPlaceholders()
{
    TestWorld world(false);
    // Every word broken in some way: empty, truncated, or not a picture at all.
    for (int i = 1; i <= 18; ++i)
        writeFile(world.programFolder() + "/jpg/" + Modulo1::Parola[i] + ".jpg",
                  i % 3 == 0 ? QByteArray() : i % 3 == 1 ? QByteArray::fromHex("FFD8FFE000104A464946")
                                                          : QByteArray("this is a letter, not a picture"));
    QVERIFY(Modulo1::Main());
    DesignForm* welcome = Schermi::istanza().forma("FormAvvio");
    for (int k = 0; k < 3; ++k) {
        auto* picture = control<PictureImage>(welcome, QString("Image1(%1)").arg(k));
        QVERIFY(picture->showsPlaceholder());
    }
    welcome->grab();  // drawing the placeholders must work too
    QDir(world.programFolder() + "/jpg").removeRecursively();
    QVERIFY(world.open("Form7"));
    QVERIFY(control<PictureImage>(Schermi::istanza().forma("Form7"), "Image1")->showsPlaceholder());
}

int main(int argc, char* argv[])
{
    if (argc == 3 && QByteArray(argv[1]) == "--hold-lock") {
        QCoreApplication app(argc, argv);
        QLockFile lock(QString::fromLocal8Bit(argv[2]));
        lock.setStaleLockTime(0);
        if (!lock.tryLock(0))
            return 1;
        std::fputs("locked\n", stdout);
        std::fflush(stdout);
        for (;;)
            QThread::sleep(1);
    }
    QApplication app(argc, argv);
    TestStartup tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "test_startup.moc"
