#include "shell/Random.h"

#include <chrono>
#include <random>

namespace Random {

namespace {

std::mt19937& generatore()
{
    static std::mt19937 engine(5489u);
    return engine;
}

}  // namespace

void Randomize()
{
    Seed(static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
}

void Seed(std::uint32_t seed)
{
    generatore().seed(seed);
}

float Rnd()
{
    // 24 random bits: every value is exact in a float and strictly below 1.
    return static_cast<float>(generatore()() >> 8) * (1.0f / 16777216.0f);
}

int Draw(int n)
{
    // The product in double: in float, Rnd * 42 can round up to 42 itself.
    const int value = static_cast<int>(static_cast<double>(Rnd()) * n) + 1;
    return value > n ? n : value;
}

}  // namespace Random
