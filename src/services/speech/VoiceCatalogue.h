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
};

const QList<CatalogueVoice>& voiceCatalogue();
