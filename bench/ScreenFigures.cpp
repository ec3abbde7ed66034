#include "ScreenFigures.h"

#include "SwitchFloor.h"
#include "Waiting.h"
#include "app/FormCatalogue.h"
#include "app/TestiDelProgramma.h"
#include "services/DesignForm.h"
#include "services/Pictures.h"
#include "services/controls/CommandButton.h"
#include "services/controls/PictureImage.h"
#include "services/speech/EspeakSynth.h"
#include "services/speech/SpeechControl.h"
#include "services/speech/SpeechEngine.h"
#include "services/speech/VoiceEngine.h"
#include "shell/Modulo1.h"
#include "shell/Schermi.h"

#include <QElapsedTimer>
#include <QHash>
#include <QSet>
#include <QTest>
#include <cstdio>

namespace {

constexpr int Rounds = 5;
constexpr int IdleMs = 5000;
// Long enough for any screen's spoken opening.
constexpr int SpeechMs = 30000;
// No paint for this long after the pictures are in: the screen is drawn.
constexpr int SettleMs = 300;
// Two frames at 60 Hz: the most a switch may take.
constexpr double SlowSwitchMs = 33;

// The menu buttons that open a screen, in the menu's order.
QStringList screenButtons(const DesignForm* menu)
{
    static const QSet<QString> notScreens = {QStringLiteral("Command1"), QStringLiteral("Command14"),
                                             QStringLiteral("BottoneEsci")};
    QStringList names;
    for (const CommandButton* button : menu->findChildren<CommandButton*>())
        if (!notScreens.contains(button->objectName()))
            names << button->objectName();
    return names;
}

DesignForm* openMenu()
{
    DesignForm* menu = Schermi::istanza().mostra(QStringLiteral("FormMenu"));
    if (!menu || !QTest::qWaitForWindowExposed(menu))
        qFatal("the menu was never shown");
    waitUntil([menu] { return !menu->mouth() || !menu->mouth()->isSpeaking(); }, SpeechMs);
    // A child looks at the menu before clicking it.
    waitUntilQuiet(SettleMs);
    return menu;
}

DesignForm* loadedExercise()
{
    for (DesignForm* form : Schermi::istanza().caricati())
        if (form->objectName() != QLatin1String("FormMenu"))
            return form;
    return nullptr;
}

// Every picture the screen shows in, none still decoding; a covered one is decoded when it is turned.
bool picturesIn(const DesignForm* form)
{
    if (Pictures::occupato())
        return false;
    for (const PictureImage* picture : form->findChildren<PictureImage*>())
        if (picture->isVisible() && !picture->copertura() && picture->showsPlaceholder())
            return false;
    return true;
}

struct Switch {
    double ms;           // wall clock
    double threadCpuMs;  // the interface thread's share of it
    double otherCpuMs;   // the process's other threads (decoding, speech) meanwhile
    int frames;          // the menu's pressed button included
};

// Clicks a menu button and times it until the last paint of the screen it
// opens, fully drawn: its pictures in, and nothing but the mouth painted since.
Switch timeSwitch(DesignForm* menu, const QString& button)
{
    QElapsedTimer clock;
    LastPaint painted(clock);
    clock.start();
    const double cpuBefore = threadCpuMs();
    const double processBefore = processCpuMs();
    QTest::mouseClick(menu->findChild<CommandButton*>(button), Qt::LeftButton);
    waitUntil(
        [] {
            const DesignForm* exercise = loadedExercise();
            return exercise && exercise->isVisible() && picturesIn(exercise);
        },
        5000);
    waitUntilQuiet(painted, clock, SettleMs);
    const double threadCpu = painted.threadCpuMs() - cpuBefore;
    return {painted.ms(), threadCpu, painted.processCpuMs() - processBefore - threadCpu, painted.frames()};
}

// A switch over two frames, beside the screen's usual one: whether it did more
// work (more CPU on the interface thread or beside it) or the same work slower.
void reportSlowSwitches(const QString& form, const QList<Switch>& timed, double usualMs)
{
    QList<double> cpu;
    for (const Switch& one : timed)
        cpu << one.threadCpuMs;
    const double usualCpuMs = median(cpu);
    for (qsizetype round = 0; round < timed.size(); ++round) {
        const Switch& one = timed.at(round);
        if (one.ms > SlowSwitchMs)
            std::printf("slow switch to %s in round %lld: %.1f ms (usually %.1f), interface thread %.1f ms CPU "
                        "(usually %.1f), other threads %.1f ms CPU\n",
                        qPrintable(form), static_cast<long long>(round + 1), one.ms, usualMs, one.threadCpuMs,
                        usualCpuMs, one.otherCpuMs);
    }
}

}  // namespace

QList<Figure> screenFigures()
{
    registraSchermi();
    Modulo1::CaricaParole();
    // As the program does: its texts are made while the child looks at the menu.
    SpeechEngine::startEarly();
    EspeakSynth::makeAhead(testiDelProgramma());
    // The welcome's text sets the voice and speed the others are made in; the menu says nothing.
    if (SpeechControl* mouth = openMenu()->mouth()) {
        mouth->Speak(QStringLiteral("welcome. unit 8. Quillet"));
        waitUntil([mouth] { return !mouth->isSpeaking(); }, SpeechMs);
    }
    if (const EspeakSynth* synth = EspeakSynth::shared(voiceDataParent()))
        waitUntil([synth] { return synth->madeAhead(); }, 10 * SpeechMs);
    constexpr auto SwitchGoal = "median <= 20, max <= 33";
    // Round after round over all the screens, not one screen's runs in a row:
    // a slow spell of the machine then falls on every screen alike, not on
    // the median of the one that happened to be measured in it.
    const QStringList buttons = screenButtons(openMenu());
    QStringList forms;  // in the menu's order
    QHash<QString, QString> formOf;  // of a button, the first that opens it
    QHash<QString, QList<Switch>> switchesOf;
    QList<Figure> idle;
    QList<double> allSwitches;
    QList<double> threadCpu;
    QList<double> frames;
    for (int round = 0; round < Rounds; ++round) {
        for (const QString& button : buttons) {
            // Two buttons of the menu open the same screen.
            if (round > 0 && !formOf.contains(button))
                continue;
            const Switch timed = timeSwitch(openMenu(), button);
            DesignForm* exercise = loadedExercise();
            if (!exercise)
                continue;
            const QString form = exercise->objectName();
            if (round == 0 && !forms.contains(form)) {
                forms << form;
                formOf.insert(button, form);
            }
            if (formOf.value(button) == form) {
                switchesOf[form] << timed;
                allSwitches << timed.ms;
                threadCpu << timed.threadCpuMs;
                frames << timed.frames;
                if (round == Rounds - 1) {
                    SpeechControl* mouth = exercise->mouth();
                    waitUntil([mouth] { return !mouth || !mouth->isSpeaking(); }, SpeechMs);
                    // Idle once the closed mouth is drawn and the wait's own timers have run out.
                    waitUntilQuiet(SettleMs);
                    idle << summarise(QStringLiteral("idle_cpu_percent_") + form, {idleCpuPercent(IdleMs)},
                                      QStringLiteral("%"), QStringLiteral("0"));
                }
            }
            Schermi::istanza().chiudi(exercise);
        }
    }
    QList<Figure> switches;
    for (const QString& form : forms) {
        QList<double> wall;
        for (const Switch& timed : switchesOf.value(form))
            wall << timed.ms;
        switches << summarise(QStringLiteral("switch_") + form + QStringLiteral("_ms"), wall, QStringLiteral("ms"),
                              QLatin1String(SwitchGoal));
        reportSlowSwitches(form, switchesOf.value(form), switches.last().value);
    }
    Schermi::istanza().svuota();
    // The program's peak, before the bare windows add theirs.
    const Figure rssPeak = summarise(QStringLiteral("rss_peak_mb"), {peakRssMb()}, QStringLiteral("MiB"),
                                     QStringLiteral("<= 60"));
    switches << switchFloorFigure();
    // Steadier than the wall clock beside other work: to compare two builds.
    return QList<Figure>{summarise(QStringLiteral("menu_to_exercise_ms"), allSwitches, QStringLiteral("ms"),
                                   QLatin1String(SwitchGoal)),
                         summarise(QStringLiteral("ui_thread_cpu_per_switch_ms"), threadCpu, QStringLiteral("ms"),
                                   QStringLiteral("lower")),
                         summarise(QStringLiteral("frames_per_switch"), frames, QStringLiteral("frames"),
                                   QStringLiteral("2: the pressed button, then the screen whole"))}
           + switches + idle + QList<Figure>{rssPeak};
}
