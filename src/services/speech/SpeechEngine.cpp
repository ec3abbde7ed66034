#include "services/speech/SpeechEngine.h"

#include "services/speech/VoiceEngine.h"

namespace {

std::unique_ptr<SpeechEngine>& slot()
{
    static std::unique_ptr<SpeechEngine> engine;
    return engine;
}

}  // namespace

SpeechEngine& SpeechEngine::instance()
{
    if (!slot())
        slot() = makeVoiceEngine(voiceDataParent());
    return *slot();
}

void SpeechEngine::startEarly()
{
    startVoicesEarly();
}

void SpeechEngine::install(std::unique_ptr<SpeechEngine> engine)
{
    slot() = std::move(engine);
}
