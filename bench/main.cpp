// make bench: start-up and screen-change times, into a JSON results file.
//   quillet_bench <results.json>        runs every figure (under a real X server)
//   quillet_bench --probe-startup       one start-up, says "drawn" once the welcome is painted

#include "Figure.h"
#include "GameFigures.h"
#include "SpeechFigures.h"
#include "services/DesignForm.h"
#include "services/Fonts.h"
#include "services/controls/CommandButton.h"
#include "shell/FormCatalogue.h"
#include "shell/Modulo1.h"
#include "shell/Schermi.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <cstdio>

namespace {

constexpr int Runs = 15;

// Calls back once, on the first paint of a window.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(std::function<void()> done)
        : done_(std::move(done))
    {
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && done_) {
            auto done = std::move(done_);
            done_ = nullptr;
            watched->removeEventFilter(this);
            QTimer::singleShot(0, done);
        }
        return false;
    }

private:
    std::function<void()> done_;
};

int probeStartup(QApplication& app)
{
    Fonts::installaSostituti();
    registraSchermi();
    FirstPaint painted([] {
        std::fputs("drawn\n", stdout);
        std::fflush(stdout);
        QCoreApplication::exit(0);
    });
    QObject::connect(&Schermi::istanza(), &Schermi::fine, &app, &QApplication::quit);
    // The client area of the welcome screen paints first.
    app.installEventFilter(&painted);
    if (!Modulo1::Main())
        return 1;
    const int code = app.exec();
    Schermi::istanza().svuota();
    return code;
}

Figure startupWelcome()
{
    QList<double> samples;
    for (int i = 0; i < Runs; ++i) {
        QProcess probe;
        QElapsedTimer clock;
        clock.start();
        probe.start(QCoreApplication::applicationFilePath(), {"--probe-startup"});
        if (!probe.waitForReadyRead(10000))
            continue;
        samples.append(clock.nsecsElapsed() / 1e6);
        probe.waitForFinished(5000);
    }
    return summarise("startup_welcome_ms", samples, "ms", "<= 150");
}

Figure menuToExercise()
{
    Fonts::installaSostituti();
    registraSchermi();
    Modulo1::CaricaParole();
    QList<double> samples;
    for (int i = 0; i < Runs; ++i) {
        DesignForm* menu = Schermi::istanza().mostra("FormMenu");
        QTest::qWaitForWindowExposed(menu);
        QApplication::processEvents();
        bool drawn = false;
        FirstPaint painted([&drawn] { drawn = true; });
        qApp->installEventFilter(&painted);
        QElapsedTimer clock;
        clock.start();
        QTest::mouseClick(menu->findChild<CommandButton*>("Command2"), Qt::LeftButton);
        while (!drawn && clock.elapsed() < 5000)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        samples.append(clock.nsecsElapsed() / 1e6);
        qApp->removeEventFilter(&painted);
        Schermi::istanza().chiudi(Schermi::istanza().forma("Form1"));
    }
    Schermi::istanza().svuota();
    return summarise("menu_to_exercise_ms", samples, "ms", "<= 50");
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc == 2 && QByteArray(argv[1]) == "--probe-startup")
        return probeStartup(app);
    if (argc != 2) {
        std::fprintf(stderr, "usage: quillet_bench <results.json>\n");
        return 2;
    }
    const QList<Figure> figures = QList<Figure>{startupWelcome(), menuToExercise()} + speechFigures() + wordSearchFigures();
    printTable(figures);
    return writeResults(QString::fromLocal8Bit(argv[1]), figures) ? 0 : 1;
}
