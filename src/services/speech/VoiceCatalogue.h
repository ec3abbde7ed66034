#pragma once
// The fixed, ordered list of voices a parent can choose from.

#include "services/speech/SpeechEngine.h"

#include <QList>

enum class Synthesiser { Espeak, Flite };

struct CatalogueVoice {
    const char* language;  // espeak-ng's language name, or the flite voice's name
    const char* variant;   // espeak-ng's variant, empty for the language's own voice
    VoiceMode mode;
    Synthesiser synthesiser = Synthesiser::Espeak;
    // A flite voice's break between a stop that ends a word and one that
    // begins the next, where it helps the listener: 0 says them run together.
    int betweenStopsMs = 0;
};

const QList<CatalogueVoice>& voiceCatalogue();
