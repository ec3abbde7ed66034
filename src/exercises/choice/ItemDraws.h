#pragma once
// The draws of one item: different whole numbers, each drawn again while it
// equals one drawn before it.

#include <QList>
#include <functional>

namespace ItemDraws {

// A draw of 1..n; the shared generator unless a test gives its own.
using Estrazione = std::function<int(int n)>;

// `quanti` different numbers of 1..n, in the order they were drawn.
QList<int> distinti(int quanti, int n, const Estrazione& estrai = {});

// The place of the right answer among `posti`: Int(Rnd * posti), 0-based.
int Giusto(int posti, const Estrazione& estrai = {});

}  // namespace ItemDraws
