#include "games/FormMemory.h"

#include "services/Fonts.h"
#include "services/controls/Accessibility.h"
#include "services/controls/CommandButton.h"
#include "services/controls/PictureImage.h"
#include "services/controls/TextLabel.h"
#include "shell/Modulo1.h"
#include "shell/Random.h"

#include <QTimer>

namespace {

constexpr QSize CardSize{1215, 1095};
constexpr int RowTops[4] = {240, 1440, 2640, 3840};

// Place i of the 4 x 6 layout; card k of a row pair stands on place k at design.
QPoint posto(int i)
{
    return {360 + 1320 * (i % 6), RowTops[i / 6]};
}

// First word of each set in the shared word table.
constexpr int PrimaParola[2] = {1, 6};

}  // namespace

FormMemory::FormMemory()
    : ExerciseForm(QStringLiteral("FormMemory"), {{9000, 6600}, {720, 5280, 1320, 1200}, {}, {}, {}})
    , Timer1(new QTimer(this))
{
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(TurnoMs);
    // A coarse timer may fire up to 5 % early; the covers come back on time.
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, &FormMemory::Timer1_Timer);
}

void FormMemory::buildExercise()
{
    distribuito_ = false;
    // A card is read by its place, never by what it shows; a cover by the place of its card.
    const QString card = QStringLiteral("card");
    for (int k = 0; k < Carte; ++k) {
        Image1[k] = place(new PictureImage, QStringLiteral("Image1(%1)").arg(k), {posto(k), CardSize});
        Accessibility::nameByPlace(Image1[k], card);
    }
    for (int k = 0; k < Carte; ++k) {
        auto* word = place(new TextLabel, QStringLiteral("Label1(%1)").arg(k), {posto(k + Carte), CardSize});
        word->setBorder(true);
        word->setFont(Fonts::arial(12, true));
        word->setAlignment(Qt::AlignCenter);
        word->setBackColor(palette().color(QPalette::Base));
        word->setTextColor(palette().color(QPalette::Text));
        Accessibility::nameByPlace(word, card);
        Label1[k] = word;
    }
    // The covers come after the cards, so they lie above them.
    for (int k = 0; k < MemoryDeal::Places; ++k) {
        auto* cover = place(new TextLabel, QStringLiteral("Label2(%1)").arg(k), {QPoint(360, 5160), CardSize});
        cover->setBackColor(QColor(255, 255, 128));
        cover->setBorder(true);
        Accessibility::nameByPlace(cover, card);
        connect(cover, &TextLabel::clicked, this, [this, k] { Label2_Click(k); });
        Label2[k] = cover;
    }
    Label3 = place(new TextLabel, QStringLiteral("Label3"), {2520, 5520, 2175, 615});
    Label3->setFont(Fonts::arial(14.25));
    Label3->setTextColor(Qt::white);
    Command1 = place(new CommandButton(QStringLiteral("new")), QStringLiteral("Command1"), {5640, 5400, 2055, 735});
    Command1->setFont(Fonts::arial(14.25));
    connect(Command1, &CommandButton::clicked, this, [this] { Command1_Click(); });
}

void FormMemory::CaricaPalla()
{
    const int prima = PrimaParola[Random::Draw(2) - 1];
    for (int k = 0; k < Carte; ++k) {
        Label1[k]->setCaption(Modulo1::Parola[prima + k]);
        Image1[k]->showPicture(Modulo1::Parola[prima + k]);
    }
    Ricomincia();
}

void FormMemory::Command1_Click()
{
    Ricomincia();
}

void FormMemory::Ricomincia()
{
    PrimaGirata = false;
    Tentativi = 0;
    mostraTentativi();
    for (TextLabel* cover : Label2)
        cover->show();
    Timer1->stop();
    PuoiGirare = true;
    mescola();
}

void FormMemory::mescola()
{
    const std::array<int, MemoryDeal::Places> coverAt = MemoryDeal::deal(Random::Rnd);
    for (int place = 0; place < MemoryDeal::Places; ++place)
        postoDi_[coverAt[place]] = place;
    distribuito_ = true;
    for (int cover = 0; cover < MemoryDeal::Places; ++cover)
        mettiAlPosto(cover);
}

QWidget* FormMemory::cartaDi(int cover) const
{
    if (cover >= Carte)
        return Label1[cover - Carte];
    return Image1[cover];
}

void FormMemory::mettiAlPosto(int cover)
{
    const QPoint place = posto(postoDi_[cover]);
    QWidget* carta = cartaDi(cover);
    moveToDesign(carta, place.x(), place.y());
    // Scaled sizes may round apart by a pixel; the cover must hide its card whole.
    Label2[cover]->setGeometry(carta->geometry());
}

void FormMemory::afterRescale()
{
    // The scaler puts every control back on its design place; the deal stays.
    if (!distribuito_)
        return;
    for (int cover = 0; cover < MemoryDeal::Places; ++cover)
        mettiAlPosto(cover);
}

void FormMemory::beforeUnload()
{
    Timer1->stop();
    distribuito_ = false;
}

void FormMemory::Label2_Click(int Index)
{
    // A lifted cover, or a third one while two cards are up, takes no click.
    if (!PuoiGirare || Label2[Index]->isHidden())
        return;
    Label2[Index]->hide();
    if (PrimaGirata) {
        Seconda = qint16(Index);
        PuoiGirare = false;
        Timer1->start();
    } else {
        PrimaGirata = true;
        Prima = qint16(Index);
    }
}

void FormMemory::Timer1_Timer()
{
    // Only a running turn ends; a tick of a stopped timer belongs to no game.
    if (!Timer1->isActive())
        return;
    if (Prima != Seconda + Carte && Prima != Seconda - Carte) {
        Label2[Prima]->show();
        Label2[Seconda]->show();
    }
    Tentativi = Modulo1::Incrementa(Tentativi);
    mostraTentativi();
    Timer1->stop();
    PuoiGirare = true;
    PrimaGirata = false;
}

void FormMemory::mostraTentativi()
{
    Label3->setCaption(QStringLiteral("times = ") + Modulo1::Str(Tentativi));
}
