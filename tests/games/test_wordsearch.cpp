// The word-search builder and the memory deal, over many seeds and scripted fractions.

#include "games/MemoryDeal.h"
#include "games/WordSearchGrid.h"
#include "shell/Modulo1.h"
#include "shell/Random.h"

#include <QTest>
#include <set>

namespace {

WordSearchSets::Words words(std::initializer_list<const char*> list)
{
    WordSearchSets::Words result;
    int k = 0;
    for (const char* w : list)
        result[k++] = QString::fromLatin1(w);
    return result;
}

}  // namespace

class TestWordSearch : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Modulo1::CaricaParole(); }
    void everyBuildIsSound();
    void giveUpAfterTheConflictLimit();
    void noPlacementTakesAWordsLastCell();
    void emptyOrTooLongWordsAreLeftOut();
    void dealIsFirstFitOverTwentyFourPlaces();
};

void TestWordSearch::everyBuildIsSound()
{
    for (int set = 1; set <= WordSearchSets::Count; ++set) {
        const WordSearchSets::Words list = WordSearchSets::set(set);
        for (std::uint32_t seed = 1; seed <= 3000; ++seed) {
            Random::Seed(seed);
            const WordSearchGrid grid = WordSearchGrid::build(list, Random::Rnd);
            QVERIFY(grid.placements[1].placed);
            std::array<bool, 100> onWord{};
            int placed = 0;
            for (int n = 1; n <= 10; ++n) {
                const auto& at = grid.placements[n];
                if (!at.placed)
                    continue;
                ++placed;
                const QString text = list[n - 1].toUpper();
                int own = 0;
                int p = at.start;
                const int dr = (WordSearchGrid::Directions[at.direction] + 11) / 10 - 1;
                const int dc = WordSearchGrid::Directions[at.direction] - 10 * dr;
                for (int k = 0; k < text.size(); ++k) {
                    const int row = at.start / 10 + k * dr;
                    const int column = at.start % 10 + k * dc;
                    QVERIFY(row >= 0 && row < 10 && column >= 0 && column < 10);
                    p = 10 * row + column;
                    QCOMPARE(grid.letters[p], text[k]);
                    // A crossing carries the word written later.
                    QVERIFY(grid.word[p] >= n);
                    own += grid.word[p] == n;
                    onWord[p] = true;
                }
                QVERIFY2(own > 0, "a word that keeps its picture must be findable");
            }
            QCOMPARE(grid.placed, placed);
            for (int c = 0; c < 100; ++c) {
                QCOMPARE(grid.word[c] != 0, onWord[c]);
                QVERIFY(WordSearchGrid::Filler.contains(grid.letters[c]));
            }
        }
    }
}

void TestWordSearch::giveUpAfterTheConflictLimit()
{
    // Always 0: every word lands on cell 0, so all after the first conflict once per try.
    int calls = 0;
    const WordSearchGrid grid = WordSearchGrid::build(words({"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"}),
                                                      [&calls] { ++calls; return 0.0f; });
    QCOMPARE(grid.placed, 1);
    QCOMPARE(grid.word[0], 1);
    // Three draws a try; 1001 tries each for words 2..10; 99 filler letters.
    QCOMPARE(calls, 3 + 9 * 1001 * 3 + 99);
}

void TestWordSearch::noPlacementTakesAWordsLastCell()
{
    // "ab" upwards from cell 10; "b" may cross it on cell 0; a second "ab" would take both words' last cells.
    const WordSearchGrid grid = WordSearchGrid::build(words({"ab", "b", "ab", "x", "x", "x", "x", "x", "x", "x"}),
                                                      [] { return 0.0f; });
    QVERIFY(grid.placements[1].placed && grid.placements[2].placed && !grid.placements[3].placed);
    QCOMPARE(grid.word[10], 1);
    QCOMPARE(grid.word[0], 2);
}

void TestWordSearch::emptyOrTooLongWordsAreLeftOut()
{
    Random::Seed(3);
    const WordSearchGrid grid =
        WordSearchGrid::build(words({"head", "", "abcdefghijk", "nose", "arm", "legs", "knee", "foot", "feet", "toes"}),
                              Random::Rnd);
    QVERIFY(!grid.placements[2].placed && !grid.placements[3].placed);
    QVERIFY(grid.placements[1].placed);
}

void TestWordSearch::dealIsFirstFitOverTwentyFourPlaces()
{
    for (std::uint32_t seed = 1; seed <= 500; ++seed) {
        Random::Seed(seed);
        const auto deal = MemoryDeal::deal(Random::Rnd);
        QCOMPARE(std::set<int>(deal.begin(), deal.end()).size(), size_t(24));
    }
    // Near 1 every draw is 23: the first place takes it, the next wrap round to 0, 1, ...
    const auto deal = MemoryDeal::deal([] { return 0.999f; });
    QCOMPARE(deal[0], 23);
    for (int i = 1; i < 24; ++i)
        QCOMPARE(deal[i], i - 1);
}

QTEST_MAIN(TestWordSearch)
#include "test_wordsearch.moc"
