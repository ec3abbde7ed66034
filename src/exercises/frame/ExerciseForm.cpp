#include "exercises/frame/ExerciseForm.h"

#include "services/Artwork.h"
#include "services/Fonts.h"
#include "services/controls/CommandButton.h"
#include "services/controls/PictureImage.h"
#include "services/controls/TextLabel.h"
#include "services/speech/SpeechControl.h"
#include "shell/ImpostaVoce.h"
#include "shell/MessageBox.h"
#include "shell/Modulo1.h"
#include "shell/Schermi.h"

#include <QAction>

ExerciseForm::ExerciseForm(const QString& name, const FrameLayout& layout)
    : DesignForm(name, layout.designClient)
    , dati_(datiEsercizio(name))
    , layout_(layout)
{
}

void ExerciseForm::buildControls()
{
    setBackground(dati_.color, dati_.fincolor);
    if (dati_.menu != EsercizioDati::Menu::SoloIndietro)
        connect(addMenuItem(QStringLiteral("mnuImposta"), dati_.captionVoce()), &QAction::triggered, this,
                &ExerciseForm::mnuImposta_Click);
    connect(addMenuItem(QStringLiteral("mnuEsci"), dati_.captionIndietro()), &QAction::triggered, this,
            &ExerciseForm::mnuEsci_Click);

    buildExercise();

    if (dati_.punteggio)
        buildScorePanel();
    if (!layout_.command1.isEmpty()) {
        Command1 = place(new CommandButton, QStringLiteral("Command1"), layout_.command1);
        Command1->setFaceColor(layout_.command1Face);
        Command1->setPictureName(QStringLiteral("next"));
        Command1->setAccessibleName(QStringLiteral("next"));
        Command1->setCursor(Artwork::pointer(Artwork::Pointer::Next));
        connect(Command1, &CommandButton::clicked, this, [this] { Command1_Click(); });
    }

    Bocca = place(new SpeechControl, QStringLiteral("Bocca"), layout_.bocca);
    connect(Bocca, &SpeechControl::MouthClick, this, [this] { Bocca_MouthClick(); });
}

void ExerciseForm::buildScorePanel()
{
    auto* panel = place(new TextLabel, QStringLiteral("PicturesattiErrati"), QRect(layout_.panel, PanelSize));
    panel->setBackColor(QColor(255, 255, 255, 200));
    panel->setBorder(true);
    panel->setAccessibleName(QStringLiteral("score"));

    const auto heading = [this, panel](const QString& name, const QString& caption, int left) {
        auto* label = place(new TextLabel(caption), name, {left, 60, 1100, 360}, panel);
        label->setFont(Fonts::arial(12));
        label->setAlignment(Qt::AlignCenter);
        return label;
    };
    const auto count = [this, panel](const QString& name, int left) {
        auto* label = place(new TextLabel(QStringLiteral("0")), name, {left, 420, 1100, 540}, panel);
        label->setFont(Fonts::arial(18, true));
        label->setAlignment(Qt::AlignCenter);
        return label;
    };
    heading(QStringLiteral("LabelEst"), QStringLiteral("Correct"), 60);
    heading(QStringLiteral("LabelErt"), QStringLiteral("Mistake"), 1140);
    EtichettaEsatti = count(QStringLiteral("EtichettaEsatti"), 60);
    EtichettaErrati = count(QStringLiteral("EtichettaErrati"), 1140);
    EtichettaEsatti->setTextColor(QColor(0, 120, 0));
    EtichettaErrati->setTextColor(QColor(190, 0, 0));
    // A count is read with its heading: "Correct", 1.
    EtichettaEsatti->setAccessibleName(QStringLiteral("Correct"));
    EtichettaErrati->setAccessibleName(QStringLiteral("Mistake"));

    // Both icons share one place; one at a time is seen.
    const QRect icon(2280, 150, 660, 720);
    ComandoIconaSi = place(new PictureImage, QStringLiteral("ComandoIconaSi"), icon, panel);
    ComandoIconaNo = place(new PictureImage, QStringLiteral("ComandoIconaNo"), icon, panel);
    ComandoIconaSi->setArtwork(QStringLiteral("right"));
    ComandoIconaNo->setArtwork(QStringLiteral("wrong"));
    ComandoIconaNo->hide();
}

void ExerciseForm::Form_Activate()
{
    if (dati_.punteggio)
        azzeraConteggi();
    DesignForm::Form_Activate();
    attivazioneSpecifica();
    ImpostaVoce(*Bocca);
    Bocca->Speak(dati_.titolo);
    primaDelRound();
    CaricaPalla();
}

void ExerciseForm::azzeraConteggi()
{
    Modulo1::Esatti = 0;
    Modulo1::Errati = 0;
    // The captions follow the counts, so the screen never shows a stale number.
    if (EtichettaEsatti)
        EtichettaEsatti->setCaption(QStringLiteral("0"));
    if (EtichettaErrati)
        EtichettaErrati->setCaption(QStringLiteral("0"));
}

void ExerciseForm::mnuEsci_Click()
{
    Bocca->Speak(QStringLiteral("go back?"));
    if (MsgBox(this, QStringLiteral("go back? "), MsgButtons::YesNo, MsgIcon::Question, QStringLiteral("Quillet"))
        != MsgResult::Yes)
        return;
    Schermi::istanza().mostraAlPosto(QStringLiteral("FormMenu"), this);
}

void ExerciseForm::mnuImposta_Click()
{
    Bocca->Speak(QStringLiteral("VOICE"));
    if (Schermi::istanza().registrato(QStringLiteral("FormImposta")))
        Schermi::istanza().mostraSopra(QStringLiteral("FormImposta"), this);
}

void ExerciseForm::rispostaSbagliata()
{
    if (ComandoIconaSi)
        ComandoIconaSi->hide();
    if (ComandoIconaNo)
        ComandoIconaNo->show();
    Modulo1::Errati = Modulo1::Incrementa(Modulo1::Errati);
    if (EtichettaErrati)
        EtichettaErrati->setCaption(Modulo1::Str(Modulo1::Errati));
    Bocca->Speak(QStringLiteral("No! repeat!"));
}

void ExerciseForm::mostraIconaGiusta()
{
    if (ComandoIconaSi)
        ComandoIconaSi->show();
    if (ComandoIconaNo)
        ComandoIconaNo->hide();
}

void ExerciseForm::rispostaGiusta()
{
    mostraIconaGiusta();
    Modulo1::Esatti = Modulo1::Incrementa(Modulo1::Esatti);
    if (EtichettaEsatti)
        EtichettaEsatti->setCaption(Modulo1::Str(Modulo1::Esatti));
}
