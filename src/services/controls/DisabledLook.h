#pragma once
// How a control that takes no click looks: its words grey, its face and its
// pictures faded, so a child sees at once what can still be clicked.

#include <QColor>

namespace DisabledLook {

// The words of a disabled control: a mid grey, whatever colour they had.
inline const QColor Testo(120, 120, 120);
// A light edge under grey words keeps them readable on any background.
inline const QColor Rilievo(255, 255, 255, 200);
// The face of a disabled button, whatever colour it had: plainly off.
inline const QColor Faccia(190, 190, 190);
// Pictures and icons of a disabled control are drawn this opaque.
constexpr double Opacita = 0.35;

// A background faded half way to a light grey.
inline QColor sfondo(const QColor& back)
{
    const QColor grey(214, 214, 214);
    return QColor((back.red() + grey.red()) / 2, (back.green() + grey.green()) / 2, (back.blue() + grey.blue()) / 2,
                  back.alpha());
}

}  // namespace DisabledLook
