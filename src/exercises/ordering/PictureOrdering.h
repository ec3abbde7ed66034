#pragma once
// Form4a, Form4b, Form4c: order three, four or five pictures; each right click
// copies the picture into the next box of the answer row above.

#include "exercises/ordering/OrderingExercise.h"

class AnswerPicture;

class PictureOrdering : public OrderingExercise {
    Q_OBJECT
public:
    static std::unique_ptr<PictureOrdering> Form4a();
    static std::unique_ptr<PictureOrdering> Form4b();
    static std::unique_ptr<PictureOrdering> Form4c();

protected:
    QWidget* creaElemento(int k, const QRect& twips) override;
    void creaRisposta(int k, const QRect& twips) override;
    void mostraParola(int k, const QString& word) override;
    void copiaRisposta(int k) override;
    void svuotaRisposte() override;

private:
    struct Design;
    static std::unique_ptr<PictureOrdering> crea(const Design& design);
    using OrderingExercise::OrderingExercise;

    QList<PictureImage*> Image1;
    QList<AnswerPicture*> Image2;
};
