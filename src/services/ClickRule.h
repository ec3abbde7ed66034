#pragma once
// The one rule for every click of the program, applied where the window system
// hands a press or a release to a window: a click is a press and a release on
// the same enabled control of a window that stayed up in between. The second
// press of a double-click, a press within the double-click interval after a
// window started, and a press carried over from another window still reach
// their control (a drag may begin with them), but their release lands nowhere.

#include <QHash>
#include <QObject>
#include <QPointer>

class QMouseEvent;
class QWidget;
class QWindow;

class ClickRule : public QObject {
public:
    // Puts the rule in place for the whole program; later calls do nothing.
    static void install();
    // A window starts anew (shown, or its screen activated again): presses
    // begun before now, or within the double-click interval after the input
    // that started it, click nothing.
    static void started(QWindow* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ClickRule() = default;
    static ClickRule* instance();
    void windowStarted(QWindow* window);
    bool pressed(QWindow* window, const QMouseEvent& event);
    bool released(QWindow* window, const QMouseEvent& event);
    void releaseAway(QWindow* window, const QMouseEvent& event);

    struct Start {
        int count = 0;
        qint64 at = -1;  // the time of the input that came last before it; -1 when none had come
    };
    struct Press {
        QPointer<QWindow> window;
        int start = 0;
        Qt::MouseButton button = Qt::NoButton;
        QPointer<QWidget> target;
        bool counts = false;
    };

    QHash<const QWindow*, Start> starts_;
    Press press_;
    qint64 lastInput_ = -1;
    bool sendingAway_ = false;
};
