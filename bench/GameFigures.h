#pragma once
// Figures of the word search: the time to build one grid and how often a
// word has to be left out.

#include "Figure.h"

QList<Figure> wordSearchFigures();
