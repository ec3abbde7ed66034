#pragma once
// Small pictures decoded lately, kept so that a screen opened again, or a new
// round of the same words, shows them without decoding them anew. A picture
// is known by the bytes it was decoded from, so one a teacher replaces is
// decoded afresh, however soon and under whatever name.

#include <QByteArray>
#include <QImage>
#include <QSize>

namespace RecentPictures {

// A file's bytes to be decoded for `place`. They are hashed only when a
// picture that fits the place is small enough to keep: the hash of a large
// picture's file would only slow its decode.
class Chiave {
public:
    Chiave(const QByteArray& file, QSize place);

    // The picture kept for these bytes and place; a null image when none is.
    QImage trova() const;
    // Kept when it is small enough; the least lately used go first when the room is full.
    void tieni(const QImage& image) const;

private:
    QByteArray impronta_;  // empty when nothing for this place is kept
    QSize place_;
};

}  // namespace RecentPictures
