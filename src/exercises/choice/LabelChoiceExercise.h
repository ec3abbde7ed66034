#pragma once
// The screens where the child clicks the right one of a row of written
// answers: it turns red, the answers lock and the next button unlocks.

#include "exercises/frame/ExerciseForm.h"

#include <QList>

class LabelChoiceExercise : public ExerciseForm {
    Q_OBJECT
public:
    // The answers' row: its name, design places and bold Arial size.
    struct Risposte {
        QString nome;
        QList<QRect> luoghi;
        double punti;
    };

    const QList<TextLabel*>& risposte() const { return risposte_; }

    void Form_Activate() override;

protected:
    LabelChoiceExercise(const QString& name, const FrameLayout& layout, Risposte risposte);

    void buildExercise() override;
    void Command1_Click() override;
    void Bocca_MouthClick() override;

    // The screen's own controls beside the answers.
    virtual void buildAltri() {}
    // The index of the right answer of the item shown.
    virtual int giusto() const = 0;
    // What the mouth repeats when clicked; empty where it does nothing.
    virtual QString daRipetere() const { return {}; }
    // Steps after the right answer turned red, before the answers lock.
    virtual void dopoGiusta(TextLabel*) {}

    QList<TextLabel*> risposte_;

private:
    void Label_Click(qint16 Index);

    Risposte disegno_;
};
