#pragma once
// The memory game: twelve pictures and their twelve words under 24 covers;
// two cards up per turn, a pair stays up.

#include "exercises/frame/ExerciseForm.h"
#include "games/MemoryDeal.h"

#include <array>

class QTimer;

class FormMemory : public ExerciseForm {
    Q_OBJECT
public:
    FormMemory();

    static constexpr int Carte = 12;
    static constexpr int TurnoMs = 1500;

protected:
    void buildExercise() override;
    // Chooses the word set, loads the pictures and deals.
    void CaricaPalla() override;
    void Command1_Click() override;
    void afterRescale() override;
    void beforeUnload() override;

private:
    void Ricomincia();
    void mescola();
    void Label2_Click(int Index);
    void Timer1_Timer();
    void mostraTentativi();
    // Puts a cover and its card on the cover's dealt place at the current scale.
    void mettiAlPosto(int cover);
    QWidget* cartaDi(int cover) const;

    std::array<PictureImage*, Carte> Image1{};
    std::array<TextLabel*, Carte> Label1{};
    std::array<TextLabel*, MemoryDeal::Places> Label2{};
    TextLabel* Label3 = nullptr;
    QTimer* Timer1 = nullptr;

    bool PrimaGirata = false;
    qint16 Prima = 0;
    qint16 Seconda = 0;
    bool PuoiGirare = false;
    qint16 Tentativi = 0;
    // The place of each cover; empty until the first deal of a load.
    std::array<int, MemoryDeal::Places> postoDi_{};
    bool distribuito_ = false;
};
