// The main menu: its buttons, the credits and leaving the program (where each button leads: test_monkey).

#include "services/DesignForm.h"
#include "services/controls/CommandButton.h"
#include "services/speech/SpeechControl.h"
#include "shell/Credits.h"
#include "shell/Modulo1.h"
#include "shell/Schermi.h"
#include "shell/SingleInstance.h"
#include "support/TestWorld.h"

#include <QBackingStore>
#include <QMap>
#include <QSignalSpy>

class TestMenu : public QObject {
    Q_OBJECT
private slots:
    void twentyTwoButtonsOnTheGrid();
    void creditsThenExitNoStaysExitYesSaysByeAndEnds();
    void closedScreensGiveBackTheirBackingStores();
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

void TestMenu::creditsThenExitNoStaysExitYesSaysByeAndEnds()
{
    TestWorld world;
    DesignForm* menu = world.open("FormMenu");
    click(control<CommandButton>(menu, "Command14"));
    QCOMPARE(world.boxes.size(), 1);
    QCOMPARE(world.boxes[0], (MsgRequest{world.boxes[0].text, "Quillet", MsgButtons::Ok, MsgIcon::Information}));
    const QStringList lines = world.boxes[0].text.split("\r\n");
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines[0], Credits::Autore + "  ");
    QCOMPARE(lines[1], QString(" ") + QString(23, '-') + " ");
    QCOMPARE(lines[3], "mail: " + Credits::Posta);
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

void TestMenu::closedScreensGiveBackTheirBackingStores()
{
    TestWorld world;
    // Each window holds a screen-sized backing store: twenty of them at 4K would fill the memory.
    const QStringList screens = {"Form1", "Form2", "Form3"};
    for (const QString& name : screens)
        Schermi::istanza().chiudi(world.open(name));
    for (const QString& name : screens) {
        const QBackingStore* store = Schermi::istanza().forma(name)->backingStore();
        QVERIFY2(!store || store->size().width() * store->size().height() <= 1, qPrintable(name));
    }
    // A released screen opens again as before.
    DesignForm* again = world.open("Form1");
    QVERIFY(again->isVisible() && again->windowHandle());
    QCOMPARE(again->size(), again->screen()->geometry().size());
    again->repaint();
    QCOMPARE(again->backingStore()->size(), again->size());
}

QTEST_MAIN(TestMenu)
#include "test_menu.moc"
