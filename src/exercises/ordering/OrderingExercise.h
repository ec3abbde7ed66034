#pragma once
// Listen and order: N different words are heard, and the child clicks their
// items (pictures or word buttons) in the order heard; each right click fills
// the next answer box. The places, boxes and sizes are data of each screen.

#include "exercises/frame/ExerciseForm.h"

#include <vector>

class OrderingExercise : public ExerciseForm {
    Q_OBJECT
public:
    struct Layout {
        int n;
        QSize itemSize;
        std::vector<QPoint> places;   // design top-left of each place of the items
        QSize answerSize;
        std::vector<QPoint> answers;  // design top-left of each answer box
        std::vector<int> designPlace; // the place each item stands at in the design
        // The item whose place becomes each entry of the place list at
        // activation; empty when the list is the fixed places 0..N-1.
        std::vector<int> readPlacesFrom;
    };

    int itemCount() const { return layout_.n; }
    // The item to be clicked next: the number already in order.
    int prossimo() const { return prossimo_; }
    // The word index of each item of the round.
    const std::vector<qint16>& parole() const { return parole_; }
    // The place each item stands at now.
    const std::vector<int>& posti() const { return posto_; }

protected:
    OrderingExercise(const QString& name, const FrameLayout& frame, const Layout& layout);

    virtual QWidget* creaElemento(int k, const QRect& twips) = 0;
    virtual void creaRisposta(int k, const QRect& twips) = 0;
    virtual void mostraParola(int k, const QString& word) = 0;
    // Item k was clicked in its turn: its answer box shows it.
    virtual void copiaRisposta(int k) = 0;
    virtual void svuotaRisposte() = 0;

    // Image1_Click / Command2_Click.
    void elementoCliccato(int k);

private:
    void buildExercise() final;
    void Form_Load() override;
    void attivazioneSpecifica() override;
    void CaricaPalla() override;
    void Command1_Click() override;
    void Bocca_MouthClick() override;
    void afterRescale() override;
    void Sposta();
    void collocaElementi();

    Layout layout_;
    QList<QWidget*> elementi_;
    std::vector<int> posto_;
    std::vector<int> posizioni_;  // Posizioni: the places Sposta deals out, in turn
    std::vector<qint16> parole_;
    int prossimo_ = 0;
};
