// The monkey over every screen the program has, from several seeds.

#include "exercises/frame/FormTable.h"
#include "services/DesignForm.h"
#include "shell/Schermi.h"
#include "support/Monkey.h"
#include "support/TestWorld.h"

#include <QApplication>
#include <QSignalSpy>

namespace {

// Enough for every screen to be reached from the menu at least once.
constexpr int CoveringEvents = 1500;

}  // namespace

class TestMonkey : public QObject {
    Q_OBJECT
private slots:
    void invariantsHold_data();
    void invariantsHold();
    void sameSeedSameRun();
    void closedWindowUnloadsAndEndsWhenLast();
};

void TestMonkey::invariantsHold_data()
{
    QTest::addColumn<quint32>("seed");
    quint32 replay = 0;
    if (Monkey::seedFromEnvironment(replay)) {
        QTest::newRow(qPrintable(QString::number(replay))) << replay;
        return;
    }
    for (quint32 seed : {11u, 2027u, 31337u, 424242u})
        QTest::newRow(qPrintable(QString::number(seed))) << seed;
}

void TestMonkey::invariantsHold()
{
    QFETCH(quint32, seed);
    const int events = Monkey::eventsFromEnvironment(CoveringEvents);
    TestWorld world;
    Monkey monkey(world.engine, seed);
    const QString broken = monkey.run(events);
    QVERIFY2(broken.isEmpty(), qPrintable(broken));
    if (events < CoveringEvents)
        return;
    // Every screen that exists was reached through the menu.
    QStringList screens = nomiEsercizi() << "FormAvvio" << "FormMenu";
    // No menu button opens Form5.
    screens.removeAll(QStringLiteral("Form5"));
    for (const QString& name : screens)
        if (Schermi::istanza().registrato(name))
            QVERIFY2(monkey.visited().contains(name), qPrintable(QString("seed %1 never reached %2").arg(seed).arg(name)));
}

void TestMonkey::sameSeedSameRun()
{
    QStringList said[2];
    for (QStringList& texts : said) {
        TestWorld world;
        Monkey monkey(world.engine, 7);
        QVERIFY(monkey.run(300).isEmpty());
        texts = world.engine.texts();
    }
    QCOMPARE(said[0], said[1]);
}

void TestMonkey::closedWindowUnloadsAndEndsWhenLast()
{
    TestWorld world;
    QSignalSpy ended(&Schermi::istanza(), &Schermi::fine);
    DesignForm* exercise = world.open("Form7");
    QVERIFY(!exercise->close());  // the slots decide, not the window
    QVERIFY(!exercise->isLoaded());
    QCOMPARE(ended.size(), 1);
}

QTEST_MAIN(TestMonkey)
#include "test_monkey.moc"
