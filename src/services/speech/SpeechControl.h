#pragma once
// The speaking mouth that every screen carries as `Bocca`.

#include "services/speech/MouthShape.h"
#include "services/speech/SpeechEngine.h"

#include <QTimer>
#include <QWidget>

class SpeechControl : public QWidget {
    Q_OBJECT
public:
    explicit SpeechControl(QWidget* parent = nullptr);
    ~SpeechControl() override;

    void Speak(const QString& text);
    void StopSpeaking();
    bool isSpeaking() const;

    void setSpeed(int speed);
    int speed() const { return speed_; }

    int CountOfModes() const;
    QString ModeName(int mode) const;
    int ModeGender(int mode) const;

    // False when the engine refuses the mode; the mode in use stays.
    bool setCurrentMode(int mode);
    int CurrentMode() const { return mode_; }

    void setMouthStyle(qint16& style);
    qint16 mouthStyle() const { return style_; }

    MouthShape shownShape() const { return shown_; }

signals:
    void MouthClick(int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    SpeechOwner owner() const { return reinterpret_cast<SpeechOwner>(this); }
    void onSpeakingChanged(SpeechOwner owner, bool speaking);
    void followSound();

    int mode_ = 1;
    int speed_ = 135;
    qint16 style_ = 0;
    MouthShape shown_ = MouthShape::Rest;
    QTimer frames_;
};
