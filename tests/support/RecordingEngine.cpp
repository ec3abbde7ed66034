#include "support/RecordingEngine.h"

void RecordingEngine::speak(SpeechOwner owner, const QString& text, int mode, int speed)
{
    said.append({owner, text, mode, speed});
    const bool wasSilent = !isSpeaking(owner);
    queues_[owner].append(text);
    if (wasSilent)
        emit speakingChanged(owner, true);
}

void RecordingEngine::stop(SpeechOwner owner)
{
    if (queues_.remove(owner))
        emit speakingChanged(owner, false);
}

void RecordingEngine::finishCurrent(SpeechOwner owner)
{
    auto it = queues_.find(owner);
    if (it == queues_.end())
        return;
    it->removeFirst();
    if (it->isEmpty())
        stop(owner);
}

void RecordingEngine::finishAll()
{
    const QList<SpeechOwner> owners = queues_.keys();
    queues_.clear();
    for (SpeechOwner owner : owners)
        emit speakingChanged(owner, false);
}

RecordingEngine& installRecordingEngine()
{
    auto engine = std::make_unique<RecordingEngine>();
    RecordingEngine& installed = *engine;
    SpeechEngine::install(std::move(engine));
    return installed;
}
