#pragma once
// A sound kept small while it waits to be heard, without losing a bit of it:
// each sample is stored as its distance from the line through the two before
// it, in Rice codes sized block by block. Speech takes markedly less room than
// its samples, and unpacks in about a millisecond for four seconds of sound.

#include "services/speech/Utterance.h"

#include <QByteArray>

class PackedSound {
public:
    PackedSound() = default;
    explicit PackedSound(const Utterance& sound);
    Utterance unpack() const;
    qsizetype bytes() const { return bits_.size(); }

private:
    int sampleRate_ = 22050;
    qsizetype count_ = 0;
    QByteArray bits_;
    QList<Utterance::Mark> marks_;
};
