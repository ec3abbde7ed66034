#include "games/WordSearchSets.h"

#include "shell/Modulo1.h"

#include <algorithm>

namespace WordSearchSets {

Words set(int number)
{
    // Each set is a run of ten consecutive words of the table.
    static constexpr int First[Count] = {1, 5, 8};
    const int first = First[std::clamp(number, 1, Count) - 1];
    Words words;
    for (int k = 0; k < 10; ++k)
        words[k] = Modulo1::Parola[first + k];
    return words;
}

}  // namespace WordSearchSets
