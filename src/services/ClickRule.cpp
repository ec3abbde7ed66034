#include "services/ClickRule.h"

#include <QApplication>
#include <QMouseEvent>
#include <QStyleHints>
#include <QWidget>
#include <QWindow>

namespace {

// Far outside every window: a release there is a release off its control.
constexpr double Away = -1.0e6;

bool ownsClicks(const QWindow* window)
{
    // Popups (a combo box's list) keep the toolkit's own press-drag-release.
    const Qt::WindowType type = window->type();
    return type != Qt::Popup && type != Qt::ToolTip;
}

QWidget* controlAt(const QWindow* window, QPointF position)
{
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->windowHandle() == window) {
            QWidget* child = top->childAt(position.toPoint());
            return child ? child : top;
        }
    return nullptr;
}

}  // namespace

ClickRule* ClickRule::instance()
{
    static QPointer<ClickRule> rule;
    if (!rule && QCoreApplication::instance()) {
        rule = new ClickRule;
        rule->setParent(QCoreApplication::instance());
    }
    return rule;
}

void ClickRule::install()
{
    static QPointer<QCoreApplication> installedOn;
    QCoreApplication* application = QCoreApplication::instance();
    if (!application || installedOn == application)
        return;
    installedOn = application;
    application->installEventFilter(instance());
}

void ClickRule::started(QWindow* window)
{
    if (window && instance())
        instance()->windowStarted(window);
}

void ClickRule::windowStarted(QWindow* window)
{
    if (!starts_.contains(window))
        connect(window, &QObject::destroyed, this, [this, window] { starts_.remove(window); });
    Start& start = starts_[window];
    ++start.count;
    // Times are those the window system stamps on input: a press is
    // measured against the input that started the window, on one clock.
    start.at = lastInput_;
}

bool ClickRule::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
        break;
    default:
        return false;
    }
    auto* window = qobject_cast<QWindow*>(watched);
    if (!window || sendingAway_)
        return false;
    if (event->type() == QEvent::Show) {
        windowStarted(window);
        return false;
    }
    if (!ownsClicks(window)) {
        // What a press there started is the popup's to finish.
        if (event->type() == QEvent::MouseButtonPress)
            press_ = {};
        return false;
    }
    const auto& mouse = static_cast<const QMouseEvent&>(*event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        return pressed(window, mouse);
    case QEvent::MouseButtonDblClick:
        press_.counts = false;
        return false;
    default:
        return released(window, mouse);
    }
}

bool ClickRule::pressed(QWindow* window, const QMouseEvent& event)
{
    const qint64 at = qint64(event.timestamp());
    const Start start = starts_.value(window);
    // A press stamped before that input comes from another clock (a test's
    // touch and mouse), not from a hand.
    const qint64 sinceStart = at - start.at;
    const bool justStarted = start.at >= 0 && sinceStart >= 0
        && sinceStart < QGuiApplication::styleHints()->mouseDoubleClickInterval();
    const bool secondOfDouble = event.flags().testFlag(Qt::MouseEventCreatedDoubleClick);
    lastInput_ = at;

    QWidget* target = controlAt(window, event.position());
    press_ = {window, start.count, event.button(), target,
              !secondOfDouble && !justStarted && target && target->isEnabled()};
    return false;
}

bool ClickRule::released(QWindow* window, const QMouseEvent& event)
{
    // First: a window this release shows starts after it.
    lastInput_ = qint64(event.timestamp());
    if (event.button() != press_.button)
        return false;
    const bool click = press_.counts && press_.window == window && starts_.value(window).count == press_.start
        && window->isVisible() && press_.target && press_.target->isEnabled();
    press_ = {};
    if (click)
        return false;
    releaseAway(window, event);
    return true;
}

void ClickRule::releaseAway(QWindow* window, const QMouseEvent& event)
{
    // The pressed control still gets its release, so it lets go of the mouse
    // and looks up again, but off itself, where no control takes it as a click.
    QMouseEvent away(QEvent::MouseButtonRelease, QPointF(Away, Away), QPointF(Away, Away), QPointF(Away, Away),
                     event.button(), event.buttons(), event.modifiers(), event.pointingDevice());
    away.setTimestamp(event.timestamp());
    sendingAway_ = true;
    QCoreApplication::sendEvent(window, &away);
    sendingAway_ = false;
}
