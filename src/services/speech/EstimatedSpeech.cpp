#include "services/speech/EstimatedSpeech.h"

#include <algorithm>

namespace {
// A shape shown for less than this flickers.
constexpr int HoldMs = 70;

int durationMs(const QString& text, int speed)
{
    // About five and a half letters a word at `speed` words a minute, and a
    // short pause at each full stop.
    const int clamped = std::clamp(speed, 50, 200);
    const int letters = int(text.size());
    const int pauses = int(text.count(QLatin1Char('.')) + text.count(QLatin1Char('!')) + text.count(QLatin1Char('?')));
    return std::max(250, letters * 60000 / (clamped * 11 / 2) + pauses * 200);
}
}  // namespace

Utterance estimatedSpeech(const QString& text, int speed, int sampleRate)
{
    Utterance sound;
    sound.sampleRate = sampleRate;
    const qint64 length = qint64(durationMs(text, speed)) * sampleRate / 1000;
    sound.samples.resize(length);
    for (qsizetype i = 0; i < text.size(); ++i)
        sound.marks.append({length * i / text.size(), shapeForLetter(text.at(i))});
    sound.holdShapes(HoldMs);
    return sound;
}
