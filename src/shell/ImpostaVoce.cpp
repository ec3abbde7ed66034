#include "shell/ImpostaVoce.h"

#include "services/speech/SpeechControl.h"
#include "shell/Modulo1.h"

void ImpostaVoce(SpeechControl& Bocca)
{
    Bocca.setCurrentMode(Modulo1::Voce);
    const int m = Bocca.CurrentMode();
    Modulo1::TipoLabbra = Bocca.ModeGender(m) == 1 ? 0 : 1;
    Bocca.setMouthStyle(Modulo1::TipoLabbra);
    Bocca.setSpeed(Modulo1::Velocita);
}
