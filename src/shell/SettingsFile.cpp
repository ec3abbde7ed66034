#include "shell/SettingsFile.h"

#include "shell/Credits.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>
#include <limits>

namespace SettingsFile {

namespace {

QByteArray stampaNumero(qint16 value)
{
    QByteArray line = value < 0 ? "-" : " ";
    line += QByteArray::number(value < 0 ? -int(value) : int(value));
    line += " \r\n";
    return line;
}

bool separatore(char c)
{
    return c == ' ' || c == '\t' || c == ',' || c == '\r' || c == '\n';
}

// The settings are two short numbers; anything longer is not ours to parse.
constexpr qint64 LetturaMassima = 256;

}  // namespace

QByteArray formatta(qint16 voce, qint16 velocita)
{
    return stampaNumero(voce) + stampaNumero(velocita);
}

std::optional<Coppia> interpreta(const QByteArray& bytes)
{
    int values[2] = {0, 0};
    qsizetype pos = 0;
    const qsizetype size = bytes.size();
    for (int& value : values) {
        while (pos < size && (bytes[pos] == ' ' || bytes[pos] == '\t' || bytes[pos] == '\r' || bytes[pos] == '\n'))
            ++pos;
        // One comma may stand between the two numbers.
        if (&value == &values[1] && pos < size && bytes[pos] == ',') {
            ++pos;
            while (pos < size && (bytes[pos] == ' ' || bytes[pos] == '\t'))
                ++pos;
        }
        const qsizetype start = pos;
        if (pos < size && (bytes[pos] == '-' || bytes[pos] == '+'))
            ++pos;
        const qsizetype digits = pos;
        while (pos < size && bytes[pos] >= '0' && bytes[pos] <= '9' && pos - digits < 7)
            ++pos;
        if (pos == digits || (pos < size && !separatore(bytes[pos])))
            return std::nullopt;
        bool ok = false;
        const int parsed = bytes.mid(start, pos - start).toInt(&ok);
        if (!ok || parsed < std::numeric_limits<qint16>::min() || parsed > std::numeric_limits<qint16>::max())
            return std::nullopt;
        value = parsed;
    }
    return Coppia{values[0], values[1]};
}

std::optional<Coppia> leggi(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return interpreta(file.read(LetturaMassima));
}

bool scriviAtomico(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QByteArray leggimi()
{
    const QStringList lines = {
        QStringLiteral("Questa cartella contiene i files di impostazione dei programmi presenti nel sito ")
            + Credits::SitoWeb + QStringLiteral("."),
        QStringLiteral(" "),
        QStringLiteral("Se qualche programma presenta problemi di funzionamento pu\u00f2 essere utile cancellare "
                       "il file *.ini relativo al programma in quata cartella."),
        QStringLiteral(" "),
        QStringLiteral("Non cancellare questo file."),
    };
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

}  // namespace SettingsFile
