#pragma once
// The one full-screen window every screen is shown in, as a page. Showing a
// screen in place of another is then one repaint of a window that is already
// mapped, with its one backing store already in memory: no new window, no
// wait for the window system to expose it, no new screen-sized store.

#include "services/DesignForm.h"

#include <QWidget>

class StorePages;

class Stage : public QWidget, public DesignForm::Holder {
    Q_OBJECT
public:
    Stage();
    ~Stage() override;

    // Takes a screen in as a hidden page.
    void adopt(DesignForm* page);
    // Before the window is first shown: its store is sized for the whole
    // screen and faulted in on a thread while the first page is built.
    void prepare();
    // The window takes the caption of the page it shows.
    void present(DesignForm* page, const QRect& screen) override;
    // The page on top; null when none is shown.
    DesignForm* top() const;
    // The window system destroyed the native window: the pages still up are
    // shown in a new one.
    void windowGone();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void showOver(const QRect& screen);
    void focusOn(DesignForm* page);

    StorePages* storePages_;
};
