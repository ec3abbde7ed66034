#include "services/PictureMemory.h"

#include <QMutex>
#include <cstdlib>
#include <iterator>
#include <map>
#include <sys/mman.h>
#include <unistd.h>

namespace PictureMemory {

namespace {

// More than any screen shows at once on a full-HD screen; a 4K one's pictures
// take fresh memory.
constexpr qsizetype Tenuta = 8 * 1024 * 1024;
// Ahead of the pixels: the block's size, and room to keep them aligned.
constexpr qsizetype Testa = 64;

struct Scorta {
    QMutex lock;
    std::multimap<qsizetype, void*> libere;  // pixel bytes -> block
    qsizetype tenute = 0;
};

// Never destroyed: an image may go after the statics at exit.
Scorta& scorta()
{
    static auto* scorta = new Scorta;
    return *scorta;
}

qsizetype& capienza(void* block)
{
    return *static_cast<qsizetype*>(block);
}

void restituisci(void* block)
{
    Scorta& s = scorta();
    {
        const QMutexLocker lock(&s.lock);
        if (s.tenute + capienza(block) <= Tenuta) {
            s.tenute += capienza(block);
            s.libere.emplace(capienza(block), block);
            return;
        }
    }
    std::free(block);
}

void* prendi(qsizetype bytes)
{
    void* kept = nullptr;
    {
        Scorta& s = scorta();
        const QMutexLocker lock(&s.lock);
        // The nearest in size: the smallest that holds it, or else the largest.
        auto found = s.libere.lower_bound(bytes);
        if (found == s.libere.end() && !s.libere.empty())
            found = std::prev(s.libere.end());
        if (found != s.libere.end()) {
            kept = found->second;
            s.tenute -= found->first;
            s.libere.erase(found);
        }
    }
    // Grown or cut to size by remapping: its pages already in stay in, and
    // none is held beyond what the picture needs.
    void* block = kept ? std::realloc(kept, std::size_t(Testa + bytes)) : std::malloc(std::size_t(Testa + bytes));
    if (!block) {
        std::free(kept);
        return nullptr;
    }
    capienza(block) = bytes;
    return block;
}

// A fresh page is faulted in on the decoder's first write to it, one trap a
// page amid the decoding; asked for all at once, the pages of a picture come
// in one call in a tenth of the time. Kernels before 5.14 do not know the
// request and leave the pages to be faulted in as before.
void faiEntrare(void* block, qsizetype bytes)
{
    static const auto Pagina = quintptr(sysconf(_SC_PAGESIZE));
    const quintptr start = (reinterpret_cast<quintptr>(block) + Testa + Pagina - 1) & ~(Pagina - 1);
    const quintptr end = (reinterpret_cast<quintptr>(block) + Testa + quintptr(bytes)) & ~(Pagina - 1);
    if (end > start)
        madvise(reinterpret_cast<void*>(start), end - start, MADV_POPULATE_WRITE);
}

}  // namespace

void restituisciAvanzi()
{
    std::multimap<qsizetype, void*> avanzi;
    {
        Scorta& s = scorta();
        const QMutexLocker lock(&s.lock);
        avanzi.swap(s.libere);
        s.tenute = 0;
    }
    for (const auto& [bytes, block] : avanzi)
        std::free(block);
}

QImage nuova(QSize size)
{
    if (size.isEmpty())
        return {};
    const qsizetype perRiga = qsizetype(size.width()) * 4;
    const qsizetype bytes = perRiga * size.height();
    void* block = prendi(bytes);
    if (!block)
        return {};
    faiEntrare(block, bytes);
    QImage image(static_cast<uchar*>(block) + Testa, size.width(), size.height(), perRiga, QImage::Format_RGB32,
                 restituisci, block);
    if (image.isNull())
        restituisci(block);
    return image;
}

}  // namespace PictureMemory
