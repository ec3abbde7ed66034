#include "GameFigures.h"

#include "Waiting.h"
#include "app/FormCatalogue.h"
#include "games/WordSearchGrid.h"
#include "services/DesignForm.h"
#include "services/controls/TextLabel.h"
#include "shell/Modulo1.h"
#include "shell/Schermi.h"

#include <QGuiApplication>
#include <QStyleHints>
#include <QElapsedTimer>
#include <QTest>
#include <random>

namespace {
constexpr int Builds = 10000;
constexpr int Turns = 5;
}

QList<Figure> wordSearchFigures()
{
    Modulo1::CaricaParole();
    QList<Figure> rates;
    Figure slowest{};
    for (int set = 1; set <= WordSearchSets::Count; ++set) {
        const WordSearchSets::Words words = WordSearchSets::set(set);
        std::mt19937 generator(20261207u + unsigned(set));
        std::uniform_real_distribution<float> fraction(0.0f, 1.0f);
        const Fraction rnd = [&] { return std::min(fraction(generator), 0.99999994f); };
        QList<double> times;
        times.reserve(Builds);
        int gaveUp = 0;
        for (int i = 0; i < Builds; ++i) {
            QElapsedTimer clock;
            clock.start();
            const WordSearchGrid grid = WordSearchGrid::build(words, rnd);
            times.append(clock.nsecsElapsed() / 1e6);
            if (grid.placed < WordSearchGrid::Words)
                ++gaveUp;
        }
        const Figure build = summarise(QStringLiteral("wordsearch_build_ms"), times, QStringLiteral("ms"), QStringLiteral("<= 1"));
        if (set == 1 || build.value > slowest.value)
            slowest = build;
        rates.append(summarise(QStringLiteral("wordsearch_giveup_rate_set%1").arg(set), {double(gaveUp) / Builds},
                               QStringLiteral("share"), QString()));
    }
    return QList<Figure>{slowest} + rates;
}

QList<Figure> memoryFigures()
{
    registraSchermi();
    Modulo1::CaricaParole();
    DesignForm* memory = Schermi::istanza().mostra(QStringLiteral("FormMemory"));
    if (!memory || !QTest::qWaitForWindowExposed(memory))
        qFatal("the memory game was never shown");
    const auto cover = [memory](int k) { return memory->findChild<TextLabel*>(QStringLiteral("Label2(%1)").arg(k)); };
    QList<double> times;
    // Two pictures of different words: a miss, whose covers come back.
    for (int turn = 0; turn < Turns; ++turn) {
        TextLabel* first = cover(2 * turn);
        TextLabel* second = cover(2 * turn + 1);
        QTest::mouseClick(first, Qt::LeftButton);
        // Apart enough not to be one double-click.
        idleFor(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 100);
        QTest::mouseClick(second, Qt::LeftButton);
        QElapsedTimer clock;
        clock.start();
        if (waitUntil([second] { return second->isVisible(); }, 5000))
            times.append(clock.nsecsElapsed() / 1e6);
    }
    Schermi::istanza().svuota();
    return {summarise(QStringLiteral("memory_cover_back_ms"), times, QStringLiteral("ms"),
                      QStringLiteral("1500 +- 20"))};
}
