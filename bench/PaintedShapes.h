#pragma once
// Notes when a mouth on screen is painted with a new shape, on the sound's
// steady clock.

#include "services/speech/SoundOutput.h"
#include "services/speech/SpeechControl.h"

#include <QEvent>
#include <QObject>

class PaintedShapes : public QObject {
public:
    struct Change {
        qint64 us;
        MouthShape shape;
    };
    explicit PaintedShapes(SpeechControl& mouth)
        : mouth_(mouth)
    {
        mouth.installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && (changes.isEmpty() || changes.last().shape != mouth_.shownShape()))
            changes.append({clock_(), mouth_.shownShape()});
        return false;
    }
    QList<Change> changes;

private:
    SpeechControl& mouth_;
    SoundClock clock_ = steadyClock();
};
