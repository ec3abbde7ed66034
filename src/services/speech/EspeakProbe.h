#pragma once
// Which of espeak-ng's voices can be used with the data in a folder. Damaged
// data can crash the library or leave a voice without sound, so each voice
// first says a word in a child process, where a crash costs only the espeak-ng
// voices, never the program.

#include <QByteArray>
#include <QList>

// For each voice ("en-us+f2"), whether a child process started espeak-ng on
// the folder that holds espeak-ng-data and heard the voice say a word, within
// a few seconds for all of them.
QList<bool> espeakVoicesSpeak(const QByteArray& dataParent, const QList<QByteArray>& voices);
