#pragma once
// Form8: drag each of three words onto the box under its picture.

#include "exercises/frame/ExerciseForm.h"

#include <array>

class DropBox;
class WordLabel;

class Form8 : public ExerciseForm {
    Q_OBJECT
public:
    Form8();

    int abbinati() const { return Abbinati; }
    // The word index of each picture of the round.
    const std::array<qint16, 3>& disegni() const { return disegno_; }

protected:
    void buildExercise() override;
    void CaricaPalla() override;
    void Command1_Click() override;
    void afterRescale() override;

private:
    void Sposta();
    void collocaParole();
    void Label2_DragDrop(int Index, WordLabel* Source);

    QList<PictureImage*> Image1;
    QList<DropBox*> Label2;
    QList<WordLabel*> Label1;
    int Abbinati = 0;
    std::array<qint16, 3> disegno_{};
    std::array<int, 3> colonna_{0, 1, 2};
    bool spostate_ = false;  // the words stand under boxes, not at their design places
};
