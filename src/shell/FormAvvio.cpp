#include "shell/FormAvvio.h"

#include "services/Artwork.h"
#include "services/Fonts.h"
#include "services/controls/PictureImage.h"
#include "services/controls/TextLabel.h"
#include "services/speech/SpeechControl.h"
#include "shell/ImpostaVoce.h"
#include "shell/Modulo1.h"
#include "shell/Random.h"
#include "shell/Schermi.h"

FormAvvio::FormAvvio()
    : DesignForm(QStringLiteral("FormAvvio"), QSize(9480, 7440))
{
}

void FormAvvio::buildControls()
{
    setBackground(QColor(192, 192, 255), QColor(192, 0, 192));
    setCursor(Artwork::pointer(Artwork::Pointer::Hand));

    const QRect places[3] = {{240, 360, 3495, 3255}, {120, 4200, 3375, 2895}, {5400, 4800, 2655, 2415}};
    for (int k = 0; k < 3; ++k) {
        Image1[k] = place(new PictureImage, QStringLiteral("Image1(%1)").arg(k), places[k]);
        connect(Image1[k], &PictureImage::clicked, this, &FormAvvio::apriMenu);
    }

    auto* title = place(new TextLabel(QStringLiteral("Quillet")), QStringLiteral("Label2"), {3960, 0, 5295, 5415});
    title->setFont(Fonts::comic(99.75, true));
    title->setTextColor(QColor(0, 0, 128));
    connect(title, &TextLabel::clicked, this, &FormAvvio::apriMenu);

    // The date line takes its clicks without leaving.
    auto* date = place(new TextLabel(QStringLiteral("06 ottobre 2003")), QStringLiteral("Label1"), {3120, 5640, 2655, 735});
    date->setFont(Fonts::comic(14.25, true));
    date->setTextColor(QColor(0, 0, 192));
    date->setAlignment(Qt::AlignCenter);

    Bocca = place(new SpeechControl, QStringLiteral("Bocca"), {8160, 5640, 1200, 1200});
    connect(Bocca, &SpeechControl::MouthClick, this, &FormAvvio::apriMenu);
}

void FormAvvio::Form_Load()
{
    for (PictureImage* picture : Image1) {
        Modulo1::Estratto1 = qint16(Random::Draw(18));
        picture->showPicture(Modulo1::Parola[Modulo1::Estratto1]);
    }
    ImpostaVoce(*Bocca);
    Bocca->Speak(QStringLiteral("welcome. unit 8. Quillet"));
}

void FormAvvio::Form_Click()
{
    apriMenu();
}

void FormAvvio::apriMenu()
{
    Schermi::istanza().mostraAlPosto(QStringLiteral("FormMenu"), this);
}
