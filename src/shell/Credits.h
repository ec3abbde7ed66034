#pragma once
// Who made Quillet: shown in the credits box and written into the readme.

#include <QString>

namespace Credits {

inline const QString Autore = QStringLiteral("Quillet team");
inline const QString SitoWeb = QStringLiteral("www.quillet.example.org");
inline const QString Posta = QStringLiteral("info@quillet.example.org");

// The four lines of the credits box, CR LF between them.
QString testo();

}  // namespace Credits
