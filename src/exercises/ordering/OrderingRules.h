#pragma once
// The rules of the ordering and matching rounds, free of any screen.

#include <array>
#include <vector>

namespace Ordinamento {

// The item each place receives, places taken in increasing order: place i
// takes the item of draws[i], or the first free item after it, wrapping
// round. A draw outside 0..n-1 is folded back into that range.
std::vector<int> primoLibero(const std::vector<int>& draws);

enum class Esito {
    Sbagliato,  // not the item expected next (or the round is already complete)
    Giusto,     // the expected item, more are still to come
    Completo,   // the expected item, and the last of the round
};

// Judges a click on item `index` while `prossimo` items of `n` are in order;
// a right click moves `prossimo` on.
Esito giudica(int& prossimo, int index, int n);

// The word label under each of the three boxes for each of the six orders.
std::array<int, 3> ordineDelleParole(int scelta);

}  // namespace Ordinamento
