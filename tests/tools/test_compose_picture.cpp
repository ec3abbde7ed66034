// The tool that composes each word's picture from the one drawing of the child.

#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

class TestComposePicture : public QObject {
    Q_OBJECT
private slots:
    void partLyingOnAGroupOutOfViewStillGlows();
    void unseenShapeLeavesNoInk();
    void outerContourWhereverTheFillIsWritten();
    void hiddenShapeLeavesNoContour();
};

namespace {

const QColor card(0xB2, 0xD9, 0xF8);

// A face shown only with the mouth, and a nose that lies on it.
QByteArray drawing(const char* noseLiesOn, const char* alsoInNose = "")
{
    return QByteArrayLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 100 100\">"
                             "<g id=\"child\" stroke=\"#8A6A5A\" stroke-width=\"1\">"
                             "<g id=\"face\" shown-with=\"mouth\"><circle cx=\"50\" cy=\"50\" r=\"40\" fill=\"#FFE0C8\"/></g>"
                             "<g id=\"nose\" glow-over=\"")
        + noseLiesOn
        + QByteArrayLiteral("\"><circle cx=\"50\" cy=\"50\" r=\"6\" fill=\"#F0B090\"/>") + alsoInNose
        + QByteArrayLiteral("</g></g></svg>");
}

struct Composed {
    int exitCode = -1;
    QByteArray errors;
    QImage picture;
};

Composed compose(const QByteArray& child, QSize size = {200, 175})
{
    QTemporaryDir folder;
    const QString childPath = folder.filePath(QStringLiteral("child.svg"));
    const QString framingPath = folder.filePath(QStringLiteral("framing.txt"));
    const QString picturePath = folder.filePath(QStringLiteral("nose.svg"));
    for (const auto& [path, text] : {std::pair{childPath, child}, std::pair{framingPath, QByteArray("nose 0 0 100 nose card=#B2D9F8\n")}}) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
            return {};
    }
    QProcess tool;
    tool.start(QStringLiteral(QUILLET_BUILD_DIR "/tools/compose_picture"),
               {childPath, framingPath, QStringLiteral("nose"), picturePath});
    tool.waitForFinished();
    Composed result{tool.exitCode(), tool.readAllStandardError(), {}};
    if (result.exitCode != 0)
        return result;
    QSvgRenderer renderer(picturePath);
    if (renderer.isValid()) {
        result.picture = QImage(size, QImage::Format_RGB32);
        QPainter painter(&result.picture);
        renderer.render(&painter);
    }
    return result;
}

} // namespace

void TestComposePicture::partLyingOnAGroupOutOfViewStillGlows()
{
    // The face is not in the nose's picture, so the nose's glow goes on the card round it.
    const Composed outOfView = compose(drawing("face"));
    QCOMPARE(outOfView.exitCode, 0);
    QVERIFY(!outOfView.picture.isNull());
    QCOMPARE(outOfView.picture.pixelColor(100, 20), card);
    QVERIFY2(outOfView.picture.pixelColor(100, 74).red() > card.red() + 8, "no glow round the nose");

    // A misspelt group would lose the glow without a word.
    const Composed misspelt = compose(drawing("fcae"));
    QVERIFY(misspelt.exitCode != 0);
    QVERIFY2(misspelt.errors.contains("fcae"), misspelt.errors.constData());
}

void TestComposePicture::unseenShapeLeavesNoInk()
{
    // A see-through shape far out in the nose only sets where it is shaded.
    const Composed composed = compose(drawing("face", "<rect x=\"80\" y=\"10\" width=\"10\" height=\"10\" fill=\"#F0B090\" fill-opacity=\"0\" stroke=\"none\"/>"));
    QCOMPARE(composed.exitCode, 0);
    const QColor atTheShape = composed.picture.pixelColor(170, 26);
    QVERIFY2(atTheShape.lightness() > 150, qPrintable(atTheShape.name()));
}

void TestComposePicture::outerContourWhereverTheFillIsWritten()
{
    // A faded cheek beside the lit nose, its colour on the group or on its shape alone: the child's
    // own fill="none" must not make the second a group of lines with no outer contour.
    auto cheek = [](bool fillOnGroup) {
        return QByteArrayLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 100 100\">"
                                 "<g id=\"child\" fill=\"none\" stroke=\"#8A6A5A\" stroke-width=\"1\">")
            + (fillOnGroup ? QByteArrayLiteral("<g id=\"cheek\" fill=\"#FFE0C8\"><circle cx=\"30\" cy=\"50\" r=\"15\"/></g>")
                           : QByteArrayLiteral("<g id=\"cheek\"><circle cx=\"30\" cy=\"50\" r=\"15\" fill=\"#FFE0C8\"/></g>"))
            + QByteArrayLiteral("<g id=\"nose\"><circle cx=\"70\" cy=\"50\" r=\"6\" fill=\"#F0B090\"/></g></g></svg>");
    };
    const Composed onGroup = compose(cheek(true), {960, 840});
    const Composed onShape = compose(cheek(false), {960, 840});
    QCOMPARE(onGroup.exitCode, 0);
    QCOMPARE(onShape.exitCode, 0);
    QCOMPARE(onShape.picture, onGroup.picture);
}

void TestComposePicture::hiddenShapeLeavesNoContour()
{
    // A shape hidden in the cheek (kept only to carry a glow or a fade) lies far from it: nothing of it may show.
    const Composed composed = compose(QByteArrayLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 100 100\">"
                                                        "<g id=\"child\" fill=\"none\" stroke=\"#8A6A5A\" stroke-width=\"1\">"
                                                        "<g id=\"cheek\" fill=\"#FFE0C8\"><circle cx=\"75\" cy=\"70\" r=\"8\"/>"
                                                        "<circle cx=\"20\" cy=\"20\" r=\"10\" display=\"none\"/></g>"
                                                        "<g id=\"nose\"><circle cx=\"50\" cy=\"50\" r=\"6\" fill=\"#F0B090\"/></g></g></svg>"),
                                      {960, 840});
    QCOMPARE(composed.exitCode, 0);
    QCOMPARE(composed.picture.pixelColor(192, 192), card);
}

QTEST_MAIN(TestComposePicture)
#include "test_compose_picture.moc"
