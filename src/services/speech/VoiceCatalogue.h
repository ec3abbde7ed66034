#pragma once
// The fixed, ordered list of voices a parent can choose from.

#include "services/speech/SpeechEngine.h"

#include <QList>

struct CatalogueVoice {
    const char* language;  // the synthesiser's language name
    const char* variant;   // the synthesiser's variant, empty for the language's own voice
    VoiceMode mode;
};

const QList<CatalogueVoice>& voiceCatalogue();
