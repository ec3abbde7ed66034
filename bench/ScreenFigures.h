#pragma once
// Every menu button to the last paint of its screen fully drawn, five times
// each, the CPU each screen uses while it waits for the child, and the peak
// memory over all those visits.

#include "Figure.h"

QList<Figure> screenFigures();
