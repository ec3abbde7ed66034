#include "SwitchFloor.h"

#include "Waiting.h"
#include "services/Pictures.h"
#include "services/StorePages.h"

#include <QBackingStore>
#include <QDir>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTest>

namespace {

constexpr int Runs = 10;
constexpr int SettleMs = 300;
// As large as an exercise's pictures on a full-HD screen.
constexpr QSize PictureSize(585, 568);

class BareScreen : public QWidget {
public:
    explicit BareScreen(QImage picture = {})
        : picture_(std::move(picture))
        , pages_(new StorePages(this))
    {
    }

    // A window per screen at its best: full screen, in place of the one
    // leaving, which gives back its backing store first, and with its own
    // store's pages faulted in on a thread of their own.
    void showInPlaceOf(BareScreen& leaving)
    {
        leaving.pages_->wait();
        if (QBackingStore* store = leaving.backingStore())
            store->resize(QSize(1, 1));
        if (!testAttribute(Qt::WA_WState_Created))
            create();
        pages_->prepare(screen()->geometry().size());
        setGeometry(screen()->geometry());
        show();
        setWindowState(windowState() | Qt::WindowFullScreen);
        leaving.hide();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(160, 190, 255));
        if (!picture_.isNull())
            painter.drawImage(QPoint(50, 100), picture_);
    }

private:
    QImage picture_;
    StorePages* pages_;
};

QImage aPicture()
{
    const QStringList files = QDir(Pictures::cartella() + QStringLiteral("/jpg"))
                                  .entryList({QStringLiteral("*.jpg")}, QDir::Files, QDir::Name);
    return files.isEmpty() ? QImage() : Pictures::carica(QFileInfo(files.first()).completeBaseName(), PictureSize);
}

}  // namespace

Figure switchFloorFigure()
{
    BareScreen menu;
    BareScreen screen(aPicture());
    auto* button = new QPushButton(QStringLiteral("open"), &menu);
    button->setGeometry(100, 100, 300, 150);
    QObject::connect(button, &QPushButton::clicked, &screen, [&] { screen.showInPlaceOf(menu); });
    QList<double> samples;
    for (int run = 0; run < Runs; ++run) {
        menu.showInPlaceOf(screen);
        if (!QTest::qWaitForWindowExposed(&menu))
            break;
        waitUntilQuiet(SettleMs);
        QElapsedTimer clock;
        LastPaint painted(clock);
        clock.start();
        QTest::mouseClick(button, Qt::LeftButton);
        waitUntil([&screen] { return screen.isVisible(); }, 5000);
        waitUntilQuiet(painted, clock, SettleMs);
        samples << painted.ms();
    }
    screen.hide();
    menu.hide();
    return summarise(QStringLiteral("switch_floor_ms"), samples, QStringLiteral("ms"),
                     QStringLiteral("none: a bare window switch, for the ratio"));
}
