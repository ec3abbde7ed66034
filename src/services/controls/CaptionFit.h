#pragma once
// Lays a button's caption out in its place: as large as it fits, up to the
// button's own font size, broken between the words that belong together.
// A caption such as "2 - What is it?" breaks after its number first: its
// phrase is broken only when keeping it whole would make the words clearly
// smaller.

#include <QFont>
#include <QSizeF>
#include <QStringList>

struct CaptionFit {
    QStringList lines;
    double points = 0;

    static CaptionFit of(const QFont& font, const QString& caption, const QSizeF& area);
};
