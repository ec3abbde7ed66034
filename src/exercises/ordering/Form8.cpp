#include "exercises/ordering/Form8.h"

#include "exercises/choice/ItemDraws.h"
#include "exercises/ordering/DropBox.h"
#include "exercises/ordering/OrderingRules.h"
#include "exercises/ordering/WordLabel.h"
#include "services/Artwork.h"
#include "services/Fonts.h"
#include "services/controls/CommandButton.h"
#include "services/controls/PictureImage.h"
#include "services/speech/SpeechControl.h"
#include "shell/Modulo1.h"
#include "shell/Random.h"

namespace {

const QRect PictureRects[3] = {{360, 120, 2535, 2295}, {3480, 120, 2655, 2295}, {6720, 120, 2535, 2295}};
const QRect BoxRects[3] = {{240, 2640, 2955, 645}, {3390, 2640, 2955, 645}, {6480, 2640, 2955, 645}};
const QRect WordRects[3] = {{240, 3480, 2955, 750}, {3360, 3480, 2955, 750}, {6480, 3480, 2955, 750}};

const ExerciseForm::FrameLayout Frame{
    {9690, 6135}, {4200, 4560, 1320, 1200}, {360, 4800}, {6960, 4680, 1935, 1095}, {0, 128, 0}};

}  // namespace

Form8::Form8()
    : ExerciseForm(QStringLiteral("Form8"), Frame)
{
}

void Form8::buildExercise()
{
    Image1.clear();
    Label2.clear();
    Label1.clear();
    spostate_ = false;
    for (int k = 0; k < 3; ++k) {
        auto* picture = place(new PictureImage, QStringLiteral("Image1(%1)").arg(k), PictureRects[k]);
        picture->setCursor(Artwork::pointer(Artwork::Pointer::Arrow));
        Image1.append(picture);

        auto* box = place(new DropBox, QStringLiteral("Label2(%1)").arg(k), BoxRects[k]);
        box->setBackColor(QColor(255, 255, 192));
        box->setBorder(true);
        box->setAlignment(Qt::AlignCenter);
        box->setFont(Fonts::arial(13.5, true));
        box->setCursor(Artwork::pointer(Artwork::Pointer::Arrow));
        box->setAccessibleName(QStringLiteral("box %1").arg(k + 1));
        connect(box, &DropBox::dropped, this, [this, k](WordLabel* source) { Label2_DragDrop(k, source); });
        Label2.append(box);
    }
    for (int k = 0; k < 3; ++k) {
        auto* word = place(new WordLabel(QStringLiteral("Label1")), QStringLiteral("Label1(%1)").arg(k), WordRects[k]);
        word->setBackColor(Qt::white);
        word->setAlignment(Qt::AlignCenter);
        word->setFont(Fonts::arial(13.5, true));
        word->setCursor(Artwork::pointer(Artwork::Pointer::Hand));
        Label1.append(word);
    }
}

void Form8::CaricaPalla()
{
    for (int k = 0; k < 3; ++k) {
        Label1[k]->setCaption(QString());
        Label2[k]->setCaption(QString());
        // Every new round takes drops, also the one an activation starts over a finished round.
        Label2[k]->setEnabled(true);
    }
    Abbinati = 0;
    const QList<int> drawn = ItemDraws::distinti(3, 18);
    for (int k = 0; k < 3; ++k) {
        disegno_[std::size_t(k)] = qint16(drawn[k]);
        const QString& word = Modulo1::Parola[std::size_t(drawn[k])];
        Image1[k]->showPicture(word);
        Label1[k]->setCaption(word);
    }
    Sposta();
}

void Form8::Sposta()
{
    Modulo1::Estratto1 = qint16(Random::Draw(6) - 1);
    const std::array<int, 3> under = Ordinamento::ordineDelleParole(Modulo1::Estratto1);
    for (int box = 0; box < 3; ++box)
        colonna_[std::size_t(under[std::size_t(box)])] = box;
    spostate_ = true;
    collocaParole();
    for (WordLabel* word : Label1)
        word->setEnabled(true);
}

void Form8::collocaParole()
{
    if (!spostate_)
        return;
    for (int k = 0; k < 3; ++k)
        moveToDesign(Label1[k], BoxRects[colonna_[std::size_t(k)]].left(), WordRects[k].top());
}

void Form8::afterRescale()
{
    // The scaler puts the words back at their design places; the round's own
    // order is kept instead.
    collocaParole();
}

void Form8::Label2_DragDrop(int Index, WordLabel* Source)
{
    const int source = int(Label1.indexOf(Source));
    if (source < 0)
        return;
    Bocca->StopSpeaking();
    if (source != Index) {
        rispostaSbagliata();
        return;
    }
    Bocca->Speak(Source->caption());
    Label2[Index]->setCaption(Label1[Index]->caption());
    Label1[Index]->setCaption(QString());
    ++Abbinati;
    Source->setEnabled(false);
    if (Abbinati < 3)
        return;
    rispostaGiusta();
    Command1->setEnabled(true);
    for (DropBox* box : Label2)
        box->setEnabled(false);
}

void Form8::Command1_Click()
{
    Bocca->StopSpeaking();
    Command1->setEnabled(false);
    CaricaPalla();
}
