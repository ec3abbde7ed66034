#include "exercises/choice/ReadWords.h"

#include "exercises/choice/ControlArray.h"
#include "exercises/choice/ItemDraws.h"
#include "exercises/ordering/OrderingRules.h"
#include "services/Artwork.h"
#include "services/controls/PictureImage.h"
#include "services/controls/TextLabel.h"
#include "services/speech/SpeechControl.h"
#include "shell/Modulo1.h"
#include "shell/Random.h"

#include <cmath>

namespace {

QList<QRect> parole(const std::array<int, 3>& lefts)
{
    QList<QRect> places;
    for (int left : lefts)
        places.append(QRect(left, 2760, 3015, 855));
    return places;
}

}  // namespace

std::unique_ptr<ReadWords> ReadWords::Form5()
{
    const FrameLayout frame{{9825, 5835}, {360, 4200, 1320, 1200}, {2160, 4320}, {7080, 4320, 1935, 1095}, {0, 0, 255}};
    return std::unique_ptr<ReadWords>(
        new ReadWords(QStringLiteral("Form5"), frame, {3480, 120, 2415, 2175}, parole({120, 3360, 6600}), true));
}

std::unique_ptr<ReadWords> ReadWords::Form6()
{
    const FrameLayout frame{{9825, 5760}, {480, 4080, 1320, 1200}, {2400, 4200}, {7320, 4200, 1935, 1095}, {192, 64, 0}};
    return std::unique_ptr<ReadWords>(
        new ReadWords(QStringLiteral("Form6"), frame, {3600, 120, 2415, 2175}, parole({240, 3480, 6720}), false));
}

ReadWords::ReadWords(const QString& name, const FrameLayout& layout, const QRect& picture, const QList<QRect>& words,
                     bool parla)
    : LabelChoiceExercise(name, layout, {QStringLiteral("Label3"), words, 15.75})
    , picture_(picture)
    , parla_(parla)
{
}

void ReadWords::buildAltri()
{
    colonnaDi_ = {-1, -1, -1};
    Image1 = place(new PictureImage, elementoDi(QStringLiteral("Image1"), 0), picture_);
    Image1->setCursor(Artwork::pointer(Artwork::Pointer::Arrow));
}

void ReadWords::misuraPosizioni()
{
    // From the design layout, never from the columns the last item left the words in.
    for (int i = 0; i < 3; ++i) {
        const QRectF design = scaler()->designRect(risposte_[i]);
        Posizioni[i] = scaledPixels(design.left(), 0).x();
    }
}

void ReadWords::mettiInColonna()
{
    for (int word = 0; word < 3; ++word) {
        if (colonnaDi_[word] < 0)
            continue;
        TextLabel* label = risposte_[word];
        label->move(int(std::lround(Posizioni[colonnaDi_[word]])), label->y());
    }
}

void ReadWords::afterRescale()
{
    // The scaler puts the words back to their design columns; the item keeps its order.
    misuraPosizioni();
    mettiInColonna();
}

void ReadWords::attivazioneSpecifica()
{
    misuraPosizioni();
}

void ReadWords::Sposta()
{
    std::vector<int> starts(3);
    for (int& start : starts)
        start = Random::Draw(3) - 1;
    const std::vector<int> words = Ordinamento::primoLibero(starts);
    for (int column = 0; column < 3; ++column)
        colonnaDi_[words[column]] = column;
    mettiInColonna();
}

void ReadWords::CaricaPalla()
{
    Sposta();
    const QList<int> words = ItemDraws::distinti(3, 18);
    Modulo1::Estratto1 = qint16(words[0]);
    Modulo1::Estratto2 = qint16(words[1]);
    Modulo1::Estratto3 = qint16(words[2]);
    Image1->showPicture(Modulo1::Parola[Modulo1::Estratto1]);
    for (int i = 0; i < 3; ++i)
        risposte_[i]->setCaption(Modulo1::Parola[words[i]]);
    if (parla_)
        Bocca->Speak(Modulo1::Parola[Modulo1::Estratto1]);
}

QString ReadWords::daRipetere() const
{
    return parla_ ? Modulo1::Parola[Modulo1::Estratto1] : QString();
}
