#pragma once
// A word-search puzzle: ten words hidden in a 10 x 10 grid in eight
// directions, the other cells filled with random letters. Building one
// depends only on the words and the random fractions it is given.

#include "games/Fraction.h"
#include "games/WordSearchSets.h"

#include <QChar>
#include <array>

struct WordSearchGrid {
    static constexpr int Side = 10;
    static constexpr int Cells = Side * Side;
    static constexpr int Words = 10;
    // Mismatches allowed for one word before it is left out.
    static constexpr int ConflictLimit = 1000;
    // Cell-index steps, clockwise from upwards.
    static constexpr std::array<int, 8> Directions = {-10, -9, 1, 11, 10, 9, -1, -11};
    static const QString Filler;

    struct Placement {
        bool placed = false;
        int start = 0;
        int direction = 0;
    };

    std::array<QChar, Cells> letters{};  // upper case
    std::array<int, Cells> word{};       // number 1..10 of the word a cell belongs to; 0 for filler
    std::array<Placement, Words + 1> placements{};  // by word number; 0 unused
    int placed = 0;

    static WordSearchGrid build(const WordSearchSets::Words& words, const Fraction& rnd);
};
