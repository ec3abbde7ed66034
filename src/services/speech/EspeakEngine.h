#pragma once
// Speech with espeak-ng voices: texts are made into sound on the synthesiser's
// thread and played on the sound device, or against a clock when there is
// none, and the mouth shows the shape of the sound being heard.

#include "services/speech/EspeakSynth.h"
#include "services/speech/SoundOutput.h"
#include "services/speech/SpeechEngine.h"

#include <map>
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

    // Moves every queue on to what the outputs have played; runs by itself
    // while anything is said.
    void pump();

signals:
    // The first sample of a text went to the output.
    void soundStarted(SpeechOwner owner, const Utterance& sound);
    // A text was heard to its end.
    void soundFinished(SpeechOwner owner);

private:
    struct Text {
        quint64 job;
        std::optional<Utterance> sound;
    };
    struct Queue {
        QList<Text> texts;  // the one playing first
        std::unique_ptr<SoundOutput> output;
    };
    void onReady(quint64 job, const Utterance& sound);
    void play(SpeechOwner owner, Queue& queue);

    EspeakSynth& synth_;
    DeviceOutputs device_;
    SoundClock clock_;
    std::map<SpeechOwner, Queue> queues_;
    QTimer pump_;
    quint64 nextJob_ = 0;
};

// The voice engine for speech data in a folder (the one that holds
// espeak-ng-data): espeak-ng voices, or a silent engine without any voice when
// the data is missing or unusable.
std::unique_ptr<SpeechEngine> makeVoiceEngine(const QString& dataParent);
// The program's own copy of the data when it has one, else the system's.
QString voiceDataParent();
