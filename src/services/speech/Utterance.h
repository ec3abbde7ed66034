#pragma once
// One text turned into sound: mono 16-bit samples and the mouth shape to show
// from each sample on.

#include "services/speech/MouthShape.h"

#include <QList>
#include <QMetaType>
#include <QVector>

struct Utterance {
    struct Mark {
        qint64 sample;
        MouthShape shape;
    };
    int sampleRate = 22050;
    QVector<qint16> samples;
    QList<Mark> marks;  // ascending samples

    MouthShape shapeAt(qint64 sample) const;
    // The first sample after `sample` at which the shape changes; -1 when it
    // never does again.
    qint64 nextChangeAfter(qint64 sample) const;
    qint64 durationUs() const { return samples.size() * 1000000LL / sampleRate; }

    // Cuts the quiet before the first and after the last sound, keeping a few
    // milliseconds so the sound does not start with a click.
    void trimSilence();
    // Silence of `ms` before each of the ascending samples; the mouth holds
    // its shape through it.
    void pauseBefore(const QList<qint64>& at, int ms);
    // Plays `factor` times as fast (below 1: slower), pitch unchanged.
    void changeSpeed(double factor);
    // Drops changes that would show a shape for less than `ms`, so the lips do
    // not flicker.
    void holdShapes(int ms);
};

Q_DECLARE_METATYPE(Utterance)
