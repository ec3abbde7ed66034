// Form8: words dragged onto the boxes under their pictures, with the mouse and by touch.

#include "exercises/ordering/DropBox.h"
#include "exercises/ordering/Form8.h"
#include "exercises/ordering/WordDrag.h"
#include "exercises/ordering/WordLabel.h"
#include "services/controls/CommandButton.h"
#include "services/speech/SpeechControl.h"
#include "shell/Modulo1.h"
#include "support/TestWorld.h"

#include <QDrag>
#include <QPointingDevice>
#include <QSet>

namespace {

struct Screen {
    Form8* form;
    WordLabel* word(int k) const { return control<WordLabel>(form, QString("Label1(%1)").arg(k)); }
    DropBox* box(int k) const { return control<DropBox>(form, QString("Label2(%1)").arg(k)); }
    CommandButton* next() const { return control<CommandButton>(form, "Command1"); }
};

// The word under each box, for each of the six orders the draw picks.
constexpr int Orders[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 1, 0}, {2, 0, 1}};

QPoint dropPoint;

// Opens Form8 with its drags delivered where the platform would: to the enabled
// widget taking drops under dropPoint of the screen's client area.
Screen open(TestWorld& world)
{
    Screen s{static_cast<Form8*>(world.open("Form8"))};
    WordDrag::setRunner([form = s.form](QDrag& drag) {
        QWidget* target = form->client()->childAt(dropPoint);
        while (target && !(target->acceptDrops() && target->isEnabled()))
            target = target->parentWidget();
        if (!target)
            return Qt::IgnoreAction;
        const QPointF local = target->mapFrom(form->client(), dropPoint);
        QDragEnterEvent enter(local.toPoint(), Qt::MoveAction, drag.mimeData(), Qt::LeftButton, {});
        QApplication::sendEvent(target, &enter);
        if (!enter.isAccepted())
            return Qt::IgnoreAction;
        QDropEvent drop(local, Qt::MoveAction, drag.mimeData(), Qt::LeftButton, {});
        QApplication::sendEvent(target, &drop);
        return drop.isAccepted() ? Qt::MoveAction : Qt::IgnoreAction;
    });
    return s;
}

// Drags a word onto a widget, with the mouse or with a finger.
void drag(Form8* form, WordLabel* word, QWidget* onto, bool byTouch = false)
{
    static QPointingDevice* finger = QTest::createTouchDevice();
    dropPoint = onto->mapTo(form->client(), onto->rect().center());
    const QPoint start = word->rect().center();
    const QPoint moved = start + QPoint(40, 10);
    if (byTouch) {
        QTest::touchEvent(word, finger).press(0, start);
        QTest::touchEvent(word, finger).move(0, moved);
        QTest::touchEvent(word, finger).release(0, moved);
        return;
    }
    QTest::mousePress(word, Qt::LeftButton, {}, start);
    QTest::mouseMove(word, moved);
    QTest::mouseRelease(word, Qt::LeftButton, {}, moved);
}

}  // namespace

class TestForm8 : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { WordDrag::setRunner({}); }
    void wrongAndRightDropsThroughRounds();
};

void TestForm8::wrongAndRightDropsThroughRounds()
{
    TestWorld world;
    const Screen s = open(world);
    QVERIFY(s.next()->isEnabled());
    QCOMPARE(world.saidBy(s.form), QStringList{"exercise 9.. combine the words to the sketches."});
    click(s.form->mouth());
    QCOMPARE(world.saidBy(s.form).size(), 1);

    // A forged drop, or a word of another screen, is no drop at all.
    const auto drop = [&](const QMimeData& data) {
        // A drop reaches the box only after an entry, as from the platform.
        QDragEnterEvent enter(QPoint(5, 5), Qt::MoveAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(s.box(0), &enter);
        QDropEvent event(QPointF(5, 5), Qt::MoveAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(s.box(0), &event);
        return enter.isAccepted() || event.isAccepted();
    };
    QMimeData forged;
    forged.setData(WordDrag::MimeType, "Label1(0)");
    QVERIFY(!drop(forged));
    WordLabel stranger(QStringLiteral("head"));
    QVERIFY(!drop(WordMime(&stranger)));
    QCOMPARE(s.form->abbinati(), 0);
    QCOMPARE(counts(s.form), QString("00"));

    drag(s.form, s.word(0), s.box(1));
    QCOMPARE(counts(s.form), QString("0 1"));
    QCOMPARE(s.box(1)->caption(), QString());
    drag(s.form, s.word(1), s.box(1));
    drag(s.form, s.word(0), s.box(1));  // a filled box
    QCOMPARE(counts(s.form), QString("0 2"));
    // On a picture or the background nothing happens.
    drag(s.form, s.word(0), control<QWidget>(s.form, "Image1(0)"));
    drag(s.form, s.word(0), s.next());
    QCOMPARE(counts(s.form), QString("0 2"));
    QCOMPARE(s.form->abbinati(), 1);
    click(s.next());
    for (int k = 0; k < 3; ++k) {
        const QString word = Modulo1::Parola[std::size_t(s.form->disegni()[std::size_t(k)])];
        QCOMPARE(s.word(k)->caption(), word);
        drag(s.form, s.word(k), s.box(k), k == 2);  // the last by touch
        QCOMPARE(s.box(k)->caption(), word);
        QCOMPARE(s.word(k)->caption(), QString());
        QVERIFY(!s.word(k)->isEnabled());
        QCOMPARE(world.saidBy(s.form).last(), word);
        QCOMPARE(counts(s.form), k < 2 ? QString("0 2") : QString(" 1 2"));
    }
    for (int k = 0; k < 3; ++k)
        QVERIFY(!s.box(k)->isEnabled());
    // The voice dialog closed over the finished round: the round it starts takes drops.
    s.form->Form_Activate();
    drag(s.form, s.word(0), s.box(0));
    QCOMPARE(s.box(0)->caption(), Modulo1::Parola[std::size_t(s.form->disegni()[0])]);
    click(s.next());
    QVERIFY(!s.next()->isEnabled());
    for (int k = 0; k < 3; ++k) {
        QVERIFY(s.box(k)->isEnabled() && s.word(k)->isEnabled());
        QCOMPARE(s.box(k)->caption(), QString());
    }
    // Every one of the six orders comes, each as its draw names it.
    QSet<int> drawn;
    for (int round = 0; round < 300 && drawn.size() < 6; ++round) {
        s.form->Form_Activate();
        for (int box = 0; box < 3; ++box)
            QVERIFY2(s.word(Orders[Modulo1::Estratto1][box])->x() == s.box(box)->x(),
                     qPrintable(QString::number(Modulo1::Estratto1)));
        drawn << Modulo1::Estratto1;
    }
    QCOMPARE(drawn.size(), 6);
}

QTEST_MAIN(TestForm8)
#include "test_form8.moc"
