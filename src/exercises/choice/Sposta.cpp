#include "exercises/choice/Sposta.h"

#include <utility>

namespace Sposta {

QList<int> posti(int r, int count)
{
    QList<int> places;
    for (int i = 0; i < count; ++i)
        places.append(i);
    if (r >= 1 && r <= count)
        std::swap(places[0], places[r - 1]);
    return places;
}

}  // namespace Sposta
