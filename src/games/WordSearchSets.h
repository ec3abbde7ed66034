#pragma once
// The three sets of ten body words a word search can hide.

#include <QString>
#include <array>

namespace WordSearchSets {

using Words = std::array<QString, 10>;

constexpr int Count = 3;

// Set 1..3, taken from the shared word table.
Words set(int number);

}  // namespace WordSearchSets
