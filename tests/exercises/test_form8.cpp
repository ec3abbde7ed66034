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

namespace {

struct Screen {
    Form8* form;
    WordLabel* word(int k) const { return control<WordLabel>(form, QString("Label1(%1)").arg(k)); }
    DropBox* box(int k) const { return control<DropBox>(form, QString("Label2(%1)").arg(k)); }
    QString mistakes() const { return control<TextLabel>(form, "EtichettaErrati")->caption(); }
    QString correct() const { return control<TextLabel>(form, "EtichettaEsatti")->caption(); }
    CommandButton* next() const { return control<CommandButton>(form, "Command1"); }
};

// Delivers a drag where the platform would: to the enabled widget taking
// drops under the given point of the screen's client area.
QPoint dropPoint;
void installRunner(Form8* form)
{
    WordDrag::setRunner([form](QDrag& drag) {
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
}

QPoint centreOf(Form8* form, QWidget* widget)
{
    return widget->mapTo(form->client(), widget->rect().center());
}

void mouseDrag(Form8* form, WordLabel* word, QWidget* onto)
{
    dropPoint = centreOf(form, onto);
    const QPoint start = word->rect().center();
    QTest::mousePress(word, Qt::LeftButton, {}, start);
    QTest::mouseMove(word, start + QPoint(40, 10));
    QTest::mouseRelease(word, Qt::LeftButton, {}, start + QPoint(40, 10));
}

}  // namespace

class TestForm8 : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { WordDrag::setRunner({}); }
    void rightDropsCompleteTheRound();
    void wrongFilledAndOutsideDrops();
    void touchDragPlacesAWord();
    void forgedAndForeignDropsAreRefused();
};

void TestForm8::rightDropsCompleteTheRound()
{
    TestWorld world;
    Screen s{static_cast<Form8*>(world.open("Form8"))};
    installRunner(s.form);
    QVERIFY(s.next()->isEnabled());
    QCOMPARE(world.saidBy(s.form), QStringList{"exercise 9.. combine the words to the sketches."});
    click(s.form->mouth());
    QCOMPARE(world.saidBy(s.form).size(), 1);
    for (int k = 0; k < 3; ++k) {
        const QString word = Modulo1::Parola[std::size_t(s.form->disegni()[std::size_t(k)])];
        QCOMPARE(s.word(k)->caption(), word);
        mouseDrag(s.form, s.word(k), s.box(k));
        QCOMPARE(s.box(k)->caption(), word);
        QCOMPARE(s.word(k)->caption(), QString());
        QVERIFY(!s.word(k)->isEnabled());
        QCOMPARE(world.saidBy(s.form).last(), word);
        QCOMPARE(s.correct(), k < 2 ? QString("0") : QString(" 1"));
    }
    for (int k = 0; k < 3; ++k)
        QVERIFY(!s.box(k)->isEnabled());
    click(s.next());
    QVERIFY(!s.next()->isEnabled());
    for (int k = 0; k < 3; ++k) {
        QVERIFY(s.box(k)->isEnabled() && s.word(k)->isEnabled());
        QCOMPARE(s.box(k)->caption(), QString());
        // Each word stands under the box its order gives it.
        QCOMPARE(s.word(k)->x(), s.box(s.form->colonne()[std::size_t(k)])->x());
    }
}

void TestForm8::wrongFilledAndOutsideDrops()
{
    TestWorld world;
    Screen s{static_cast<Form8*>(world.open("Form8"))};
    installRunner(s.form);
    mouseDrag(s.form, s.word(0), s.box(1));
    QCOMPARE(s.mistakes(), QString(" 1"));
    QCOMPARE(world.saidBy(s.form).last(), QString("No! repeat!"));
    QCOMPARE(s.box(1)->caption(), QString());
    QVERIFY(s.word(0)->isEnabled());
    mouseDrag(s.form, s.word(1), s.box(1));
    mouseDrag(s.form, s.word(0), s.box(1));  // a filled box
    QCOMPARE(s.mistakes(), QString(" 2"));
    // On a picture or the background nothing happens.
    mouseDrag(s.form, s.word(0), control<QWidget>(s.form, "Image1(0)"));
    mouseDrag(s.form, s.word(0), s.next());
    QCOMPARE(s.mistakes(), QString(" 2"));
    QCOMPARE(s.form->abbinati(), 1);
    QCOMPARE(s.box(0)->caption(), QString());

    // A resize keeps the words where the round put them.
    const std::array<int, 3> columns = s.form->colonne();
    s.form->setFormGeometry(QRect(0, 0, 6400, 4000));
    for (int k = 0; k < 3; ++k)
        QCOMPARE(s.word(k)->x(), s.box(columns[std::size_t(k)])->x());
}

void TestForm8::touchDragPlacesAWord()
{
    TestWorld world;
    Screen s{static_cast<Form8*>(world.open("Form8"))};
    installRunner(s.form);
    static QPointingDevice* finger = QTest::createTouchDevice();
    dropPoint = centreOf(s.form, s.box(2));
    const QPoint start = s.word(2)->rect().center();
    QTest::touchEvent(s.word(2), finger).press(0, start);
    QTest::touchEvent(s.word(2), finger).move(0, start + QPoint(40, 10));
    QTest::touchEvent(s.word(2), finger).release(0, start + QPoint(40, 10));
    QCOMPARE(s.form->abbinati(), 1);
    QVERIFY(!s.box(2)->caption().isEmpty());
}

void TestForm8::forgedAndForeignDropsAreRefused()
{
    TestWorld world;
    Screen s{static_cast<Form8*>(world.open("Form8"))};
    const auto drop = [&](const QMimeData& data) {
        QDropEvent event(QPointF(5, 5), Qt::MoveAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(s.box(0), &event);
        return event.isAccepted();
    };
    QMimeData forged;
    forged.setData(WordDrag::MimeType, "Label1(0)");
    QVERIFY(!drop(forged));
    WordLabel stranger(QStringLiteral("head"));
    QVERIFY(!drop(WordMime(&stranger)));
    QCOMPARE(s.form->abbinati(), 0);
    QCOMPARE(s.mistakes(), QString("0"));
}

QTEST_MAIN(TestForm8)
#include "test_form8.moc"
