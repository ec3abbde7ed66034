#pragma once
// A source of random fractions in [0, 1): the program's generator on screen,
// a seeded or scripted one in tests and benchmarks.

#include <algorithm>
#include <functional>

using Fraction = std::function<float()>;

// A whole number 0..n-1: the integer part of a fraction times n.
inline int drawBelow(const Fraction& rnd, int n)
{
    // In double: a float product can round up to n itself.
    return std::min(int(double(rnd()) * n), n - 1);
}
