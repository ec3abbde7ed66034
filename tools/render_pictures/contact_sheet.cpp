// The eighteen pictures in one grid, each with its word, for review:
//   contact_sheet <jpg folder> <sheet.png>

#include "services/Fonts.h"
#include "services/controls/Placeholder.h"
#include "shell/Modulo1.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <cstdio>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: contact_sheet <jpg folder> <sheet.png>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString output = QString::fromLocal8Bit(argv[2]);
    Fonts::installaSostituti();
    Modulo1::CaricaParole();

    constexpr int columns = 6, rows = 3, cellWidth = 480, pictureHeight = 420, captionHeight = 60, gap = 16;
    QImage sheet(columns * (cellWidth + gap) + gap, rows * (pictureHeight + captionHeight + gap) + gap,
                 QImage::Format_RGB32);
    sheet.fill(QColor(90, 96, 110));
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setFont(Fonts::arial(22, true));
    int missing = 0;
    for (int i = 1; i <= 18; ++i) {
        const int column = (i - 1) % columns, row = (i - 1) / columns;
        const QRectF cell(gap + column * (cellWidth + gap), gap + row * (pictureHeight + captionHeight + gap),
                          cellWidth, pictureHeight);
        const QImage picture = QImageReader(folder + QLatin1Char('/') + Modulo1::Parola[i] + ".jpg").read();
        if (picture.isNull()) {
            drawPlaceholder(painter, cell);
            ++missing;
        } else {
            const QSizeF fitted = QSizeF(picture.size()).scaled(cell.size(), Qt::KeepAspectRatio);
            painter.drawImage(QRectF(cell.center() - QPointF(fitted.width() / 2, fitted.height() / 2), fitted), picture);
        }
        const QRectF caption(cell.left(), cell.bottom(), cell.width(), captionHeight);
        painter.fillRect(caption, Qt::white);
        painter.setPen(Qt::black);
        painter.drawText(caption, Qt::AlignCenter, Modulo1::Parola[i]);
    }
    painter.end();
    QDir().mkpath(QFileInfo(output).absolutePath());
    if (!sheet.save(output)) {
        std::fprintf(stderr, "contact_sheet: cannot write %s\n", qPrintable(output));
        return 1;
    }
    std::printf("contact sheet in %s\n", qPrintable(output));
    return missing == 0 ? 0 : 1;
}
