#include "shell/WindowsGone.h"

#include "services/DesignForm.h"

#include <QApplication>
#include <QPointer>
#include <xcb/xcb.h>

namespace {

void finestraDistrutta(QWidget* window)
{
    const QPointer<QWidget> gone = window;
    window->close();
    // Its native window is no more: showing the screen again makes a new one.
    if (auto* form = qobject_cast<DesignForm*>(gone.data()))
        form->releaseWindow();
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
