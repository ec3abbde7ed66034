#pragma once
// The voice settings: the voice mode, the speed, and a mouth to try them.

#include "services/DesignForm.h"

class CommandButton;
class QComboBox;
class QScrollBar;
class SpeedBarStyle;
class TextLabel;

class FormImposta : public DesignForm {
    Q_OBJECT
public:
    FormImposta();

protected:
    void buildControls() override;
    void Form_Load() override;

private:
    void Combo1_Click();
    void HScroll1_Change();
    void Bocca_MouthClick();
    void BottoneEsci_Click();
    void mostraVelocita();

    QComboBox* Combo1 = nullptr;
    QScrollBar* HScroll1 = nullptr;
    TextLabel* Label1 = nullptr;
    CommandButton* BottoneEsci = nullptr;
    SpeedBarStyle* speedBarStyle_;
};
