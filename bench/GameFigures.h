#pragma once
// Figures of the games: the time to build one word search grid, how often a
// word has to be left out, and the memory game's turn.

#include "Figure.h"

QList<Figure> wordSearchFigures();
// How long after the second card of a miss its covers come back.
QList<Figure> memoryFigures();
