#pragma once
// Caption fits shared by every control of a kind. A screen builds its controls
// anew on each visit, and finding the size a caption fits at lays it out at
// size after size; the same captions come back at the same sizes.

#include <QFont>
#include <QHash>
#include <QSizeF>
#include <QString>

template <typename Fit>
class FitMemo {
public:
    template <typename Find>
    Fit of(const QFont& font, const QString& caption, const QSizeF& area, Find find)
    {
        const QString key = font.key() + QLatin1Char('|') + QString::number(area.width()) + QLatin1Char('x')
                            + QString::number(area.height()) + QLatin1Char('|') + caption;
        if (const auto found = known_.constFind(key); found != known_.cend())
            return *found;
        // Sizes change with the window, captions hardly: the bound only guards against the unforeseen.
        if (known_.size() >= MostKept)
            known_.clear();
        return *known_.insert(key, find());
    }

private:
    static constexpr qsizetype MostKept = 4096;
    QHash<QString, Fit> known_;
};
