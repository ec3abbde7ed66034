// Writes a picture of every screen that exists, and one with all its controls
// off, at the size of the screen it runs on:
//   quillet_screenshots <program folder> <output folder>

#include "app/FormCatalogue.h"
#include "exercises/frame/FormTable.h"
#include "services/DesignForm.h"
#include "services/Fonts.h"
#include "services/Pictures.h"
#include "shell/Modulo1.h"
#include "shell/Random.h"
#include "shell/Schermi.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: quillet_screenshots <program folder> <output folder>\n");
        return 2;
    }
    Pictures::impostaCartella(QString::fromLocal8Bit(argv[1]));
    const QString output = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(output);
    Fonts::installaSostituti();
    registraSchermi();
    Modulo1::CaricaParole();

    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    const QString suffix = QStringLiteral("-%1x%2.png").arg(screen.width()).arg(screen.height());
    QStringList forms = {QStringLiteral("FormAvvio"), QStringLiteral("FormMenu"), QStringLiteral("FormImposta")};
    forms += nomiEsercizi();
    int written = 0;
    for (const QString& name : forms) {
        if (!Schermi::istanza().registrato(name))
            continue;
        Random::Seed(7);
        DesignForm* form = Schermi::istanza().mostra(name);
        QApplication::processEvents();
        Pictures::attendiTutte();
        if (!form->grab().save(output + QLatin1Char('/') + name + suffix)) {
            std::fprintf(stderr, "cannot write the picture of %s\n", qPrintable(name));
            Schermi::istanza().svuota();
            return 1;
        }
        ++written;
        // The same screen with every control off: the disabled look at this size.
        for (const QPointer<QWidget>& control : form->designControls())
            if (control)
                control->setEnabled(false);
        form->grab().save(output + QLatin1Char('/') + name + QStringLiteral("-off") + suffix);
        Schermi::istanza().chiudi(form);
        QApplication::processEvents();
    }
    Schermi::istanza().svuota();
    std::printf("%d screens at %dx%d\n", written, screen.width(), screen.height());
    return 0;
}
