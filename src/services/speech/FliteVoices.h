#pragma once
// The flite voices, each loaded from its own library the first time it is
// asked for and kept for the life of the process. Used from the synthesis
// thread only: flite keeps global state.

#include "services/speech/Utterance.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <functional>

struct cst_voice_struct;

class FliteVoices {
public:
    // Whether the voice (e.g. "cmu_us_slt") could be loaded.
    bool load(const QByteArray& name);
    // The text as the voice says it, silence and all, at the voice's own
    // rate; empty when the voice is not loaded, or when `stop` said so while
    // it was being made.
    Utterance say(const QByteArray& name, const QString& text, const std::function<bool()>& stop);

private:
    QHash<QByteArray, cst_voice_struct*> voices_;
    // Each voice's own pace, as it comes.
    QHash<QByteArray, float> ownStretch_;
    bool started_ = false;
    // Asked between two pieces of the sound being made.
    std::function<bool()> stop_;
};
