#pragma once
// A text as it would be said when no voice can say it: silence as long as the
// text takes at a speed, with the mouth shapes of its letters, so queueing,
// stopping and the mouth behave as with a voice.

#include "services/speech/Utterance.h"

#include <QString>

Utterance estimatedSpeech(const QString& text, int speed, int sampleRate);
