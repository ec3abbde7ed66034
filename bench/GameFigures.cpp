#include "GameFigures.h"

#include "games/WordSearchGrid.h"
#include "shell/Modulo1.h"

#include <QElapsedTimer>
#include <random>

namespace {
constexpr int Builds = 10000;
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
