#include "games/MemoryDeal.h"

namespace MemoryDeal {

std::array<int, Places> deal(const Fraction& rnd)
{
    std::array<int, Places> coverAt{};
    std::array<bool, Places> taken{};
    for (int place = 0; place < Places; ++place) {
        int cover = drawBelow(rnd, Places);
        while (taken[cover])
            cover = (cover + 1) % Places;
        taken[cover] = true;
        coverAt[place] = cover;
    }
    return coverAt;
}

}  // namespace MemoryDeal
