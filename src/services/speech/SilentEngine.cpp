#include "services/speech/SilentEngine.h"

#include <algorithm>

QList<VoiceMode> SilentEngine::modes() const
{
    return {};
}

bool SilentEngine::canUseMode(int mode) const
{
    return mode >= 1 && mode <= modes().size();
}

int SilentEngine::durationMs(const QString& text, int speed)
{
    // About five and a half letters a word at `speed` words a minute, and a
    // short pause at each full stop.
    const int clamped = std::clamp(speed, 50, 200);
    const int letters = int(text.size());
    const int pauses = int(text.count(QLatin1Char('.')) + text.count(QLatin1Char('!')) + text.count(QLatin1Char('?')));
    return std::max(250, letters * 60000 / (clamped * 11 / 2) + pauses * 200);
}

void SilentEngine::speak(SpeechOwner owner, const QString& text, int /*mode*/, int speed)
{
    Queue& queue = queues_[owner];
    queue.waiting.append({text, speed});
    if (!queue.timer) {
        queue.timer = new QTimer(this);
        queue.timer->setSingleShot(true);
        connect(queue.timer, &QTimer::timeout, this, [this, owner] { startNext(owner); });
        startNext(owner);
        emit speakingChanged(owner, true);
    }
}

void SilentEngine::startNext(SpeechOwner owner)
{
    auto it = queues_.find(owner);
    if (it == queues_.end())
        return;
    Queue& queue = *it;
    if (queue.waiting.isEmpty()) {
        drop(owner);
        return;
    }
    const Queue::Text next = queue.waiting.takeFirst();
    queue.current = next.text;
    queue.currentMs = durationMs(next.text, next.speed);
    queue.clock.start();
    queue.timer->start(queue.currentMs);
}

void SilentEngine::stop(SpeechOwner owner)
{
    drop(owner);
}

void SilentEngine::drop(SpeechOwner owner)
{
    const auto it = queues_.find(owner);
    if (it == queues_.end())
        return;
    it->timer->stop();
    it->timer->deleteLater();
    queues_.erase(it);
    emit speakingChanged(owner, false);
}

bool SilentEngine::isSpeaking(SpeechOwner owner) const
{
    return queues_.contains(owner);
}

MouthShape SilentEngine::shapeNow(SpeechOwner owner) const
{
    const auto it = queues_.constFind(owner);
    if (it == queues_.cend() || it->currentMs <= 0)
        return MouthShape::Rest;
    const QString& text = it->current;
    const qint64 elapsed = std::min<qint64>(it->clock.elapsed(), it->currentMs - 1);
    const qsizetype index = qsizetype(elapsed * text.size() / it->currentMs);
    return index < text.size() ? shapeForLetter(text.at(index)) : MouthShape::Rest;
}
