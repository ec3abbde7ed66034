#pragma once
// What is worked out for a caption in a font and an area (the size it fits at,
// its outline), shared by every control of a kind. A screen builds its controls
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
        // Looked up at every paint of every label: a key of the values
        // themselves, not a string spelt out of them each time.
        const Key key{font, caption, area};
        if (const auto found = known_.constFind(key); found != known_.cend())
            return *found;
        // Sizes change with the window, captions hardly: the bound only guards against the unforeseen.
        if (known_.size() >= MostKept)
            known_.clear();
        return *known_.insert(key, find());
    }

private:
    struct Key {
        QFont font;
        QString caption;
        QSizeF area;

        bool operator==(const Key& other) const
        {
            return area.width() == other.area.width() && area.height() == other.area.height() && caption == other.caption
                   && font == other.font;
        }
        friend size_t qHash(const Key& key, size_t seed = 0)
        {
            return qHashMulti(seed, key.font, key.caption, key.area.width(), key.area.height());
        }
    };

    static constexpr qsizetype MostKept = 4096;
    QHash<Key, Fit> known_;
};
