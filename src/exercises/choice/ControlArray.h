#pragma once
// Elements of a row of like controls are named after the row and their index: "Image1(2)".

#include <QString>

inline QString elementoDi(const QString& row, int index)
{
    return row + QLatin1Char('(') + QString::number(index) + QLatin1Char(')');
}
