#pragma once
// The word search: ten body words hidden in a 10 x 10 grid, their pictures
// beside it; the child clicks the letters of each word.

#include "exercises/frame/ExerciseForm.h"
#include "games/WordSearchSets.h"

#include <array>

class FormCruciPuzzle : public ExerciseForm {
    Q_OBJECT
public:
    FormCruciPuzzle();

    static constexpr QColor Giallo{255, 255, 0};

    // The word (1..10) a cell still counts for; 0 for filler and clicked cells.
    int parolaDi(int cell) const { return numeroParola_[cell]; }

protected:
    void buildExercise() override;
    // A new game: counts back to 0, a word set drawn, a puzzle built.
    void CaricaPalla() override;

private:
    void LeggiParole();
    // A new puzzle with the same words.
    void Ricomincia();
    void Label1_Click(int Index);

    std::array<TextLabel*, 100> Label1{};
    std::array<PictureImage*, 10> Image1{};
    WordSearchSets::Words Parole;
    std::array<int, 100> numeroParola_{};
    qint16 ParoleInserite = 0;
    qint16 ParoleTrovate = 0;
};
