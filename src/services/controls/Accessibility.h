#pragma once
// What an accessibility client (a screen reader, a test robot) is told about
// the program's own controls: a role and a name for each. Words are read by
// their text; pictures and cards by their place on the screen, never by the
// word they show, which would give the answer away.

#include <QString>

class QWidget;

namespace Accessibility {

// Gives the program's controls their roles and names; once per run, from the first screen made.
void install();

// Names the control after its place among the controls of its group under the
// same parent, counted from the top left: "card 7". Controls at one place
// share the number (a memory cover and its card).
void nameByPlace(QWidget* control, const QString& group);
QString placeName(const QWidget* control, const QString& group);

}  // namespace Accessibility
