#include "services/speech/VoiceEngine.h"

#include "services/speech/EspeakEngine.h"
#include "services/speech/SinkOutput.h"

#include <QCoreApplication>

std::unique_ptr<SpeechEngine> makeVoiceEngine(const QString& dataParent)
{
    // Made at once: the interface never waits for the synthesiser's start.
    return std::make_unique<EspeakEngine>(EspeakSynth::inBackground(dataParent), systemDevice());
}

void startVoicesEarly()
{
    EspeakSynth::inBackground(voiceDataParent());
}

QString voiceDataParent()
{
    const QString beside = QCoreApplication::applicationDirPath();
    return EspeakSynth::hasVoiceData(beside) ? beside : EspeakSynth::systemDataParent();
}
