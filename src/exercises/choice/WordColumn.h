#pragma once
// The column of five answers of the word and sentence screens: Label1(1) on
// top, then Label1(0), (2), (3) and (4), 1080 twips apart.

#include <QList>
#include <QRect>

inline QList<QRect> colonnaDiCinque(int left, int top, QSize size)
{
    const int order[] = {1, 0, 2, 3, 4};
    QList<QRect> places(5);
    for (int row = 0; row < 5; ++row)
        places[order[row]] = QRect(QPoint(left, top + row * 1080), size);
    return places;
}
