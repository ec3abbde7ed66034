#include "support/Monkey.h"

#include "services/DesignForm.h"
#include "services/controls/CommandButton.h"
#include "shell/MessageBox.h"
#include "shell/Modulo1.h"
#include "shell/Random.h"
#include "shell/Schermi.h"
#include "support/RecordingEngine.h"
#include "support/TestWorld.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStyleHints>
#include <QTest>
#include <QWindow>
#include <cstdio>
#include <numeric>
#include <utility>

namespace {

// A child waits this many events for a screen that takes no input, then gives up.
constexpr int StuckLimit = 12;
// After this many events without input the child just waits.
constexpr int WaitAfter = 3;

QString describe(const QWidget* widget)
{
    const QString name = widget->objectName().isEmpty() ? QString::fromLatin1(widget->metaObject()->className())
                                                        : widget->objectName();
    const QWidget* screen = DesignForm::of(widget);
    return screen && screen != widget ? screen->objectName() + QLatin1Char('/') + name : name;
}

QString where(QPoint p)
{
    return QStringLiteral("(%1,%2)").arg(p.x()).arg(p.y());
}

// The control at a point of a window, and the point.
QString describeAt(const QWidget* window, QPoint p)
{
    const QWidget* control = window->childAt(p);
    return describe(control ? control : window) + where(p);
}

// The native window a screen is shown in, and a point of the screen in it.
QWindow* windowOf(const DesignForm* form)
{
    return form->window()->windowHandle();
}

QPoint inWindow(const DesignForm* form, QPoint p)
{
    return form->mapTo(form->window(), p);
}

bool minimised(const DesignForm* form)
{
    return form->window()->isMinimized();
}

bool acceptsInput(const DesignForm* form)
{
    const QWidget* modal = QApplication::activeModalWidget();
    return form && form->isLoaded() && form->isVisible() && !minimised(form) && form->isEnabled()
        && (!modal || modal == form);
}

}  // namespace

Monkey::Monkey(RecordingEngine& engine, quint32 seed)
    : engine_(engine)
    , seed_(seed)
    , rng_(seed)
    , touch_(QTest::createTouchDevice())
{
    touch_->setParent(this);
    connect(&Schermi::istanza(), &Schermi::fine, this, [this] { ended_ = true; });
    qApp->installEventFilter(this);
    ImpostaRisponditore([this](const MsgRequest& request) {
        if (request.buttons == MsgButtons::Ok)
            return MsgResult::Ok;
        if (std::exchange(forceYes_, false))
            return MsgResult::Yes;
        return below(2) ? MsgResult::Yes : MsgResult::No;
    });
}

QString Monkey::run(int events)
{
    const bool trace = qEnvironmentVariableIsSet("QUILLET_MONKEY_TRACE");
    start();
    for (int n = 1; n <= events; ++n) {
        step();
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (trace)
            std::fprintf(stderr, "monkey %u #%d %s\n", seed_, n, qPrintable(event_));
        for (const DesignForm* form : Schermi::istanza().caricati())
            visited_.insert(form->objectName());
        const QString broken = broken_.isEmpty() ? check() : std::exchange(broken_, QString());
        if (!broken.isEmpty())
            return QStringLiteral("monkey seed %1, event %2 (%3): %4\n  before it: %5\n  replay: QUILLET_MONKEY_SEED=%1 "
                                  "QUILLET_MONKEY_EVENTS=%2")
                .arg(seed_)
                .arg(n)
                .arg(event_, broken, recent_.join(QStringLiteral("; ")));
        recent_.append(event_);
        if (recent_.size() > 6)
            recent_.removeFirst();
    }
    return {};
}

void Monkey::start()
{
    Schermi::istanza().svuota();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Modulo1::RilasciaCopiaUnica();
    ended_ = false;
    restoreIn_ = 0;
    stuckFor_ = 0;
    Modulo1::Main();
    // Main seeds from the clock; the program's draws follow the monkey's seed instead.
    Random::Seed(rng_());
    event_ = QStringLiteral("program started");
}

int Monkey::below(int n)
{
    return n <= 1 ? 0 : int(rng_() % quint32(n));
}

void Monkey::step()
{
    if (ended_)
        return start();
    if (restoreIn_ > 0) {
        // Minimised: nothing to click until the child brings the window back.
        if (--restoreIn_ > 0)
            return timePasses();
        DesignForm* form = screen();
        event_ = QStringLiteral("restore");
        if (form && minimised(form)) {
            // Coming back keeps whatever size the window had.
            restoring_ = true;
            QWidget* window = form->window();
            window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
            window->show();
            restoring_ = false;
        }
        return;
    }
    if (stuckFor_ >= WaitAfter)
        return timePasses();
    struct Kind {
        int weight;
        void (Monkey::*fire)(DesignForm*);
    };
    static const Kind kinds[] = {
        {24, &Monkey::click},       {6, &Monkey::doubleClick}, {3, &Monkey::quickClickAfterChange},
        {3, &Monkey::carriedPress}, {10, &Monkey::timePasses}, {10, &Monkey::goElsewhere},
        {8, &Monkey::mouseDrag},    {5, &Monkey::touchDrag},   {8, &Monkey::key},
        {7, &Monkey::menuItem},     {4, &Monkey::resize},      {2, &Monkey::minimise},
        {1, &Monkey::closeWindow},
    };
    int pick = below(std::accumulate(std::begin(kinds), std::end(kinds), 0,
                                     [](int sum, const Kind& kind) { return sum + kind.weight; }));
    const Kind* kind = kinds;
    for (; pick >= kind->weight; ++kind)
        pick -= kind->weight;
    // With no window up, time passes instead.
    DesignForm* form = top();
    if (!form)
        return timePasses();
    (this->*kind->fire)(form);
}

DesignForm* Monkey::screen() const
{
    for (DesignForm* form : Schermi::istanza().caricati())
        if (!Schermi::istanza().sotto(form))
            return form;
    return nullptr;
}

DesignForm* Monkey::top() const
{
    DesignForm* beneath = screen();
    for (DesignForm* form : Schermi::istanza().caricati())
        if (Schermi::istanza().sotto(form) == beneath && form != beneath)
            return form;
    return beneath;
}

QWidget* Monkey::anyWidget(DesignForm* form)
{
    QList<QWidget*> targets;
    for (QWidget* widget : form->findChildren<QWidget*>())
        if (widget->isVisible() && widget->isEnabled() && !widget->isWindow() && !widget->size().isEmpty())
            targets.append(widget);
    return targets.isEmpty() ? form : targets[below(int(targets.size()))];
}

CommandButton* Monkey::anyWay(DesignForm* form, bool enabledOnly)
{
    // Visible buttons that lead somewhere; Exit is left out: the program would end.
    QList<CommandButton*> buttons;
    for (CommandButton* button : form->findChildren<CommandButton*>())
        if (button->isVisible() && (button->isEnabled() || !enabledOnly)
            && button->objectName() != QLatin1String("BottoneEsci"))
            buttons.append(button);
    return buttons.isEmpty() ? nullptr : buttons[below(int(buttons.size()))];
}

QPoint Monkey::anyPoint(const QWidget* widget)
{
    return QPoint(below(widget->width()), below(widget->height()));
}

Monkey::State Monkey::state() const
{
    return {Modulo1::Esatti, Modulo1::Errati, top(), engine_.said.size()};
}

void Monkey::expectUnchanged(const State& before, const QString& what)
{
    const State after = state();
    if (!ended_ && after != before && broken_.isEmpty())
        broken_ = what + QStringLiteral(" acted: counts, top window or texts said changed (now %1/%2 on %3)")
                             .arg(after.esatti).arg(after.errati).arg(after.top ? after.top->objectName() : "none");
}

QPoint Monkey::windowPoint(DesignForm* form)
{
    QWidget* widget = anyWidget(form);
    return widget->mapTo(form, anyPoint(widget));
}

void Monkey::clickAt(DesignForm* form, QPoint p)
{
    if (QWindow* window = windowOf(form))
        QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, inWindow(form, p));
}

void Monkey::clickSoonAfter(DesignForm* form, QPoint p, int withinMs, const QString& what)
{
    const State before = state();
    // QTest moves its clock a double-click interval on after every release.
    QTest::lastMouseTimestamp += 1 + below(withinMs) - QTest::mouseDoubleClickInterval;
    clickAt(form, p);
    expectUnchanged(before, what);
}

void Monkey::click(DesignForm* form)
{
    const QPoint p = windowPoint(form);
    event_ = QStringLiteral("click ") + describeAt(form, p);
    clickAt(form, p);
}

QString Monkey::doubleClickOnce(DesignForm* form, QPoint p)
{
    doubleClickAt(form, p);
    return broken_.isEmpty() ? check() : std::exchange(broken_, QString());
}

void Monkey::doubleClick(DesignForm* form)
{
    doubleClickAt(form, windowPoint(form));
}

void Monkey::doubleClickAt(DesignForm* form, QPoint p)
{
    event_ = QStringLiteral("double click ") + describeAt(form, p);
    const QPoint global = form->mapToGlobal(p);
    clickAt(form, p);
    // The second press lands on whatever the first click left under the pointer.
    DesignForm* now = top();
    if (ended_ || !now)
        return;
    clickSoonAfter(now, now->mapFromGlobal(global), QGuiApplication::styleHints()->mouseDoubleClickInterval() / 2,
                   QStringLiteral("the second press of a double-click"));
}

void Monkey::quickClickAfterChange(DesignForm* form)
{
    // The change comes from a click too, so the program sees the time it came at.
    auto* conferma = form->findChild<CommandButton*>(QStringLiteral("BottoneEsci"));
    auto* back = form->findChild<QAction*>(QStringLiteral("mnuEsci"));
    if (form != screen() && conferma) {
        event_ = QStringLiteral("click ") + describe(conferma);
        clickAt(form, conferma->mapTo(form, conferma->rect().center()));
    } else if (back && form->menuBar()) {
        forceYes_ = true;
        event_ = QStringLiteral("click ") + describe(form) + QStringLiteral("/mnuEsci");
        clickAt(form, form->menuBar()->mapTo(form, form->menuBar()->actionGeometry(back).center()));
        forceYes_ = false;
    } else {
        goElsewhere(form);
    }
    DesignForm* now = top();
    if (ended_ || !now || now == form)
        return;
    const QPoint p = windowPoint(now);
    event_ += QStringLiteral(", at once a click ") + describeAt(now, p);
    clickSoonAfter(now, p, QGuiApplication::styleHints()->mouseDoubleClickInterval() - 2,
                   QStringLiteral("a click in the double-click interval after a screen change"));
}

void Monkey::carriedPress(DesignForm* form)
{
    if (!windowOf(form))
        return;
    const QPoint from = windowPoint(form);
    const QString pressed = describeAt(form, from);
    QTest::mousePress(windowOf(form), Qt::LeftButton, Qt::NoModifier, inWindow(form, from));
    leaveWithoutClicking(form);
    event_ = QStringLiteral("press ") + pressed + QStringLiteral(", ") + event_;
    DesignForm* now = top();
    if (ended_ || !now || now == form || !windowOf(now)) {
        // The screen stayed (the credits box came and went), or there is none to
        // release on: the button comes up where it went down, a plain click.
        if (QWindow* old = windowOf(form))
            QTest::mouseRelease(old, Qt::LeftButton, Qt::NoModifier, inWindow(form, from));
        else
            QTestPrivate::qtestMouseButtons = Qt::NoButton;
        return;
    }
    const QPoint to = windowPoint(now);
    event_ += QStringLiteral(", release on ") + now->objectName() + where(to);
    const State before = state();
    QTest::mouseRelease(windowOf(now), Qt::LeftButton, Qt::NoModifier, inWindow(now, to));
    expectUnchanged(before, QStringLiteral("a release of a press begun on another screen"));
}

bool Monkey::goBack(DesignForm* form)
{
    auto* back = form->findChild<QAction*>(QStringLiteral("mnuEsci"));
    if (!back)
        return false;
    forceYes_ = true;
    event_ = QStringLiteral("go back from ") + form->objectName();
    back->trigger();
    forceYes_ = false;
    return true;
}

void Monkey::leaveWithoutClicking(DesignForm* form)
{
    // The screen changes under a held button: by the menu, a dialog closing or
    // a button's own click, never by a press.
    if (form != screen())
        return closeWindow(form);
    if (goBack(form))
        return;
    if (CommandButton* button = anyWay(form, true)) {
        event_ = QStringLiteral("%1 clicked by the program").arg(describe(button));
        button->click();
    } else {
        closeWindow(form);
    }
}

void Monkey::mouseDrag(DesignForm* form)
{
    QPointer<QWidget> widget = anyWidget(form);
    const QPoint from = anyPoint(widget);
    const QPoint to = widget->mapFrom(form, anyPoint(form));
    event_ = QStringLiteral("drag ") + describe(widget) + where(from) + QStringLiteral(" to ") + where(to);
    QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier, from);
    // The pressed widget keeps the mouse while it moves, as with a real drag.
    for (int k = 1; k <= 4 && widget; ++k)
        QTest::mouseMove(widget, from + (to - from) * k / 4);
    if (widget)
        QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, to);
}

void Monkey::touchDrag(DesignForm* form)
{
    const QPoint from = anyPoint(form);
    const QPoint to = anyPoint(form);
    event_ = QStringLiteral("touch drag on ") + form->objectName() + where(from) + QStringLiteral(" to ") + where(to);
    QPointer<DesignForm> guard(form);
    QTest::touchEvent(form, touch_).press(0, from, form);
    for (int k = 1; k <= 3 && guard && guard->isVisible(); ++k)
        QTest::touchEvent(form, touch_).move(0, from + (to - from) * k / 3, form);
    QTest::touchEvent(form, touch_).release(0, to, form);
}

void Monkey::key(DesignForm* form)
{
    static const Qt::Key keys[] = {Qt::Key_Tab,  Qt::Key_Backtab, Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter,
                                   Qt::Key_Escape, Qt::Key_Left,  Qt::Key_Right, Qt::Key_Up,     Qt::Key_Down,
                                   Qt::Key_Home, Qt::Key_End,     Qt::Key_PageUp, Qt::Key_F1,    Qt::Key_Delete};
    const int count = int(std::size(keys));
    const int pick = below(count + 8);
    const Qt::Key chosen = pick < count ? keys[pick] : Qt::Key(Qt::Key_A + below(26));
    QWidget* focus = QApplication::focusWidget();
    QWidget* target = focus && (focus == form || form->isAncestorOf(focus)) ? focus : form;
    event_ = QStringLiteral("key %1 on ").arg(int(chosen), 0, 16) + describe(target);
    QTest::keyClick(target, chosen);
}

void Monkey::menuItem(DesignForm* form)
{
    QList<QAction*> items;
    if (form->menuBar())
        for (QAction* action : form->menuBar()->actions())
            if (action->isVisible() && action->isEnabled())
                items += action->menu() ? action->menu()->actions() : QList<QAction*>{action};
    if (items.isEmpty())
        return click(form);
    QAction* item = items[below(int(items.size()))];
    event_ = QStringLiteral("menu ") + form->objectName() + QLatin1Char('/') + item->objectName();
    item->trigger();
}

void Monkey::goElsewhere(DesignForm* form)
{
    if (form != screen())
        return closeWindow(form);
    if (goBack(form))
        return;
    if (CommandButton* button = anyWay(form, false)) {
        event_ = QStringLiteral("go to ") + describe(button);
        clickAt(form, button->mapTo(form, button->rect().center()));
    } else if (form->client()) {
        const QPoint p = anyPoint(form->client());
        event_ = QStringLiteral("click the background of ") + form->objectName() + where(p);
        clickAt(form, form->client()->mapTo(form, p));
    } else {
        timePasses();
    }
}

void Monkey::resize(DesignForm*)
{
    DesignForm* form = screen();
    if (!form)
        return timePasses();
    const QSize size = SchoolScreens[below(int(std::size(SchoolScreens)))];
    event_ = QStringLiteral("resize %1 to %2x%3").arg(form->objectName()).arg(size.width()).arg(size.height());
    // The child resizes the window; the screens in it follow.
    form->window()->setGeometry(QRect(QPoint(0, 0), size));
}

void Monkey::minimise(DesignForm* form)
{
    if (form != screen())
        return timePasses();
    event_ = QStringLiteral("minimise ") + form->objectName();
    form->window()->showMinimized();
    restoreIn_ = 1 + below(3);
}

void Monkey::closeWindow(DesignForm* form)
{
    event_ = QStringLiteral("close the window of ") + form->objectName();
    form->close();
}

void Monkey::timePasses(DesignForm*)
{
    const int ms = 1 + below(30);
    event_ = QStringLiteral("%1 ms pass, speech ends").arg(ms);
    engine_.finishAll();
    QTest::qWait(ms);
}

bool Monkey::eventFilter(QObject* watched, QEvent* event)
{
    auto* form = qobject_cast<DesignForm*>(watched);
    if (event->type() == QEvent::Show && form && !restoring_ && broken_.isEmpty()
        && QRect(form->mapToGlobal(QPoint(0, 0)), form->size()) != form->screenRect())
        broken_ = QStringLiteral("%1 first shown at %2 %3x%4, not over its whole screen")
                      .arg(form->objectName(), where(form->mapToGlobal(QPoint(0, 0))))
                      .arg(form->width()).arg(form->height());
    return false;
}

QString Monkey::check()
{
    if (ended_)
        return {};
    if (Modulo1::Esatti < 0 || Modulo1::Errati < 0)
        return QStringLiteral("negative count: Esatti %1, Errati %2").arg(Modulo1::Esatti).arg(Modulo1::Errati);

    QStringList screens;
    const QList<DesignForm*> loaded = Schermi::istanza().caricati();
    for (const DesignForm* form : loaded)
        if (!Schermi::istanza().sotto(form))
            screens.append(form->objectName());
    if (screens.size() != 1)
        return QStringLiteral("%1 screens loaded (%2), not one").arg(screens.size()).arg(screens.join(QLatin1Char(' ')));

    for (const DesignForm* form : loaded) {
        if (!form->isVisible() || minimised(form))
            continue;
        const QRect window = form->rect().adjusted(-1, -1, 1, 1);
        for (const QPointer<QWidget>& control : form->designControls()) {
            if (!control || !control->isVisibleTo(form) || control->isWindow() || control->size().isEmpty())
                continue;
            const QRect place(control->mapTo(form, QPoint(0, 0)), control->size());
            if (!window.contains(place))
                return QStringLiteral("%1 at %2 %3x%4 lies outside its %5x%6 window")
                    .arg(describe(control), where(place.topLeft()))
                    .arg(place.width()).arg(place.height()).arg(form->width()).arg(form->height());
        }
    }

    stuckFor_ = acceptsInput(top()) ? 0 : stuckFor_ + 1;
    if (stuckFor_ > StuckLimit)
        return QStringLiteral("%1 has taken no input for %2 events").arg(top()->objectName()).arg(StuckLimit);
    return {};
}
