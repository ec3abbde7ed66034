#include "services/Stage.h"

#include "services/DesignForm.h"
#include "services/StorePages.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEvent>
#include <QScreen>

Stage::Stage()
    : storePages_(new StorePages(this))
{
    setObjectName(QStringLiteral("Stage"));
    setWindowTitle(QStringLiteral("Quillet"));
    // The page on top covers the whole window: nothing is drawn under it.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

Stage::~Stage()
{
    storePages_->wait();
}

void Stage::adopt(DesignForm* page)
{
    if (page->parentWidget() == this)
        return;
    page->setParent(this);
    page->installEventFilter(this);
}

void Stage::prepare()
{
    if (testAttribute(Qt::WA_WState_Created))
        return;
    create();
    if (const QScreen* display = screen())
        storePages_->prepare(display->geometry().size());
}

void Stage::present(DesignForm* page, const QRect& screen)
{
    // The window covers the screen first, and the page the window before it
    // is shown: a page never paints at the size it had.
    showOver(screen);
    if (page->geometry() != rect())
        page->setFormGeometry(rect());
    page->raise();
    page->show();
    setWindowTitle(page->windowTitle());
    focusOn(page);
}

DesignForm* Stage::top() const
{
    const QObjectList& pages = children();
    // Raised pages come last.
    for (auto it = pages.crbegin(); it != pages.crend(); ++it)
        if (auto* page = qobject_cast<DesignForm*>(*it); page && !page->isHidden())
            return page;
    return nullptr;
}

void Stage::windowGone()
{
    if (!testAttribute(Qt::WA_WState_Created))
        return;
    storePages_->wait();
    hide();
    destroy();
    if (DesignForm* page = top()) {
        showOver(page->screenRect());
        focusOn(page);
    }
}

void Stage::showOver(const QRect& screen)
{
    prepare();
    // Without a window manager the full-screen state alone keeps the old size,
    // so the geometry is set first.
    setGeometry(screen);
    if (!isVisible())
        show();
    setWindowState(windowState() | Qt::WindowFullScreen);
}

void Stage::focusOn(DesignForm* page)
{
    const QWidget* current = focusWidget();
    if (current && page->isAncestorOf(current))
        return;
    // As a window activated: the control last focused on the page, or its first
    // in the tab order, or the page itself to take the keys.
    QWidget* next = page->focusWidget();
    if (!next || !next->isVisibleTo(page) || !next->isEnabled()) {
        next = page;
        for (QWidget* control = page->nextInFocusChain(); control && control != page;
             control = control->nextInFocusChain())
            if (page->isAncestorOf(control) && (control->focusPolicy() & Qt::TabFocus)
                && control->isVisibleTo(page) && control->isEnabled()) {
                next = control;
                break;
            }
    }
    next->setFocus(Qt::ActiveWindowFocusReason);
}

bool Stage::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Hide:
        // No window stays up with no screen in it.
        if (!top() && isVisible())
            hide();
        break;
    case QEvent::WindowTitleChange:
        if (watched == top())
            setWindowTitle(top()->windowTitle());
        break;
    default:
        break;
    }
    return false;
}

void Stage::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    for (QObject* child : children())
        if (auto* page = qobject_cast<DesignForm*>(child); page && !page->isHidden() && page->geometry() != rect())
            page->setFormGeometry(rect());
}

void Stage::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || isMinimized())
        return;
    // The pages take the window's state as their own: restored, they scale to it.
    const auto* change = static_cast<const QWindowStateChangeEvent*>(event);
    for (QObject* child : children())
        if (auto* page = qobject_cast<DesignForm*>(child); page && !page->isHidden()) {
            QWindowStateChangeEvent own(change->oldState());
            QCoreApplication::sendEvent(page, &own);
        }
}

void Stage::closeEvent(QCloseEvent* event)
{
    // The close button closes the screen on top; its slots decide what follows.
    if (DesignForm* page = top())
        page->close();
    event->setAccepted(!top());
}
