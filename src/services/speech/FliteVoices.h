#pragma once
// The flite voices, each loaded from its own library the first time it is
// heard and kept for the life of the process. Used from the synthesis
// thread only: flite keeps global state.

#include "services/speech/Utterance.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <functional>

struct cst_voice_struct;

class FliteVoices {
public:
    // Whether the voice's library (e.g. of "cmu_us_slt") lies beside flite's
    // own, without loading it.
    static bool installed(const QByteArray& name);
    // The text as the voice says it, silence and all, at the voice's own
    // rate, with a break of betweenStopsMs where a word's last stop meets the
    // next word's first; empty when the voice cannot be loaded, or when
    // `stop` said so while it was being made.
    Utterance say(const QByteArray& name, const QString& text, int betweenStopsMs, const std::function<bool()>& stop);
    // Lets the system take back the voices' model pages read while making
    // sounds (megabytes for a voice): they come back from the library's file
    // when the next sound is made. For when no sound is wanted for a while.
    static void rest();

private:
    // Whether the voice could be loaded; tried once.
    bool load(const QByteArray& name);

    QHash<QByteArray, cst_voice_struct*> voices_;
    // Each voice's own pace, as it comes.
    QHash<QByteArray, float> ownStretch_;
    bool started_ = false;
    // Asked between two pieces of the sound being made.
    std::function<bool()> stop_;
};
