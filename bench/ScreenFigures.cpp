#include "ScreenFigures.h"

#include "Waiting.h"
#include "app/FormCatalogue.h"
#include "services/DesignForm.h"
#include "services/controls/CommandButton.h"
#include "services/speech/SpeechControl.h"
#include "shell/Modulo1.h"
#include "shell/Schermi.h"

#include <QElapsedTimer>
#include <QSet>
#include <QTest>

namespace {

constexpr int Runs = 5;
constexpr int IdleMs = 5000;
// Long enough for any screen's spoken opening.
constexpr int SpeechMs = 30000;

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
    return menu;
}

DesignForm* loadedExercise()
{
    for (DesignForm* form : Schermi::istanza().caricati())
        if (form->objectName() != QLatin1String("FormMenu"))
            return form;
    return nullptr;
}

// Clicks a menu button and times it until the screen it opens is drawn.
double timeSwitch(DesignForm* menu, const QString& button)
{
    bool drawn = false;
    FirstPaint painted([&drawn] { drawn = true; });
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(menu->findChild<CommandButton*>(button), Qt::LeftButton);
    waitUntil([&drawn] { return drawn; }, 5000);
    return clock.nsecsElapsed() / 1e6;
}

}  // namespace

QList<Figure> screenFigures()
{
    registraSchermi();
    Modulo1::CaricaParole();
    QList<Figure> switches;
    QList<Figure> idle;
    QList<double> allSwitches;
    QSet<QString> measured;
    for (const QString& button : screenButtons(openMenu())) {
        QString form;
        QList<double> samples;
        for (int run = 0; run < Runs; ++run) {
            const double ms = timeSwitch(openMenu(), button);
            DesignForm* exercise = loadedExercise();
            if (!exercise)
                break;
            form = exercise->objectName();
            samples << ms;
            if (run == Runs - 1 && !measured.contains(form)) {
                SpeechControl* mouth = exercise->mouth();
                waitUntil([mouth] { return !mouth || !mouth->isSpeaking(); }, SpeechMs);
                idle << summarise(QStringLiteral("idle_cpu_percent_") + form, {idleCpuPercent(IdleMs)},
                                  QStringLiteral("%"), QStringLiteral("0"));
            }
            Schermi::istanza().chiudi(exercise);
        }
        // Two buttons of the menu open the same screen.
        if (form.isEmpty() || measured.contains(form))
            continue;
        measured.insert(form);
        allSwitches << samples;
        switches << summarise(QStringLiteral("switch_") + form + QStringLiteral("_ms"), samples,
                              QStringLiteral("ms"), QStringLiteral("<= 50"));
    }
    Schermi::istanza().svuota();
    return QList<Figure>{summarise(QStringLiteral("menu_to_exercise_ms"), allSwitches, QStringLiteral("ms"),
                                   QStringLiteral("<= 50"))}
           + switches + idle
           + QList<Figure>{summarise(QStringLiteral("rss_peak_mb"), {peakRssMb()}, QStringLiteral("MiB"),
                                     QStringLiteral("<= 60"))};
}
