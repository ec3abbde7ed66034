#include "services/Pictures.h"

#include "shell/Modulo1.h"

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

}  // namespace

QString percorso(const QString& word)
{
    return Modulo1::CartellaProgramma() + QStringLiteral("/jpg/") + word + QStringLiteral(".jpg");
}

QImage carica(const QString& word)
{
    const QString path = percorso(word);
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty()) {
        segnalaUnaVolta(path, reader.errorString());
        return {};
    }
    if (size.width() > LatoMassimo || size.height() > LatoMassimo)
        reader.setScaledSize(size.scaled(LatoMassimo, LatoMassimo, Qt::KeepAspectRatio));
    QImage image = reader.read();
    if (image.isNull())
        segnalaUnaVolta(path, reader.errorString());
    return image;
}

}  // namespace Pictures
