#include "services/Pictures.h"

#include "services/PictureMemory.h"
#include "services/RecentPictures.h"
#include "services/ScaledJpeg.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QMutex>
#include <QPromise>
#include <QSemaphore>
#include <QSet>
#include <QThreadPool>
#include <QTransform>
#include <QWaitCondition>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <deque>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace Pictures {

namespace {

// Sharp in the largest picture place of a 4K screen, and no larger.
constexpr int LatoMassimo = 1600;

// What one decode may take while it runs. A progressive JPEG keeps a 16-bit
// coefficient for every sample of the whole picture, whatever size it is shown
// at: 64 MiB holds a 20-megapixel colour photo, more than a camera's usual 12,
// while a 10000 x 10000 one would take 300 MiB.
constexpr double MemoriaMassima = 64.0 * 1024 * 1024;

// Files up to this size are read rather than mapped: giving back a mapping
// interrupts every core the program runs on, which costs more than copying a
// drawing's few pages. A large photo is mapped, so it never sits in memory twice.
constexpr qint64 LettoFinoA = 1024 * 1024;

// Told from the decoding threads, which may still run while the process ends:
// what they use is never destroyed.
void segnalaUnaVolta(const QString& path, const QString& reason)
{
    static auto* guard = new QMutex;
    static auto* told = new QSet<QString>;
    const QMutexLocker locked(guard);
    if (told->contains(path))
        return;
    told->insert(path);
    std::fprintf(stderr, "quillet: cannot show picture %s: %s\n", qPrintable(path), qPrintable(reason));
}

struct JpegLayout {
    bool cutShort = false;
    bool progressive = false;
    // All components together, after their subsampling; 0 before a frame header.
    double samplesPerPixel = 0;
};

// The decoder shows a JPEG cut short with its missing part grey and no error,
// so the file is walked to its end-of-image marker; the frame header on the way
// tells how the picture is coded. Nothing for files not laid out as JPEG.
std::optional<JpegLayout> jpegLayout(const uchar* data, qint64 size)
{
    if (!data || size < 4 || data[0] != 0xFF || data[1] != 0xD8)
        return std::nullopt;
    JpegLayout layout;
    qint64 i = 2;
    bool inScan = false;
    while (i + 1 < size) {
        if (data[i] != 0xFF) {
            if (!inScan)
                return std::nullopt;
            ++i;
            continue;
        }
        const uchar marker = data[i + 1];
        if (marker == 0xD9)
            return layout;
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
            break;
        const qint64 length = (qint64(data[i + 2]) << 8) | data[i + 3];
        // Frame headers: C0 to CF but the table markers C4, C8 and CC.
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame && layout.samplesPerPixel == 0 && i + 10 < size) {
            // Three bytes a component; the second holds its horizontal and vertical sampling.
            const int components = std::min<qint64>(data[i + 9], (size - i - 12) / 3);
            const uchar* sampling = data + i + 11;
            int maxH = 1, maxV = 1;
            for (int c = 0; c < components; ++c) {
                maxH = std::max(maxH, sampling[3 * c] >> 4);
                maxV = std::max(maxV, sampling[3 * c] & 0x0F);
            }
            for (int c = 0; c < components; ++c)
                layout.samplesPerPixel += double(sampling[3 * c] >> 4) * (sampling[3 * c] & 0x0F) / (maxH * maxV);
            layout.progressive = (marker & 0x03) == 0x02;
        }
        i += 2 + length;
        inScan = marker == 0xDA;
    }
    layout.cutShort = true;
    return layout;
}

// Bytes the decoder needs at once for a picture of `size` shown at `shown`.
double memoriaDecodifica(const std::optional<JpegLayout>& jpeg, QSize size, QSize shown)
{
    const double pixels = double(size.width()) * size.height();
    if (!jpeg)  // other formats are decoded whole, then scaled
        return pixels * 4;
    // Scaled JPEG decoding goes down to an eighth of each side.
    const double output = std::max(pixels / 64, double(shown.width()) * shown.height()) * 4;
    return jpeg->progressive ? pixels * jpeg->samplesPerPixel * 2 + output : output;
}

// Opened only when it is a regular file, so a pipe or a device of that name
// never blocks or wakes anything; the check is made again on what was opened.
bool apriFileNormale(const QString& path, QFile& file)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::stat(name.constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    const int handle = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (handle < 0)
        return false;
    if (::fstat(handle, &info) != 0 || !S_ISREG(info.st_mode) || !file.open(handle, QIODevice::ReadOnly,
                                                                               QFileDevice::AutoCloseHandle)) {
        ::close(handle);
        return false;
    }
    return true;
}

// What the decodes running at once may take together, in KiB: two decodes at
// once never need more than one might alone.
QSemaphore& memoriaLibera()
{
    static auto* semaphore = new QSemaphore(int(MemoriaMassima / 1024));
    return *semaphore;
}

// Turned as the camera's orientation tag says: mirrored first, then turned a
// quarter clockwise.
QImage orientata(QImage image, QImageIOHandler::Transformations how)
{
    image = std::move(image).mirrored(how & QImageIOHandler::TransformationMirror,
                                      how & QImageIOHandler::TransformationFlip);
    if (how & QImageIOHandler::TransformationRotate90)
        image = image.transformed(QTransform().rotate(90));
    return image;
}

// With `aiuto`, a large picture is decoded in two halves when that pool has a thread to spare.
QImage decodifica(const QString& path, QSize place, QThreadPool* aiuto)
{
    QFile file;
    if (!apriFileNormale(path, file)) {
        segnalaUnaVolta(path, QFileInfo(path).exists() ? QStringLiteral("not a regular readable file")
                                                       : QStringLiteral("no such file"));
        return {};
    }
    // A drawing is read whole before anything else reads it; a large photo is mapped.
    QByteArray bytes;
    QBuffer inMemory(&bytes);
    const bool small = file.size() <= LettoFinoA;
    if (small) {
        bytes = file.readAll();
        inMemory.open(QIODevice::ReadOnly);
    }
    const qint64 length = small ? bytes.size() : file.size();
    const uchar* data = small ? reinterpret_cast<const uchar*>(bytes.constData()) : file.map(0, length);
    QImageReader reader(small ? static_cast<QIODevice*>(&inMemory) : &file);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty()) {
        segnalaUnaVolta(path, reader.errorString());
        return {};
    }
    QSize shown = place;
    if (!place.isEmpty())
        shown = size.scaled(place, Qt::KeepAspectRatio).boundedTo(size);
    else
        shown = size.boundedTo(size.scaled(LatoMassimo, LatoMassimo, Qt::KeepAspectRatio));
    const RecentPictures::Chiave chiave(data, length, shown);
    if (QImage kept = chiave.trova(); !kept.isNull())
        return kept;
    const std::optional<JpegLayout> jpeg = jpegLayout(data, length);
    if (jpeg && jpeg->cutShort) {
        segnalaUnaVolta(path, QStringLiteral("the file is cut short"));
        return {};
    }
    if (memoriaDecodifica(jpeg, size, shown) > MemoriaMassima) {
        segnalaUnaVolta(path, QStringLiteral("%1 x %2 %3takes too much memory to decode")
                                  .arg(size.width())
                                  .arg(size.height())
                                  .arg(jpeg && jpeg->progressive ? QStringLiteral("progressive JPEG ") : QString()));
        return {};
    }
    const int kib = int(std::min(memoriaDecodifica(jpeg, size, shown), MemoriaMassima) / 1024);
    memoriaLibera().acquire(kib);
    const QSemaphoreReleaser memoria(memoriaLibera(), kib);
    QImage image;
    if (jpeg) {
        QString error;
        image = ScaledJpeg::decodifica(data, length, shown, error, aiuto);
        if (image.isNull())
            segnalaUnaVolta(path, error);
        image = orientata(std::move(image), reader.transformation());
    } else {
        // Decoding at the size shown is several times quicker and smaller.
        if (shown.width() < size.width())
            reader.setScaledSize(shown);
        image = reader.read();
        if (image.isNull())
            segnalaUnaVolta(path, reader.errorString());
    }
    chiave.tieni(image);
    return image;
}

QThreadPool& decodificatore()
{
    struct UnaAllaVolta : QThreadPool {
        UnaAllaVolta() { setMaxThreadCount(1); }
    };
    static UnaAllaVolta pool;
    return pool;
}

// The lower halves of large pictures, on a thread beside the decodes': a new
// screen's frame waits for its pictures, and a second core halves the wait.
QThreadPool& aiutante()
{
    struct UnoSolo : QThreadPool {
        UnoSolo() { setMaxThreadCount(1); }
    };
    static UnoSolo pool;
    return pool;
}

std::atomic<int> pendenti = 0;  // decodes asked for and not yet done
std::atomic<bool> interfacciaAttende = false;

// One decode at a time, so the interface thread keeps a core of its own; two
// while it waits for a picture (its core is idle then) or while several are
// asked for at once (a new screen or round, whose frame waits for the last).
// One lock for both: a decode ending must not undo a second thread granted
// between its check and its change.
QMutex numeroMutex;

void dueDecodifiche()
{
    const QMutexLocker lock(&numeroMutex);
    decodificatore().setMaxThreadCount(2);
}

void unaDecodifica()
{
    const QMutexLocker lock(&numeroMutex);
    if (pendenti < 2 && !interfacciaAttende)
        decodificatore().setMaxThreadCount(1);
}

int avviate = 0;  // decodes started, counted on the interface thread

// Told after every decode, for a wait with a deadline.
QMutex finitaMutex;
QWaitCondition finita;

// Held, the decoding thread waits on it before any decode asked for.
QSemaphore& passaggio()
{
    static auto* semaphore = new QSemaphore;
    return *semaphore;
}
bool trattenute = false;  // on the interface thread

// Pictures decoded ahead for a coming round, one at a time, each once no
// decode asked for waits, so that they never hold a screen back. Kept here
// rather than queued below the screen's decodes in the pool: the pool, made
// to grow while only tasks of a lower priority wait, loses one of them and
// frees its queue page twice.
struct Anticipo {
    QString path;
    QSize place;
};
QMutex anticipiMutex;
std::deque<Anticipo> anticipi;
bool anticipoInCorso = false;

void prossimoAnticipo()
{
    const QMutexLocker lock(&anticipiMutex);
    if (anticipoInCorso || anticipi.empty() || pendenti > 0)
        return;
    anticipoInCorso = true;
    decodificatore().start([next = std::move(anticipi.front())] {
        decodifica(next.path, next.place, nullptr);
        {
            const QMutexLocker lock(&anticipiMutex);
            anticipoInCorso = false;
        }
        prossimoAnticipo();
    });
    anticipi.pop_front();
}

QString& cartellaImpostata()
{
    static QString folder;
    return folder;
}

}  // namespace

QString cartella()
{
    return cartellaImpostata().isEmpty() ? QCoreApplication::applicationDirPath() : cartellaImpostata();
}

void impostaCartella(const QString& folder)
{
    cartellaImpostata() = folder;
}

QString percorso(const QString& word)
{
    return cartella() + QStringLiteral("/jpg/") + word + QStringLiteral(".jpg");
}

QImage carica(const QString& word, QSize place)
{
    return decodifica(percorso(word), place, nullptr);
}

QFuture<QImage> caricaInSottofondo(const QString& word, QSize place)
{
    auto promise = std::make_shared<QPromise<QImage>>();
    QFuture<QImage> future = promise->future();
    promise->start();
    ++avviate;
    if (++pendenti >= 2 && !trattenute)
        dueDecodifiche();
    decodificatore().start([promise, path = percorso(word), place] {
        if (!promise->isCanceled())
            promise->addResult(decodifica(path, place, &aiutante()));
        promise->finish();
        if (--pendenti == 0)
            PictureMemory::restituisciAvanzi();
        unaDecodifica();
        prossimoAnticipo();
        const QMutexLocker lock(&finitaMutex);
        finita.wakeAll();
    });
    return future;
}

void anticipa(const QStringList& words, QSize place)
{
    if (!RecentPictures::tenibile(place))
        return;
    {
        const QMutexLocker lock(&anticipiMutex);
        for (const QString& word : words)
            anticipi.push_back({percorso(word), place});
    }
    avviate += int(words.size());
    prossimoAnticipo();
}

bool attendi(const QFuture<QImage>& decode, QDeadlineTimer deadline)
{
    if (trattenute || decode.isFinished())
        return decode.isFinished();
    interfacciaAttende = true;
    dueDecodifiche();
    bool done = true;
    {
        QMutexLocker lock(&finitaMutex);
        while (done && !decode.isFinished())
            done = finita.wait(&finitaMutex, deadline) || decode.isFinished();
    }
    interfacciaAttende = false;
    unaDecodifica();
    return done;
}

void trattieni()
{
    if (!std::exchange(trattenute, true))
        decodificatore().start([] { passaggio().acquire(); });
}

void rilascia()
{
    if (!std::exchange(trattenute, false))
        return;
    passaggio().release();
    if (pendenti >= 2)
        dueDecodifiche();
}

bool occupato()
{
    return decodificatore().activeThreadCount() > 0;
}

void attendiTutte()
{
    for (int before = -1; before != avviate;) {
        before = avviate;
        decodificatore().waitForDone();
        QCoreApplication::sendPostedEvents();
    }
}

}  // namespace Pictures
