// The pure builders of the games: the word-search grid and the memory deal.

#include "games/MemoryDeal.h"
#include "games/WordSearchGrid.h"
#include "games/WordSearchSets.h"
#include "shell/Modulo1.h"

#include <QTest>
#include <algorithm>
#include <deque>
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

// The given fractions first, then a seeded stream.
Fraction scripted(std::deque<float> script)
{
    auto queue = std::make_shared<std::deque<float>>(std::move(script));
    auto rest = seeded(7);
    return [queue, rest] {
        if (queue->empty())
            return rest();
        const float value = queue->front();
        queue->pop_front();
        return value;
    };
}

WordSearchSets::Words tenTimes(const QString& word)
{
    WordSearchSets::Words words;
    words.fill(word);
    return words;
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

}  // namespace

class TestGameBuilders : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Modulo1::CaricaParole(); }
    void wordSetsAreTheTablesRuns();
    void everyPlacedWordReadsAlongItsDirectionAndCanBeFound();
    void aPlacementThatTakesAWordsLastCellDoesNotFit();
    void wordsThatCannotBeHiddenAreLeftOut();
    void dealDrawsFromEveryCover();
};

void TestGameBuilders::wordSetsAreTheTablesRuns()
{
    QCOMPARE(WordSearchSets::set(1).front(), QString("head"));
    QCOMPARE(WordSearchSets::set(1).back(), QString("hands"));
    QCOMPARE(WordSearchSets::set(2).front(), QString("nose"));
    QCOMPARE(WordSearchSets::set(2).back(), QString("foot"));
    QCOMPARE(WordSearchSets::set(3).front(), QString("shoulders"));
    QCOMPARE(WordSearchSets::set(3).back(), QString("tooth"));
}

void TestGameBuilders::everyPlacedWordReadsAlongItsDirectionAndCanBeFound()
{
    for (int set = 1; set <= WordSearchSets::Count; ++set) {
        const WordSearchSets::Words words = WordSearchSets::set(set);
        for (std::uint32_t seed = 0; seed < 3000; ++seed) {
            const WordSearchGrid grid = WordSearchGrid::build(words, seeded(seed * 3 + set));
            // The owner each cell must have: the last placed word over it.
            std::array<int, WordSearchGrid::Cells> owner{};
            int placed = 0;
            for (int number = 1; number <= WordSearchGrid::Words; ++number) {
                const WordSearchGrid::Placement& placement = grid.placements[number];
                if (!placement.placed)
                    continue;
                ++placed;
                const QString text = words[number - 1].toUpper();
                const QList<int> cells = path(placement, int(text.size()));
                QVERIFY2(!cells.isEmpty(), qPrintable(QString("%1 leaves the grid, seed %2").arg(text).arg(seed)));
                for (int k = 0; k < cells.size(); ++k) {
                    QCOMPARE(grid.letters[cells[k]], text[k]);
                    owner[cells[k]] = number;
                }
            }
            QCOMPARE(grid.placed, placed);
            QVERIFY(grid.placements[1].placed);
            for (int p = 0; p < WordSearchGrid::Cells; ++p) {
                QCOMPARE(grid.word[p], owner[p]);
                if (owner[p] == 0)
                    QVERIFY(WordSearchGrid::Filler.contains(grid.letters[p]));
            }
            // A word with a picture but no cell of its own could never be found.
            for (int number = 1; number <= WordSearchGrid::Words; ++number)
                if (grid.placements[number].placed)
                    QVERIFY2(std::find(grid.word.begin(), grid.word.end(), number) != grid.word.end(),
                             qPrintable(QString("word %1 unfindable, set %2 seed %3").arg(number).arg(set).arg(seed)));
        }
    }
}

void TestGameBuilders::aPlacementThatTakesAWordsLastCellDoesNotFit()
{
    WordSearchSets::Words words = tenTimes("z");
    words[0] = "ab";
    words[1] = "abc";
    // Both first tries: to the right from the top-left cell; "abc" would cover
    // all of "ab", so it goes to its second try, row 5.
    const WordSearchGrid grid = WordSearchGrid::build(words, scripted({0.3f, 0.0f, 0.0f, 0.3f, 0.0f, 0.0f,
                                                                       0.3f, 0.55f, 0.0f}));
    QCOMPARE(grid.placements[1].start, 0);
    QCOMPARE(grid.word[0], 1);
    QCOMPARE(grid.word[1], 1);
    QVERIFY(grid.placements[2].placed);
    QCOMPARE(grid.placements[2].start, 50);

    // Sharing some of an earlier word's cells is still a crossing.
    words[1] = "b";
    const WordSearchGrid crossed = WordSearchGrid::build(words, scripted({0.3f, 0.0f, 0.0f, 0.3f, 0.0f, 0.15f}));
    QCOMPARE(crossed.placements[2].start, 1);
    QCOMPARE(crossed.word[0], 1);
    QCOMPARE(crossed.word[1], 2);

    // Always the same start: "ab" up from cell 10, "b" crosses it on cell 0, and a
    // second "ab" would take the last cell of both, so it is given up.
    const WordSearchGrid starved = WordSearchGrid::build({"ab", "b", "ab", "x", "x", "x", "x", "x", "x", "x"},
                                                         [] { return 0.0f; });
    QVERIFY(starved.placements[1].placed && starved.placements[2].placed);
    QVERIFY(!starved.placements[3].placed);
    QCOMPARE(starved.word[10], 1);
    QCOMPARE(starved.word[0], 2);
}

void TestGameBuilders::wordsThatCannotBeHiddenAreLeftOut()
{
    // Always the first direction and start: every word runs up column 0 to the corner.
    const Fraction zero = [] { return 0.0f; };
    const WordSearchGrid mismatching = WordSearchGrid::build(WordSearchSets::set(1), zero);
    QCOMPARE(mismatching.placed, 1);
    for (int number = 2; number <= WordSearchGrid::Words; ++number)
        QVERIFY(!mismatching.placements[number].placed);

    // One mismatch a try: each later word is given up after its 1001st try.
    int draws = 0;
    const WordSearchGrid letters = WordSearchGrid::build({"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"}, [&draws] {
        ++draws;
        return 0.0f;
    });
    QCOMPARE(letters.placed, 1);
    // Three draws a try, then one filler letter for each of the other 99 cells.
    QCOMPARE(draws, 3 + 9 * 1001 * 3 + 99);

    // Equal words never mismatch a letter; taking the first word's cells alone
    // must still count towards giving up.
    const WordSearchGrid covering = WordSearchGrid::build(tenTimes("arm"), zero);
    QCOMPARE(covering.placed, 1);
    for (int p = 0; p < WordSearchGrid::Cells; ++p)
        if (covering.word[p] == 0)
            QCOMPARE(covering.letters[p], QChar('Q'));

    // Empty and too long words are left out.
    const WordSearchGrid grid = WordSearchGrid::build(
        {"head", "", "abcdefghijk", "nose", "arm", "legs", "knee", "foot", "feet", "toes"}, seeded(3));
    QVERIFY(grid.placements[1].placed);
    QVERIFY(!grid.placements[2].placed);
    QVERIFY(!grid.placements[3].placed);
    QVERIFY(std::find(grid.word.begin(), grid.word.end(), 3) == grid.word.end());
}

void TestGameBuilders::dealDrawsFromEveryCover()
{
    // The last cover can be drawn; a taken one passes its place to the next free one.
    const auto coverAt = MemoryDeal::deal([] { return 0.99f; });
    QCOMPARE(coverAt[0], 23);
    QCOMPARE(coverAt[1], 0);
    QCOMPARE(coverAt[23], 22);
}

QTEST_GUILESS_MAIN(TestGameBuilders)
#include "test_game_builders.moc"
