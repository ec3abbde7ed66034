#pragma once
// The arrangements of the pictures: arrangement r (1..count) swaps the places
// of the first picture and of picture r - 1; r = 1 keeps every picture in its own slot.

#include <QList>

namespace Sposta {

// The slot of each picture, by picture index.
QList<int> posti(int r, int count);

}  // namespace Sposta
