// The form scaler: its arithmetic, its Tag directives and one scaler per screen.

#include "services/DesignForm.h"
#include "services/clsResize.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

namespace {

// A control of the sample screen and where it stands once the screen is
// twice as wide, then twice as wide and twice as tall.
struct Sample {
    const char* name;
    const char* tag;
    QRect twips;  // the one without a Tag lies inside "full"
    QRect wide;
    QRect wideAndTall;
};

const Sample Samples[] = {
    {"full", "@W;T;L;H", {1500, 600, 3000, 1200}, {200, 40, 400, 80}, {200, 80, 400, 160}},
    // Moved, size kept.
    {"moveOnly", "@lt", {300, 300, 1500, 750}, {40, 20, 100, 50}, {40, 40, 100, 50}},
    {"untouched", "@", {4500, 4500, 900, 900}, {300, 300, 60, 60}, {300, 300, 60, 60}},
    {"numbered", "17", {6000, 3000, 1500, 1500}, {800, 200, 200, 100}, {800, 400, 200, 200}},
    // Only what the Tag names follows the height.
    {"leftAndHeight", "@h,l", {7500, 300, 600, 600}, {1000, 20, 40, 40}, {1000, 20, 40, 80}},
    // A control inside another scales inside it.
    {"inner", "", {150, 150, 600, 300}, {20, 10, 80, 20}, {20, 20, 80, 40}},
};

// A loaded screen designed at 9000 x 6600 twips (600 x 440 pixels).
class SampleForm : public DesignForm {
public:
    SampleForm()
        : DesignForm("SampleForm", QSize(9000, 6600))
    {
        load();
    }
    QRect at(const Sample& sample) const { return findChild<QLabel*>(sample.name)->geometry(); }

protected:
    void buildControls() override
    {
        for (const Sample& sample : Samples) {
            QWidget* container = *sample.tag ? nullptr : findChild<QLabel*>("full");
            place(new QLabel, sample.name, sample.twips, container)->setProperty("Tag", sample.tag);
        }
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
    for (const Sample& sample : Samples)
        QCOMPARE(form.at(sample), sample.wide);
    form.setFormGeometry(QRect(0, 0, 1200, 880));
    for (const Sample& sample : Samples) {
        QCOMPARE(form.at(sample), sample.wideAndTall);
        QCOMPARE(other.at(sample), sample.wideAndTall);
    }
    // Every size comes from the records: going back restores the design exactly.
    form.setFormGeometry(QRect(0, 0, 600, 440));
    QCOMPARE(form.at(Samples[0]), QRect(100, 40, 200, 80));
}

QTEST_MAIN(TestScaler)
#include "test_scaler.moc"
