#include "exercises/choice/FirstFit.h"

namespace FirstFit {

std::array<int, 3> colonne(const std::array<int, 3>& starts)
{
    std::array<bool, 3> placed{false, false, false};
    std::array<int, 3> words{};
    for (int column = 0; column < 3; ++column) {
        int j = starts[column] % 3;
        while (placed[j])
            j = (j + 1) % 3;
        placed[j] = true;
        words[column] = j;
    }
    return words;
}

}  // namespace FirstFit
