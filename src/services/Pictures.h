#pragma once
// The picture of a word: jpg/<word>.jpg beside the program, loaded anew each time.

#include <QImage>
#include <QString>

namespace Pictures {

QString percorso(const QString& word);

// A null image when the file is missing, empty, broken or not a picture; the
// failure is told once per file on stderr. Very large photos are decoded at a
// reduced size, so loading stays quick.
QImage carica(const QString& word);

}  // namespace Pictures
