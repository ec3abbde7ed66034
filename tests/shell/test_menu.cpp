// The main menu: its buttons, where they lead, the credits and leaving the program.

#include "services/DesignForm.h"
#include "services/controls/CommandButton.h"
#include "services/speech/SpeechControl.h"
#include "shell/Credits.h"
#include "shell/Schermi.h"
#include "support/TestWorld.h"

#include <QSignalSpy>

class TestMenu : public QObject {
    Q_OBJECT
private slots:
    void twentyTwoButtonsOnTheGrid();
    void nineAlwaysOpensTheSameExercise();
    void listenButtonsOpenTheirExercise_data();
    void listenButtonsOpenTheirExercise();
    void unbuiltExercisesLeaveTheMenuAlone();
    void creditsBox();
    void exitNoStaysExitYesSaysByeAndEnds();
    void onlyTheLatestClosedScreensKeepTheirWindows();
};

void TestMenu::twentyTwoButtonsOnTheGrid()
{
    TestWorld world;
    DesignForm* menu = world.open("FormMenu");
    const QList<CommandButton*> buttons = menu->findChildren<CommandButton*>();
    QCOMPARE(buttons.size(), 22);
    QSet<QString> captions;
    for (CommandButton* button : buttons) {
        captions.insert(button->text());
        QVERIFY2(menu->rect().contains(button->mapTo(menu, button->rect().bottomRight())), qPrintable(button->objectName()));
    }
    QVERIFY(captions.contains("Memory "));
    QVERIFY(captions.contains("1 - listen"));
    QVERIFY(captions.contains("16 - listen and answer"));
    // Same size everywhere, columns and rows aligned.
    auto* first = control<CommandButton>(menu, "Command2");
    auto* exitButton = control<CommandButton>(menu, "BottoneEsci");
    QCOMPARE(exitButton->size(), first->size());
    QCOMPARE(control<CommandButton>(menu, "Command21")->y(), first->y());
    QCOMPARE(control<CommandButton>(menu, "Command16")->x(), first->x());
    QCOMPARE(exitButton->text(), QString("Exit"));
    QVERIFY(exitButton->font().bold());
    QVERIFY(!first->font().bold());
}

void TestMenu::nineAlwaysOpensTheSameExercise()
{
    TestWorld world;
    DesignForm* menu = world.open("FormMenu");
    auto* nine = control<CommandButton>(menu, "Command9");
    auto* six = control<CommandButton>(menu, "Command6");
    QCOMPARE(nine->geometry(), six->geometry());
    // Command9 lies above Command6: a click lands on it.
    QCOMPARE(menu->client()->childAt(six->geometry().center()), nine);
}

void TestMenu::listenButtonsOpenTheirExercise_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("form");
    QTest::newRow("1 - listen") << "Command2" << "Form1";
    QTest::newRow("7 - listen and read") << "Command21" << "Form7";
}

void TestMenu::listenButtonsOpenTheirExercise()
{
    QFETCH(QString, button);
    QFETCH(QString, form);
    TestWorld world;
    DesignForm* menu = world.open("FormMenu");
    click(control<CommandButton>(menu, button));
    QVERIFY(!menu->isLoaded());
    DesignForm* exercise = Schermi::istanza().forma(form);
    QVERIFY(exercise && exercise->isLoaded() && exercise->isVisible());
    QCOMPARE(Schermi::istanza().caricati().size(), 1);
}

void TestMenu::unbuiltExercisesLeaveTheMenuAlone()
{
    TestWorld world;
    DesignForm* menu = world.open("FormMenu");
    for (CommandButton* button : menu->findChildren<CommandButton*>()) {
        const QString name = button->objectName();
        if (name == "BottoneEsci" || name == "Command14" || name == "Command1")
            continue;
        click(button);
        if (!menu->isLoaded()) {
            // It opened a built exercise: come back for the next button.
            QCOMPARE(Schermi::istanza().caricati().size(), 1);
            Schermi::istanza().chiudi(Schermi::istanza().caricati().first());
            menu = world.open("FormMenu");
        }
    }
    QVERIFY(menu->isLoaded());
}

void TestMenu::creditsBox()
{
    TestWorld world;
    DesignForm* menu = world.open("FormMenu");
    click(control<CommandButton>(menu, "Command14"));
    QCOMPARE(world.boxes.size(), 1);
    QCOMPARE(world.boxes[0].title, QString("Quillet"));
    QVERIFY(world.boxes[0].icon == MsgIcon::Information);
    const QStringList lines = world.boxes[0].text.split("\r\n");
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines[0], Credits::Autore + "  ");
    QCOMPARE(lines[1], QString(" ") + QString(23, '-') + " ");
    QCOMPARE(lines[3], "mail: " + Credits::Posta);
    QVERIFY(Credits::SitoWeb.contains("example.org") && Credits::Posta.endsWith("example.org"));
}

void TestMenu::exitNoStaysExitYesSaysByeAndEnds()
{
    TestWorld world;
    DesignForm* menu = world.open("FormMenu");
    QSignalSpy ended(&Schermi::istanza(), &Schermi::fine);
    world.answers = {MsgResult::No};
    click(control<CommandButton>(menu, "BottoneEsci"));
    QCOMPARE(world.boxes.last().text, QString("exit?"));
    QVERIFY(world.boxes.last().icon == MsgIcon::Question);
    QVERIFY(menu->isVisible());
    QCOMPARE(ended.count(), 0);

    click(control<CommandButton>(menu, "BottoneEsci"));
    QCOMPARE(world.saidBy(menu).last(), QString("bye!"));
    QVERIFY(!menu->isVisible());
    // The program waits for "bye!" to be heard...
    QTest::qWait(100);
    QCOMPARE(ended.count(), 0);
    world.engine.finishCurrent(reinterpret_cast<SpeechOwner>(menu->mouth()));
    QVERIFY(ended.wait(1000));
}

void TestMenu::onlyTheLatestClosedScreensKeepTheirWindows()
{
    TestWorld world;
    // Each window holds a screen-sized backing store: twenty of them at 4K would fill the memory.
    const QStringList screens = {"Form1", "Form2", "Form3", "Form7", "Form9"};
    for (const QString& name : screens)
        Schermi::istanza().chiudi(world.open(name));
    for (const QString& name : screens) {
        const bool kept = Schermi::istanza().forma(name)->windowHandle() != nullptr;
        QVERIFY2(kept == (screens.indexOf(name) >= 2), qPrintable(name));
    }
    // A released screen opens again as before.
    DesignForm* again = world.open("Form1");
    QVERIFY(again->isVisible() && again->windowHandle());
    QCOMPARE(again->size(), again->screen()->geometry().size());
}

QTEST_MAIN(TestMenu)
#include "test_menu.moc"
