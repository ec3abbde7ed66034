#include "exercises/choice/ItemDraws.h"

#include "shell/Random.h"

#include <cassert>

namespace ItemDraws {

namespace {

int estrazione(const Estrazione& estrai, int n)
{
    return estrai ? estrai(n) : Random::Draw(n);
}

}  // namespace

QList<int> distinti(int quanti, int n, const Estrazione& estrai)
{
    // More numbers than 1..n holds would never end.
    assert(quanti <= n);
    QList<int> drawn;
    drawn.reserve(quanti);
    while (drawn.size() < quanti) {
        int value = estrazione(estrai, n);
        while (drawn.contains(value))
            value = estrazione(estrai, n);
        drawn.append(value);
    }
    return drawn;
}

int Giusto(int posti, const Estrazione& estrai)
{
    return estrazione(estrai, posti) - 1;
}

}  // namespace ItemDraws
