// The choice screens: their draws and arrangements, the sentence table, the
// judging of clicks and the places the pictures and words keep through a resize.

#include "exercises/choice/ClickObjectExercise.h"
#include "exercises/choice/ClickWord.h"
#include "exercises/choice/Frasi.h"
#include "exercises/choice/ItemDraws.h"
#include "exercises/choice/ListenAnswer.h"
#include "exercises/choice/ReadWords.h"
#include "services/controls/CommandButton.h"
#include "services/controls/PictureImage.h"
#include "services/controls/ShapeOutline.h"
#include "services/controls/TextLabel.h"
#include "services/speech/SpeechControl.h"
#include "shell/Modulo1.h"
#include "support/TestWorld.h"

#include <QSet>
#include <algorithm>
#include <cmath>

namespace {

// The darkest grey level a control shows.
int darkest(QWidget* control)
{
    const QImage image = control->grab().toImage();
    int least = 255;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            least = std::min(least, qGray(image.pixel(x, y)));
    return least;
}

}  // namespace

class TestChoice : public QObject {
    Q_OBJECT
private slots:
    void distinctDrawsRedrawOnlyRepeats();
    void sentenceTable();
    void clickObjectJudgingAndSpeech_data();
    void clickObjectJudgingAndSpeech();
    void labelScreensJudgeTheRightAnswer_data();
    void labelScreensJudgeTheRightAnswer();
};

void TestChoice::distinctDrawsRedrawOnlyRepeats()
{
    QList<int> script = {5, 5, 5, 3, 5, 3, 7};
    const auto scripted = [&script](int) { return script.takeFirst(); };
    QCOMPARE(ItemDraws::distinti(3, 18, scripted), (QList<int>{5, 3, 7}));
    QVERIFY(script.isEmpty());
}

void TestChoice::sentenceTable()
{
    const QList<Frasi::Frase> table = Frasi::tabella();
    QCOMPARE(table.size(), 43);
    // A third for each subject; one of a part is said in the singular.
    QCOMPARE(table[4].domanda + table[16].domanda + table[42].domanda,
             QString("How many noses have you got?How many ears has he got?How many toes has she got?"));
    QCOMPARE(table[4].risposta + table[16].risposta + table[42].risposta,
             QString("I've got one nose.He's got two ears.She's got ten toes."));
}

void TestChoice::clickObjectJudgingAndSpeech_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("title");
    QTest::newRow("Form2") << "Form2" << "exercise 2.. click on the objet.";
    QTest::newRow("Form3") << "Form3" << "exercise 3.. click on the objet.";
}

void TestChoice::clickObjectJudgingAndSpeech()
{
    QFETCH(QString, form);
    QFETCH(QString, title);
    TestWorld world;
    auto* screen = static_cast<ClickObjectExercise*>(world.open(form));
    const qint16 asked = form == "Form2" ? Modulo1::Estratto2 : Modulo1::Estratto1;
    QCOMPARE(world.saidBy(screen), (QStringList{title, Modulo1::Parola[asked]}));
    auto* next = control<CommandButton>(screen, "Command1");
    auto* right = control<PictureImage>(screen, "Image1(0)");
    QVERIFY(!next->isEnabled());
    // Beside a picture kept in proportion, inside its place, is no click on it.
    auto* wrongPicture = control<PictureImage>(screen, "Image1(1)");
    QVERIFY(wrongPicture->drawnRect().top() >= 4);
    QTest::mouseClick(wrongPicture, Qt::LeftButton, {}, QPoint(wrongPicture->width() / 2, 2));
    for (int i = 0; i < 3; ++i)
        click(wrongPicture);
    click(right);
    QCOMPARE(counts(screen), QString(" 1 3"));
    auto* shape = control<ShapeOutline>(screen, "Shape1");
    QVERIFY(shape->isVisibleTo(screen));
    // The red outline stands around the picture as drawn.
    QCOMPARE(shape->geometry(), right->drawnRect().translated(right->pos()).toAlignedRect());
    QVERIFY(!right->isEnabled());
    QVERIFY(next->isEnabled());
    world.engine.clear();
    click(screen->mouth());
    QCOMPARE(world.saidBy(screen), QStringList{Modulo1::Parola[asked]});
    click(next);
    QVERIFY(!next->isEnabled() && !shape->isVisibleTo(screen));
    QVERIFY(right->isEnabled());

    // The right picture lands in every one of Form3's five places alike.
    QList<int> inSlot(5, 0);
    for (int i = 0; form == "Form3" && i < 2000; ++i) {
        click(right);
        click(next);
        if (i < 30) {
            // Activated again (the voice dialog closing), no picture leaves the screen or shares a place.
            screen->Form_Activate();
            QSet<int> lefts;
            for (int p = 0; p < 5; ++p) {
                auto* picture = control<PictureImage>(screen, QString("Image1(%1)").arg(p));
                QVERIFY(screen->client()->rect().contains(picture->geometry()));
                lefts.insert(picture->x() + 10000 * picture->y());
            }
            QCOMPARE(lefts.size(), 5);
        }
        const QList<int> slots_ = screen->postoDi();
        // Only swaps of the first picture with another occur.
        int moved = 0;
        for (int p = 1; p < 5; ++p)
            moved += slots_[p] != p;
        QVERIFY(moved <= 1);
        inSlot[slots_[0]]++;
    }
    for (int count : inSlot)
        QVERIFY2(form == "Form2" || (count > 320 && count < 480), qPrintable(QString::number(count)));
}

void TestChoice::labelScreensJudgeTheRightAnswer_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("title");
    QTest::newRow("Form5") << "Form5" << "exercise 7.. click on the word.";
    QTest::newRow("Form6") << "Form6" << "exercise 8. read the words.";
    QTest::newRow("Form9") << "Form9" << "exercise 10.. click on the word.";
    QTest::newRow("Form10") << "Form10" << "exercise 11.. click on the word.";
    QTest::newRow("Form14") << "Form14" << "exercise 15.. listen and answer.";
    QTest::newRow("Form15") << "Form15" << "exercise 15.. listen and answer.";
}

void TestChoice::labelScreensJudgeTheRightAnswer()
{
    QFETCH(QString, form);
    QFETCH(QString, title);
    TestWorld world;
    auto* screen = static_cast<LabelChoiceExercise*>(world.open(form));
    const auto rightIndex = [&] {
        if (auto* w = qobject_cast<ClickWord*>(screen))
            return int(w->indiceGiusto());
        if (auto* a = qobject_cast<ListenAnswer*>(screen))
            return int(a->indiceGiusto());
        return 0;
    };
    auto* next = control<CommandButton>(screen, "Command1");
    QVERIFY(next->isEnabled());  // the first item may be skipped
    if (form == "Form6" || form == "Form10") {
        // A silent screen's mouth says nothing when clicked, and stops nothing.
        click(screen->mouth());
        QCOMPARE(world.saidBy(screen), QStringList{title});
        QVERIFY(world.engine.isSpeaking(reinterpret_cast<SpeechOwner>(screen->mouth())));
    }
    for (int item = 0; item < 20; ++item) {
        const QStringList said = world.saidBy(screen);
        const int right = rightIndex();
        const QList<TextLabel*>& answers = screen->risposte();
        QSet<QString> captions;
        for (TextLabel* a : answers)
            captions.insert(a->caption());
        QCOMPARE(captions.size(), answers.size());
        if (item == 0)
            QCOMPARE(said.first(), title);
        if (form == "Form5" || form == "Form9")
            QCOMPARE(said.last(), answers[right]->caption());
        if (form == "Form14" || form == "Form15") {
            const QString question = control<TextLabel>(screen, "Label3")->caption();
            QCOMPARE(said.last(), question);
            QCOMPARE(control<TextLabel>(screen, "Label3")->isVisibleTo(screen), form == "Form14");
        }
        if (form == "Form10") {
            const auto found = std::find(Modulo1::Parola.begin(), Modulo1::Parola.end(), answers[right]->caption());
            QCOMPARE(pictureWord(control<PictureImage>(screen, "Image1")->picture()), int(found - Modulo1::Parola.begin()));
        }
        const int wrong = (right + 1) % answers.size();
        world.engine.clear();
        click(answers[wrong]);
        click(answers[wrong]);
        QCOMPARE(world.saidBy(screen), (QStringList{"No! repeat!", "No! repeat!"}));
        click(answers[right]);
        QCOMPARE(answers[right]->backColor(), QColor(255, 0, 0));
        if (form == "Form14" || form == "Form15")
            QCOMPARE(world.saidBy(screen).last(), answers[right]->caption());
        for (TextLabel* a : answers)
            QVERIFY(!a->isEnabled());
        if (item == 0)  // locked words are grey, open ones black
            QVERIFY2(darkest(answers[wrong]) > 90 && darkest(control<TextLabel>(screen, "LabelErt")) < 40,
                     qPrintable(QString::number(darkest(answers[wrong]))));
        QCOMPARE(counts(screen), Modulo1::Str(item + 1) + Modulo1::Str(2 * (item + 1)));
        click(next);
        QVERIFY(!next->isEnabled());
        for (TextLabel* a : answers)
            QVERIFY(a->isEnabled() && a->backColor() == QColor(Qt::white));
    }
    // The voice dialog closed over an answered item: no word of the new item is marked.
    click(screen->risposte()[rightIndex()]);
    screen->Form_Activate();
    for (TextLabel* a : screen->risposte())
        QVERIFY(!a->isEnabled() && a->backColor() == QColor(Qt::white));
    auto* words = qobject_cast<ReadWords*>(screen);
    // Rounds made after a resize stand in their columns, at any size.
    for (int i = 0; words && i < 10; ++i) {
        click(control<CommandButton>(screen, "Command1"));
        screen->setFormGeometry(QRect(0, 0, 1000 + 200 * i, 700 + 100 * i));
        screen->Form_Activate();
        click(control<CommandButton>(screen, "Command1"));
        screen->setFormGeometry(QRect(0, 0, 3840, 2160));
        QSet<int> lefts;
        for (int w = 0; w < 3; ++w) {
            lefts.insert(words->risposte()[w]->x());
            QCOMPARE(words->risposte()[w]->x(), int(std::lround(words->posizione(words->colonnaDi()[w]))));
        }
        QCOMPARE(lefts.size(), 3);
    }
}

QTEST_MAIN(TestChoice)
#include "test_choice.moc"
