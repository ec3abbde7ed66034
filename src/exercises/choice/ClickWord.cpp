#include "exercises/choice/ClickWord.h"

#include "exercises/choice/ItemDraws.h"
#include "exercises/choice/WordColumn.h"
#include "services/controls/PictureImage.h"
#include "services/controls/TextLabel.h"
#include "services/speech/SpeechControl.h"
#include "shell/Modulo1.h"

std::unique_ptr<ClickWord> ClickWord::Form9()
{
    const FrameLayout frame{{8175, 5700}, {5760, 600, 1320, 1200}, {4920, 2280}, {5280, 4320, 1935, 1095}, {255, 0, 255}};
    return std::unique_ptr<ClickWord>(new ClickWord(QStringLiteral("Form9"), frame, colonnaDiCinque(360, 240, {3975, 975}),
                                                    {}, {&Modulo1::Estratto1, &Modulo1::Estratto2, &Modulo1::Estratto3}));
}

std::unique_ptr<ClickWord> ClickWord::Form10()
{
    const FrameLayout frame{{9000, 5955}, {4560, 180, 1200, 1100}, {5880, 240}, {5760, 4680, 1935, 1095}, {192, 0, 0}};
    return std::unique_ptr<ClickWord>(new ClickWord(QStringLiteral("Form10"), frame,
                                                    colonnaDiCinque(480, 360, {3975, 975}), {4920, 1680, 3255, 2895},
                                                    {nullptr, &Modulo1::Estratto2, &Modulo1::Estratto3}));
}

ClickWord::ClickWord(const QString& name, const FrameLayout& layout, const QList<QRect>& words, const QRect& picture,
                     QList<qint16*> registri)
    : LabelChoiceExercise(name, layout, {QStringLiteral("Label1"), words, 18})
    , picture_(picture)
    , registri_(std::move(registri))
{
}

void ClickWord::buildAltri()
{
    Image1 = picture_.isEmpty() ? nullptr : place(new PictureImage, QStringLiteral("Image1"), picture_);
}

void ClickWord::CaricaPalla()
{
    const QList<int> words = ItemDraws::distinti(5, 18);
    for (int i = 0; i < 5; ++i) {
        if (i < registri_.size() && registri_[i])
            *registri_[i] = qint16(words[i]);
        risposte_[i]->setCaption(Modulo1::Parola[words[i]]);
    }
    Giusto = qint16(ItemDraws::Giusto(5));
    const QString right = risposte_[Giusto]->caption();
    if (Image1)
        Image1->showPicture(right);
    else
        Bocca->Speak(right);
}

QString ClickWord::daRipetere() const
{
    // Form10 shows its word and keeps the mouth silent.
    return Image1 ? QString() : risposte_[Giusto]->caption();
}
