#pragma once
// Figures of speech on a real sound server (the private PulseAudio server with
// a null sink that scripts/bench starts): a click on a mouth to the first
// sound recorded from the sink's monitor, the mouth against the recorded
// sound, and the longest stall of the interface thread while the server hangs.

#include "Figure.h"

QList<Figure> pulseFigures();
