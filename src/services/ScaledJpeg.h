#pragma once
// A JPEG decoded straight to a smaller size: the decoder works at the whole,
// half, quarter or eighth of the picture nearest above the size shown (the
// scales its vector code makes), and each band of rows it hands over is
// scaled down into the picture at once, so no second picture of nearly full
// size is ever held beside the one returned.

#include <QImage>
#include <QSize>
#include <QString>

class QThreadPool;

namespace ScaledJpeg {

// The picture at `shown` (at most its own size), RGB32, orientation as stored;
// a null image, and the decoder's reason in `error`, when it cannot be read.
// With `aiuto`, a large picture's lower half is decoded on a thread of that
// pool if one starts it while this one decodes the upper half.
QImage decodifica(const uchar* data, qint64 size, QSize shown, QString& error, QThreadPool* aiuto = nullptr);

}  // namespace ScaledJpeg
