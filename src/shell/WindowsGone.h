#pragma once
// The window system may destroy a window without asking first (a task killer,
// xdotool windowclose). Its screen then goes as if it had been closed, so the
// program ends with its last window instead of running on with none.

#include <QAbstractNativeEventFilter>

class WindowsGone : public QAbstractNativeEventFilter {
public:
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
};
