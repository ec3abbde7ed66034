// Listen and order, with pictures and with word buttons: the spoken sequence,
// the judging of each click, the counts, the shuffle and its layout at any size.

#include "exercises/ordering/OrderingExercise.h"
#include "exercises/ordering/OrderingRules.h"
#include "services/controls/CommandButton.h"
#include "services/controls/PictureImage.h"
#include "services/controls/TextLabel.h"
#include "services/speech/SpeechControl.h"
#include "shell/Modulo1.h"
#include "support/TestWorld.h"

#include <QDir>
#include <algorithm>
#include <set>

namespace {

struct Screen {
    TestWorld& world;
    OrderingExercise* form;
    bool pictures;
    bool column;

    int n() const { return form->itemCount(); }
    QWidget* item(int k) const
    {
        return control<QWidget>(form, QString(pictures ? "Image1(%1)" : "Command2(%1)").arg(k));
    }
    QString word(int k) const { return Modulo1::Parola[std::size_t(form->parole()[std::size_t(k)])]; }
    // The word an answer box shows, empty while it waits.
    QString answer(int k) const
    {
        if (!pictures)
            return control<TextLabel>(form, QString("Label3(%1)").arg(k))->caption();
        auto* box = control<PictureImage>(form, QString("Image2(%1)").arg(k));
        return box->isEmpty() ? QString() : Modulo1::Parola[std::size_t(pictureWord(box->picture()))];
    }
    QString correct() const { return control<TextLabel>(form, "EtichettaEsatti")->caption(); }
    QString mistakes() const { return control<TextLabel>(form, "EtichettaErrati")->caption(); }
    CommandButton* next() const { return control<CommandButton>(form, "Command1"); }
    bool rightIconShown() const { return control<QWidget>(form, "ComandoIconaSi")->isVisibleTo(form); }
    // The place each item stands at, read from the screen: its rank along the row or column.
    std::vector<int> shownPlaces() const
    {
        std::vector<int> places(std::size_t(n()), 0);
        const auto along = [this](int k) { return column ? item(k)->y() : item(k)->x(); };
        for (int k = 0; k < n(); ++k)
            for (int other = 0; other < n(); ++other)
                places[std::size_t(k)] += along(other) < along(k);
        return places;
    }
    void clickAll(int from = 0) const
    {
        for (int k = from; k < n(); ++k)
            click(item(k));
    }
};

Screen open(TestWorld& world, const QString& name)
{
    auto* form = static_cast<OrderingExercise*>(world.open(name));
    return {world, form, name.startsWith("Form4"), name == "Form12" || name == "Form13"};
}

void addForms()
{
    QTest::addColumn<QString>("form");
    for (const char* name : {"Form4a", "Form4b", "Form4c", "Form11", "Form12", "Form13"})
        QTest::newRow(name) << QString(name);
}

}  // namespace

class TestOrdering : public QObject {
    Q_OBJECT
private slots:
    void roundsSaidJudgedAndCounted_data() { addForms(); }
    void roundsSaidJudgedAndCounted();
    void shuffleIsAPermutationWithItsBias_data() { addForms(); }
    void shuffleIsAPermutationWithItsBias();
    void firstFitRules();
};

void TestOrdering::roundsSaidJudgedAndCounted()
{
    QFETCH(QString, form);
    TestWorld world;
    const Screen screen = open(world, form);
    const QString title = datiEsercizio(form).titolo;
    QCOMPARE(world.saidBy(screen.form), QStringList{title});
    // The first round says nothing by itself; the words differ.
    std::set<qint16> words(screen.form->parole().begin(), screen.form->parole().end());
    QCOMPARE(int(words.size()), screen.n());
    QVERIFY(*words.begin() >= 1 && *words.rbegin() <= 18);

    QStringList expected;
    for (int k = 0; k < screen.n(); ++k)
        expected.append(screen.word(k) + ".");
    click(screen.item(0));
    world.engine.clear();
    click(screen.form->mouth());
    QCOMPARE(world.saidBy(screen.form), expected);
    // The title still playing was dropped; the sequence starts from its first word.
    QCOMPARE(world.engine.pending(reinterpret_cast<SpeechOwner>(screen.form->mouth())), expected);
    if (!screen.pictures)
        for (int k = 0; k < screen.n(); ++k)
            QCOMPARE(static_cast<CommandButton*>(screen.item(k))->text(), screen.word(k));

    // Wrong clicks count but keep the round.
    click(screen.item(screen.n() - 1));  // out of turn
    QCOMPARE(screen.mistakes(), QString(" 1"));
    QCOMPARE(screen.answer(0), screen.word(0));
    QCOMPARE(screen.answer(1), QString());
    click(screen.item(0));  // already in place
    QCOMPARE(screen.mistakes(), QString(" 2"));
    click(screen.item(1));
    QVERIFY(screen.rightIconShown());
    QCOMPARE(screen.correct(), QString("0"));
    screen.clickAll(2);
    QCOMPARE(screen.correct() + screen.mistakes(), QString(" 1 2"));

    // The voice dialog closed over the complete round: a new one, its items where it put them.
    screen.form->Form_Activate();
    QCOMPARE(screen.correct() + screen.mistakes(), QString("00"));
    QCOMPARE(screen.shownPlaces(), screen.form->posti());
    click(screen.next());

    // A perfect round: only its last item counts it, once.
    for (int k = 0; k < screen.n(); ++k) {
        QCOMPARE(screen.answer(k), QString());
        click(screen.item(k));
        QCOMPARE(screen.answer(k), screen.word(k));
        QCOMPARE(screen.correct(), k + 1 < screen.n() ? QString("0") : QString(" 1"));
        QCOMPARE(screen.next()->isEnabled(), k + 1 == screen.n());
        QVERIFY(screen.item(k)->isVisible() && screen.item(k)->isEnabled());
    }

    // A complete round takes no more answers.
    screen.clickAll();
    QCOMPARE(Modulo1::Errati, qint16(screen.n()));
    QCOMPARE(screen.correct(), QString(" 1"));
    QVERIFY(screen.next()->isEnabled());
    click(screen.form->mouth());
    const auto owner = reinterpret_cast<SpeechOwner>(screen.form->mouth());
    QVERIFY(!world.engine.pending(owner).isEmpty());
    click(screen.next());
    // The speech stops before the new round; the new round is empty and unscored.
    QVERIFY(world.engine.pending(owner).isEmpty());
    QVERIFY(!screen.next()->isEnabled());
    QCOMPARE(screen.correct(), QString(" 1"));
    screen.clickAll();
    QCOMPARE(screen.correct(), QString(" 2"));
}

void TestOrdering::shuffleIsAPermutationWithItsBias()
{
    QFETCH(QString, form);
    TestWorld world;
    // The shuffle moves the places, not what they show: without pictures to decode a round is quick.
    QVERIFY(QDir(world.programFolder() + "/jpg").removeRecursively());
    const Screen screen = open(world, form);
    const int n = screen.n();
    const int rounds = 2000;
    int successor = 0;
    std::vector<int> firstPlace(static_cast<std::size_t>(n), 0);
    for (int round = 0; round < rounds; ++round) {
        if (round == rounds - 1)  // the last round after a resize, to twips past 32767
            screen.form->setFormGeometry(QRect(0, 0, 6400, 4000));
        screen.next()->setEnabled(true);  // a new round without playing one
        click(screen.next());
        const std::vector<int> places = screen.form->posti();
        std::vector<int> sorted = places;
        std::sort(sorted.begin(), sorted.end());
        for (int i = 0; i < n; ++i)
            QCOMPARE(sorted[std::size_t(i)], i);
        if (round % 100 == 0 || round == rounds - 1)
            QCOMPARE(screen.shownPlaces(), places);
        // Place 0 takes its draw; place 1 takes the item after it for two draws of n.
        const auto at = [&](int place) { return int(std::find(places.begin(), places.end(), place) - places.begin()); };
        ++firstPlace[std::size_t(at(0))];
        if (at(1) == (at(0) + 1) % n)
            ++successor;
    }
    for (int count : firstPlace)
        QVERIFY2(std::abs(count - rounds / n) < rounds / n / 4, "place 0 is drawn evenly");
    const double share = double(successor) / rounds;
    QVERIFY2(std::abs(share - 2.0 / n) < 0.04, qPrintable(QString("successor share %1").arg(share)));
}

void TestOrdering::firstFitRules()
{
    // A taken place passes the item on to the next free one, wrapping; draws out of range fold back.
    using Ordinamento::primoLibero;
    QCOMPARE(primoLibero({0, 0, 0}), (std::vector<int>{0, 1, 2}));
    QCOMPARE(primoLibero({2, 2, 2}), (std::vector<int>{2, 0, 1}));
    QCOMPARE(primoLibero({1, 1, 0}), (std::vector<int>{1, 2, 0}));
    QCOMPARE(primoLibero({3, 7, -1}), (std::vector<int>{0, 1, 2}));
}

QTEST_MAIN(TestOrdering)
#include "test_ordering.moc"
