#include "app/Programma.h"

#include "app/FormCatalogue.h"
#include "app/TestiDelProgramma.h"
#include "services/Artwork.h"
#include "services/Fonts.h"
#include "services/speech/DeviceThread.h"
#include "services/speech/EspeakSynth.h"
#include "services/speech/SpeechEngine.h"
#include "shell/FineAlSegnale.h"
#include "shell/Modulo1.h"
#include "shell/Schermi.h"
#include "shell/WindowsGone.h"

#include <QApplication>
#include <cstdlib>

namespace {

// The end of the process once the event loop is left, by any way: a text
// still being made would read what the static clean-up frees, and a sound
// server that hangs holds the sound library's locks, whose clean-up at exit
// would never end. Then the process ends without that clean-up.
void endWithoutSpeech(int code)
{
    const bool synthesisEnded = EspeakSynth::finish();
    if (!synthesisEnded || DeviceThread::anyLeftStuck()) {
        Modulo1::RilasciaCopiaUnica();
        std::_Exit(code);
    }
}

}  // namespace

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
    WindowsGone windowsGone;
    app.installNativeEventFilter(&windowsGone);
    terminaAiSegnali();
    if (!Modulo1::Main())
        return 0;
    EspeakSynth::makeAhead(testiDelProgramma());
    // A library may end the process from inside the loop (the display's
    // connection lost): registered last, this runs before the clean-up of
    // what start-up made, and stops the synthesis first.
    std::atexit([] { endWithoutSpeech(EXIT_FAILURE); });
    const int code = app.exec();
    // Screens, then the speech and its sound device, go while the application still exists.
    Schermi::istanza().svuota();
    SpeechEngine::install(nullptr);
    endWithoutSpeech(code);
    return code;
}
