#include "shell/WindowsGone.h"

#include "services/Stage.h"

#include <QApplication>
#include <QPointer>
#include <xcb/xcb.h>

namespace {

void finestraDistrutta(QWidget* window)
{
    const QPointer<QWidget> gone = window;
    window->close();
    // The screens still up are shown again in a new native window.
    if (auto* stage = qobject_cast<Stage*>(gone.data()))
        stage->windowGone();
}

}  // namespace

bool WindowsGone::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_DESTROY_NOTIFY)
        return false;
    const auto* destroyed = static_cast<const xcb_destroy_notify_event_t*>(message);
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->internalWinId() == destroyed->window)
            // Out of the window system's event handling first.
            QMetaObject::invokeMethod(window, [window] { finestraDistrutta(window); }, Qt::QueuedConnection);
    return false;
}
