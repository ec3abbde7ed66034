#pragma once
// The mouth shape a phoneme of a synthesiser is said with.

#include "services/speech/MouthShape.h"

// `phoneme` is espeak-ng's own phoneme name, stress marks allowed.
MouthShape shapeForPhoneme(const char* phoneme);
// `phone` is a name from flite's English phone set ("aa", "b", ..., "pau").
MouthShape shapeForFlitePhone(const char* phone);
