#pragma once
// Small pictures decoded lately, kept so that a screen opened again, or a new
// round of the same words, shows them without decoding them anew. A picture
// is known by the bytes it was decoded from, so one a teacher replaces is
// decoded afresh, however soon and under whatever name.

#include <QByteArray>
#include <QImage>
#include <QSize>

namespace RecentPictures {

// What a picture is known by: a hash of the file's bytes.
QByteArray impronta(const QByteArray& file);

// The picture decoded from the file of this `impronta` for `place`; a null image when none is kept.
QImage trova(const QByteArray& impronta, QSize place);

// Kept when it is small enough; the least lately used go first when the room is full.
void tieni(const QByteArray& impronta, QSize place, const QImage& image);

}  // namespace RecentPictures
