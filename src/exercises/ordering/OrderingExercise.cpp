#include "exercises/ordering/OrderingExercise.h"

#include "exercises/choice/ItemDraws.h"
#include "exercises/ordering/OrderingRules.h"
#include "services/controls/CommandButton.h"
#include "services/speech/SpeechControl.h"
#include "shell/Modulo1.h"
#include "shell/Random.h"

OrderingExercise::OrderingExercise(const QString& name, const FrameLayout& frame, const Layout& layout)
    : ExerciseForm(name, frame)
    , layout_(layout)
    , posto_(layout.designPlace)
{
    posizioni_.resize(std::size_t(layout.n));
    for (int i = 0; i < layout.n; ++i)
        posizioni_[std::size_t(i)] = i;
}

void OrderingExercise::buildExercise()
{
    elementi_.clear();
    // A fresh load stands every item at its design place.
    posto_ = layout_.designPlace;
    for (int k = 0; k < layout_.n; ++k) {
        const QPoint at = layout_.places[std::size_t(posto_[std::size_t(k)])];
        elementi_.append(creaElemento(k, QRect(at, layout_.itemSize)));
        creaRisposta(k, QRect(layout_.answers[std::size_t(k)], layout_.answerSize));
    }
}

void OrderingExercise::Form_Load()
{
    Command1->setEnabled(false);
}

void OrderingExercise::attivazioneSpecifica()
{
    if (layout_.readPlacesFrom.empty())
        return;
    // The places in the order the items stand now: after a shuffle this is
    // that shuffle's order.
    for (int i = 0; i < layout_.n; ++i)
        posizioni_[std::size_t(i)] = posto_[std::size_t(layout_.readPlacesFrom[std::size_t(i)])];
}

void OrderingExercise::CaricaPalla()
{
    svuotaRisposte();
    Sposta();
    prossimo_ = 0;
    const QList<int> drawn = ItemDraws::distinti(layout_.n, 18);
    parole_.assign(drawn.begin(), drawn.end());
    Modulo1::Estratto1 = parole_[0];
    Modulo1::Estratto2 = parole_[1];
    Modulo1::Estratto3 = parole_[2];
    for (int k = 0; k < layout_.n; ++k)
        mostraParola(k, Modulo1::Parola[std::size_t(parole_[std::size_t(k)])]);
}

void OrderingExercise::Sposta()
{
    std::vector<int> draws;
    for (int i = 0; i < layout_.n; ++i)
        draws.push_back(Random::Draw(layout_.n) - 1);
    const std::vector<int> items = Ordinamento::primoLibero(draws);
    for (int i = 0; i < layout_.n; ++i)
        posto_[std::size_t(items[std::size_t(i)])] = posizioni_[std::size_t(i)];
    collocaElementi();
}

void OrderingExercise::collocaElementi()
{
    for (int k = 0; k < elementi_.size(); ++k) {
        const QPoint at = layout_.places[std::size_t(posto_[std::size_t(k)])];
        moveToDesign(elementi_[k], at.x(), at.y());
    }
}

void OrderingExercise::afterRescale()
{
    // The scaler puts every item back at its design place; the round's own
    // arrangement is kept instead.
    collocaElementi();
}

void OrderingExercise::elementoCliccato(int k)
{
    const int index = prossimo_;
    switch (Ordinamento::giudica(prossimo_, k, layout_.n)) {
    case Ordinamento::Esito::Sbagliato:
        rispostaSbagliata();
        return;
    case Ordinamento::Esito::Giusto:
        copiaRisposta(index);
        mostraIconaGiusta();
        return;
    case Ordinamento::Esito::Completo:
        copiaRisposta(index);
        rispostaGiusta();
        Command1->setEnabled(true);
        return;
    }
}

void OrderingExercise::Command1_Click()
{
    Bocca->StopSpeaking();
    Command1->setEnabled(false);
    CaricaPalla();
}

void OrderingExercise::Bocca_MouthClick()
{
    Bocca->StopSpeaking();
    for (qint16 word : parole_)
        Bocca->Speak(Modulo1::Parola[std::size_t(word)] + QLatin1Char('.'));
}
