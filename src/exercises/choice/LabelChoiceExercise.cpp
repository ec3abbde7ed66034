#include "exercises/choice/LabelChoiceExercise.h"

#include "exercises/choice/ControlArray.h"
#include "services/Fonts.h"
#include "services/controls/CommandButton.h"
#include "services/controls/TextLabel.h"
#include "services/speech/SpeechControl.h"

LabelChoiceExercise::LabelChoiceExercise(const QString& name, const FrameLayout& layout, Risposte risposte)
    : ExerciseForm(name, layout)
    , disegno_(std::move(risposte))
{
}

void LabelChoiceExercise::buildExercise()
{
    risposte_.clear();
    buildAltri();
    for (int i = 0; i < disegno_.luoghi.size(); ++i) {
        auto* label = place(new TextLabel(disegno_.nome), elementoDi(disegno_.nome, i), disegno_.luoghi[i]);
        label->setFont(Fonts::arial(disegno_.punti, true));
        label->setAlignment(Qt::AlignCenter);
        label->setBackColor(Qt::white);
        label->setBorder(true);
        connect(label, &TextLabel::clicked, this, [this, i] { Label_Click(qint16(i)); });
        risposte_.append(label);
    }
}

void LabelChoiceExercise::Form_Activate()
{
    // An activation over an answered item brings a new item: the red mark
    // belonged to the old one and would point at the new right word.
    for (TextLabel* label : risposte_)
        label->setBackColor(Qt::white);
    ExerciseForm::Form_Activate();
}

void LabelChoiceExercise::Label_Click(qint16 Index)
{
    if (Index != giusto()) {
        rispostaSbagliata();
        return;
    }
    rispostaGiusta();
    TextLabel* right = risposte_[Index];
    right->setBackColor(QColor(255, 0, 0));
    dopoGiusta(right);
    for (TextLabel* label : risposte_)
        label->setEnabled(false);
    Command1->setEnabled(true);
}

void LabelChoiceExercise::Command1_Click()
{
    Bocca->StopSpeaking();
    for (TextLabel* label : risposte_) {
        label->setEnabled(true);
        label->setBackColor(Qt::white);
    }
    Command1->setEnabled(false);
    CaricaPalla();
}

void LabelChoiceExercise::Bocca_MouthClick()
{
    const QString text = daRipetere();
    if (text.isEmpty())
        return;
    Bocca->StopSpeaking();
    Bocca->Speak(text);
}
