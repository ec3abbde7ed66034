#pragma once
// An engine without any voice (no speech data): each text takes about as long as it would take to
// say, so queueing, stopping and the mouth behave as with a real voice.

#include "services/speech/SpeechEngine.h"

#include <QElapsedTimer>
#include <QHash>
#include <QStringList>
#include <QTimer>

class SilentEngine : public SpeechEngine {
    Q_OBJECT
public:
    QList<VoiceMode> modes() const override;
    bool canUseMode(int mode) const override;
    void speak(SpeechOwner owner, const QString& text, int mode, int speed) override;
    void stop(SpeechOwner owner) override;
    bool isSpeaking(SpeechOwner owner) const override;
    MouthShape shapeNow(SpeechOwner owner) const override;

    // How long a text takes at a speed, in milliseconds.
    static int durationMs(const QString& text, int speed);

private:
    struct Queue {
        struct Text {
            QString text;
            int speed;
        };
        QList<Text> waiting;
        QString current;
        QElapsedTimer clock;
        int currentMs = 0;
        QTimer* timer = nullptr;  // owned by the engine, freed late: it may be the sender
    };
    void startNext(SpeechOwner owner);
    void drop(SpeechOwner owner);

    QHash<SpeechOwner, Queue> queues_;
};
