#include "games/MemoryDeal.h"

#include "exercises/ordering/OrderingRules.h"

#include <algorithm>
#include <vector>

namespace MemoryDeal {

std::array<int, Places> deal(const Fraction& rnd)
{
    std::vector<int> draws(Places);
    for (int& draw : draws)
        draw = drawBelow(rnd, Places);
    const std::vector<int> covers = Ordinamento::primoLibero(draws);
    std::array<int, Places> coverAt{};
    std::copy(covers.begin(), covers.end(), coverAt.begin());
    return coverAt;
}

}  // namespace MemoryDeal
