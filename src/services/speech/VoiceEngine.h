#pragma once
// The process's speech engine, made from the speech data it finds.

#include <QString>
#include <memory>

class SpeechEngine;

// The engine for the speech data in a folder (the one that holds
// espeak-ng-data): the flite voices with whatever of espeak-ng's data is
// usable there; without any voice when there is none.
std::unique_ptr<SpeechEngine> makeVoiceEngine(const QString& dataParent);
// Starts the synthesiser in the background for the data voiceDataParent() finds.
void startVoicesEarly();
// The program's own copy of the data when it has one, else the system's.
QString voiceDataParent();
