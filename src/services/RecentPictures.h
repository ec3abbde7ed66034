#pragma once
// Small pictures decoded lately, kept so that a screen opened again, or a new
// round of the same words, shows them without decoding them anew. A picture
// is known by the bytes it was decoded from, so one a teacher replaces is
// decoded afresh, however soon and under whatever name.

#include <QByteArray>
#include <QImage>
#include <QSize>

namespace RecentPictures {

// True when a picture decoded for a place of this size is small enough to keep.
bool tenibile(QSize place);

// A file's bytes to be decoded at `shown`. They are hashed only when a picture
// of that size is small enough to keep: the hash of a large picture's file
// would only slow its decode.
class Chiave {
public:
    Chiave(const uchar* file, qint64 length, QSize shown);

    // The picture kept for these bytes and size; a null image when none is.
    QImage trova() const;
    // Kept when it is small enough; the least lately used go first when the room is full.
    void tieni(const QImage& image) const;

private:
    QByteArray impronta_;  // empty when nothing of this size is kept
    QSize shown_;
};

}  // namespace RecentPictures
