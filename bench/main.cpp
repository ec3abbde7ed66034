// make bench: every figure of the program side by side with its goal, into a
// JSON results file.
//   quillet_bench <results.json>     runs every figure (under a real X server)
//   quillet_bench --probe-...        one start-up probe (see StartupFigures.h)
//   quillet_bench --probe-pictures <folder>   one run of the picture figures
//   quillet_bench <results.json> clarity [mode ...]   only the clarity figures
//   quillet_bench <results.json> pulse   only the sound server figures

#include "ClarityFigures.h"
#include "Figure.h"
#include "GameFigures.h"
#include "PictureFigures.h"
#include "PulseFigures.h"
#include "ScreenFigures.h"
#include "SpeechFigures.h"
#include "StartupFigures.h"
#include "services/Fonts.h"
#include "shell/Modulo1.h"

#include <QApplication>
#include <QDir>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // The pictures the build made for the program.
    Modulo1::ImpostaCartellaProgramma(QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/../bin")).absolutePath());
    if (argc == 2)
        if (const Probe probe = startupProbe(argv[1]))
            return probe(app);
    if (argc == 3 && QByteArray(argv[1]) == "--probe-pictures")
        return probePictures(app, QString::fromLocal8Bit(argv[2]));
    // One group of figures alone, to tune or to chase a fault by.
    if (argc >= 3 && (QByteArray(argv[2]) == "clarity" || QByteArray(argv[2]) == "pulse")) {
        QList<int> modes;
        for (int i = 3; i < argc; ++i)
            modes << std::atoi(argv[i]);
        const QList<Figure> figures = QByteArray(argv[2]) == "pulse" ? pulseFigures() : clarityFigures(modes);
        printTable(figures);
        return writeResults(QString::fromLocal8Bit(argv[1]), figures) ? 0 : 1;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: quillet_bench <results.json> [pulse | clarity [mode ...]]\n");
        return 2;
    }
    Fonts::installaSostituti();
    // One after the other, in this order (the operands of + may run in any order):
    // the pictures last, as making them takes memory that rss_peak_mb would count.
    QList<Figure> figures = startupFigures();
    figures += screenFigures();
    figures += speechFigures();
    figures += pulseFigures();
    figures += wordSearchFigures();
    figures += memoryFigures();
    figures += pictureFigures();
    figures += clarityFigures();
    printTable(figures);
    return writeResults(QString::fromLocal8Bit(argv[1]), figures) ? 0 : 1;
}
