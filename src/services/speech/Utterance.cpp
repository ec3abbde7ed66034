#include "services/speech/Utterance.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sonic.h>

namespace {
// Below this the synthesiser's output is breath and rounding noise.
constexpr int QuietLevel = 200;
constexpr int MarginMs = 5;

// The first mark later than `sample`.
QList<Utterance::Mark>::const_iterator markAfter(const QList<Utterance::Mark>& marks, qint64 sample)
{
    return std::upper_bound(marks.cbegin(), marks.cend(), sample,
                            [](qint64 s, const Utterance::Mark& mark) { return s < mark.sample; });
}
}  // namespace

MouthShape Utterance::shapeAt(qint64 sample) const
{
    if (sample < 0 || sample >= samples.size())
        return MouthShape::Rest;
    const auto after = markAfter(marks, sample);
    return after == marks.cbegin() ? MouthShape::Rest : std::prev(after)->shape;
}

qint64 Utterance::nextChangeAfter(qint64 sample) const
{
    const MouthShape now = shapeAt(sample);
    for (auto mark = markAfter(marks, sample); mark != marks.cend() && mark->sample < samples.size(); ++mark)
        if (mark->shape != now)
            return mark->sample;
    // The mouth rests when the sound ends.
    return now != MouthShape::Rest && sample < samples.size() ? samples.size() : -1;
}

void Utterance::trimSilence()
{
    const auto loud = [](qint16 s) { return std::abs(int(s)) > QuietLevel; };
    const auto first = std::find_if(samples.cbegin(), samples.cend(), loud);
    if (first == samples.cend()) {
        samples.clear();
        marks.clear();
        return;
    }
    const auto last = std::find_if(samples.crbegin(), samples.crend(), loud);
    const qint64 margin = qint64(sampleRate) * MarginMs / 1000;
    const qint64 begin = std::max<qint64>(0, (first - samples.cbegin()) - margin);
    const qint64 end = std::min<qint64>(samples.size(), (samples.crend() - last) + margin);

    MouthShape before = MouthShape::Rest;
    QList<Mark> kept;
    for (const Mark& mark : std::as_const(marks)) {
        if (mark.sample <= begin)
            before = mark.shape;
        else if (mark.sample < end)
            kept.append({mark.sample - begin, mark.shape});
    }
    if (before != MouthShape::Rest)
        kept.prepend({0, before});
    marks = kept;
    samples = samples.mid(begin, end - begin);
}

void Utterance::pauseBefore(const QList<qint64>& at, int ms)
{
    if (at.isEmpty() || ms <= 0)
        return;
    const qint64 pause = qint64(sampleRate) * ms / 1000;
    QVector<qint16> out;
    out.reserve(samples.size() + at.size() * pause);
    qint64 from = 0;
    for (qint64 sample : at) {
        out += samples.mid(from, sample - from);
        out += QVector<qint16>(pause, 0);
        from = sample;
    }
    out += samples.mid(from);
    samples = out;
    for (Mark& mark : marks)
        mark.sample += pause * (std::upper_bound(at.cbegin(), at.cend(), mark.sample) - at.cbegin());
}

void Utterance::changeSpeed(double factor)
{
    if (factor == 1.0 || samples.isEmpty())
        return;
    sonicStream stream = sonicCreateStream(sampleRate, 1);
    sonicSetSpeed(stream, float(factor));
    sonicWriteShortToStream(stream, samples.data(), int(samples.size()));
    sonicFlushStream(stream);
    QVector<qint16> out;
    out.reserve(qsizetype(samples.size() / factor) + 1024);
    short chunk[4096];
    for (int got; (got = sonicReadShortFromStream(stream, chunk, 4096)) > 0;)
        out.append(QVector<qint16>(chunk, chunk + got));
    sonicDestroyStream(stream);
    // Sonic drops or repeats whole pitch periods, so its length can be off by
    // a period: more than one step of speed changes a short word by. Sized
    // exactly, every step is heard; at most a period of the fading end changes.
    out.resize(qsizetype(std::llround(samples.size() / factor)));
    samples = out;
    for (Mark& mark : marks)
        mark.sample = std::min<qint64>(qint64(mark.sample / factor), samples.size());
}

void Utterance::holdShapes(int ms)
{
    const qint64 hold = qint64(sampleRate) * ms / 1000;
    QList<Mark> kept;
    for (const Mark& mark : std::as_const(marks)) {
        if (!kept.isEmpty() && (kept.last().shape == mark.shape || mark.sample - kept.last().sample < hold))
            continue;
        kept.append(mark);
    }
    marks = kept;
}
