#pragma once
// The bytes of the settings file and of the readme, and their safe reading and writing.

#include <QByteArray>
#include <QString>
#include <optional>

namespace SettingsFile {

struct Coppia {
    int voce;
    int velocita;
};

// Each value printed as the old print statement did: sign blank, digits, blank, CR LF.
QByteArray formatta(qint16 voce, qint16 velocita);

// The first two integers of the text, split by blanks, commas or line ends;
// nothing when the text does not start with two whole numbers in 16-bit range.
std::optional<Coppia> interpreta(const QByteArray& bytes);

// Reads at most a small prefix of the file; nothing when missing or unreadable.
std::optional<Coppia> leggi(const QString& path);

// Replaces the file whole, or leaves the old one untouched and returns false.
bool scriviAtomico(const QString& path, const QByteArray& bytes);
// Removes what a save killed between naming its temporary file and renaming it left beside `path`.
void rimuoviAvanzi(const QString& path);

// False when the readme is missing or holds only a first part of our text.
bool leggimiIntero(const QString& path);

// The five readme lines, CR LF, in the single-byte Western code page.
QByteArray leggimi();

}  // namespace SettingsFile
