#include "shell/FormCatalogue.h"

#include "exercises/frame/ListenExercise.h"
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
}
