#pragma once
// How clearly every voice mode speaks, as an offline recogniser hears it: the
// body words against a grammar of only those words, and the questions and
// answers against its general English model. The recogniser is the bench's
// own (scripts/bench installs it); the program never uses it.

#include "Figure.h"

// Each text is heard under several faint noises: a figure is their median,
// with the smallest and largest. Every mode of the catalogue unless told.
QList<Figure> clarityFigures(QList<int> modes = {});
