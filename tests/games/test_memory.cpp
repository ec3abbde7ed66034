// The memory screen: the deal, turns ended by the timer (fired by hand), the
// counter, "new", and a deal that survives a resize.

#include "games/FormMemory.h"
#include "services/controls/CommandButton.h"
#include "services/controls/PictureImage.h"
#include "services/controls/TextLabel.h"
#include "shell/Modulo1.h"
#include "shell/Schermi.h"
#include "support/TestWorld.h"

#include <QAction>
#include <QSet>
#include <QTimer>

namespace {

struct Screen {
    DesignForm* form;

    TextLabel* cover(int k) const { return control<TextLabel>(form, QString("Label2(%1)").arg(k)); }
    QWidget* card(int k) const
    {
        if (k >= 12)
            return control<QWidget>(form, QString("Label1(%1)").arg(k - 12));
        return control<QWidget>(form, QString("Image1(%1)").arg(k));
    }
    QString counter() const { return control<TextLabel>(form, "Label3")->caption(); }
    QTimer* timer() const { return control<QTimer>(form, "Timer1"); }
    bool up(int k) const { return cover(k)->isHidden(); }
    // The turn's 1.5 s are over.
    void tick() const { QVERIFY(QMetaObject::invokeMethod(timer(), "timeout")); }

    // Every card under its own cover, one card on each of the 24 places of a 4 x 6 grid.
    void checkDeal() const
    {
        QSet<int> lefts, tops;
        QSet<QPair<int, int>> places;
        for (int k = 0; k < 24; ++k) {
            QCOMPARE(cover(k)->geometry(), card(k)->geometry());
            lefts.insert(cover(k)->x());
            tops.insert(cover(k)->y());
            places.insert({cover(k)->x(), cover(k)->y()});
        }
        QCOMPARE(lefts.size(), 6);
        QCOMPARE(tops.size(), 4);
        QCOMPARE(places.size(), 24);
    }
    // Covers in the order of their places, row by row.
    QList<int> order() const
    {
        QList<int> covers;
        for (int k = 0; k < 24; ++k)
            covers.append(k);
        std::sort(covers.begin(), covers.end(), [this](int a, int b) {
            return std::pair(cover(a)->y(), cover(a)->x()) < std::pair(cover(b)->y(), cover(b)->x());
        });
        return covers;
    }
};

}  // namespace

class TestMemory : public QObject {
    Q_OBJECT
private slots:
    void opensDealtWithOneSetOfWordsAndPictures();
    void aPairStaysUpAndCountsATurn();
    void aMissTurnsDownWhenTheTimerEnds();
    void onlyTwoDifferentCardsMakeATurn();
    void newWhileTwoCardsAreUpDealsAfresh();
    void aResizeKeepsTheDeal();
    void leavingTheScreenStopsTheTurn();
};

void TestMemory::opensDealtWithOneSetOfWordsAndPictures()
{
    TestWorld world;
    Screen screen{world.open("FormMemory")};
    QVERIFY(screen.form);
    QCOMPARE(world.saidBy(screen.form), QStringList{"Play  with  me."});
    QVERIFY(!screen.form->findChild<QWidget*>("PicturesattiErrati"));
    QVERIFY(!screen.form->findChild<QAction*>("mnuImposta"));
    QCOMPARE(control<CommandButton>(screen.form, "Command1")->caption(), QString("new"));
    QCOMPARE(screen.counter(), QString("times =  0"));
    const QString first = control<TextLabel>(screen.form, "Label1(0)")->caption();
    QVERIFY(first == "head" || first == "mouth");
    const int offset = first == "head" ? 1 : 6;
    for (int k = 0; k < 12; ++k) {
        QCOMPARE(control<TextLabel>(screen.form, QString("Label1(%1)").arg(k))->caption(), Modulo1::Parola[offset + k]);
        // The test pictures are coloured by word number.
        const QImage picture = control<PictureImage>(screen.form, QString("Image1(%1)").arg(k))->picture();
        QCOMPARE(qRound(picture.pixelColor(2, 2).hsvHue() / 19.0), offset + k);
    }
    for (int k = 0; k < 24; ++k)
        QVERIFY(!screen.up(k));
    screen.checkDeal();
}

void TestMemory::aPairStaysUpAndCountsATurn()
{
    TestWorld world;
    Screen screen{world.open("FormMemory")};
    click(screen.cover(3));
    click(screen.cover(15));
    QVERIFY(screen.up(3) && screen.up(15));
    QVERIFY(screen.timer()->isActive());
    QCOMPARE(screen.timer()->interval(), 1500);
    // The 1.5 s are running: a third card stays down.
    click(screen.cover(4));
    QVERIFY(!screen.up(4));

    screen.tick();
    QVERIFY(screen.up(3) && screen.up(15));
    QVERIFY(!screen.timer()->isActive());
    QCOMPARE(screen.counter(), QString("times =  1"));
    click(screen.cover(4));
    QVERIFY(screen.up(4));
}

void TestMemory::aMissTurnsDownWhenTheTimerEnds()
{
    TestWorld world;
    Screen screen{world.open("FormMemory")};
    // Two pictures, two words, a picture and another word.
    const QList<QPair<int, int>> misses = {{0, 1}, {12, 20}, {5, 18}};
    for (int turn = 0; turn < misses.size(); ++turn) {
        const auto [a, b] = misses[turn];
        click(screen.cover(a));
        click(screen.cover(b));
        QVERIFY(screen.up(a) && screen.up(b));
        screen.tick();
        QVERIFY(!screen.up(a) && !screen.up(b));
        QCOMPARE(screen.counter(), "times = " + Modulo1::Str(turn + 1));
    }
    QVERIFY(world.saidBy(screen.form).size() == 1);
}

void TestMemory::onlyTwoDifferentCardsMakeATurn()
{
    TestWorld world;
    Screen screen{world.open("FormMemory")};
    click(screen.cover(7));
    click(screen.card(7));
    QVERIFY(!screen.timer()->isActive());
    click(screen.cover(19));
    QVERIFY(screen.timer()->isActive());
    screen.tick();
    QVERIFY(screen.up(7) && screen.up(19));
    QCOMPARE(screen.counter(), QString("times =  1"));
}

void TestMemory::newWhileTwoCardsAreUpDealsAfresh()
{
    TestWorld world;
    Screen screen{world.open("FormMemory")};
    click(screen.cover(2));
    screen.tick();  // a tick without a running turn belongs to no turn
    QCOMPARE(screen.counter(), QString("times =  0"));
    click(screen.cover(9));
    click(control<CommandButton>(screen.form, "Command1"));
    QVERIFY(!screen.timer()->isActive());
    QCOMPARE(screen.counter(), QString("times =  0"));
    for (int k = 0; k < 24; ++k)
        QVERIFY(!screen.up(k));
    screen.checkDeal();
    // A late tick of the old turn touches nothing; the child may lift at once.
    screen.tick();
    QCOMPARE(screen.counter(), QString("times =  0"));
    click(screen.cover(2));
    QVERIFY(screen.up(2));
}

void TestMemory::aResizeKeepsTheDeal()
{
    TestWorld world;
    Screen screen{world.open("FormMemory")};
    click(screen.cover(0));
    click(screen.cover(12));
    screen.tick();
    click(screen.cover(5));
    const QList<int> before = screen.order();
    const QRect full = screen.form->geometry();

    screen.form->setFormGeometry({full.topLeft(), full.size() / 2});
    QCOMPARE(screen.order(), before);
    screen.checkDeal();
    QVERIFY(screen.cover(23)->width() < full.width() / 9);
    for (int k = 0; k < 24; ++k)
        QCOMPARE(screen.up(k), k == 0 || k == 12 || k == 5);

    screen.form->setFormGeometry(full);
    QCOMPARE(screen.order(), before);
    screen.checkDeal();
    click(screen.cover(6));
    QVERIFY(screen.timer()->isActive());
}

void TestMemory::leavingTheScreenStopsTheTurn()
{
    TestWorld world;
    Screen screen{world.open("FormMemory")};
    QTimer* timer = screen.timer();
    click(screen.cover(1));
    click(screen.cover(2));
    QVERIFY(timer->isActive());
    Schermi::istanza().chiudi(screen.form);
    QVERIFY(!timer->isActive());
    QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));

    // The next visit starts a fresh game.
    Screen again{world.open("FormMemory")};
    QCOMPARE(again.counter(), QString("times =  0"));
    for (int k = 0; k < 24; ++k)
        QVERIFY(!again.up(k));
    again.checkDeal();
}

QTEST_MAIN(TestMemory)
#include "test_memory.moc"
