#pragma once
// A seeded monkey: fires random input at whatever screen is up (clicks,
// double-clicks, quick clicks after a screen change, presses carried across
// screens, drags, touch, keys, menu items, resizes, minimising, closing,
// answering boxes, time passing, going elsewhere) and checks the program's
// invariants after each event. The same seed gives the same events.

#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <random>

class CommandButton;
class DesignForm;
class QPointingDevice;
class QWidget;
class RecordingEngine;

class Monkey : public QObject {
    Q_OBJECT
public:
    Monkey(RecordingEngine& engine, quint32 seed);

    // Starts the program and fires `events` events; returns the first broken
    // invariant with its seed, event and replay line, or an empty string.
    QString run(int events);

    // Names of the screens and dialogs seen loaded.
    const QSet<QString>& visited() const { return visited_; }

    // One double-click at a point of a screen, given as the random ones are;
    // returns the first broken invariant, or an empty string.
    QString doubleClickOnce(DesignForm* form, QPoint p);
    DesignForm* top() const;  // the dialog over the screen, or the screen

protected:
    // A screen is drawn first at its full size: no smaller frame is ever shown.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void start();
    void step();
    QString check();

    DesignForm* screen() const;  // the loaded screen that is no dialog
    QWidget* anyWidget(DesignForm* form);
    QPoint anyPoint(const QWidget* widget);
    // A button that leads off the screen, or null.
    CommandButton* anyWay(DesignForm* form, bool enabledOnly);
    int below(int n);

    // What a child's input may change, compared whole.
    struct State {
        qint16 esatti = 0;
        qint16 errati = 0;
        const DesignForm* top = nullptr;
        qsizetype said = 0;
        bool operator==(const State&) const = default;
    };
    State state() const;
    // Breaks the run when `what` changed anything since `before`.
    void expectUnchanged(const State& before, const QString& what);

    // Input as the window system delivers it: to the window, which picks the control.
    QPoint windowPoint(DesignForm* form);
    void clickAt(DesignForm* form, QPoint p);
    // A click up to `withinMs` after the last release, that must change nothing.
    void clickSoonAfter(DesignForm* form, QPoint p, int withinMs, const QString& what);

    // The kinds of event, each given the top window.
    void click(DesignForm* form);
    void doubleClick(DesignForm* form);
    void doubleClickAt(DesignForm* form, QPoint p);
    void quickClickAfterChange(DesignForm* form);
    void carriedPress(DesignForm* form);
    // "Go back" answered Yes, when the screen has it.
    bool goBack(DesignForm* form);
    void leaveWithoutClicking(DesignForm* form);
    void mouseDrag(DesignForm* form);
    void touchDrag(DesignForm* form);
    void key(DesignForm* form);
    void goElsewhere(DesignForm* form);
    void closeWindow(DesignForm* form);
    void menuItem(DesignForm* form);
    // Resizes the screen beneath any dialog; minimises it when no dialog is up.
    void resize(DesignForm*);
    void minimise(DesignForm* form);
    void timePasses(DesignForm* = nullptr);

    RecordingEngine& engine_;
    quint32 seed_;
    std::mt19937 rng_;
    QPointingDevice* touch_ = nullptr;
    QString event_;
    QStringList recent_;
    QSet<QString> visited_;
    bool forceYes_ = false;  // the next box is answered Yes
    bool ended_ = false;
    int restoreIn_ = 0;
    int stuckFor_ = 0;
    bool restoring_ = false;
    QString broken_;  // an invariant broken inside an event, reported after it
};
