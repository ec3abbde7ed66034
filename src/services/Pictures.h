#pragma once
// The picture of a word: jpg/<word>.jpg beside the program, loaded anew each time.

#include <QImage>
#include <QSize>
#include <QString>

namespace Pictures {

QString percorso(const QString& word);

// A null image when the file is missing, empty, broken or not a picture; the
// failure is told once per file on stderr. A larger picture is decoded at the
// smallest size that still covers `toCover`, or, without it, at most at the
// size of the largest place on a 4K screen.
QImage carica(const QString& word, QSize toCover = {});

}  // namespace Pictures
