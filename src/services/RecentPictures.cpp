#include "services/RecentPictures.h"

#include <QCryptographicHash>
#include <QMutex>
#include <algorithm>
#include <vector>

namespace RecentPictures {

namespace {

// Small pictures only: the word search's and the memory's on a full-HD
// screen, some 90 and 135 KiB each, a round or two of both. A large picture,
// decoded once per visit, would hold more memory than it saves time.
constexpr qsizetype Stanza = 2560 * 1024;
constexpr qsizetype PiuGrande = 160 * 1024;

struct Tenuta {
    QByteArray impronta;  // of the file's bytes
    QSize shown;
    QImage image;
    quint64 usata;
};

struct Memoria {
    QMutex lock;
    std::vector<Tenuta> tenute;
    qsizetype occupati = 0;
    quint64 orologio = 0;
};

// Never destroyed: a kept picture's memory goes back to a pool that outlives every static.
Memoria& memoria()
{
    static auto* memoria = new Memoria;
    return *memoria;
}

std::vector<Tenuta>::iterator trovata(Memoria& m, const QByteArray& impronta, QSize shown)
{
    return std::find_if(m.tenute.begin(), m.tenute.end(),
                        [&](const Tenuta& t) { return t.shown == shown && t.impronta == impronta; });
}

}  // namespace

bool tenibile(QSize place)
{
    return place.isValid() && qint64(place.width()) * place.height() * 4 <= PiuGrande;
}

Chiave::Chiave(const uchar* file, qint64 length, QSize shown)
    : shown_(shown)
{
    if (file && tenibile(shown))
        impronta_ = QCryptographicHash::hash(QByteArrayView(file, length), QCryptographicHash::Blake2b_256);
}

QImage Chiave::trova() const
{
    if (impronta_.isEmpty())
        return {};
    Memoria& m = memoria();
    const QMutexLocker lock(&m.lock);
    const auto kept = trovata(m, impronta_, shown_);
    if (kept == m.tenute.end())
        return {};
    kept->usata = ++m.orologio;
    return kept->image;
}

void Chiave::tieni(const QImage& image) const
{
    if (impronta_.isEmpty() || image.isNull())
        return;
    const qsizetype bytes = image.sizeInBytes();
    Memoria& m = memoria();
    const QMutexLocker lock(&m.lock);
    if (trovata(m, impronta_, shown_) != m.tenute.end())
        return;
    while (m.occupati + bytes > Stanza) {
        const auto oldest = std::min_element(m.tenute.begin(), m.tenute.end(),
                                             [](const Tenuta& a, const Tenuta& b) { return a.usata < b.usata; });
        m.occupati -= oldest->image.sizeInBytes();
        m.tenute.erase(oldest);
    }
    m.tenute.push_back({impronta_, shown_, image, ++m.orologio});
    m.occupati += bytes;
}

}  // namespace RecentPictures
