#pragma once
// Form9 and Form10: five words in a column, one of them right: spoken on
// Form9, shown as a picture on Form10. The words never move.

#include "exercises/choice/LabelChoiceExercise.h"

class ClickWord : public LabelChoiceExercise {
    Q_OBJECT
public:
    static std::unique_ptr<ClickWord> Form9();
    static std::unique_ptr<ClickWord> Form10();

    qint16 indiceGiusto() const { return Giusto; }

protected:
    void buildAltri() override;
    void CaricaPalla() override;
    int giusto() const override { return Giusto; }
    QString daRipetere() const override;

private:
    ClickWord(const QString& name, const FrameLayout& layout, const QList<QRect>& words, const QRect& picture,
              QList<qint16*> registri);

    QRect picture_;  // empty on Form9
    QList<qint16*> registri_;
    PictureImage* Image1 = nullptr;
    qint16 Giusto = 0;
};
