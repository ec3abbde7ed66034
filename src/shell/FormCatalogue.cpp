#include "shell/FormCatalogue.h"

#include "exercises/frame/ListenExercise.h"
#include "games/FormCruciPuzzle.h"
#include "games/FormMemory.h"
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
    schermi.registra(QStringLiteral("FormCruciPuzzle"), [] { return std::make_unique<FormCruciPuzzle>(); });
    schermi.registra(QStringLiteral("FormMemory"), [] { return std::make_unique<FormMemory>(); });
}
