// make bench: every figure of the program side by side with its goal, into a
// JSON results file.
//   quillet_bench <results.json> [group ...]   runs every figure, or only the
//                                    groups named (startup screens speech pulse
//                                    games pictures clarity), under a real X server
//   quillet_bench --probe-...        one start-up probe (see StartupFigures.h)
//   quillet_bench --probe-pictures <folder>   one run of the picture figures
//   quillet_bench <results.json> clarity [mode ...]   the clarity figures of
//                                    some voice modes only

#include "ClarityFigures.h"
#include "Figure.h"
#include "GameFigures.h"
#include "PictureFigures.h"
#include "PulseFigures.h"
#include "ScreenFigures.h"
#include "SpeechFigures.h"
#include "StartupFigures.h"
#include "app/Allocatore.h"
#include "services/Fonts.h"
#include "services/Pictures.h"
#include "services/speech/DeviceThread.h"
#include "services/speech/EspeakSynth.h"

#include <QApplication>
#include <QDir>
#include <QSet>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[])
{
    // As the program does.
    impostaAllocatore();
    QApplication app(argc, argv);
    // The pictures the build made for the program.
    Pictures::impostaCartella(QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/../bin")).absolutePath());
    if (argc == 2)
        if (const Probe probe = startupProbe(argv[1]))
            return probe(app);
    if (argc == 3 && QByteArray(argv[1]) == "--probe-pictures")
        return probePictures(app, QString::fromLocal8Bit(argv[2]));
    if (argc < 2) {
        std::fprintf(stderr, "usage: quillet_bench <results.json> [group ...] [clarity mode ...]\n");
        return 2;
    }
    Fonts::installaSostituti();
    // Groups by name; numbers pick the clarity figures' voice modes.
    QSet<QByteArray> only;
    QList<int> modes;
    for (int i = 2; i < argc; ++i) {
        bool number = false;
        const int mode = QByteArray(argv[i]).toInt(&number);
        if (number)
            modes << mode;
        else
            only.insert(argv[i]);
    }
    const auto wanted = [&only](const char* group) { return only.isEmpty() || only.contains(group); };
    // One after the other, in this order: the pictures late, as making them
    // takes memory that rss_peak_mb would count.
    QList<Figure> figures;
    if (wanted("startup"))
        figures += startupFigures();
    if (wanted("screens"))
        figures += screenFigures();
    if (wanted("speech"))
        figures += speechFigures();
    if (wanted("pulse"))
        figures += pulseFigures();
    if (wanted("games")) {
        figures += wordSearchFigures();
        figures += memoryFigures();
    }
    if (wanted("pictures"))
        figures += pictureFigures();
    if (wanted("clarity"))
        figures += clarityFigures(modes);
    printTable(figures);
    const int code = writeResults(QString::fromLocal8Bit(argv[1]), figures) ? 0 : 1;
    // Ends as the program does: a text still being made, or a sound device
    // thread still in the sound library after the server was stopped, would
    // read what the clean-up at exit frees.
    if (!EspeakSynth::finish() || DeviceThread::anyLeftStuck()) {
        std::fflush(nullptr);
        std::_Exit(code);
    }
    return code;
}
