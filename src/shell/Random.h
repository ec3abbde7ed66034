#pragma once
// The program's one random generator.

#include <cstdint>

namespace Random {

// Seeds from the clock; called once at start-up.
void Randomize();
void Seed(std::uint32_t seed);

// A fraction in [0, 1).
float Rnd();

// A whole number 1..n, each equally likely: Int(Rnd * n) + 1.
int Draw(int n);

}  // namespace Random
