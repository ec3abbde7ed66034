#pragma once
// Laying the 24 memory covers out on the 24 places at random.

#include "games/Fraction.h"

#include <array>

namespace MemoryDeal {

constexpr int Places = 24;

// The cover on each place: place i takes a random cover, or the next free one after it.
std::array<int, Places> deal(const Fraction& rnd);

}  // namespace MemoryDeal
