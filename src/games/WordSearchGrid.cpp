#include "games/WordSearchGrid.h"

const QString WordSearchGrid::Filler = QStringLiteral("QWERTYUIOPLKJHGFDSAZXCVBNM");

namespace {

// Which start rows or columns keep a word of some length inside the grid.
enum class Range { Low, High, Any };

constexpr Range RowRange[8] = {Range::High, Range::High, Range::Any, Range::Low,
                               Range::Low,  Range::Low,  Range::Any, Range::High};
constexpr Range ColumnRange[8] = {Range::Any,  Range::Low,  Range::Low,  Range::Low,
                                  Range::Any,  Range::High, Range::High, Range::High};

int drawStart(Range range, int length, const Fraction& rnd)
{
    switch (range) {
    case Range::Low: return drawBelow(rnd, WordSearchGrid::Side + 1 - length);
    case Range::High: return drawBelow(rnd, WordSearchGrid::Side + 1 - length) + length - 1;
    case Range::Any: break;
    }
    return drawBelow(rnd, WordSearchGrid::Side);
}

}  // namespace

WordSearchGrid WordSearchGrid::build(const WordSearchSets::Words& words, const Fraction& rnd)
{
    WordSearchGrid grid;
    // Cells each placed word still owns; a word that would lose its last one
    // could never be found, so such a placement does not fit.
    std::array<int, Words + 1> owned{};
    int dealtWith = 0;
    int number = 1;
    int conflicts = 0;
    const auto next = [&] {
        ++dealtWith;
        number = number % Words + 1;
        conflicts = 0;
    };

    while (dealtWith < Words) {
        const QString text = words[number - 1].toUpper();
        const int length = int(text.size());
        if (length == 0 || length > Side) {
            next();  // cannot be hidden at all
            continue;
        }
        const int direction = drawBelow(rnd, 8);
        const int row = drawStart(RowRange[direction], length, rnd);
        const int column = drawStart(ColumnRange[direction], length, rnd);
        const int start = Side * row + column;
        const int step = Directions[direction];

        bool fits = true;
        std::array<int, Words + 1> taken{};
        for (int k = 0, p = start; k < length; ++k, p += step) {
            const int owner = grid.word[p];
            if (owner == 0)
                continue;
            if (grid.letters[p] != text[k]) {
                fits = false;
                ++conflicts;
            } else {
                ++taken[owner];
            }
        }
        for (int w = 1; w <= Words; ++w)
            if (taken[w] > 0 && taken[w] == owned[w]) {
                fits = false;
                ++conflicts;
            }

        if (fits) {
            for (int k = 0, p = start; k < length; ++k, p += step) {
                if (grid.word[p] != 0)
                    --owned[grid.word[p]];
                grid.letters[p] = text[k];
                grid.word[p] = number;
            }
            owned[number] = length;
            grid.placements[number] = {true, start, direction};
            ++grid.placed;
            next();
        } else if (conflicts > ConflictLimit) {
            next();
        }
    }

    for (int p = 0; p < Cells; ++p)
        if (grid.word[p] == 0)
            grid.letters[p] = Filler[drawBelow(rnd, int(Filler.size()))];
    return grid;
}
