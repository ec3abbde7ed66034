#pragma once
// The speech service: every mouth's texts in one queue, in call order, so one
// voice is heard at a time. Texts are made into sound on the synthesiser's
// thread and played on the sound device's thread; the interface thread only
// hands them over and reads what is being heard. When the device refuses,
// dies or hangs, the text goes on against a clock, and the next text tries
// the device again. Without any voice, each text is a silence as long as it
// would take to say, and the mouth still moves in time.

#include "services/speech/DeviceThread.h"
#include "services/speech/EspeakSynth.h"
#include "services/speech/SoundOutput.h"
#include "services/speech/SpeechEngine.h"

#include <QTimer>
#include <memory>
#include <optional>

class EspeakEngine : public SpeechEngine {
    Q_OBJECT
public:
    explicit EspeakEngine(EspeakSynth& synth, DeviceOutputs device, SoundClock clock = steadyClock());
    ~EspeakEngine() override;

    QList<VoiceMode> modes() const override;
    bool canUseMode(int mode) const override;
    void speak(SpeechOwner owner, const QString& text, int mode, int speed) override;
    void stop(SpeechOwner owner) override;
    bool isSpeaking(SpeechOwner owner) const override;
    MouthShape shapeNow(SpeechOwner owner) const override;
    qint64 usToNextShape(SpeechOwner owner) const override;

    // Moves the queue on to what has been heard; runs by itself while
    // anything is said.
    void pump();

    // How long the device may show no sign of life before its text goes on
    // against the clock: long enough that a busy machine is not taken for a
    // hung server.
    static constexpr int StallMs = 400;

signals:
    // A text began to play, on the device or against the clock.
    void soundStarted(SpeechOwner owner, const Utterance& sound);

private:
    struct Text {
        SpeechOwner owner;
        quint64 job;
        QString text;
        int speed;
        std::optional<Utterance> sound;
    };
    // Where the first text plays.
    enum class Route { None, Device, Clock };

    void onReady(quint64 job, const Utterance& sound);
    void play();
    void playOnClock(qint64 fromSample);
    void next();
    bool deviceStuck(const DeviceThread::Progress& progress) const;
    qint64 heardSamples() const;
    bool hasTexts(SpeechOwner owner) const;

    EspeakSynth& synth_;
    SoundClock clock_;
    SoundClock steady_ = steadyClock();
    std::unique_ptr<DeviceThread> device_;
    QList<Text> texts_;  // the one heard now first
    Route route_ = Route::None;
    ClockOutput onClock_;
    quint64 request_ = 0;     // the device request of the first text
    qint64 requestedUs_ = 0;  // when it was made, on the steady clock
    bool deviceLost_ = false; // the device hung: texts play on the clock until it answers again
    QTimer pump_;
};
