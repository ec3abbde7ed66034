// The word-search screen: finding words letter by letter, wrong letters and
// a solved grid built anew with the counts running on.

#include "games/FormCruciPuzzle.h"
#include "services/controls/PictureImage.h"
#include "services/controls/TextLabel.h"
#include "shell/Modulo1.h"
#include "support/TestWorld.h"

#include <QAction>

namespace {

struct Screen {
    FormCruciPuzzle* form;

    TextLabel* cell(int i) const { return control<TextLabel>(form, QString("Label1(%1)").arg(i)); }
    PictureImage* slot(int k) const { return control<PictureImage>(form, QString("Image1(%1)").arg(k)); }
    QString esatti() const { return control<TextLabel>(form, "EtichettaEsatti")->caption(); }
    QString errati() const { return control<TextLabel>(form, "EtichettaErrati")->caption(); }

    QList<int> cellsOf(int word) const
    {
        QList<int> cells;
        for (int i = 0; i < 100; ++i)
            if (form->parolaDi(i) == word)
                cells.append(i);
        return cells;
    }
    QList<int> hiddenWords() const
    {
        QList<int> words;
        for (int w = 1; w <= 10; ++w)
            if (!cellsOf(w).isEmpty())
                words.append(w);
        return words;
    }
    int filler() const
    {
        for (int i = 0; i < 100; ++i)
            if (form->parolaDi(i) == 0 && cell(i)->backColor() == Qt::white)
                return i;
        return -1;
    }
    void solve() const
    {
        for (int w : hiddenWords())
            for (int i : cellsOf(w))
                click(cell(i));
    }
    // Every cell white with a capital letter; a slot shows exactly while its word is hidden.
    void checkFreshGrid() const
    {
        for (int i = 0; i < 100; ++i) {
            QCOMPARE(cell(i)->backColor(), QColor(Qt::white));
            QCOMPARE(cell(i)->caption().size(), 1);
            QVERIFY(cell(i)->caption()[0].isUpper());
        }
        for (int k = 0; k < 10; ++k)
            QCOMPARE(!slot(k)->picture().isNull(), !cellsOf(k + 1).isEmpty());
    }
};

}  // namespace

class TestCruciPuzzle : public QObject {
    Q_OBJECT
private slots:
    void findingWordsAndMissingThem();
    void aSolvedGridIsBuiltAgainWithTheCountsRunning();
};

void TestCruciPuzzle::findingWordsAndMissingThem()
{
    TestWorld world;
    Screen screen{static_cast<FormCruciPuzzle*>(world.open("FormCruciPuzzle"))};
    QVERIFY(screen.form);
    QCOMPARE(world.saidBy(screen.form), QStringList{"Play  with  me."});
    QVERIFY(!screen.form->findChild<QAction*>("mnuImposta"));
    QCOMPARE(control<QAction>(screen.form, "mnuEsci")->text(), QString("Go back"));
    QVERIFY(!screen.form->findChild<QWidget*>("Command1"));
    QCOMPARE(screen.esatti(), QString(" 0"));
    QCOMPARE(screen.errati(), QString(" 0"));
    screen.checkFreshGrid();
    // The first word always fits into the empty grid.
    QVERIFY(screen.hiddenWords().contains(1));

    // A word found letter by letter, from its end.
    const int word = screen.hiddenWords().last();
    QVERIFY(word != 1);
    QList<int> cells = screen.cellsOf(word);
    std::reverse(cells.begin(), cells.end());
    world.engine.clear();
    for (int n = 0; n < cells.size() - 1; ++n) {
        click(screen.cell(cells[n]));
        QCOMPARE(screen.cell(cells[n])->backColor(), FormCruciPuzzle::Giallo);
        // A yellow letter again is no mistake and no progress.
        click(screen.cell(cells[n]));
    }
    QCOMPARE(screen.esatti(), QString(" 0"));
    QCOMPARE(screen.errati(), QString(" 0"));
    QVERIFY(!screen.slot(word - 1)->picture().isNull());
    click(screen.cell(cells.last()));
    QCOMPARE(screen.esatti(), QString(" 1"));
    QCOMPARE(Modulo1::Esatti, qint16(1));
    QVERIFY(screen.slot(word - 1)->picture().isNull());
    QVERIFY(control<QWidget>(screen.form, "ComandoIconaSi")->isVisibleTo(screen.form));
    QVERIFY(!control<QWidget>(screen.form, "ComandoIconaNo")->isVisibleTo(screen.form));
    QVERIFY(world.saidBy(screen.form).isEmpty());

    // A filler letter in the middle of a word is a mistake; the word can still be finished.
    const QList<int> first = screen.cellsOf(1);
    click(screen.cell(first.first()));
    const int filler = screen.filler();
    QVERIFY(filler >= 0);
    click(screen.cell(filler));
    QCOMPARE(screen.errati(), QString(" 1"));
    QCOMPARE(screen.cell(filler)->backColor(), QColor(Qt::white));
    QCOMPARE(world.saidBy(screen.form), QStringList{"No! repeat!"});
    QVERIFY(control<QWidget>(screen.form, "ComandoIconaNo")->isVisibleTo(screen.form));
    QCOMPARE(screen.cell(first.first())->backColor(), FormCruciPuzzle::Giallo);
    for (int i : first)
        click(screen.cell(i));
    QCOMPARE(screen.esatti(), QString(" 2"));
}

void TestCruciPuzzle::aSolvedGridIsBuiltAgainWithTheCountsRunning()
{
    TestWorld world;
    Screen screen{static_cast<FormCruciPuzzle*>(world.open("FormCruciPuzzle"))};
    click(screen.cell(screen.filler()));
    int found = 0;
    for (int round = 0; round < 3; ++round) {
        found += int(screen.hiddenWords().size());
        screen.solve();
        QCOMPARE(screen.esatti(), Modulo1::Str(found));
        QCOMPARE(screen.errati(), QString(" 1"));
        screen.checkFreshGrid();
        QVERIFY(!screen.hiddenWords().isEmpty());
    }
}

QTEST_MAIN(TestCruciPuzzle)
#include "test_crucipuzzle.moc"
