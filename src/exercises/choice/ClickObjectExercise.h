#pragma once
// Form2 and Form3: the spoken word's picture among three or five; the
// pictures change places every item.

#include "exercises/frame/ExerciseForm.h"

#include <QList>

class ShapeOutline;

class ClickObjectExercise : public ExerciseForm {
    Q_OBJECT
public:
    static std::unique_ptr<ClickObjectExercise> Form2();
    static std::unique_ptr<ClickObjectExercise> Form3();

    // The place of a slot: its column from Inizio by Passo, its row (0 the upper).
    struct Posto {
        int colonna;
        int riga;
    };
    struct Disegno {
        FrameLayout frame;
        QList<QPoint> luoghi;    // Image1 design places
        QSize misura;            // of every picture
        QPoint shape;            // Shape1 design place
        int primo;               // the picture whose place gives Inizio and RigaSopra
        int secondo;             // the picture one Passo to the right of it
        int sotto;               // the picture whose Top gives RigaSotto; -1: one row
        QList<Posto> posti;      // the slots
        QList<qint16*> registri; // where each picture's word is kept; null: a local
    };

    // The slot each picture stands in (Sposta's last arrangement).
    const QList<int>& postoDi() const { return postoDi_; }
    // A slot's top-left at the current scale.
    QPointF posto(int slot) const;

protected:
    void buildExercise() override;
    void Form_Load() override;
    void attivazioneSpecifica() override;
    void CaricaPalla() override;
    void Command1_Click() override;
    void Bocca_MouthClick() override;
    void afterRescale() override;

private:
    ClickObjectExercise(const QString& name, Disegno disegno);

    void Sposta();
    void misuraPosti();
    void mettiAiPosti();
    void incornicia();
    void Image1_Click(qint16 Index);
    void abilitaImmagini(bool enabled);
    const QString& parolaDetta() const;

    Disegno disegno_;
    QList<PictureImage*> Image1;
    ShapeOutline* Shape1 = nullptr;
    QList<int> postoDi_;

    // The design layout's slots at the current scale, in pixels.
    double Inizio = 0;
    double Passo = 0;
    double RigaSopra = 0;
    double RigaSotto = 0;
};
