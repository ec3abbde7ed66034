#pragma once
// Text with letters larger than the toolkit's glyph cache takes (64 pixels)
// is drawn from the letters' outlines every time it is shown, hinting and all:
// the word search's hundred letters and the menu's captions on a full-HD
// screen. Such text is drawn once into a picture, and that picture is shown
// from then on, pixel for pixel what drawing the text would give.

class QPainter;
class QRectF;
class QString;

namespace LargeText {

// As QPainter::drawText(area, flags, text), in the painter's font and pen.
void draw(QPainter& painter, const QRectF& area, int flags, const QString& text);

}  // namespace LargeText
