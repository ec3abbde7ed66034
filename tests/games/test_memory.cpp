// The memory game: its deal, turns, the turn timer on a manual tick, "new" and a resize.

#include "services/DesignForm.h"
#include "services/controls/CommandButton.h"
#include "services/controls/PictureImage.h"
#include "services/controls/TextLabel.h"
#include "shell/Modulo1.h"
#include "support/TestWorld.h"

#include <QAction>
#include <QTimer>
#include <set>

namespace {

TextLabel* cover(DesignForm* form, int k) { return control<TextLabel>(form, QString("Label2(%1)").arg(k)); }
QWidget* card(DesignForm* form, int k)
{
    return k < 12 ? control<QWidget>(form, QString("Image1(%1)").arg(k)) : control<QWidget>(form, QString("Label1(%1)").arg(k - 12));
}
void tick(DesignForm* form) { QMetaObject::invokeMethod(control<QTimer>(form, "Timer1"), "timeout"); }
QString counter(DesignForm* form) { return control<TextLabel>(form, "Label3")->caption(); }

// Every card under its own cover, one card on each of the 24 places of a 4 x 6 grid.
void checkDeal(DesignForm* form)
{
    std::set<int> lefts, tops;
    std::set<std::pair<int, int>> places;
    for (int k = 0; k < 24; ++k) {
        QCOMPARE(cover(form, k)->geometry(), card(form, k)->geometry());
        lefts.insert(cover(form, k)->x());
        tops.insert(cover(form, k)->y());
        places.insert({cover(form, k)->x(), cover(form, k)->y()});
    }
    QCOMPARE(lefts.size(), size_t(6));
    QCOMPARE(tops.size(), size_t(4));
    QCOMPARE(places.size(), size_t(24));
}

}  // namespace

class TestMemory : public QObject {
    Q_OBJECT
private slots:
    void aGameFromDealToGoingBack();
};

void TestMemory::aGameFromDealToGoingBack()
{
    TestWorld world;
    DesignForm* form = world.open("FormMemory");
    QCOMPARE(world.saidBy(form), QStringList{"Play  with  me."});
    QVERIFY(!form->findChild<QAction*>("mnuImposta"));
    QVERIFY(!form->findChild<QWidget*>("PicturesattiErrati"));
    QCOMPARE(counter(form), QString("times =  0"));
    QCOMPARE(control<CommandButton>(form, "Command1")->text(), QString("new"));
    // Set A or set B; picture k shows the word of word card k, once it is turned.
    const QString first = control<TextLabel>(form, "Label1(0)")->caption();
    QVERIFY(first == "head" || first == "mouth");
    const int offset = first == "head" ? 1 : 6;
    for (int k = 0; k < 12; ++k)
        QCOMPARE(control<TextLabel>(form, QString("Label1(%1)").arg(k))->caption(), Modulo1::Parola[offset + k]);
    checkDeal(form);
    const auto picture = [&](int k) { return pictureWord(control<PictureImage>(form, QString("Image1(%1)").arg(k))->picture()); };

    // A pair stays up; a miss turns down at the tick.
    click(cover(form, 0));
    QCOMPARE(picture(0), offset);
    click(cover(form, 12));
    QVERIFY(control<QTimer>(form, "Timer1")->isActive());
    QCOMPARE(control<QTimer>(form, "Timer1")->interval(), 1500);
    tick(form);
    QVERIFY(cover(form, 0)->isHidden() && cover(form, 12)->isHidden());
    QCOMPARE(counter(form), QString("times =  1"));
    click(cover(form, 1));
    click(cover(form, 2));
    QVERIFY(cover(form, 1)->isHidden() && cover(form, 2)->isHidden());
    QCOMPARE(picture(1), offset + 1);
    QCOMPARE(picture(2), offset + 2);
    tick(form);
    QVERIFY(!cover(form, 1)->isHidden() && !cover(form, 2)->isHidden());
    QCOMPARE(counter(form), QString("times =  2"));

    click(cover(form, 3));
    click(cover(form, 3));  // the same card again: still the first of the turn
    QVERIFY(!control<QTimer>(form, "Timer1")->isActive());
    click(cover(form, 4));
    click(cover(form, 5));  // a third card while two are up
    QVERIFY(!cover(form, 5)->isHidden());
    click(control<CommandButton>(form, "Command1"));
    QVERIFY(!control<QTimer>(form, "Timer1")->isActive());
    tick(form);  // a late tick touches nothing
    for (int k = 0; k < 24; ++k)
        QVERIFY(!cover(form, k)->isHidden());
    QCOMPARE(counter(form), QString("times =  0"));
    checkDeal(form);

    click(cover(form, 5));
    form->setFormGeometry(QRect(0, 0, 640, 480));
    checkDeal(form);  // each cover still hides its card whole
    // The card lifted before stays up alone: a resize shows no picture.
    for (int k = 0; k < 24; ++k)
        QCOMPARE(cover(form, k)->isHidden(), k == 5);

    // Leaving in the middle of a turn stops its timer.
    click(cover(form, 6));
    QVERIFY(cover(form, 6)->isHidden());
    QVERIFY(control<QTimer>(form, "Timer1")->isActive());
    control<QAction>(form, "mnuEsci")->trigger();
    QVERIFY(!form->isLoaded());
    QVERIFY(!control<QTimer>(form, "Timer1")->isActive());
    tick(form);
}

QTEST_MAIN(TestMemory)
#include "test_memory.moc"
