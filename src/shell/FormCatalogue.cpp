#include "shell/FormCatalogue.h"

#include "exercises/choice/ClickObjectExercise.h"
#include "exercises/choice/ClickWord.h"
#include "exercises/choice/ListenAnswer.h"
#include "exercises/choice/ReadWords.h"
#include "exercises/frame/ListenExercise.h"
#include "shell/FormAvvio.h"
#include "shell/FormMenu.h"
#include "shell/Schermi.h"

void registraSchermi()
{
    Schermi& schermi = Schermi::istanza();
    schermi.registra(QStringLiteral("FormAvvio"), [] { return std::make_unique<FormAvvio>(); });
    schermi.registra(QStringLiteral("FormMenu"), [] { return std::make_unique<FormMenu>(); });
    schermi.registra(QStringLiteral("Form1"), [] { return ListenExercise::Form1(); });
    schermi.registra(QStringLiteral("Form7"), [] { return ListenExercise::Form7(); });
    schermi.registra(QStringLiteral("Form2"), [] { return ClickObjectExercise::Form2(); });
    schermi.registra(QStringLiteral("Form3"), [] { return ClickObjectExercise::Form3(); });
    schermi.registra(QStringLiteral("Form5"), [] { return ReadWords::Form5(); });
    schermi.registra(QStringLiteral("Form6"), [] { return ReadWords::Form6(); });
    schermi.registra(QStringLiteral("Form9"), [] { return ClickWord::Form9(); });
    schermi.registra(QStringLiteral("Form10"), [] { return ClickWord::Form10(); });
    schermi.registra(QStringLiteral("Form14"), [] { return ListenAnswer::Form14(); });
    schermi.registra(QStringLiteral("Form15"), [] { return ListenAnswer::Form15(); });
}
