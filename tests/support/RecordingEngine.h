#pragma once
// A speech engine for tests: keeps every text with its mode and speed, and
// finishes a text only when told to.

#include "services/speech/SpeechEngine.h"

#include <QHash>
#include <QList>

class RecordingEngine : public SpeechEngine {
    Q_OBJECT
public:
    struct Said {
        SpeechOwner owner;
        QString text;
        int mode;
        int speed;
    };

    explicit RecordingEngine(QList<VoiceMode> modes = {{"Mode one", 1}, {"Mode two", 2}, {"Mode three", 0}})
        : modes_(std::move(modes))
    {
    }

    QList<VoiceMode> modes() const override { return modes_; }
    bool canUseMode(int mode) const override
    {
        return mode >= 1 && mode <= modes_.size() && !refusedModes.contains(mode);
    }
    void speak(SpeechOwner owner, const QString& text, int mode, int speed) override;
    void stop(SpeechOwner owner) override;
    bool isSpeaking(SpeechOwner owner) const override { return queues_.contains(owner); }
    MouthShape shapeNow(SpeechOwner owner) const override
    {
        return isSpeaking(owner) ? MouthShape::Open : MouthShape::Rest;
    }

    // Everything spoken since the last clear, in call order.
    QList<Said> said;
    void clear() { said.clear(); }

    // Texts still to be heard by an owner, the current one first.
    QStringList pending(SpeechOwner owner) const { return queues_.value(owner); }
    // Ends the text being said by an owner.
    void finishCurrent(SpeechOwner owner);
    // Lets every owner finish everything it was asked to say.
    void finishAll();
    QList<int> refusedModes;

private:
    QList<VoiceMode> modes_;
    QHash<SpeechOwner, QStringList> queues_;
};

// Installs a fresh recording engine as the process's engine and returns it.
RecordingEngine& installRecordingEngine();
