#pragma once
// The screens ask for "Comic Sans MS" and "Arial"; free look-alikes stand in.

#include <QFont>

namespace Fonts {

void installaSostituti();

QFont comic(double points, bool bold = false);
QFont arial(double points, bool bold = false);

}  // namespace Fonts
