// The word search: its grid builder, and the screen where words are found
// letter by letter, wrong letters and a solved grid built anew with the counts running on.

#include "games/FormCruciPuzzle.h"
#include "games/WordSearchGrid.h"
#include "games/WordSearchSets.h"
#include "services/controls/PictureImage.h"
#include "services/controls/TextLabel.h"
#include "shell/Modulo1.h"
#include "support/TestWorld.h"

#include <QAction>
#include <algorithm>
#include <random>

namespace {

// Row and column steps of the eight directions, clockwise from upwards.
constexpr int RowStep[8] = {-1, -1, 0, 1, 1, 1, 0, -1};
constexpr int ColumnStep[8] = {0, 1, 1, 1, 0, -1, -1, -1};

Fraction seeded(std::uint32_t seed)
{
    auto generator = std::make_shared<std::mt19937>(seed);
    return [generator] { return float((*generator)() >> 8) / 16777216.0f; };
}

// The given fractions, then always 0.
Fraction scripted(QList<float> script)
{
    return [script]() mutable { return script.isEmpty() ? 0.0f : script.takeFirst(); };
}

// The cells a placed word runs over, or an empty list when it leaves the grid.
QList<int> path(const WordSearchGrid::Placement& placement, int length)
{
    QList<int> cells;
    int row = placement.start / WordSearchGrid::Side;
    int column = placement.start % WordSearchGrid::Side;
    for (int k = 0; k < length; ++k) {
        if (row < 0 || row >= WordSearchGrid::Side || column < 0 || column >= WordSearchGrid::Side)
            return {};
        cells.append(WordSearchGrid::Side * row + column);
        row += RowStep[placement.direction];
        column += ColumnStep[placement.direction];
    }
    return cells;
}

struct Screen {
    FormCruciPuzzle* form;

    TextLabel* cell(int i) const { return control<TextLabel>(form, QString("Label1(%1)").arg(i)); }
    PictureImage* slot(int k) const { return control<PictureImage>(form, QString("Image1(%1)").arg(k)); }

    // The cells of a word, or with 0 the filler letters.
    QList<int> cellsOf(int word) const
    {
        QList<int> cells;
        for (int i = 0; i < 100; ++i)
            if (form->parolaDi(i) == word)
                cells.append(i);
        return cells;
    }
    // The words hidden and not found yet: their pictures show.
    QList<int> hiddenWords() const
    {
        QList<int> words;
        for (int w = 1; w <= 10; ++w)
            if (!cellsOf(w).isEmpty() && !slot(w - 1)->picture().isNull())
                words.append(w);
        return words;
    }
    // Every cell white with a capital letter; a slot shows exactly while its word is hidden.
    void checkFreshGrid() const
    {
        for (int i = 0; i < 100; ++i) {
            QCOMPARE(cell(i)->backColor(), QColor(Qt::white));
            QCOMPARE(cell(i)->caption().size(), 1);
            QVERIFY(cell(i)->caption()[0].isUpper());
        }
        for (int k = 0; k < 10; ++k)
            QCOMPARE(!slot(k)->picture().isNull(), !cellsOf(k + 1).isEmpty());
    }
};

}  // namespace

class TestCruciPuzzle : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Modulo1::CaricaParole(); }
    void everyPlacedWordReadsAlongItsDirection();
    void placementsThatHideAWordAreGivenUp();
    void findingWordsMissingThemAndSolvingGrids();
};

void TestCruciPuzzle::everyPlacedWordReadsAlongItsDirection()
{
    // A set is a run of ten words of the table.
    QCOMPARE(WordSearchSets::set(3).front() + " " + WordSearchSets::set(3).back(), QString("shoulders tooth"));
    for (int set = 1; set <= WordSearchSets::Count; ++set) {
        const WordSearchSets::Words words = WordSearchSets::set(set);
        for (std::uint32_t seed = 0; seed < 3000; ++seed) {
            const WordSearchGrid grid = WordSearchGrid::build(words, seeded(seed * 3 + set));
            // The owner each cell must have: the last placed word over it.
            std::array<int, WordSearchGrid::Cells> owner{};
            for (int number = 1; number <= WordSearchGrid::Words; ++number) {
                const WordSearchGrid::Placement& placement = grid.placements[number];
                if (!placement.placed)
                    continue;
                const QString text = words[number - 1].toUpper();
                const QList<int> cells = path(placement, int(text.size()));
                QVERIFY2(!cells.isEmpty(), qPrintable(QString("%1 leaves the grid, seed %2").arg(text).arg(seed)));
                for (int k = 0; k < cells.size(); ++k) {
                    QCOMPARE(grid.letters[cells[k]], text[k]);
                    owner[cells[k]] = number;
                }
            }
            QVERIFY(grid.placements[1].placed);
            for (int p = 0; p < WordSearchGrid::Cells; ++p)
                QCOMPARE(grid.word[p], owner[p]);
        }
    }
}

void TestCruciPuzzle::placementsThatHideAWordAreGivenUp()
{
    WordSearchSets::Words words;
    words.fill("z");
    words[0] = "ab";
    words[1] = "abc";
    // Both first tries: to the right from the top-left cell; "abc" would cover
    // all of "ab", so it goes to its second try, row 5.
    const WordSearchGrid grid = WordSearchGrid::build(words, scripted({0.3f, 0.0f, 0.0f, 0.3f, 0.0f, 0.0f,
                                                                       0.3f, 0.55f, 0.0f}));
    QCOMPARE(grid.placements[1].start, 0);
    QVERIFY(grid.placements[2].placed);
    QCOMPARE(grid.placements[2].start, 50);

    // Always the same start: "ab" up from cell 10, "b" crosses it on cell 0, and a
    // second "ab" would take the last cell of both, so it is given up.
    const WordSearchGrid starved = WordSearchGrid::build({"ab", "b", "ab", "x", "x", "x", "x", "x", "x", "x"},
                                                         [] { return 0.0f; });
    QVERIFY(starved.placements[1].placed && starved.placements[2].placed);
    QVERIFY(!starved.placements[3].placed);
    QCOMPARE(starved.word[10], 1);
    QCOMPARE(starved.word[0], 2);

    // Empty and too long words are left out.
    const WordSearchGrid cut = WordSearchGrid::build(
        {"head", "", "abcdefghijk", "nose", "arm", "legs", "knee", "foot", "feet", "toes"}, seeded(3));
    QVERIFY(cut.placements[1].placed);
    QVERIFY(!cut.placements[2].placed);
    QVERIFY(!cut.placements[3].placed);
}

void TestCruciPuzzle::findingWordsMissingThemAndSolvingGrids()
{
    TestWorld world;
    Screen screen{static_cast<FormCruciPuzzle*>(world.open("FormCruciPuzzle"))};
    QCOMPARE(world.saidBy(screen.form), QStringList{"Play  with  me."});
    QVERIFY(!screen.form->findChild<QAction*>("mnuImposta"));
    QCOMPARE(control<QAction>(screen.form, "mnuEsci")->text(), QString("Go back"));
    QVERIFY(!screen.form->findChild<QWidget*>("Command1"));
    QCOMPARE(counts(screen.form), QString(" 0 0"));
    screen.checkFreshGrid();
    // The first word always fits into the empty grid.
    QVERIFY(screen.hiddenWords().contains(1));

    // A word found letter by letter, from its end.
    const int word = screen.hiddenWords().last();
    QVERIFY(word != 1);
    QList<int> cells = screen.cellsOf(word);
    std::reverse(cells.begin(), cells.end());
    world.engine.clear();
    for (int n = 0; n < cells.size() - 1; ++n) {
        click(screen.cell(cells[n]));
        QCOMPARE(screen.cell(cells[n])->backColor(), FormCruciPuzzle::Giallo);
        // A yellow letter again is no mistake and no progress.
        click(screen.cell(cells[n]));
    }
    QCOMPARE(counts(screen.form), QString(" 0 0"));
    QVERIFY(!screen.slot(word - 1)->picture().isNull());
    click(screen.cell(cells.last()));
    QCOMPARE(counts(screen.form), QString(" 1 0"));
    QVERIFY(screen.slot(word - 1)->picture().isNull());
    QVERIFY(world.saidBy(screen.form).isEmpty());

    // A filler letter in the middle of a word is a mistake; the word can still be finished.
    const QList<int> first = screen.cellsOf(1);
    click(screen.cell(first.first()));
    const int filler = screen.cellsOf(0).first();  // a cell of no word
    click(screen.cell(filler));
    QCOMPARE(counts(screen.form), QString(" 1 1"));
    QCOMPARE(screen.cell(filler)->backColor(), QColor(Qt::white));
    QCOMPARE(world.saidBy(screen.form), QStringList{"No! repeat!"});
    QCOMPARE(screen.cell(first.first())->backColor(), FormCruciPuzzle::Giallo);
    for (int i : first)
        click(screen.cell(i));
    QCOMPARE(counts(screen.form), QString(" 2 1"));

    // A solved grid is built anew; the counts run on.
    int found = 2;
    for (int round = 0; round < 3; ++round) {
        found += int(screen.hiddenWords().size());
        for (int w : screen.hiddenWords())
            for (int i : screen.cellsOf(w))
                click(screen.cell(i));
        QCOMPARE(counts(screen.form), Modulo1::Str(found) + " 1");
        screen.checkFreshGrid();
        QVERIFY(!screen.hiddenWords().isEmpty());
    }
}

QTEST_MAIN(TestCruciPuzzle)
#include "test_crucipuzzle.moc"
