#pragma once
// Form14 and Form15: the mouth asks "How many ... got?" and the child clicks
// the right one of five answers; Form15 keeps the question hidden.

#include "exercises/choice/Frasi.h"
#include "exercises/choice/LabelChoiceExercise.h"

class ListenAnswer : public LabelChoiceExercise {
    Q_OBJECT
public:
    static std::unique_ptr<ListenAnswer> Form14();
    static std::unique_ptr<ListenAnswer> Form15();

    qint16 indiceGiusto() const { return Giusto; }

protected:
    void buildAltri() override;
    void primaDelRound() override;
    void CaricaPalla() override;
    int giusto() const override { return Giusto; }
    QString daRipetere() const override;
    void dopoGiusta(TextLabel* right) override;

private:
    ListenAnswer(const QString& name, const FrameLayout& layout, int left, const QRect& question, bool showQuestion);

    void CaricaFrasi();

    QRect question_;
    bool showQuestion_;
    TextLabel* Label3 = nullptr;
    QList<Frasi::Frase> Frasi;
    qint16 Giusto = 0;
};
