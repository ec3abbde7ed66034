#include "shell/SettingsFolder.h"

#include <QStandardPaths>

namespace SettingsFolder {

namespace {
const QString NomeCartella = QStringLiteral("ImpostazioniProgrammiZelbo");
}

QString cartella()
{
#ifdef Q_OS_WIN
    return QStringLiteral("C:/") + NomeCartella;
#else
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') + NomeCartella;
#endif
}

QString fileImpostazioni()
{
    return cartella() + QStringLiteral("/programmiinglese.ini");
}

QString leggimi()
{
    return cartella() + QStringLiteral("/leggimi.txt");
}

}  // namespace SettingsFolder
