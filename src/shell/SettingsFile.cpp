#include "shell/SettingsFile.h"

#include "shell/Credits.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringList>
#include <limits>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

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

bool suDisco(int handle)
{
#ifdef Q_OS_WIN
    return _commit(handle) == 0;
#else
    return ::fsync(handle) == 0;
#endif
}

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
    // Qt 6.4's commit() writes what is still buffered and renames even when that
    // write fails (a full disk): every byte is written and on the disk before it.
    if (file.write(bytes) != bytes.size() || !file.flush() || !suDisco(file.handle())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

void rimuoviAvanzi(const QString& path)
{
    // The temporary name of a save: the file's name, a dot and six letters or digits.
    const QFileInfo info(path);
    const QRegularExpression temporary(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(info.fileName()) + QStringLiteral("\\.[A-Za-z0-9]{6}")));
    QDir folder = info.dir();
    for (const QString& name : folder.entryList({info.fileName() + QStringLiteral(".??????")},
                                                QDir::Files | QDir::Hidden | QDir::System))
        if (temporary.match(name).hasMatch())
            folder.remove(name);
}

bool leggimiIntero(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.exists();
    // A start of our text is a write cut short; any other text is someone's and stays.
    const QByteArray whole = leggimi();
    const QByteArray found = file.read(whole.size());
    return found.size() == whole.size() || !whole.startsWith(found);
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
