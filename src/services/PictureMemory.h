#pragma once
// Memory for decoded pictures, handed on from the pictures of the screen left
// to those of the next. Large blocks go back to the system when freed, and a
// fresh picture of 600 x 570 is some three hundred new pages, each faulted in
// on first touch: that took as long as decoding it.

#include <QImage>
#include <QSize>

namespace PictureMemory {

// An RGB32 image of `size`, its pixels not set. Its memory is kept for another
// picture when the last copy of the image goes.
QImage nuova(QSize size);

// Gives back to the system what no picture took: called when the decodes asked
// for are all done, so what is kept is at most the pictures of the screen left,
// while the next one is chosen.
void restituisciAvanzi();

}  // namespace PictureMemory
