#include "exercises/choice/ListenAnswer.h"

#include "exercises/choice/ItemDraws.h"
#include "exercises/choice/WordColumn.h"
#include "services/Fonts.h"
#include "services/controls/TextLabel.h"
#include "services/speech/SpeechControl.h"
#include "shell/Modulo1.h"

std::unique_ptr<ListenAnswer> ListenAnswer::Form14()
{
    const FrameLayout frame{{8850, 5580}, {4440, 240, 1200, 1100}, {5700, 360}, {5880, 4320, 1935, 1095}, {192, 192, 0}};
    return std::unique_ptr<ListenAnswer>(
        new ListenAnswer(QStringLiteral("Form14"), frame, 240, {4920, 1680, 3495, 2175}, true));
}

std::unique_ptr<ListenAnswer> ListenAnswer::Form15()
{
    const FrameLayout frame{{9000, 5670}, {5880, 1320, 1320, 1200}, {5040, 2880}, {5760, 4320, 1935, 1095}, {192, 0, 192}};
    return std::unique_ptr<ListenAnswer>(
        new ListenAnswer(QStringLiteral("Form15"), frame, 360, {5040, 1800, 3375, 2175}, false));
}

ListenAnswer::ListenAnswer(const QString& name, const FrameLayout& layout, int left, const QRect& question,
                           bool showQuestion)
    : LabelChoiceExercise(name, layout, {QStringLiteral("Label1"), colonnaDiCinque(left, 120, {3975, 975}), 14.25})
    , question_(question)
    , showQuestion_(showQuestion)
{
}

void ListenAnswer::buildAltri()
{
    Label3 = place(new TextLabel, QStringLiteral("Label3"), question_);
    Label3->setFont(Fonts::arial(14.25, true));
    Label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label3->setBackColor(Qt::white);
    // Form15 still holds the question, for the mouth.
    Label3->setVisible(showQuestion_);
}

void ListenAnswer::CaricaFrasi()
{
    Frasi = Frasi::tabella();
}

void ListenAnswer::primaDelRound()
{
    CaricaFrasi();
}

void ListenAnswer::CaricaPalla()
{
    const QList<int> items = ItemDraws::distinti(5, Frasi::Numero);
    Modulo1::Estratto2 = qint16(items[1]);
    Modulo1::Estratto3 = qint16(items[2]);
    for (int i = 0; i < 5; ++i)
        risposte_[i]->setCaption(Frasi[items[i]].risposta);
    Giusto = qint16(ItemDraws::Giusto(5));
    Label3->setCaption(Frasi[items[Giusto]].domanda);
    Bocca->Speak(Label3->caption());
}

QString ListenAnswer::daRipetere() const
{
    return Label3->caption();
}

void ListenAnswer::dopoGiusta(TextLabel* right)
{
    Bocca->Speak(right->caption());
}
