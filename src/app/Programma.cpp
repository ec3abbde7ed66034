#include "app/Programma.h"

#include "app/AfterFirstFrame.h"
#include "app/FormCatalogue.h"
#include "app/TestiDelProgramma.h"
#include "services/Artwork.h"
#include "services/Fonts.h"
#include "services/Pictures.h"
#include "services/speech/DeviceThread.h"
#include "services/speech/EspeakSynth.h"
#include "services/speech/SpeechEngine.h"
#include "shell/FineAlSegnale.h"
#include "shell/Modulo1.h"
#include "shell/Schermi.h"
#include "shell/WindowsGone.h"

#include <QApplication>
#include <QFontDatabase>
#include <QThreadPool>
#include <cstdio>
#include <cstdlib>

int eseguiProgramma(QApplication& app)
{
    // Started now, its work and the welcome's pictures wait for the welcome's
    // first frame: on a busy machine they would take the cores it is drawn on.
    EspeakSynth::holdStart();
    SpeechEngine::startEarly();
    Pictures::trattieni();
    QApplication::setApplicationName(QStringLiteral("Quillet"));
    // Closing a window by hand must not end the program between two screens.
    QApplication::setQuitOnLastWindowClosed(false);
    Fonts::installaSostituti();
    // The font list is read while the welcome is built; its first text waits only for what is left.
    QThreadPool::globalInstance()->start([] { QFontDatabase::families(); });
    registraSchermi();
    QObject::connect(&Schermi::istanza(), &Schermi::fine, &app, &QApplication::quit);
    WindowsGone windowsGone;
    app.installNativeEventFilter(&windowsGone);
    terminaAiSegnali();
    if (!Modulo1::Main()) {
        Pictures::rilascia();
        return 0;
    }
    EspeakSynth::makeAhead(testiDelProgramma());
    afterFirstFrame([] {
        EspeakSynth::releaseStart();
        Pictures::rilascia();
        // Drawn at seven sizes, it would hold up the welcome's first frame.
        QApplication::setWindowIcon(Artwork::icon(QStringLiteral("quillet")));
    });
    // A library may end the process from inside the loop (the display's
    // connection lost): the screens' clean-up would then talk to a display
    // that is gone, and the static clean-up would free what a text being
    // made reads. Registered last, this runs first: the synthesis stops and
    // the process ends without any clean-up.
    static bool inLoop = true;
    std::atexit([] {
        if (!inLoop)
            return;
        EspeakSynth::finish();
        Modulo1::RilasciaCopiaUnica();
        std::fflush(nullptr);
        std::_Exit(EXIT_FAILURE);
    });
    const int code = app.exec();
    inLoop = false;
    // Screens, then the speech and its sound device, go while the application still exists.
    Schermi::istanza().svuota();
    SpeechEngine::install(nullptr);
    const bool synthesisEnded = EspeakSynth::finish();
    if (!synthesisEnded || DeviceThread::anyLeftStuck()) {
        // A sound server that hangs holds the sound library's locks: its
        // clean-up at exit would never end. A text still being made would
        // read what that clean-up frees.
        Modulo1::RilasciaCopiaUnica();
        std::_Exit(code);
    }
    return code;
}
