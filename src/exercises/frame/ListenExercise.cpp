#include "exercises/frame/ListenExercise.h"

#include "services/Artwork.h"
#include "services/Fonts.h"
#include "services/controls/PictureImage.h"
#include "services/controls/TextLabel.h"
#include "services/speech/SpeechControl.h"
#include "shell/Modulo1.h"
#include "shell/Random.h"

std::unique_ptr<ListenExercise> ListenExercise::Form1()
{
    const FrameLayout frame{{8400, 5400}, {480, 3840, 1320, 1200}, {}, {6600, 4080, 1455, 975}, {0, 0, 255}};
    return std::unique_ptr<ListenExercise>(new ListenExercise(QStringLiteral("Form1"), frame, {2200, 600, 4000, 3500}, {}));
}

std::unique_ptr<ListenExercise> ListenExercise::Form7()
{
    const FrameLayout frame{{8400, 5520}, {480, 4080, 1320, 1200}, {}, {6600, 4320, 1455, 975}, {0, 128, 0}};
    return std::unique_ptr<ListenExercise>(
        new ListenExercise(QStringLiteral("Form7"), frame, {2400, 360, 3600, 3100}, {2150, 3600, 4100, 860}));
}

ListenExercise::ListenExercise(const QString& name, const FrameLayout& layout, const QRect& picture, const QRect& word)
    : ExerciseForm(name, layout)
    , picturePlace_(picture)
    , wordPlace_(word)
{
}

void ListenExercise::buildExercise()
{
    Image1 = place(new PictureImage, QStringLiteral("Image1"), picturePlace_);
    Image1->setCursor(Artwork::pointer(Artwork::Pointer::Arrow));
    Label1 = nullptr;
    if (!wordPlace_.isEmpty()) {
        Label1 = place(new TextLabel(QStringLiteral("Label1")), QStringLiteral("Label1"), wordPlace_);
        Label1->setFont(Fonts::arial(18, true));
        Label1->setAlignment(Qt::AlignCenter);
        Label1->setBackColor(Qt::white);
    }
}

void ListenExercise::CaricaPalla()
{
    Modulo1::Estratto3 = qint16(Random::Draw(18));
    const QString& word = Modulo1::Parola[Modulo1::Estratto3];
    if (Label1)
        Label1->setCaption(word);
    Image1->showPicture(word);
    Bocca->Speak(word);
}

void ListenExercise::Command1_Click()
{
    Bocca->StopSpeaking();
    CaricaPalla();
}

void ListenExercise::Bocca_MouthClick()
{
    Bocca->StopSpeaking();
    Bocca->Speak(Modulo1::Parola[Modulo1::Estratto3]);
}
