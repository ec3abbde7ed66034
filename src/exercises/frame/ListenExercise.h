#pragma once
// Form1 and Form7: a picture and its spoken word; Form7 also writes the word.

#include "exercises/frame/ExerciseForm.h"

class ListenExercise : public ExerciseForm {
    Q_OBJECT
public:
    static std::unique_ptr<ListenExercise> Form1();
    static std::unique_ptr<ListenExercise> Form7();

protected:
    void buildExercise() override;
    void CaricaPalla() override;
    void Command1_Click() override;
    void Bocca_MouthClick() override;

private:
    ListenExercise(const QString& name, const FrameLayout& layout, const QRect& picture, const QRect& word);

    QRect picturePlace_;
    QRect wordPlace_;  // empty on Form1
    PictureImage* Image1 = nullptr;
    TextLabel* Label1 = nullptr;
};
