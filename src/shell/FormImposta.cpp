#include "shell/FormImposta.h"

#include "services/Fonts.h"
#include "services/controls/CommandButton.h"
#include "services/controls/SpeedBarStyle.h"
#include "services/controls/TextLabel.h"
#include "services/speech/SpeechControl.h"
#include "shell/MessageBox.h"
#include "shell/Modulo1.h"
#include "shell/Schermi.h"
#include "shell/SettingsFile.h"

#include <QComboBox>
#include <QScrollBar>
#include <QSignalBlocker>

namespace {
const QColor Sfondo(192, 255, 255);
}  // namespace

FormImposta::FormImposta()
    : DesignForm(QStringLiteral("FormImposta"), QSize(8520, 6870))
    , speedBarStyle_(new SpeedBarStyle)
{
    // The form outlives every speed bar it builds.
    speedBarStyle_->setParent(this);
}

void FormImposta::buildControls()
{
    setBackground(Sfondo, Sfondo);
    Combo1 = place(new QComboBox, QStringLiteral("Combo1"), {3120, 3360, 4815, 315});
    Combo1->setFont(Fonts::arial(12));
    Combo1->setAccessibleName(QStringLiteral("voce"));

    HScroll1 = place(new QScrollBar(Qt::Horizontal), QStringLiteral("HScroll1"), {4440, 1680, 3495, 375});
    HScroll1->setRange(Modulo1::VelocitaMinima, Modulo1::VelocitaMassima);
    HScroll1->setSingleStep(5);
    HScroll1->setPageStep(50);
    HScroll1->setValue(Modulo1::VelocitaIniziale);
    HScroll1->setStyle(speedBarStyle_);
    HScroll1->setAccessibleName(QStringLiteral("Velocità"));

    Label1 = place(new TextLabel(QStringLiteral("Velocità")), QStringLiteral("Label1"), {5040, 2400, 2895, 495});
    Label1->setFont(Fonts::arial(14.25));

    BottoneEsci = place(new CommandButton(QStringLiteral("conferma")), QStringLiteral("BottoneEsci"),
                        {4320, 4080, 1935, 1215});
    BottoneEsci->setFaceColor(Sfondo);
    // The dialog's own text size: the button reads as part of it.
    BottoneEsci->setFont(Label1->font());
    BottoneEsci->setPictureName(QStringLiteral("conferma"));
    connect(BottoneEsci, &CommandButton::clicked, this, &FormImposta::BottoneEsci_Click);

    Bocca = place(new SpeechControl, QStringLiteral("Bocca"), {840, 720, 1320, 1320});
    connect(Bocca, &SpeechControl::MouthClick, this, &FormImposta::Bocca_MouthClick);
}

void FormImposta::Form_Load()
{
    const int n = Bocca->CountOfModes();
    for (int i = 1; i <= n; ++i)
        Combo1->addItem(Bocca->ModeName(i));
    // A stored mode the machine no longer has falls back to the first one.
    const int posizione = Modulo1::Voce >= 1 && Modulo1::Voce <= n ? Modulo1::Voce - 1 : 0;
    {
        const QSignalBlocker quiet(Combo1);
        Combo1->setCurrentIndex(-1);
    }
    connect(Combo1, &QComboBox::currentIndexChanged, this, &FormImposta::Combo1_Click);
    if (n > 0)
        Combo1->setCurrentIndex(posizione);

    Bocca->StopSpeaking();
    mostraVelocita();
    connect(HScroll1, &QScrollBar::valueChanged, this, &FormImposta::HScroll1_Change);
    HScroll1->setValue(Modulo1::Velocita);
    Bocca->Speak(QStringLiteral("click here"));
}

void FormImposta::Combo1_Click()
{
    if (Combo1->currentIndex() < 0)
        return;
    const qint16 scelta = qint16(Combo1->currentIndex() + 1);
    if (!Bocca->setCurrentMode(scelta)) {
        MsgBox(this, QStringLiteral("non posso selezionare questa voce"), MsgButtons::Ok, MsgIcon::None,
               QStringLiteral("Quillet"));
        // The mode in use stays, so no screen ever meets a mode it cannot use.
        Modulo1::Voce = qint16(Bocca->CurrentMode());
        const QSignalBlocker quiet(Combo1);
        Combo1->setCurrentIndex(Modulo1::Voce - 1);
        return;
    }
    Modulo1::Voce = scelta;
    const int m = Bocca->CurrentMode();
    Modulo1::TipoLabbra = Bocca->ModeGender(m) == 1 ? 0 : 1;
    Bocca->setMouthStyle(Modulo1::TipoLabbra);
}

void FormImposta::HScroll1_Change()
{
    Modulo1::Velocita = qint16(HScroll1->value());
    mostraVelocita();
}

void FormImposta::mostraVelocita()
{
    Label1->setCaption(QStringLiteral("Velocità = ") + Modulo1::Str(Modulo1::Velocita));
}

void FormImposta::Bocca_MouthClick()
{
    Bocca->setSpeed(Modulo1::Velocita);
    Bocca->Speak(QStringLiteral("welcome "));
}

void FormImposta::BottoneEsci_Click()
{
    // A mode this machine cannot use now (its speech data missing or broken)
    // is not written over the stored one, which comes back with the data.
    const qint16 scelta = Modulo1::Voce;
    if (!SpeechEngine::instance().canUseMode(scelta))
        if (const auto salvate = SettingsFile::leggi(Modulo1::FileImpostazioni))
            Modulo1::Voce = qint16(salvate->voce);
    const bool salvato = Modulo1::SalvaImpostazioni();
    Modulo1::Voce = scelta;
    // The choice holds for this run even when it cannot be kept for the next.
    if (!salvato)
        MsgBox(this, QStringLiteral("non posso salvare le impostazioni"), MsgButtons::Ok, MsgIcon::Critical,
               QStringLiteral("Quillet"));
    Schermi::istanza().chiudi(this);
}
