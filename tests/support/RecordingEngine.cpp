#include "support/RecordingEngine.h"

RecordingEngine::RecordingEngine(QList<VoiceMode> modes)
    : modes_(std::move(modes))
{
}

bool RecordingEngine::canUseMode(int mode) const
{
    return mode >= 1 && mode <= modes_.size() && !refusedModes.contains(mode);
}

void RecordingEngine::speak(SpeechOwner owner, const QString& text, int mode, int speed)
{
    said.append({owner, text, mode, speed});
    const bool wasSilent = !queues_.contains(owner);
    queues_[owner].append(text);
    if (wasSilent)
        emit speakingChanged(owner, true);
}

void RecordingEngine::stop(SpeechOwner owner)
{
    if (queues_.remove(owner))
        emit speakingChanged(owner, false);
}

bool RecordingEngine::isSpeaking(SpeechOwner owner) const
{
    return queues_.contains(owner);
}

MouthShape RecordingEngine::shapeNow(SpeechOwner owner) const
{
    return isSpeaking(owner) ? MouthShape::Open : MouthShape::Rest;
}

QStringList RecordingEngine::texts() const
{
    QStringList result;
    for (const Said& entry : said)
        result.append(entry.text);
    return result;
}

void RecordingEngine::finishCurrent(SpeechOwner owner)
{
    auto it = queues_.find(owner);
    if (it == queues_.end())
        return;
    it->removeFirst();
    if (it->isEmpty()) {
        queues_.erase(it);
        emit speakingChanged(owner, false);
    }
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
    RecordingEngine& ref = *engine;
    SpeechEngine::install(std::move(engine));
    return ref;
}
