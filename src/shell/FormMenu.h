#pragma once
// The main menu: one button per exercise or game, the voice, the credits and Exit.

#include "services/DesignForm.h"

class FormMenu : public DesignForm {
    Q_OBJECT
public:
    FormMenu();

protected:
    void buildControls() override;
    void Form_Load() override;
    void Form_Activate() override;

private:
    void apriEsercizio(const QString& form);
    void Command1_Click();
    void BottoneEsci_Click();
};
