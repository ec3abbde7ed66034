#pragma once
// The program's shared state and start-up procedures.

#include <QString>
#include <array>

namespace Modulo1 {

// Body words; index 0 stays empty, 1..18 are the vocabulary.
inline std::array<QString, 19> Parola;

// Counts of the current exercise (16-bit, saturating at the largest value).
inline qint16 Esatti = 0;
inline qint16 Errati = 0;

// Indices drawn for the current item; each screen says what each holds.
inline qint16 Estratto1 = 0;
inline qint16 Estratto2 = 0;
inline qint16 Estratto3 = 0;

// Voice settings: mode (1-based), speed, mouth style (0 or 1).
inline qint16 Voce = 1;
inline qint16 Velocita = 135;
inline qint16 TipoLabbra = 0;

inline QString FileImpostazioni;

constexpr qint16 VoceIniziale = 1;
constexpr qint16 VelocitaIniziale = 135;
constexpr qint16 VelocitaMinima = 50;
constexpr qint16 VelocitaMassima = 200;

// Start-up: refuses a second copy, prepares the settings folder, reads the
// settings, fills the word table and shows the welcome screen. Returns false
// when the program must end at once (another copy is running).
bool Main();

void CaricaParole();
bool EsisteFile(const QString& path);
void LeggiImpostazioni();
// Writes Voce and Velocita; false when the file could not be written whole.
bool SalvaImpostazioni();
void CreaCartella();
void MostraCrediti();

// Adds 1 to a count, stopping at the largest 16-bit value.
qint16 Incrementa(qint16 count);

// A count as it is shown: a blank in the sign position, then the digits.
QString Str(int value);

}  // namespace Modulo1

namespace Modulo1 {
// Gives up the single-copy lock so another copy can start: at the program's
// end, and in tests that start the program many times in one process. The
// system drops it too when the process ends in any other way.
void RilasciaCopiaUnica();
}
