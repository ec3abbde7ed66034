#include "PictureFigures.h"

#include "Waiting.h"
#include "app/FormCatalogue.h"
#include "services/DesignForm.h"
#include "services/Fonts.h"
#include "services/Pictures.h"
#include "services/controls/CommandButton.h"
#include "shell/Modulo1.h"
#include "shell/Schermi.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>

namespace {

constexpr int Runs = 3;
constexpr int Side = 10000;
// After the last decode: time for its result to be drawn.
constexpr int SettleMs = 300;

// One progressive photograph-like picture, copied under every word's name;
// the reason when it cannot be written.
QString writePictures(const QString& folder)
{
    QImage image(Side, Side, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        QLinearGradient sky(0, 0, Side, Side);
        sky.setColorAt(0, QColor(40, 90, 200));
        sky.setColorAt(1, QColor(250, 200, 80));
        painter.fillRect(image.rect(), sky);
        painter.setPen(QPen(Qt::white, 40));
        for (int k = 0; k < Side; k += 700)
            painter.drawEllipse(QPoint(k, Side - k), k / 3 + 50, k / 4 + 50);
    }
    const QString first = folder + QStringLiteral("/jpg/") + Modulo1::Parola[1] + QStringLiteral(".jpg");
    QDir().mkpath(folder + QStringLiteral("/jpg"));
    QImageWriter writer(first, "jpeg");
    writer.setProgressiveScanWrite(true);
    writer.setQuality(85);
    if (!writer.write(image))
        return writer.errorString();
    for (int i = 2; i <= 18; ++i) {
        QFile picture(first);
        if (!picture.copy(folder + QStringLiteral("/jpg/") + Modulo1::Parola[i] + QStringLiteral(".jpg")))
            return picture.errorString();
    }
    return {};
}

}  // namespace

int probePictures(QApplication& app, const QString& folder)
{
    Q_UNUSED(app);
    Pictures::impostaCartella(folder);
    Fonts::installaSostituti();
    registraSchermi();
    Modulo1::CaricaParole();
    DesignForm* menu = Schermi::istanza().mostra(QStringLiteral("FormMenu"));
    if (!menu || !QTest::qWaitForWindowExposed(menu))
        return 1;
    idleFor(200);

    // A tick every millisecond: the longest gap between two is the longest stall.
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 worst = 0;
    QTimer ticks;
    ticks.setTimerType(Qt::PreciseTimer);
    ticks.setInterval(1);
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        worst = std::max(worst, now - last);
        last = now;
    });
    clock.start();
    ticks.start();
    idleFor(20);
    QTest::mouseClick(menu->findChild<CommandButton*>(QStringLiteral("Command20")), Qt::LeftButton);
    waitUntil([] { return !Pictures::occupato(); }, 60000);
    idleFor(SettleMs);
    ticks.stop();
    DesignForm* game = Schermi::istanza().forma(QStringLiteral("FormMemory"));
    if (!game || !game->isLoaded())
        return 1;
    Schermi::istanza().svuota();
    std::printf("%.2f %.2f\n", worst / 1e6, peakRssMb());
    return 0;
}

QList<Figure> pictureFigures()
{
    Modulo1::CaricaParole();
    QTemporaryDir folder;
    if (const QString failure = writePictures(folder.path()); !failure.isEmpty())
        qFatal("cannot write the progressive pictures: %s", qPrintable(failure));
    QList<double> stalls;
    QList<double> peaks;
    for (int run = 0; run < Runs; ++run) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--probe-pictures"), folder.path()});
        if (!child.waitForFinished(120000) || child.exitCode() != 0)
            continue;
        const QList<QByteArray> values = child.readAllStandardOutput().trimmed().split(' ');
        if (values.size() != 2)
            continue;
        stalls << values[0].toDouble();
        peaks << values[1].toDouble();
    }
    // The worst run is the figure.
    const auto worst = [](const QString& name, const QList<double>& samples, const QString& unit, const QString& goal) {
        Figure figure = summarise(name, samples, unit, goal);
        figure.value = figure.max;
        return figure;
    };
    return {worst(QStringLiteral("picture_worst_stall_ms"), stalls, QStringLiteral("ms"), QStringLiteral("<= 100")),
            worst(QStringLiteral("picture_worst_rss_mb"), peaks, QStringLiteral("MiB"), QStringLiteral("<= 150"))};
}
