#pragma once
// Small pictures decoded lately, kept so that a screen opened again, or a new
// round of the same words, shows them without decoding them anew. A picture
// is known by the bytes it was decoded from, so one a teacher replaces is
// decoded afresh, however soon and under whatever name.

#include <QByteArray>
#include <QImage>
#include <QSize>

namespace RecentPictures {

// The picture decoded from these very bytes for `place`; a null image when none is kept.
QImage trova(const QByteArray& file, QSize place);

// Kept when it is small enough; the least lately used go first when the room is full.
void tieni(const QByteArray& file, QSize place, const QImage& image);

}  // namespace RecentPictures
