// Renders one vector drawing to the JPEG a screen loads:
//   render_pictures <drawing.svg> <picture.jpg> <width> <height>
// Any complaint of the SVG reader fails the render, so a drawing that would
// come out wrong or empty stops the build with its name.

#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>
#include <cstdio>

namespace {

bool complained = false;

void watchSvgReader(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        complained = true;
    std::fprintf(stderr, "%s%s%s\n", context.category ? context.category : "", context.category ? ": " : "",
                 qPrintable(message));
}

int fail(const QString& source, const char* why)
{
    std::fprintf(stderr, "render_pictures: %s: %s\n", qPrintable(source), why);
    return 1;
}

}  // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 5) {
        std::fprintf(stderr, "usage: render_pictures <drawing.svg> <picture.jpg> <width> <height>\n");
        return 2;
    }
    const QString source = QString::fromLocal8Bit(argv[1]);
    const QString target = QString::fromLocal8Bit(argv[2]);
    const QSize size(QByteArray(argv[3]).toInt(), QByteArray(argv[4]).toInt());
    if (size.isEmpty())
        return fail(source, "the picture size must be positive");

    qInstallMessageHandler(watchSvgReader);
    QSvgRenderer drawing(source);
    if (!drawing.isValid() || complained)
        return fail(source, "not a drawing the SVG reader accepts");

    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::white);
    {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        drawing.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    if (complained)
        return fail(source, "the SVG reader could not draw all of it");

    const QRgb first = picture.pixel(0, 0);
    bool uniform = true;
    for (int y = 0; y < picture.height() && uniform; y += 4) {
        const QRgb* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); x += 4)
            if (row[x] != first) {
                uniform = false;
                break;
            }
    }
    if (uniform)
        return fail(source, "the drawing came out as one plain colour");

    // Written whole or not at all: a failed run never leaves half a picture.
    QSaveFile file(target);
    QImageWriter writer(&file, "JPG");
    writer.setQuality(90);
    // Huffman tables fitted to the picture: the same pixels in fewer bytes,
    // which the program then decodes a little sooner.
    writer.setOptimizedWrite(true);
    if (!file.open(QIODevice::WriteOnly) || !writer.write(picture) || !file.commit())
        return fail(source, "cannot write the picture");
    return 0;
}
