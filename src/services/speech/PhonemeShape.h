#pragma once
// The mouth shape a phoneme of the synthesiser is said with.

#include "services/speech/MouthShape.h"

// `phoneme` is the synthesiser's own phoneme name, stress marks allowed.
MouthShape shapeForPhoneme(const char* phoneme);
