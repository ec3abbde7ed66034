#include "app/FormCatalogue.h"

#include "exercises/choice/ClickObjectExercise.h"
#include "exercises/choice/ClickWord.h"
#include "exercises/choice/ListenAnswer.h"
#include "exercises/choice/ReadWords.h"
#include "exercises/frame/ListenExercise.h"
#include "exercises/ordering/ButtonOrdering.h"
#include "exercises/ordering/Form8.h"
#include "exercises/ordering/PictureOrdering.h"
#include "games/FormCruciPuzzle.h"
#include "games/FormMemory.h"
#include "shell/FormAvvio.h"
#include "shell/FormImposta.h"
#include "shell/FormMenu.h"
#include "shell/Schermi.h"

void registraSchermi()
{
    Schermi& schermi = Schermi::istanza();
    schermi.registra(QStringLiteral("FormAvvio"), [] { return std::make_unique<FormAvvio>(); });
    schermi.registra(QStringLiteral("FormMenu"), [] { return std::make_unique<FormMenu>(); });
    schermi.registra(QStringLiteral("FormImposta"), [] { return std::make_unique<FormImposta>(); });
    schermi.registra(QStringLiteral("Form1"), [] { return ListenExercise::Form1(); });
    schermi.registra(QStringLiteral("Form7"), [] { return ListenExercise::Form7(); });
    schermi.registra(QStringLiteral("Form4a"), [] { return PictureOrdering::Form4a(); });
    schermi.registra(QStringLiteral("Form4b"), [] { return PictureOrdering::Form4b(); });
    schermi.registra(QStringLiteral("Form4c"), [] { return PictureOrdering::Form4c(); });
    schermi.registra(QStringLiteral("Form8"), [] { return std::make_unique<Form8>(); });
    schermi.registra(QStringLiteral("Form11"), [] { return ButtonOrdering::Form11(); });
    schermi.registra(QStringLiteral("Form12"), [] { return ButtonOrdering::Form12(); });
    schermi.registra(QStringLiteral("Form13"), [] { return ButtonOrdering::Form13(); });
    schermi.registra(QStringLiteral("Form2"), [] { return ClickObjectExercise::Form2(); });
    schermi.registra(QStringLiteral("Form3"), [] { return ClickObjectExercise::Form3(); });
    schermi.registra(QStringLiteral("Form5"), [] { return ReadWords::Form5(); });
    schermi.registra(QStringLiteral("Form6"), [] { return ReadWords::Form6(); });
    schermi.registra(QStringLiteral("Form9"), [] { return ClickWord::Form9(); });
    schermi.registra(QStringLiteral("Form10"), [] { return ClickWord::Form10(); });
    schermi.registra(QStringLiteral("Form14"), [] { return ListenAnswer::Form14(); });
    schermi.registra(QStringLiteral("Form15"), [] { return ListenAnswer::Form15(); });
    schermi.registra(QStringLiteral("FormCruciPuzzle"), [] { return std::make_unique<FormCruciPuzzle>(); });
    schermi.registra(QStringLiteral("FormMemory"), [] { return std::make_unique<FormMemory>(); });
}
