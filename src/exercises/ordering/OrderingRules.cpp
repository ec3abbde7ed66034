#include "exercises/ordering/OrderingRules.h"

namespace Ordinamento {

std::vector<int> primoLibero(const std::vector<int>& draws)
{
    const int n = int(draws.size());
    std::vector<bool> placed(draws.size(), false);
    std::vector<int> items;
    items.reserve(draws.size());
    for (int draw : draws) {
        int k = ((draw % n) + n) % n;
        while (placed[k])
            k = (k + 1) % n;
        placed[k] = true;
        items.push_back(k);
    }
    return items;
}

Esito giudica(int& prossimo, int index, int n)
{
    if (prossimo >= n || index != prossimo)
        return Esito::Sbagliato;
    ++prossimo;
    return prossimo == n ? Esito::Completo : Esito::Giusto;
}

std::array<int, 3> ordineDelleParole(int scelta)
{
    static constexpr std::array<std::array<int, 3>, 6> orders = {{
        {0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 1, 0}, {2, 0, 1},
    }};
    return orders[std::size_t(((scelta % 6) + 6) % 6)];
}

}  // namespace Ordinamento
