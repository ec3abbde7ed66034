// The form scaler: its arithmetic, its Tag directives and one scaler per screen.

#include "services/DesignForm.h"
#include "services/clsResize.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

namespace {

// A loaded screen designed at 9000 x 6600 twips (600 x 440 pixels).
class SampleForm : public DesignForm {
public:
    SampleForm()
        : DesignForm("SampleForm", QSize(9000, 6600))
    {
        load();
    }
    QWidget* full = nullptr;
    QWidget* moveOnly = nullptr;
    QWidget* untouched = nullptr;
    QWidget* numbered = nullptr;
    QWidget* leftAndHeight = nullptr;
    QWidget* inner = nullptr;

protected:
    void buildControls() override
    {
        full = place(new QLabel, "full", {1500, 600, 3000, 1200});
        full->setProperty("Tag", "@W;T;L;H");
        moveOnly = place(new QLabel, "moveOnly", {300, 300, 1500, 750});
        moveOnly->setProperty("Tag", "@lt");
        untouched = place(new QLabel, "untouched", {4500, 4500, 900, 900});
        untouched->setProperty("Tag", "@");
        numbered = place(new QLabel, "numbered", {6000, 3000, 1500, 1500});
        numbered->setProperty("Tag", "17");
        leftAndHeight = place(new QLabel, "leftAndHeight", {7500, 300, 600, 600});
        leftAndHeight->setProperty("Tag", "@h,l");
        inner = place(new QLabel, "inner", {150, 150, 600, 300}, full);
    }
};

}  // namespace

class TestScaler : public QObject {
    Q_OBJECT
private slots:
    void scalingFollowsTheRecordsOfEachScreen();
};

void TestScaler::scalingFollowsTheRecordsOfEachScreen()
{
    SampleForm form;
    SampleForm other;  // each screen scales by its own records
    other.setFormGeometry(QRect(0, 0, 1200, 880));
    form.setFormGeometry(QRect(0, 0, 1200, 440));  // 18000 x 6600 twips
    QCOMPARE(form.full->geometry(), QRect(200, 40, 400, 80));
    QCOMPARE(form.numbered->geometry(), QRect(800, 200, 200, 100));
    // Moved, size kept.
    QCOMPARE(form.moveOnly->geometry(), QRect(40, 20, 100, 50));
    QCOMPARE(form.untouched->geometry(), QRect(300, 300, 60, 60));
    // A control inside another scales inside it.
    QCOMPARE(form.inner->geometry(), QRect(20, 10, 80, 20));
    QCOMPARE(form.leftAndHeight->geometry(), QRect(1000, 20, 40, 40));
    // Taller too: only what the Tag names follows the height.
    form.setFormGeometry(QRect(0, 0, 1200, 880));
    QCOMPARE(form.leftAndHeight->geometry(), QRect(1000, 20, 40, 80));
    QCOMPARE(form.moveOnly->geometry(), QRect(40, 40, 100, 50));
    QCOMPARE(form.full->geometry(), QRect(200, 80, 400, 160));
    QCOMPARE(other.full->geometry(), QRect(200, 80, 400, 160));
    // Every size comes from the records: going back restores the design exactly.
    form.setFormGeometry(QRect(0, 0, 600, 440));
    QCOMPARE(form.full->geometry(), QRect(100, 40, 200, 80));
}

QTEST_MAIN(TestScaler)
#include "test_scaler.moc"
