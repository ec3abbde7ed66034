#pragma once
// The frame every exercise and game shares: the mouth, the background, the
// "Voice" and "Go back" menu items, the score panel with its feedback, the
// next button and the activation sequence.

#include "exercises/frame/FormTable.h"
#include "services/DesignForm.h"

class CommandButton;
class PictureImage;
class TextLabel;

class ExerciseForm : public DesignForm {
    Q_OBJECT
public:
    // Where the frame's own controls stand on this screen, in design twips.
    struct FrameLayout {
        QSize designClient;
        QRect bocca;
        QPoint panel;       // top-left of the score panel, when the screen has one
        QRect command1;     // empty: the screen has no next button
        QColor command1Face;
    };

    ExerciseForm(const QString& name, const FrameLayout& layout);

    // Reset the counts, cover the screen, own steps, voice, title, round.
    void Form_Activate() override;

    const EsercizioDati& dati() const { return dati_; }

    // The score panel's size in design twips.
    static constexpr QSize PanelSize{3000, 1020};

protected:
    // The screen's own controls, created before the frame's so these lie above.
    virtual void buildExercise() = 0;
    // Form-specific steps after the screen is sized, before the title.
    virtual void attivazioneSpecifica() {}
    // Steps between the title and the first round.
    virtual void primaDelRound() {}
    virtual void CaricaPalla() = 0;
    virtual void Command1_Click() {}
    virtual void Bocca_MouthClick() {}

    void mnuEsci_Click();
    void mnuImposta_Click();

    // Feedback of the scored screens.
    void rispostaSbagliata();
    void rispostaGiusta();
    // A right click of an answer that takes several; the count grows later.
    void mostraIconaGiusta();
    void azzeraConteggi();

    CommandButton* Command1 = nullptr;
    TextLabel* EtichettaEsatti = nullptr;
    TextLabel* EtichettaErrati = nullptr;
    PictureImage* ComandoIconaSi = nullptr;
    PictureImage* ComandoIconaNo = nullptr;

private:
    void buildControls() final;
    void buildScorePanel();

    const EsercizioDati& dati_;
    FrameLayout layout_;
};
