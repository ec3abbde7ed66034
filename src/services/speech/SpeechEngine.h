#pragma once
// The one speech engine of the process. Each mouth is an owner; the texts of
// every owner are said one after another in call order, one voice at a time,
// and stopping an owner drops its current and waiting texts at once.

#include "services/speech/MouthShape.h"

#include <QList>
#include <QObject>
#include <QString>
#include <memory>

struct VoiceMode {
    QString name;    // what a parent reads in the voice list
    int gender = 0;  // 0 neutral, 1 female, 2 male
};

using SpeechOwner = quintptr;

class SpeechEngine : public QObject {
    Q_OBJECT
public:
    ~SpeechEngine() override = default;

    static SpeechEngine& instance();
    // Replaces the process's engine (start-up, tests).
    static void install(std::unique_ptr<SpeechEngine> engine);
    // Starts the voice in the background while the first screen is built.
    static void startEarly();

    virtual QList<VoiceMode> modes() const = 0;
    // False when the mode (1-based) does not exist or cannot be loaded.
    virtual bool canUseMode(int mode) const = 0;

    virtual void speak(SpeechOwner owner, const QString& text, int mode, int speed) = 0;
    virtual void stop(SpeechOwner owner) = 0;
    virtual bool isSpeaking(SpeechOwner owner) const = 0;
    // The shape of the sound this owner's listener hears now.
    virtual MouthShape shapeNow(SpeechOwner owner) const = 0;
    // Microseconds until that shape changes, as far as is known now; -1 when
    // unknown, and the mouth then looks again a frame later.
    virtual qint64 usToNextShape(SpeechOwner) const { return -1; }

signals:
    void speakingChanged(SpeechOwner owner, bool speaking);
};
