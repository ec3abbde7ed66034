#pragma once
// Every menu button to its screen drawn, the CPU each screen uses while it
// waits for the child, and the peak memory over all screens.

#include "Figure.h"

QList<Figure> screenFigures();
