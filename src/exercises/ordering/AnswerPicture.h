#pragma once
// A picture of the answer row: while it waits for its picture it shows an
// empty framed box, so the child sees where the answers go.

#include "services/controls/PictureImage.h"

class AnswerPicture : public PictureImage {
    Q_OBJECT
public:
    using PictureImage::PictureImage;

protected:
    void paintEvent(QPaintEvent* event) override;
};
