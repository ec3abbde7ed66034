#include "services/speech/SpeechControl.h"

#include "services/speech/MouthDrawing.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace {
// About one frame of a 60 Hz screen: the longest the mouth goes without
// looking at the sound while it speaks.
constexpr int FrameMs = 16;
}  // namespace

SpeechControl::SpeechControl(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Bocca"));
    setCursor(Qt::PointingHandCursor);
    // Aimed at the moment the shape changes, not at the next multiple of a frame.
    frames_.setSingleShot(true);
    frames_.setTimerType(Qt::PreciseTimer);
    connect(&frames_, &QTimer::timeout, this, &SpeechControl::followSound);
    connect(&SpeechEngine::instance(), &SpeechEngine::speakingChanged, this, &SpeechControl::onSpeakingChanged);
}

SpeechControl::~SpeechControl()
{
    SpeechEngine::instance().stop(owner());
}

void SpeechControl::Speak(const QString& text)
{
    SpeechEngine::instance().speak(owner(), text, mode_, speed_);
}

void SpeechControl::StopSpeaking()
{
    SpeechEngine::instance().stop(owner());
}

bool SpeechControl::isSpeaking() const
{
    return SpeechEngine::instance().isSpeaking(owner());
}

void SpeechControl::setSpeed(int speed)
{
    speed_ = speed;
}

int SpeechControl::CountOfModes() const
{
    return int(SpeechEngine::instance().modes().size());
}

QString SpeechControl::ModeName(int mode) const
{
    const QList<VoiceMode> modes = SpeechEngine::instance().modes();
    return mode >= 1 && mode <= modes.size() ? modes.at(mode - 1).name : QString();
}

int SpeechControl::ModeGender(int mode) const
{
    const QList<VoiceMode> modes = SpeechEngine::instance().modes();
    return mode >= 1 && mode <= modes.size() ? modes.at(mode - 1).gender : 0;
}

bool SpeechControl::setCurrentMode(int mode)
{
    if (!SpeechEngine::instance().canUseMode(mode))
        return false;
    mode_ = mode;
    return true;
}

void SpeechControl::setMouthStyle(qint16& style)
{
    style = style == 0 ? 0 : 1;
    style_ = style;
    update();
}

void SpeechControl::onSpeakingChanged(SpeechOwner who, bool speaking)
{
    if (who != owner())
        return;
    if (!speaking)
        frames_.stop();
    followSound();
}

void SpeechControl::followSound()
{
    const SpeechEngine& engine = SpeechEngine::instance();
    const MouthShape now = engine.shapeNow(owner());
    if (now != shown_) {
        shown_ = now;
        update();
    }
    if (!engine.isSpeaking(owner()))
        return;
    const qint64 untilUs = engine.usToNextShape(owner());
    // A millisecond late rather than early: early, the shape is still the old one.
    frames_.start(untilUs < 0 ? FrameMs : int(std::clamp<qint64>(untilUs / 1000 + 1, 1, FrameMs)));
}

void SpeechControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    drawMouth(painter, QRectF(rect()), shown_, style_);
}

void SpeechControl::mousePressEvent(QMouseEvent* event)
{
    event->accept();
}

void SpeechControl::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit MouthClick(event->position().toPoint().x(), event->position().toPoint().y());
}
