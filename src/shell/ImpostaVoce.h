#pragma once

class SpeechControl;

// Applies the chosen voice, mouth style and speed to a screen's mouth. A mode
// the mouth refuses leaves it with the mode it had.
void ImpostaVoce(SpeechControl& Bocca);
