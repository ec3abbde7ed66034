// The built-in artwork and the word pictures the build draws.

#include "services/Artwork.h"
#include "services/Pictures.h"
#include "services/ScaledJpeg.h"
#include "services/controls/LargeText.h"
#include "services/controls/PictureImage.h"
#include "services/speech/MouthDrawing.h"
#include "shell/Modulo1.h"
#include "support/TestWorld.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QLinearGradient>
#include <QPainter>
#include <QThreadPool>

class TestArtwork : public QObject {
    Q_OBJECT
private slots:
    void iconsAndPointersLoad();
    void everyWordHasItsDrawnPicture();
    void teachersLargePhotoIsShownScaled();
    void largePictureDecodedInHalvesIsTheWholeOne();
    void replacedPictureIsShownAnew();
    void everyPictureAskedForArrivesAmidAnticipations();
    void everyMouthShapeAndStyleLooksItsOwn();
    void largeCaptionFromKeptOutlineLooksAsDrawnText();
};

void TestArtwork::iconsAndPointersLoad()
{
    for (const char* name : {"right", "wrong", "next", "exit", "conferma", "pointer-hand", "pointer-arrow", "quillet"}) {
        QVERIFY2(Artwork::exists(name), name);
        const QImage drawn = Artwork::pixmap(name, {64, 64}, 2.0).toImage();
        QCOMPARE(drawn.size(), QSize(128, 128));
        QVERIFY2(drawn.pixelColor(64, 64) != drawn.pixelColor(0, 0) || drawn.pixelColor(64, 64).alpha() > 0, name);
    }
    QVERIFY(!Artwork::icon("quillet").isNull());
    QVERIFY(Artwork::icon("no-such-icon").isNull());
    QVERIFY(!Artwork::pointer(Artwork::Pointer::Arrow).pixmap().isNull());
}

void TestArtwork::everyWordHasItsDrawnPicture()
{
    Modulo1::CaricaParole();
    const QString drawings = QStringLiteral(QUILLET_BUILD_DIR "/pictures/");
    const QString folder = QStringLiteral(QUILLET_BUILD_DIR "/bin/jpg/");
    for (int i = 1; i <= 18; ++i) {
        const QString& word = Modulo1::Parola[i];
        QVERIFY2(QFileInfo::exists(drawings + word + ".svg"), qPrintable(word));
        const QImage picture = QImageReader(folder + word + ".jpg").read();
        QVERIFY2(!picture.isNull(), qPrintable(word));
        QCOMPARE(picture.size(), QSize(960, 840));
        // Not blank: the backdrop alone is the same along each row; the child differs from it in many places.
        int drawn = 0;
        for (int y = 0; y < 840; y += 8)
            for (int x = 0; x < 960; x += 8) {
                const QRgb here = picture.pixel(x, y), edge = picture.pixel(0, y);
                drawn += qAbs(qRed(here) - qRed(edge)) + qAbs(qGreen(here) - qGreen(edge)) + qAbs(qBlue(here) - qBlue(edge)) > 30;
            }
        QVERIFY2(drawn > 120 * 105 / 10, qPrintable(word));  // a tenth of the samples
    }
}

namespace {

// Every pixel within a few steps of the colour running from `left` to `right`
// across: scaling lost no edge, row or channel, nor mixed them.
bool wholly(const QImage& picture, QColor left, QColor right = {})
{
    right = right.isValid() ? right : left;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const double share = (x + 0.5) / picture.width();
            const auto step = [share](int from, int to) { return from + (to - from) * share; };
            const QColor here = picture.pixelColor(x, y);
            if (qAbs(here.red() - step(left.red(), right.red())) + qAbs(here.green() - step(left.green(), right.green()))
                    + qAbs(here.blue() - step(left.blue(), right.blue()))
                > 9)
                return false;
        }
    return !picture.isNull();
}

}  // namespace

void TestArtwork::teachersLargePhotoIsShownScaled()
{
    TestWorld world;
    const QColor green(30, 140, 60), red(230, 140, 60);
    QImage photo(6000, 4000, QImage::Format_RGB32);
    QLinearGradient across(0, 0, photo.width(), 0);
    across.setColorAt(0, green);
    across.setColorAt(1, red);
    QPainter(&photo).fillRect(photo.rect(), across);
    QVERIFY(photo.save(Pictures::percorso(Modulo1::Parola[1]), "JPG", 80));
    const QImage shown = Pictures::carica(Modulo1::Parola[1]);
    QVERIFY(wholly(shown, green, red));
    QVERIFY(shown.width() <= 1600 && shown.height() <= 1600);
    QCOMPARE(qRound(shown.width() / double(shown.height()) * 10), 15);
    QImage grey(1001, 777, QImage::Format_Grayscale8);
    grey.fill(128);
    QVERIFY(grey.save(Pictures::percorso(Modulo1::Parola[2]), "JPG", 80));
    QVERIFY(wholly(Pictures::carica(Modulo1::Parola[2], QSize(300, 300)), QColor(128, 128, 128)));
    // Saved by a drawing program as PNG under the picture's name: shown all the same.
    QVERIFY(grey.save(Pictures::percorso(Modulo1::Parola[2]), "PNG"));
    QVERIFY(wholly(Pictures::carica(Modulo1::Parola[2], QSize(300, 300)), QColor(128, 128, 128)));
    // Fine detail in every colour lands where it belongs: decoded small, a
    // drawing matches the whole drawing scaled down.
    QImage drawing(960, 840, QImage::Format_RGB32);
    drawing.fill(Qt::white);
    {
        QPainter painter(&drawing);
        for (int k = 0; k < 60; ++k)
            painter.fillRect(QRect(k * 16, (k * 37) % 800, 3, 40 + k), QColor::fromHsv(k * 6, 255, 200));
    }
    QVERIFY(drawing.save(Pictures::percorso(Modulo1::Parola[3]), "JPG", 95));
    for (const QSize place : {QSize(585, 512), QSize(347, 304), QSize(205, 179)}) {
        const QImage small = Pictures::carica(Modulo1::Parola[3], place);
        const QImage expected = QImage(Pictures::percorso(Modulo1::Parola[3]))
                                    .scaled(small.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                    .convertToFormat(QImage::Format_RGB32);
        double apart = 0;
        for (int y = 0; y < small.height(); ++y)
            for (int x = 0; x < small.width(); ++x) {
                const QRgb a = small.pixel(x, y), b = expected.pixel(x, y);
                apart += qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) + qAbs(qBlue(a) - qBlue(b));
            }
        QVERIFY2(apart / (3.0 * small.width() * small.height()) < 1, qPrintable(QString::number(place.width())));
    }

    // On screen it is decoded at the size it is drawn at in its control, and again when the control grows.
    PictureImage control;
    control.resize(300, 150);
    control.show();
    control.showPicture(Modulo1::Parola[1]);
    Pictures::attendiTutte();
    QCOMPARE(control.picture().size(), QSize(225, 150));
    QVERIFY(wholly(control.picture(), green, red));
    control.resize(1200, 900);
    Pictures::attendiTutte();
    QCOMPARE(control.picture().size(), QSize(1200, 800));
}

void TestArtwork::largePictureDecodedInHalvesIsTheWholeOne()
{
    // Fine detail on every row, so a row out of place or mixed wrongly shows.
    QImage drawing(960, 841, QImage::Format_RGB32);
    for (int y = 0; y < drawing.height(); ++y)
        for (int x = 0; x < drawing.width(); ++x)
            drawing.setPixel(x, y, qRgb((x * 7 + y * 3) & 255, (y * 5) & 255, (x ^ y) & 255));
    QByteArray bytes;
    QBuffer file(&bytes);
    QVERIFY(file.open(QIODevice::WriteOnly) && drawing.save(&file, "JPG", 90));
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    // Decoded whole size, and scaled down by uneven shares, the halves meeting at different rows.
    for (const QSize shown : {QSize(960, 841), QSize(585, 512), QSize(766, 671), QSize(701, 615)}) {
        QString error;
        const QImage whole = ScaledJpeg::decodifica(data, bytes.size(), shown, error);
        QVERIFY2(!whole.isNull(), qPrintable(error));
        // A fresh pool hands the lower half to a new thread at once, so it is made there.
        QThreadPool pool;
        QCOMPARE(ScaledJpeg::decodifica(data, bytes.size(), shown, error, &pool), whole);
    }
}

void TestArtwork::replacedPictureIsShownAnew()
{
    TestWorld world;
    // Written over in place, at once, with a picture of the same kind and size.
    for (const QColor colour : {QColor(200, 40, 40), QColor(40, 40, 200), QColor(200, 40, 40)}) {
        QImage drawing(960, 840, QImage::Format_RGB32);
        drawing.fill(colour);
        QVERIFY(drawing.save(Pictures::percorso(Modulo1::Parola[4]), "JPG", 90));
        QVERIFY(wholly(Pictures::carica(Modulo1::Parola[4], QSize(120, 105)), colour));
    }
}

void TestArtwork::everyPictureAskedForArrivesAmidAnticipations()
{
    TestWorld world;
    // A teacher's large photo, slow enough to decode for the rest to happen beside it.
    QImage photo(4000, 3000, QImage::Format_RGB32);
    photo.fill(QColor::fromHsv(19, 220, 250));
    QVERIFY(photo.save(Pictures::percorso(Modulo1::Parola[1]), "JPG", 90));
    for (int round = 0; round < 20; ++round) {
        const QSize place(150 + round, 130);  // a new size each round: nothing is found kept
        const QFuture<QImage> slow = Pictures::caricaInSottofondo(Modulo1::Parola[1], QSize(1600, 1200));
        const QFuture<QImage> quick = Pictures::caricaInSottofondo(Modulo1::Parola[2], place);
        // A frame waits a moment for the slow one while the quick one is done beside it.
        Pictures::attendi(slow, QDeadlineTimer(5));
        Pictures::anticipa({Modulo1::Parola[3]}, place);
        const QFuture<QImage> next = Pictures::caricaInSottofondo(Modulo1::Parola[4], place);
        Pictures::attendiTutte();
        QCOMPARE(pictureWord(slow.result()), 1);
        QCOMPARE(pictureWord(quick.result()), 2);
        QCOMPARE(pictureWord(next.result()), 4);
    }
}

void TestArtwork::everyMouthShapeAndStyleLooksItsOwn()
{
    const MouthShape shapes[] = {MouthShape::Rest,    MouthShape::Closed,  MouthShape::Teeth,    MouthShape::Open,
                                 MouthShape::Wide,    MouthShape::Rounded, MouthShape::Puckered, MouthShape::LipBite};
    QList<QImage> drawn;
    for (int style : {0, 1})
        for (MouthShape shape : shapes) {
            QImage mouth(96, 96, QImage::Format_RGB32);
            mouth.fill(Qt::blue);
            QPainter painter(&mouth);
            drawMouth(painter, QRectF(0, 0, 96, 96), shape, style);
            drawn.append(mouth);
        }
    // Any two differ in a visible number of pixels: no shape or style draws like another.
    for (qsizetype a = 0; a < drawn.size(); ++a)
        for (qsizetype b = a + 1; b < drawn.size(); ++b) {
            int differing = 0;
            for (int y = 0; y < 96; ++y)
                for (int x = 0; x < 96; ++x)
                    differing += drawn[a].pixel(x, y) != drawn[b].pixel(x, y);
            QVERIFY2(differing > 60, qPrintable(QStringLiteral("mouths %1 and %2").arg(a).arg(b)));
        }
}

void TestArtwork::largeCaptionFromKeptOutlineLooksAsDrawnText()
{
    const auto drawn = [](const QFont& font, const QString& text, Qt::Alignment alignment, bool kept) {
        QImage image(300, 160, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::darkBlue);
        const QRectF area(7, 9, 280, 140);
        if (kept && !LargeText::draw(painter, font, text, area, alignment))
            return QImage();
        if (!kept)
            painter.drawText(area, int(alignment) | Qt::TextWordWrap, text);
        return image;
    };
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPixelSize(90);
    for (const QString& text : {QStringLiteral("W"), QStringLiteral("g"), QStringLiteral("12")})
        for (Qt::Alignment alignment : {Qt::Alignment(Qt::AlignCenter), Qt::AlignLeft | Qt::AlignTop, Qt::AlignRight | Qt::AlignBottom}) {
            const QImage kept = drawn(font, text, alignment, true);
            const QImage plain = drawn(font, text, alignment, false);
            QVERIFY(!kept.isNull());
            // Placed to a fraction of a pixel: edges may differ by a few levels, never by a shift.
            for (int y = 0; y < plain.height(); ++y)
                for (int x = 0; x < plain.width(); ++x)
                    QVERIFY2(qAbs(qGray(kept.pixel(x, y)) - qGray(plain.pixel(x, y))) <= 24,
                             qPrintable(QStringLiteral("%1 at %2,%3").arg(text).arg(x).arg(y)));
        }
    // Left to the paint engine: text its glyph cache draws, and words.
    QFont small = font;
    small.setPixelSize(40);
    QVERIFY(drawn(small, QStringLiteral("W"), Qt::AlignCenter, true).isNull());
    QVERIFY(drawn(font, QStringLiteral("words"), Qt::AlignCenter, true).isNull());
}

QTEST_MAIN(TestArtwork)
#include "test_artwork.moc"
