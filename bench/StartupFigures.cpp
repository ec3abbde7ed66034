#include "StartupFigures.h"

#include "Waiting.h"
#include "app/Programma.h"
#include "services/Pictures.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPixmap>
#include <QProcess>
#include <cstdio>
#include <optional>

namespace {

constexpr int Runs = 15;

void sayDrawn()
{
    std::fputs("drawn\n", stdout);
    std::fflush(stdout);
    QCoreApplication::exit(0);
}

int probeWelcome(QApplication& app)
{
    FirstPaint painted(sayDrawn);
    return eseguiProgramma(app);
}

int probeBareQt(QApplication& app)
{
    QLabel window;
    window.setPixmap(QPixmap(Pictures::cartella() + QStringLiteral("/jpg/head.jpg")));
    window.setAlignment(Qt::AlignCenter);
    FirstPaint painted(sayDrawn);
    window.showFullScreen();
    return app.exec();
}

// Milliseconds from starting the probe to its "drawn"; nothing when it never draws.
std::optional<double> timeProbe(const QString& probe)
{
    QProcess child;
    QElapsedTimer clock;
    clock.start();
    child.start(QCoreApplication::applicationFilePath(), {probe});
    if (!child.waitForReadyRead(10000))
        return std::nullopt;
    const double ms = clock.nsecsElapsed() / 1e6;
    child.waitForFinished(5000);
    return ms;
}

}  // namespace

Probe startupProbe(const QByteArray& argument)
{
    if (argument == "--probe-startup")
        return probeWelcome;
    if (argument == "--probe-bare-qt")
        return probeBareQt;
    return nullptr;
}

QList<Figure> startupFigures()
{
    // Taken in turns, so a busy spell of the machine falls on both alike.
    QList<double> bare;
    QList<double> welcome;
    for (int i = 0; i < Runs; ++i) {
        if (const auto ms = timeProbe(QStringLiteral("--probe-bare-qt")))
            bare << *ms;
        if (const auto ms = timeProbe(QStringLiteral("--probe-startup")))
            welcome << *ms;
    }
    const Figure floor = summarise(QStringLiteral("startup_bare_qt_ms"), bare, QStringLiteral("ms"), QString());
    const Figure program = summarise(QStringLiteral("startup_welcome_ms"), welcome, QStringLiteral("ms"),
                                     QStringLiteral("<= 150"));
    // The two medians of the same run, so the machine's speed cancels out.
    const double ratio = floor.value > 0 ? program.value / floor.value : 0;
    return {program, floor,
            summarise(QStringLiteral("startup_ratio"), {ratio}, QStringLiteral("x"), QStringLiteral("<= 1.4"))};
}
