#include "services/Pictures.h"

#include "shell/Modulo1.h"

#include <QFile>
#include <QImageReader>
#include <QSet>
#include <cstdio>

namespace Pictures {

namespace {

// Sharp in the largest picture place of a 4K screen, and no larger.
constexpr int LatoMassimo = 1600;

void segnalaUnaVolta(const QString& path, const QString& reason)
{
    static QSet<QString> told;
    if (told.contains(path))
        return;
    told.insert(path);
    std::fprintf(stderr, "quillet: cannot show picture %s: %s\n", qPrintable(path), qPrintable(reason));
}

// The decoder shows a JPEG cut short with its missing part grey and no error,
// so the file is walked to its end-of-image marker. Files that are not laid out
// as JPEG are left to the reader.
bool tagliato(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < 4)
        return false;
    const qint64 size = file.size();
    const uchar* data = file.map(0, size);
    if (!data || data[0] != 0xFF || data[1] != 0xD8)
        return false;
    qint64 i = 2;
    bool inScan = false;
    while (i + 1 < size) {
        if (data[i] != 0xFF) {
            if (!inScan)
                return false;
            ++i;
            continue;
        }
        const uchar marker = data[i + 1];
        if (marker == 0xD9)
            return false;
        // Fill bytes, stuffed zeros and restart markers carry no length.
        if (marker == 0xFF) {
            ++i;
            continue;
        }
        if (marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            i += 2;
            continue;
        }
        if (i + 3 >= size)
            return true;
        i += 2 + ((qint64(data[i + 2]) << 8) | data[i + 3]);
        inScan = marker == 0xDA;
    }
    return true;
}

}  // namespace

QString percorso(const QString& word)
{
    return Modulo1::CartellaProgramma() + QStringLiteral("/jpg/") + word + QStringLiteral(".jpg");
}

QImage carica(const QString& word, QSize toCover)
{
    const QString path = percorso(word);
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty()) {
        segnalaUnaVolta(path, reader.errorString());
        return {};
    }
    if (tagliato(path)) {
        segnalaUnaVolta(path, QStringLiteral("the file is cut short"));
        return {};
    }
    if (!toCover.isEmpty()) {
        // Decoding at the size shown is several times quicker and smaller.
        const QSize shown = size.scaled(toCover, Qt::KeepAspectRatioByExpanding);
        if (shown.width() < size.width())
            reader.setScaledSize(shown);
    } else if (size.width() > LatoMassimo || size.height() > LatoMassimo) {
        reader.setScaledSize(size.scaled(LatoMassimo, LatoMassimo, Qt::KeepAspectRatio));
    }
    QImage image = reader.read();
    if (image.isNull())
        segnalaUnaVolta(path, reader.errorString());
    return image;
}

}  // namespace Pictures
