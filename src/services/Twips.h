#pragma once
// Screens are designed in twips, 1/1440 inch: 15 twips a pixel at 96 dpi.

#include <QRect>
#include <cmath>

namespace Twips {

constexpr int PerPixel = 15;

inline int toPixels(double twips)
{
    return int(std::lround(twips / PerPixel));
}

inline QRect toPixels(const QRect& twips)
{
    return QRect(toPixels(twips.x()), toPixels(twips.y()), toPixels(twips.width()), toPixels(twips.height()));
}

// Whole twips, halves to the even neighbour.
inline int fromPixels(double pixels)
{
    return int(std::nearbyint(pixels * PerPixel));
}

}  // namespace Twips
