#pragma once
// The questions "How many ... got?" and their answers, items 1..42: three
// subjects (you, he, she) times fourteen body words.

#include <QList>
#include <QString>

namespace Frasi {

struct Frase {
    QString domanda;
    QString risposta;
};

constexpr int Numero = 42;

// Items 0..42; item 0 stays empty.
QList<Frase> tabella();

}  // namespace Frasi
