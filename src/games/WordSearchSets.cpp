#include "games/WordSearchSets.h"

#include "shell/Modulo1.h"

#include <algorithm>

namespace WordSearchSets {

namespace {

// Each set is a run of ten consecutive words of the table.
constexpr int First[Count] = {1, 5, 8};

}  // namespace

Words set(int number)
{
    const int first = First[std::clamp(number, 1, Count) - 1];
    Words words;
    for (int k = 0; k < 10; ++k)
        words[k] = Modulo1::Parola[first + k];
    return words;
}

QStringList allWords()
{
    QStringList words;
    for (int number = 1; number <= Count; ++number)
        for (const QString& word : set(number))
            if (!words.contains(word))
                words << word;
    return words;
}

}  // namespace WordSearchSets
