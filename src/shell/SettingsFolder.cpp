#include "shell/SettingsFolder.h"

#include <QDir>
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
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    // A relative XDG_CONFIG_HOME is invalid by the base directory rules: the
    // settings must not depend on the folder the program was started from.
    if (QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QLatin1Char('/') + NomeCartella;
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
