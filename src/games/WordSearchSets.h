#pragma once
// The three sets of ten body words a word search can hide.

#include <QString>
#include <QStringList>
#include <array>

namespace WordSearchSets {

using Words = std::array<QString, 10>;

constexpr int Count = 3;

// Set 1..3, taken from the shared word table.
Words set(int number);

// Every word some set hides.
QStringList allWords();

}  // namespace WordSearchSets
