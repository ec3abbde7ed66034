#pragma once
// A window's backing store sized before the window is shown, its memory
// faulted in on a thread of its own: a screen-sized store is some two thousand
// fresh pages, and faulting them in one by one as the first frame is painted
// would cost the interface thread several milliseconds a screen.

#include <QObject>
#include <QSize>
#include <future>

class QWidget;

class StorePages : public QObject {
public:
    explicit StorePages(QWidget* window);
    ~StorePages() override;

    // Sizes the store for a window of `size` and starts faulting its pages in.
    // Nothing where the window has no store yet.
    void prepare(QSize size);
    // Until the pages are in: nothing may give the store back before.
    void wait();

protected:
    // The window's first paint waits for the pages rather than faulting them in itself.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
    std::future<void> faulting_;
};
