#include "services/controls/CaptionFit.h"

#include "services/controls/FitMemo.h"

#include <QFontMetricsF>
#include <algorithm>
#include <bit>

namespace {

constexpr double SmallestPoints = 4.0;
// A phrase kept whole may be this much smaller than the largest layout.
constexpr double WholePhraseShrink = 0.85;
constexpr int MostLines = 3;

// The largest size up to the font's own at which every line fits the area.
double fittingPoints(QFont font, const QStringList& lines, const QSizeF& area)
{
    double points = font.pointSizeF();
    while (points > SmallestPoints) {
        font.setPointSizeF(points);
        const QFontMetricsF metrics(font);
        double widest = 0;
        for (const QString& line : lines)
            widest = std::max(widest, metrics.horizontalAdvance(line));
        const double tall = metrics.lineSpacing() * double(lines.size());
        if (widest <= area.width() + 0.5 && tall <= area.height() + 0.5)
            return points;
        // Straight to about the size that fits, then down in small steps.
        const double ratio = std::min(area.width() / std::max(1.0, widest), area.height() / std::max(1.0, tall));
        points = std::min(points * 0.97, points * std::max(0.5, ratio));
    }
    return SmallestPoints;
}

CaptionFit bestLayout(const QFont& font, const QString& caption, const QSizeF& area)
{
    const QStringList words = caption.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.size() < 2)
        return {{caption}, fittingPoints(font, {caption}, area)};

    struct Candidate {
        CaptionFit fit;
        int phraseBreaks;
    };
    QList<Candidate> candidates;
    const int gaps = int(words.size()) - 1;
    for (unsigned breaks = 0; breaks < (1u << gaps); ++breaks) {
        if (std::popcount(breaks) >= MostLines)
            continue;
        QStringList lines{words.first()};
        int phraseBreaks = 0;
        bool allowed = true;
        for (int gap = 0; gap < gaps; ++gap) {
            const QString& next = words[gap + 1];
            if (!(breaks & (1u << gap))) {
                lines.last() += QLatin1Char(' ') + next;
                continue;
            }
            // "2 -" stays together; after the dash is where a caption breaks best.
            if (next == QLatin1String("-"))
                allowed = false;
            else if (words[gap] != QLatin1String("-"))
                ++phraseBreaks;
            lines << next;
        }
        if (allowed)
            candidates.append({{lines, fittingPoints(font, lines, area)}, phraseBreaks});
    }
    double largest = 0;
    for (const Candidate& candidate : candidates)
        largest = std::max(largest, candidate.fit.points);
    // Of the layouts nearly as large as the largest, the one that breaks its
    // phrase least, then the larger, then the one with fewer lines.
    const Candidate* best = nullptr;
    for (const Candidate& candidate : candidates) {
        if (candidate.fit.points < largest * WholePhraseShrink)
            continue;
        if (!best || candidate.phraseBreaks < best->phraseBreaks
            || (candidate.phraseBreaks == best->phraseBreaks
                && (candidate.fit.points > best->fit.points + 0.01
                    || (candidate.fit.points > best->fit.points - 0.01
                        && candidate.fit.lines.size() < best->fit.lines.size()))))
            best = &candidate;
    }
    return best->fit;
}

}  // namespace

CaptionFit CaptionFit::of(const QFont& font, const QString& caption, const QSizeF& area)
{
    static FitMemo<CaptionFit> fits;
    return fits.of(font, caption, area, [&] { return bestLayout(font, caption, area); });
}
