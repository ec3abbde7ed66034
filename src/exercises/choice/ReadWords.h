#pragma once
// Form5 and Form6: a picture and three words under it that change columns
// every item; the child clicks the word of the picture. Form5 also says it.

#include "exercises/choice/LabelChoiceExercise.h"

#include <array>

class ReadWords : public LabelChoiceExercise {
    Q_OBJECT
public:
    static std::unique_ptr<ReadWords> Form5();
    static std::unique_ptr<ReadWords> Form6();

    // The column each word stands in (Sposta's last placement).
    const std::array<int, 3>& colonnaDi() const { return colonnaDi_; }
    double posizione(int column) const { return Posizioni[column]; }

protected:
    void buildAltri() override;
    void attivazioneSpecifica() override;
    void CaricaPalla() override;
    int giusto() const override { return 0; }
    QString daRipetere() const override;
    void afterRescale() override;

private:
    ReadWords(const QString& name, const FrameLayout& layout, const QRect& picture, const QList<QRect>& words,
              bool parla);

    void Sposta();
    void misuraPosizioni();
    void mettiInColonna();

    QRect picture_;
    bool parla_;
    PictureImage* Image1 = nullptr;
    // The Lefts of the three columns of the design layout at the current scale, in pixels.
    std::array<double, 3> Posizioni{};
    std::array<int, 3> colonnaDi_{-1, -1, -1};
};
