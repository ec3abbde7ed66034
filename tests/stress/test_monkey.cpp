// The monkey over every screen the program has, from several seeds.

#include "exercises/frame/FormTable.h"
#include "services/DesignForm.h"
#include "shell/Modulo1.h"
#include "shell/Schermi.h"
#include "support/Monkey.h"
#include "support/TestWorld.h"

#include <QApplication>
#include <QWindow>

namespace {

// Enough for every screen to be reached from the menu at least once.
constexpr int CoveringEvents = 1500;

}  // namespace

class TestMonkey : public QObject {
    Q_OBJECT
private slots:
    void invariantsHold_data();
    void invariantsHold();
    void aDoubleClickActsOnce_data();
    void aDoubleClickActsOnce();
};

void TestMonkey::invariantsHold_data()
{
    QTest::addColumn<quint32>("seed");
    if (const QString replay = qEnvironmentVariable("QUILLET_MONKEY_SEED"); !replay.isEmpty()) {
        QTest::newRow(qPrintable(replay)) << replay.toUInt();
        return;
    }
    for (quint32 seed : {11u, 2027u, 31337u, 424242u})
        QTest::newRow(qPrintable(QString::number(seed))) << seed;
}

void TestMonkey::invariantsHold()
{
    QFETCH(quint32, seed);
    const int asked = qEnvironmentVariableIntValue("QUILLET_MONKEY_EVENTS");
    const int events = asked > 0 ? asked : CoveringEvents;
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

void TestMonkey::aDoubleClickActsOnce_data()
{
    // With no screen to open, every control of the screen is double-clicked in turn.
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("opens");
    for (const QString& name : nomiEsercizi())
        QTest::newRow(qPrintable(name)) << name << QString() << QString();
    QTest::newRow("welcome title") << "FormAvvio" << "Label2" << "FormMenu";
    const char* const buttons[][2] = {
        {"Command2", "Form1"},   {"Command3", "Form2"},   {"Command4", "Form3"},          {"Command5", "Form4a"},
        {"Command15", "Form4b"}, {"Command16", "Form4c"}, {"Command21", "Form7"},         {"Command7", "Form6"},
        {"Command9", "Form8"},   {"Command8", "Form9"},   {"Command11", "Form10"},        {"Command17", "Form11"},
        {"Command18", "Form12"}, {"Command19", "Form13"}, {"Command12", "Form14"},        {"Command10", "Form15"},
        {"Command13", "FormCruciPuzzle"}, {"Command20", "FormMemory"}, {"Command1", "FormImposta"},
    };
    for (const auto& [button, screen] : buttons)
        QTest::newRow(qPrintable(QStringLiteral("menu ") + button)) << "FormMenu" << button << screen;
}

void TestMonkey::aDoubleClickActsOnce()
{
    QFETCH(QString, screen);
    QFETCH(QString, control);
    QFETCH(QString, opens);
    TestWorld world;
    DesignForm* form = world.open(screen);
    Monkey monkey(world.engine, 1);
    QStringList names{control};
    if (control.isEmpty())
        for (const QPointer<QWidget>& widget : form->designControls())
            names.append(widget->objectName());
    for (const QString& name : std::as_const(names)) {
        const QWidget* target = form->findChild<QWidget*>(name);
        if (!form->isLoaded() || !target || !target->isVisible())
            continue;
        // Its second press, on whatever screen the first click left up, changes nothing.
        const QString broken = monkey.doubleClickOnce(form, target->mapTo(form, target->rect().center()));
        QVERIFY2(broken.isEmpty(), qPrintable(name + ": " + broken));
    }
    if (!opens.isEmpty())
        QCOMPARE(monkey.top(), Schermi::istanza().forma(opens));
}

QTEST_MAIN(TestMonkey)
#include "test_monkey.moc"
