#pragma once
// The welcome screen: three pictures, the title and a spoken welcome; any click opens the menu.

#include "services/DesignForm.h"

#include <array>

class PictureImage;

class FormAvvio : public DesignForm {
    Q_OBJECT
public:
    FormAvvio();

protected:
    void buildControls() override;
    void Form_Load() override;
    void Form_Click() override;

private:
    void apriMenu();

    std::array<PictureImage*, 3> Image1{};
};
