#pragma once
// Which of espeak-ng's voices can be used with the data in a folder. Damaged
// data can crash the library or leave a voice without sound, so the dictionary
// is checked whole and each voice first says a word in a child process, where a
// crash costs only the espeak-ng voices, never the program.

#include <QByteArray>
#include <QList>

// For each voice ("en-us+f2"), whether the folder that holds espeak-ng-data
// has a whole dictionary and a child process started espeak-ng on it and heard
// the voice say a word, within a few seconds for all of them.
QList<bool> espeakVoicesSpeak(const QByteArray& dataParent, const QList<QByteArray>& voices);
