#include "exercises/choice/ClickObjectExercise.h"

#include "exercises/choice/ControlArray.h"
#include "exercises/choice/ItemDraws.h"
#include "exercises/choice/Sposta.h"
#include "services/Artwork.h"
#include "services/controls/CommandButton.h"
#include "services/controls/PictureImage.h"
#include "services/controls/ShapeOutline.h"
#include "services/speech/SpeechControl.h"
#include "shell/Modulo1.h"
#include "shell/Random.h"

#include <cmath>

std::unique_ptr<ClickObjectExercise> ClickObjectExercise::Form2()
{
    Disegno disegno{
        {{9900, 5280}, {480, 3600, 1320, 1200}, {3240, 3900}, {7560, 3840, 1935, 1095}, {128, 128, 255}},
        {{240, 360}, {3480, 360}, {6720, 360}},
        {3015, 2895},
        {240, 360},
        0, 1, -1,
        {{0, 0}, {1, 0}, {2, 0}},
        {&Modulo1::Estratto2, &Modulo1::Estratto3, nullptr},
    };
    return std::unique_ptr<ClickObjectExercise>(new ClickObjectExercise(QStringLiteral("Form2"), disegno));
}

std::unique_ptr<ClickObjectExercise> ClickObjectExercise::Form3()
{
    // The place at the right of the upper row stays empty.
    Disegno disegno{
        {{10290, 7650}, {7680, 360, 1320, 1200}, {6840, 1800}, {7200, 3000, 1935, 1095}, {255, 255, 128}},
        {{3480, 4440}, {120, 600}, {120, 4440}, {6840, 4440}, {3480, 600}},
        {3015, 2895},
        {120, 600},
        1, 4, 0,
        {{0, 0}, {1, 0}, {0, 1}, {1, 1}, {2, 1}},
        {&Modulo1::Estratto1, &Modulo1::Estratto2, &Modulo1::Estratto3, nullptr, nullptr},
    };
    return std::unique_ptr<ClickObjectExercise>(new ClickObjectExercise(QStringLiteral("Form3"), disegno));
}

ClickObjectExercise::ClickObjectExercise(const QString& name, Disegno disegno)
    : ExerciseForm(name, disegno.frame)
    , disegno_(std::move(disegno))
{
}

void ClickObjectExercise::buildExercise()
{
    Image1.clear();
    postoDi_.clear();
    const QCursor arrow = Artwork::pointer(Artwork::Pointer::Arrow);
    for (int i = 0; i < disegno_.luoghi.size(); ++i) {
        auto* picture = place(new PictureImage, elementoDi(QStringLiteral("Image1"), i),
                              QRect(disegno_.luoghi[i], disegno_.misura));
        picture->setCursor(arrow);
        connect(picture, &PictureImage::clicked, this, [this, i] { Image1_Click(qint16(i)); });
        Image1.append(picture);
    }
    Shape1 = place(new ShapeOutline, QStringLiteral("Shape1"), QRect(disegno_.shape, disegno_.misura));
    Shape1->setBorder(QColor(255, 0, 0), 9);
}

void ClickObjectExercise::Form_Load()
{
    Command1->setEnabled(false);
}

QPointF ClickObjectExercise::posto(int slot) const
{
    const Posto& where = disegno_.posti[slot];
    return QPointF(Inizio + where.colonna * Passo, where.riga == 0 ? RigaSopra : RigaSotto);
}

void ClickObjectExercise::misuraPosti()
{
    // From the design layout, never from where the last item left the pictures.
    const QPoint first = disegno_.luoghi[disegno_.primo];
    const QPointF origin = scaledPixels(first.x(), first.y());
    Inizio = origin.x();
    RigaSopra = origin.y();
    Passo = scaledPixels(disegno_.luoghi[disegno_.secondo].x(), 0).x() - Inizio;
    RigaSotto = disegno_.sotto < 0 ? RigaSopra : scaledPixels(0, disegno_.luoghi[disegno_.sotto].y()).y();
}

void ClickObjectExercise::mettiAiPosti()
{
    for (int i = 0; i < Image1.size() && i < postoDi_.size(); ++i) {
        const QPointF at = posto(postoDi_[i]);
        Image1[i]->move(int(std::lround(at.x())), int(std::lround(at.y())));
    }
    if (!Shape1->isHidden())
        incornicia();
}

void ClickObjectExercise::incornicia()
{
    // The outline hugs the picture as drawn, not its whole place.
    const QRectF drawn = Image1[0]->drawnRect().translated(Image1[0]->pos());
    Shape1->setGeometry(drawn.toAlignedRect());
}

void ClickObjectExercise::afterRescale()
{
    // The scaler puts every control back to its design place; the item keeps its arrangement.
    misuraPosti();
    mettiAiPosti();
}

void ClickObjectExercise::attivazioneSpecifica()
{
    misuraPosti();
}

void ClickObjectExercise::Sposta()
{
    postoDi_ = Sposta::posti(Random::Draw(int(Image1.size())), int(Image1.size()));
    mettiAiPosti();
}

void ClickObjectExercise::CaricaPalla()
{
    Sposta();
    Shape1->hide();
    const QList<int> words = ItemDraws::distinti(int(Image1.size()), 18);
    for (int i = 0; i < Image1.size(); ++i) {
        if (disegno_.registri[i])
            *disegno_.registri[i] = qint16(words[i]);
        Image1[i]->showPicture(Modulo1::Parola[words[i]]);
    }
    Bocca->Speak(parolaDetta());
}

const QString& ClickObjectExercise::parolaDetta() const
{
    return Modulo1::Parola[*disegno_.registri[0]];
}

void ClickObjectExercise::Image1_Click(qint16 Index)
{
    if (Index != 0) {
        rispostaSbagliata();
        return;
    }
    rispostaGiusta();
    Shape1->show();
    incornicia();
    abilitaImmagini(false);
    Command1->setEnabled(true);
}

void ClickObjectExercise::abilitaImmagini(bool enabled)
{
    for (PictureImage* picture : Image1)
        picture->setEnabled(enabled);
}

void ClickObjectExercise::Command1_Click()
{
    Bocca->StopSpeaking();
    abilitaImmagini(true);
    CaricaPalla();
    Command1->setEnabled(false);
}

void ClickObjectExercise::Bocca_MouthClick()
{
    Bocca->StopSpeaking();
    Bocca->Speak(parolaDetta());
}
