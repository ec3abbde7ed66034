#pragma once
// First-fit placement of three words into three columns: each column, in
// turn, takes the first word not yet placed from a random start onwards.

#include <array>

namespace FirstFit {

// starts[i] (0..2) is the word tried first for column i; returns the word in each column.
std::array<int, 3> colonne(const std::array<int, 3>& starts);

}  // namespace FirstFit
