#include "shell/Programma.h"

#include "services/Artwork.h"
#include "services/Fonts.h"
#include "services/speech/EspeakSynth.h"
#include "services/speech/SpeechEngine.h"
#include "shell/FormCatalogue.h"
#include "shell/Modulo1.h"
#include "shell/Schermi.h"
#include "shell/TestiDelProgramma.h"

#include <QApplication>

int eseguiProgramma(QApplication& app)
{
    SpeechEngine::startEarly();
    QApplication::setApplicationName(QStringLiteral("Quillet"));
    QApplication::setWindowIcon(Artwork::icon(QStringLiteral("quillet")));
    // Closing a window by hand must not end the program between two screens.
    QApplication::setQuitOnLastWindowClosed(false);
    Fonts::installaSostituti();
    registraSchermi();
    QObject::connect(&Schermi::istanza(), &Schermi::fine, &app, &QApplication::quit);
    if (!Modulo1::Main())
        return 0;
    EspeakSynth::makeAhead(testiDelProgramma());
    const int code = app.exec();
    // Screens go while the application still exists.
    Schermi::istanza().svuota();
    return code;
}
