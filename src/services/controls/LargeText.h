#pragma once
// Text too large for the paint engine's glyph cache is drawn from the glyphs'
// outlines, each loaded and hinted anew at every paint: the word search's
// hundred big letters spent much of a visit's first frame there. The outline
// of a letter or a count is kept here and loaded once.

#include <QFont>
#include <QRectF>
#include <QString>

class QPainter;

namespace LargeText {

// Draws `text` in the painter's pen colour on one line in `area`, placed as
// QPainter::drawText places it. False, with nothing drawn, when it is longer
// than a letter or a count, on more than one line, or small enough for the
// engine's glyph cache.
bool draw(QPainter& painter, const QFont& font, const QString& text, const QRectF& area, Qt::Alignment alignment);

}  // namespace LargeText
