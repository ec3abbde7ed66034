#include "games/FormCruciPuzzle.h"

#include "games/WordSearchGrid.h"
#include "services/Fonts.h"
#include "services/controls/PictureImage.h"
#include "services/controls/TextLabel.h"
#include "shell/Modulo1.h"
#include "shell/Random.h"

#include <algorithm>

namespace {

// Picture slots by word: the last row has slot 8 on the right.
constexpr QPoint SlotPlaces[10] = {{6840, 1680}, {8160, 1680}, {6840, 2760}, {8160, 2760}, {6840, 3840},
                                   {8160, 3840}, {6840, 4920}, {8160, 4920}, {8160, 6000}, {6840, 6000}};

}  // namespace

FormCruciPuzzle::FormCruciPuzzle()
    : ExerciseForm(QStringLiteral("FormCruciPuzzle"), {{10215, 7125}, {2580, 6405, 1080, 690}, {6547, 330}, {}, {}})
{
}

void FormCruciPuzzle::buildExercise()
{
    for (int i = 0; i < WordSearchGrid::Cells; ++i) {
        const int row = i / WordSearchGrid::Side;
        const int column = i % WordSearchGrid::Side;
        // Neighbours overlap by 15 twips, so their borders coincide.
        auto* cell = place(new TextLabel, QStringLiteral("Label1(%1)").arg(i), {240 + 600 * column, 360 + 600 * row, 615, 615});
        cell->setBorder(true);
        cell->setFont(Fonts::arial(26.25, true));
        cell->setAlignment(Qt::AlignCenter);
        cell->setBackColor(Qt::white);
        connect(cell, &TextLabel::clicked, this, [this, i] { Label1_Click(i); });
        Label1[i] = cell;
    }
    for (int k = 0; k < WordSearchGrid::Words; ++k)
        Image1[k] = place(new PictureImage, QStringLiteral("Image1(%1)").arg(k), {SlotPlaces[k], QSize(1095, 975)});
}

void FormCruciPuzzle::CaricaPalla()
{
    Modulo1::Errati = 0;
    EtichettaErrati->setCaption(Modulo1::Str(Modulo1::Errati));
    Modulo1::Esatti = 0;
    EtichettaEsatti->setCaption(Modulo1::Str(Modulo1::Esatti));
    LeggiParole();
    Ricomincia();
    // The next visit may draw another set: its pictures are then kept already.
    QStringList others = WordSearchSets::allWords();
    for (const QString& word : Parole)
        others.removeOne(word);
    Image1[0]->anticipa(others);
}

void FormCruciPuzzle::LeggiParole()
{
    Parole = WordSearchSets::set(Random::Draw(WordSearchSets::Count));
}

void FormCruciPuzzle::Ricomincia()
{
    const WordSearchGrid grid = WordSearchGrid::build(Parole, Random::Rnd);
    for (int i = 0; i < WordSearchGrid::Cells; ++i) {
        Label1[i]->setCaption(grid.letters[i]);
        Label1[i]->setBackColor(Qt::white);
        numeroParola_[i] = grid.word[i];
    }
    // A picture shows exactly while its word is hidden and not yet found.
    for (int k = 0; k < WordSearchGrid::Words; ++k) {
        if (grid.placements[k + 1].placed)
            Image1[k]->showPicture(Parole[k]);
        else
            Image1[k]->clear();
    }
    ParoleInserite = qint16(grid.placed);
    ParoleTrovate = 0;
}

void FormCruciPuzzle::Label1_Click(int Index)
{
    TextLabel* cell = Label1[Index];
    if (cell->backColor() == Giallo)
        return;
    const int word = numeroParola_[Index];
    if (word == 0) {
        rispostaSbagliata();
        return;
    }
    cell->setBackColor(Giallo);
    numeroParola_[Index] = 0;
    if (std::find(numeroParola_.begin(), numeroParola_.end(), word) != numeroParola_.end())
        return;
    rispostaGiusta();
    Image1[word - 1]->clear();
    ParoleTrovate = Modulo1::Incrementa(ParoleTrovate);
    if (ParoleTrovate == ParoleInserite)
        Ricomincia();
}
