#pragma once
// Form11, Form12, Form13: order three, four or six word buttons; each right
// click writes the word into the next answer box.

#include "exercises/ordering/OrderingExercise.h"

class CommandButton;
class TextLabel;

class ButtonOrdering : public OrderingExercise {
    Q_OBJECT
public:
    static std::unique_ptr<ButtonOrdering> Form11();
    static std::unique_ptr<ButtonOrdering> Form12();
    static std::unique_ptr<ButtonOrdering> Form13();

protected:
    QWidget* creaElemento(int k, const QRect& twips) override;
    void creaRisposta(int k, const QRect& twips) override;
    void mostraParola(int k, const QString& word) override;
    void copiaRisposta(int k) override;
    void svuotaRisposte() override;

private:
    struct Design;
    static std::unique_ptr<ButtonOrdering> crea(const Design& design);
    using OrderingExercise::OrderingExercise;

    QList<CommandButton*> Command2;
    QList<TextLabel*> Label3;
};
