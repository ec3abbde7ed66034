#include "services/speech/VoiceEngine.h"

#include "services/speech/EspeakEngine.h"
#include "services/speech/SinkOutput.h"

#include <QCoreApplication>

std::unique_ptr<SpeechEngine> makeVoiceEngine(const QString& dataParent)
{
    if (EspeakSynth* synth = EspeakSynth::shared(dataParent))
        return std::make_unique<EspeakEngine>(*synth, systemDevice());
    return std::make_unique<EspeakEngine>();
}

void startVoicesEarly()
{
    EspeakSynth::startEarly(voiceDataParent());
}

QString voiceDataParent()
{
    const QString beside = QCoreApplication::applicationDirPath();
    return EspeakSynth::hasVoiceData(beside) ? beside : EspeakSynth::systemDataParent();
}
