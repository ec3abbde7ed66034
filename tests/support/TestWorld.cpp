#include "support/TestWorld.h"

#include "app/FormCatalogue.h"
#include "services/DesignForm.h"
#include "services/Fonts.h"
#include "services/Pictures.h"
#include "services/controls/TextLabel.h"
#include "services/speech/SpeechControl.h"
#include "shell/Modulo1.h"
#include "shell/Random.h"
#include "shell/Schermi.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <cstdlib>

TestWorld::TestWorld()
    : engine(installRecordingEngine())
{
    qputenv("XDG_CONFIG_HOME", (root_.path() + "/config").toUtf8());
    const QString runtime = root_.path() + "/run";
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtime.toUtf8());
    QDir().mkpath(programFolder());
    Pictures::impostaCartella(programFolder());
    writePictures();

    Fonts::installaSostituti();
    if (!Schermi::istanza().registrato(QStringLiteral("FormAvvio")))
        registraSchermi();
    Modulo1::CaricaParole();
    Modulo1::Voce = 1;
    Modulo1::Velocita = 135;
    Modulo1::TipoLabbra = 0;
    Modulo1::Esatti = 0;
    Modulo1::Errati = 0;
    Modulo1::FileImpostazioni = settingsFile();
    Random::Seed(1234);

    ImpostaRisponditore([this](const MsgRequest& request) {
        boxes.append(request);
        if (request.buttons == MsgButtons::Ok)
            return MsgResult::Ok;
        return answers.isEmpty() ? MsgResult::Yes : answers.takeFirst();
    });
}

TestWorld::~TestWorld()
{
    Schermi::istanza().svuota();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ImpostaRisponditore({});
    Modulo1::RilasciaCopiaUnica();
    Pictures::impostaCartella({});
}

void TestWorld::writePictures() const
{
    QDir().mkpath(programFolder() + "/jpg");
    Modulo1::CaricaParole();
    for (int i = 1; i <= 18; ++i) {
        QImage image(240, 200, QImage::Format_RGB32);
        image.fill(QColor::fromHsv(i * 19, 220, 250));
        QPainter painter(&image);
        painter.drawText(image.rect(), Qt::AlignCenter, Modulo1::Parola[i]);
        painter.end();
        // Whatever stood there goes first: saving into a named pipe would wait for ever.
        const QString path = programFolder() + "/jpg/" + Modulo1::Parola[i] + ".jpg";
        QFile::remove(path);
        image.save(path, "JPG", 90);
    }
}

DesignForm* TestWorld::open(const QString& form)
{
    DesignForm* screen = Schermi::istanza().mostra(form);
    QApplication::processEvents();
    Pictures::attendiTutte();
    return screen;
}

QStringList TestWorld::saidBy(const DesignForm* form) const
{
    QStringList result;
    const auto owner = reinterpret_cast<SpeechOwner>(form ? form->mouth() : nullptr);
    for (const RecordingEngine::Said& entry : engine.said)
        if (entry.owner == owner)
            result.append(entry.text);
    return result;
}

int pictureWord(const QImage& picture)
{
    if (picture.isNull())
        return 0;
    const int hue = picture.pixelColor(2, 2).hsvHue();
    const int word = qRound(hue / 19.0);
    // Hues of neighbouring words lie 19 degrees apart; JPEG shifts them by a few.
    return hue >= 0 && word >= 1 && word <= 18 && std::abs(hue - word * 19) <= 6 ? word : 0;
}

QString counts(const QObject* form)
{
    return control<TextLabel>(form, "EtichettaEsatti")->caption() + control<TextLabel>(form, "EtichettaErrati")->caption();
}

void click(QWidget* widget)
{
    QVERIFY(widget);
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
    Pictures::attendiTutte();
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

bool operator==(const MsgRequest& a, const MsgRequest& b)
{
    return a.text == b.text && a.title == b.title && a.buttons == b.buttons && a.icon == b.icon;
}

char* toString(const MsgRequest& box)
{
    return QTest::toString(QStringLiteral("\"%1\" titled \"%2\", buttons %3, icon %4")
                               .arg(box.text, box.title)
                               .arg(int(box.buttons))
                               .arg(int(box.icon)));
}
