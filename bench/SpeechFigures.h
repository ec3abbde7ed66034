#pragma once
// Figures of the espeak-ng voice: latency to the first sample, synthesis
// speed, the command line as a peer, and the size of the voice catalogue.

#include "Figure.h"

QList<Figure> speechFigures();
