#include "StartupFigures.h"

#include "Waiting.h"
#include "app/Programma.h"
#include "services/Pictures.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPixmap>
#include <QProcess>
#include <cstdio>

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

QList<double> timeProbe(const QString& probe)
{
    QList<double> samples;
    for (int i = 0; i < Runs; ++i) {
        QProcess child;
        QElapsedTimer clock;
        clock.start();
        child.start(QCoreApplication::applicationFilePath(), {probe});
        if (!child.waitForReadyRead(10000))
            continue;
        samples.append(clock.nsecsElapsed() / 1e6);
        child.waitForFinished(5000);
    }
    return samples;
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
    const QList<double> bare = timeProbe(QStringLiteral("--probe-bare-qt"));
    const QList<double> welcome = timeProbe(QStringLiteral("--probe-startup"));
    const Figure floor = summarise(QStringLiteral("startup_bare_qt_ms"), bare, QStringLiteral("ms"), QString());
    return {summarise(QStringLiteral("startup_welcome_ms"), welcome, QStringLiteral("ms"),
                      QStringLiteral("<= 150 and <= 2 x startup_bare_qt_ms (%1)").arg(2 * floor.value, 0, 'f', 0)),
            floor};
}
