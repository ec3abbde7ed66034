// Faults around the screens: pictures missing or broken on every screen, and
// the screen size changing under an open exercise.

#include "exercises/frame/FormTable.h"
#include "services/DesignForm.h"
#include "services/Pictures.h"
#include "services/controls/CommandButton.h"
#include "services/controls/PictureImage.h"
#include "services/controls/TextLabel.h"
#include "services/speech/SpeechControl.h"
#include "shell/Modulo1.h"
#include "shell/Random.h"
#include "shell/Schermi.h"
#include "support/TestWorld.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QMap>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <set>
#include <sys/stat.h>

namespace {

enum Breakage { Empty, Truncated, NotJpeg, Huge, Pipe, HugeProgressive, Good };
const char* const BreakageNames[] = {"empty", "truncated", "not a JPEG", "8000x8000",
                                     "a named pipe", "progressive 6000x6000", "good"};

// The controls that show a word's picture (not artwork, not waiting empty).
QList<PictureImage*> photos(const DesignForm* form)
{
    QList<PictureImage*> found;
    for (const QPointer<QWidget>& widget : form->designControls())
        if (auto* picture = qobject_cast<PictureImage*>(widget.data()))
            if (!picture->isEmpty() && picture->artwork().isEmpty())
                found.append(picture);
    return found;
}

struct Seen {
    QString shows;
    QRect place;    // in the window
    QPointF share;  // of the client area, at its centre
};

// What every visible control of a screen shows and where it stands.
QMap<QString, Seen> arrangement(const DesignForm* form)
{
    QMap<QString, Seen> seen;
    for (const QPointer<QWidget>& widget : form->designControls()) {
        if (!widget || !widget->isVisibleTo(form) || widget->size().isEmpty())
            continue;
        QString shows = widget->metaObject()->className();
        if (auto* label = qobject_cast<TextLabel*>(widget.data()))
            shows = label->caption();
        else if (auto* button = qobject_cast<CommandButton*>(widget.data()))
            shows = button->text() + button->pictureName();
        else if (auto* picture = qobject_cast<PictureImage*>(widget.data()))
            shows = picture->artwork()
                + (picture->isEmpty() ? "empty" : QString::number(pictureWord(picture->picture())));
        shows += widget->isEnabled() ? "" : " (disabled)";
        const QRect place(widget->mapTo(form, QPoint()), widget->size());
        const QPointF centre = widget->mapTo(form->client(), widget->rect().center());
        const QSizeF client = form->client()->size();
        seen.insert(widget->objectName(), {shows, place, {centre.x() / client.width(), centre.y() / client.height()}});
    }
    return seen;
}

void addScreens(const QStringList& first)
{
    QTest::addColumn<QString>("screen");
    for (const QString& name : first + nomiEsercizi())
        if (Schermi::istanza().registrato(name))
            QTest::newRow(qPrintable(name)) << name;
}

// Opens a screen afresh with the same draws, so with the same words, every time;
// it returns once every picture is decoded or given up.
DesignForm* reopen(TestWorld& world, const QString& screen)
{
    Schermi::istanza().svuota();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    world.engine.clear();
    Random::Seed(1234);
    DesignForm* form = world.open(screen);
    // Every card turned, as by a child: a covered picture is decoded only then.
    if (form)
        for (PictureImage* picture : photos(form))
            if (QWidget* cover = picture->copertura())
                cover->hide();
    Pictures::attendiTutte();
    return form;
}

void stillWorks(TestWorld& world, DesignForm* form, const QStringList& said)
{
    QCOMPARE(world.saidBy(form), said);
    QVERIFY(!form->grab().isNull());  // placeholders and scaled photos draw
    // A broken picture takes its click like any other; the mouth when there is none.
    const QList<PictureImage*> pictures = photos(form);
    const auto broken = std::find_if(pictures.begin(), pictures.end(), [](auto* p) { return p->showsPlaceholder(); });
    click(broken != pictures.end() ? static_cast<QWidget*>(*broken) : form->mouth());
    QApplication::processEvents();
    QVERIFY(!Schermi::istanza().caricati().isEmpty());
}

}  // namespace

class TestFaults : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void brokenPicturesOnEveryScreen_data() { addScreens({"FormAvvio", "FormMenu"}); }
    void brokenPicturesOnEveryScreen();
    void screenSizeChangesKeepTheRound_data() { addScreens({}); }
    void screenSizeChangesKeepTheRound();

private:
    QTemporaryDir store_;
};

void TestFaults::initTestCase()
{
    // Written once: a plain grey photograph far larger than any screen.
    QImage huge(8000, 8000, QImage::Format_Grayscale8);
    huge.fill(128);
    // Ruled, so the file takes megabytes as a camera's does, not a flat grey's few hundred kilobytes.
    for (int y = 0; y < huge.height(); y += 32)
        std::memset(huge.scanLine(y), 0, std::size_t(huge.width()));
    QVERIFY(huge.save(store_.filePath("huge.jpg"), "JPG", 50));
    // Progressive: its decoder keeps every coefficient of all 36 megapixels, whatever the size shown.
    QImageWriter progressive(store_.filePath("progressive.jpg"), "jpeg");
    progressive.setProgressiveScanWrite(true);
    progressive.setQuality(50);
    QVERIFY(progressive.write(huge.copy(0, 0, 6000, 6000)));
    QVERIFY(readFile(store_.filePath("progressive.jpg")).contains("\xff\xc2"));
    TestWorld world;  // registers the screens before the rows are made
}

void TestFaults::brokenPicturesOnEveryScreen()
{
    QFETCH(QString, screen);
    TestWorld world;
    DesignForm* form = reopen(world, screen);
    QVERIFY(form);
    const QStringList said = world.saidBy(form);  // with good pictures
    QMap<QString, int> shown;                     // picture control -> word
    for (PictureImage* picture : photos(form))
        shown.insert(picture->objectName(), pictureWord(picture->picture()));
    QVERIFY(!shown.values().contains(0));
    const std::set<int> each(shown.cbegin(), shown.cend());
    const QList<int> words(each.cbegin(), each.cend());

    QVERIFY(QDir(world.programFolder() + "/jpg").removeRecursively());
    form = reopen(world, screen);
    for (auto it = shown.cbegin(); it != shown.cend(); ++it)
        QVERIFY2(control<PictureImage>(form, it.key())->showsPlaceholder(), qPrintable(it.key()));
    stillWorks(world, form, said);

    // One shown picture of each breakage; a screen with few pictures is opened
    // again until it has shown them all.
    for (int first = 0; !words.isEmpty() && first < Good; first += int(words.size())) {
        world.writePictures();
        QMap<int, Breakage> broken;
        for (int k = 0; k < words.size() && first + k < Good; ++k) {
            const Breakage how = Breakage(first + k);
            broken.insert(words[k], how);
            QFile file(world.programFolder() + "/jpg/" + Modulo1::Parola[words[k]] + ".jpg");
            if (how == Truncated)
                QVERIFY(file.resize(file.size() / 2));  // a copy cut off half way through
            else if (how == Huge || how == HugeProgressive)
                QVERIFY(file.remove()
                        && QFile::copy(store_.filePath(how == Huge ? "huge.jpg" : "progressive.jpg"), file.fileName()));
            else if (how == Pipe)  // opening it for reading would wait for a writer for ever
                QVERIFY(file.remove() && ::mkfifo(QFile::encodeName(file.fileName()).constData(), 0600) == 0);
            else  // left empty, or an error page saved under the picture's name
                QVERIFY(file.open(QIODevice::WriteOnly) && (how == Empty || file.write("<html>404</html>\n") > 0));
        }
        form = reopen(world, screen);
        for (auto it = shown.cbegin(); it != shown.cend(); ++it) {
            const PictureImage* picture = control<PictureImage>(form, it.key());
            const Breakage how = broken.value(it.value(), Good);
            const QString what = it.key() + ", " + BreakageNames[how];
            if (how == Good)
                QCOMPARE(pictureWord(picture->picture()), it.value());
            else if (how != Huge)
                QVERIFY2(picture->showsPlaceholder(), qPrintable(what));
            else  // scaled down on reading, still sharp in its place
                QVERIFY2(!picture->picture().isNull() && picture->picture().width() < 8000
                             && picture->picture().width() >= picture->width(),
                         qPrintable(what));
        }
        stillWorks(world, form, said);
    }
}

void TestFaults::screenSizeChangesKeepTheRound()
{
    QFETCH(QString, screen);
    TestWorld world;
    DesignForm* form = reopen(world, screen);
    QVERIFY(form);
    // A little play first, so a restarted round would show in the counts too.
    const auto* correct = form->findChild<TextLabel*>("EtichettaEsatti");
    const auto* mistakes = form->findChild<TextLabel*>("EtichettaErrati");
    for (const QPointer<QWidget>& widget : form->designControls()) {
        if (!correct || correct->caption().trimmed() != "0" || mistakes->caption().trimmed() != "0")
            break;
        if (widget && widget->isVisible() && widget->isEnabled() && widget->objectName() != "Command1"
            && (qobject_cast<PictureImage*>(widget) || qobject_cast<TextLabel*>(widget)
                || qobject_cast<CommandButton*>(widget)))
            click(widget);
    }
    const QStringList said = world.saidBy(form);
    const QSize original = form->size();
    const QMap<QString, Seen> before = arrangement(form);

    QList<QSize> sizes(std::begin(SchoolScreens), std::end(SchoolScreens));
    for (const QSize& size : sizes << original) {
        form->resize(size);
        QApplication::processEvents();
        QCOMPARE(form->size(), size);
        const QString at = QString("%1x%2: ").arg(size.width()).arg(size.height());
        const QRect window = form->rect().adjusted(-1, -1, 1, 1);  // edges round to the pixel
        QCOMPARE(world.saidBy(form), said);
        const QMap<QString, Seen> now = arrangement(form);
        QCOMPARE(now.keys(), before.keys());
        for (auto it = before.cbegin(); it != before.cend(); ++it) {
            const Seen& seen = now[it.key()];
            QVERIFY2(window.contains(seen.place), qPrintable(at + it.key() + " off the window"));
            QCOMPARE(seen.shows, it->shows);
            // Only scaled: the same share of the client area, and back at the start the same pixels.
            const QPointF moved = seen.share - it->share;
            QVERIFY2(std::abs(moved.x()) < 0.01 && std::abs(moved.y()) < 0.01, qPrintable(at + it.key()));
            if (size == original)
                QCOMPARE(seen.place, it->place);
        }
    }
}

QTEST_MAIN(TestFaults)
#include "test_faults.moc"
