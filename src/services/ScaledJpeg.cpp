#include "services/ScaledJpeg.h"

#include "services/PictureMemory.h"

#include <QRunnable>
#include <QSemaphore>
#include <QThreadPool>
#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstdio>  // before libjpeg's headers, which use FILE
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include <jpeglib.h>
// Its error codes, after the types they use.
#include <jerror.h>

namespace ScaledJpeg {

namespace {

struct Errore {
    jpeg_error_mgr manager;
    std::jmp_buf ritorno;
};

[[noreturn]] void esci(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<Errore*>(info->err)->ritorno, 1);
}

// Damaged data the decoder gets past is drawn as well as it can be, quietly.
void taci(j_common_ptr) {}

// Down a column, a source row's share of a target row in 128ths, and across,
// a source column's share of a target column in 256ths: 8-bit samples summed
// down stay within signed 16 bits, and then across within 32.
constexpr int InteroDown = 128;
constexpr int InteroAcross = 256;
constexpr int Bits = 15;  // log2(InteroDown * InteroAcross)

// Source pixel s spans [s * to, (s + 1) * to) and target pixel t spans
// [t * from, (t + 1) * from): a target is the mean of what it covers, its
// shares rounded so that they add up to exactly `whole`.
std::int16_t quota(int from, int to, int whole, int s, int t)
{
    const qint64 base = qint64(t) * from;
    const qint64 start = std::max(qint64(s) * to, base) - base;
    const qint64 end = std::min(qint64(s + 1) * to, base + from) - base;
    const auto parts = [from, whole](qint64 at) { return (at * whole + from / 2) / from; };
    return end > start ? std::int16_t(parts(end) - parts(start)) : 0;
}

// Where one source row goes: the share `peso` of it to target row `prima`,
// what is left (`resto`) to the one after; `chiude` when `prima` has had all
// of its rows.
struct RigaSorgente {
    int prima;
    std::int16_t peso;
    std::int16_t resto;
    bool chiude;
};

std::vector<RigaSorgente> righeSorgente(int from, int to)
{
    std::vector<RigaSorgente> rows;
    for (int s = 0; s < from; ++s) {
        const int t = int(qint64(s) * to / from);
        const bool last = int(qint64(s + 1) * to / from) != t;
        rows.push_back({t, quota(from, to, InteroDown, s, t),
                        last && t + 1 < to ? quota(from, to, InteroDown, s, t + 1) : std::int16_t(0), last});
    }
    return rows;
}

// What makes each target column: the same even number of source columns for
// every target, from `prima`, with their shares (zero for those it does not
// cover), each share written four times over, once for each sample of a
// pixel, and taken two columns at a time.
struct Colonne {
    int coppie = 1;  // pairs of source columns for each target
    std::vector<int> prima;
    std::vector<std::int16_t> pesi;  // 8 * coppie for each target

    Colonne(int from, int to)
        : prima(std::size_t(to))
    {
        const auto firstOf = [from, to](int t) { return int(qint64(t) * from / to); };
        const auto endOf = [from, to](int t) { return int((qint64(t + 1) * from + to - 1) / to); };
        for (int t = 0; t < to; ++t)
            coppie = std::max(coppie, (endOf(t) - firstOf(t) + 1) / 2);
        pesi.resize(std::size_t(to) * std::size_t(coppie) * 8);
        for (int t = 0; t < to; ++t) {
            prima[std::size_t(t)] = firstOf(t);
            std::int16_t* weights = pesi.data() + std::size_t(t) * std::size_t(coppie) * 8;
            // Within a pair, the samples of its two columns take turns.
            for (int s = firstOf(t); s < endOf(t); ++s)
                for (int c = 0; c < 4; ++c)
                    weights[(s - firstOf(t)) / 2 * 8 + c * 2 + (s - firstOf(t)) % 2] =
                        quota(from, to, InteroAcross, s, t);
        }
    }
};

// The picture's pixels, written by the parts of one decode at once, each to
// rows of its own.
struct Destinazione {
    uchar* pixels = nullptr;
    qsizetype bytesPerLine = 0;
    QSize size;

    quint32* riga(int y) const { return reinterpret_cast<quint32*>(pixels + y * bytesPerLine); }
};

// Takes the source rows (four samples a pixel, in the picture's own byte
// order) one by one, top first, adds each into one row of sums down the
// columns, and scales that row across into `into` once all the rows of a
// target row have come. It makes the target rows from `primaRiga` on, fed
// from primaSorgente().
class Riduttore {
public:
    Riduttore(QSize from, const Destinazione& into, int primaRiga)
        : colonne_(from.width(), into.size.width())
        , righe_(righeSorgente(from.height(), into.size.height()))
        , into_(into)
        // Room for the columns a last target's pairs read past the row's end.
        , somme_(std::size_t(from.width() + 2 * colonne_.coppie) * 4)
        , campioni_(std::size_t(from.width()) * 4)
        , primaRiga_(primaRiga)
    {
        arrivate_ = primaSorgente();
    }

    // The first source row with a share in the first target row made.
    int primaSorgente() const
    {
        const auto first = std::find_if(righe_.begin(), righe_.end(), [this](const RigaSorgente& row) {
            return row.prima >= primaRiga_ || (row.prima == primaRiga_ - 1 && row.chiude && row.resto > 0);
        });
        return int(first - righe_.begin());
    }

    // The first source row with no share in the target rows above `riga`.
    int fineSorgente(int riga) const
    {
        const auto end = std::find_if(righe_.begin(), righe_.end(),
                                      [riga](const RigaSorgente& row) { return row.prima >= riga; });
        return int(end - righe_.begin());
    }

    void aggiungi(const uchar* source)
    {
        const RigaSorgente& row = righe_[std::size_t(arrivate_++)];
        // A row shared with the target row above the first made gives only the part below.
        if (row.prima >= primaRiga_) {
            somma(source, row.peso, true);
            if (!row.chiude)
                return;
            scriviRiga(row.prima);
        }
        somma(source, row.resto, false);
    }

private:
    void somma(const uchar* source, std::int16_t weight, bool onto)
    {
        std::int16_t* sums = somme_.data();
        std::size_t i = 0;
#ifdef __SSE2__
        const __m128i w = _mm_set1_epi16(weight);
        const __m128i zero = _mm_setzero_si128();
        for (; i + 16 <= campioni_; i += 16) {
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + i));
            auto* low = reinterpret_cast<__m128i*>(sums + i);
            auto* high = reinterpret_cast<__m128i*>(sums + i + 8);
            __m128i lo = _mm_mullo_epi16(_mm_unpacklo_epi8(bytes, zero), w);
            __m128i hi = _mm_mullo_epi16(_mm_unpackhi_epi8(bytes, zero), w);
            if (onto) {
                lo = _mm_add_epi16(lo, _mm_loadu_si128(low));
                hi = _mm_add_epi16(hi, _mm_loadu_si128(high));
            }
            _mm_storeu_si128(low, lo);
            _mm_storeu_si128(high, hi);
        }
#endif
        for (; i < campioni_; ++i)
            sums[i] = std::int16_t((onto ? sums[i] : 0) + weight * source[i]);
    }

    void scriviRiga(int target)
    {
        const int pairs = colonne_.coppie;
        const std::int16_t* weights = colonne_.pesi.data();
        const std::int16_t* sums = somme_.data();
        quint32* out = into_.riga(target);
        for (int x = 0; x < into_.size.width(); ++x) {
            const std::int16_t* column = sums + std::size_t(colonne_.prima[std::size_t(x)]) * 4;
#ifdef __SSE2__
            __m128i pixel = _mm_set1_epi32(1 << (Bits - 1));
            for (int p = 0; p < pairs; ++p, column += 8, weights += 8) {
                const __m128i two = _mm_loadu_si128(reinterpret_cast<const __m128i*>(column));
                const __m128i turns = _mm_unpacklo_epi16(two, _mm_srli_si128(two, 8));
                pixel = _mm_add_epi32(pixel, _mm_madd_epi16(
                                                 turns, _mm_loadu_si128(reinterpret_cast<const __m128i*>(weights))));
            }
            pixel = _mm_srai_epi32(pixel, Bits);
            pixel = _mm_packs_epi32(pixel, pixel);
            out[x] = quint32(_mm_cvtsi128_si32(_mm_packus_epi16(pixel, pixel)));
#else
            std::int32_t pixel[4] = {1 << (Bits - 1), 1 << (Bits - 1), 1 << (Bits - 1), 1 << (Bits - 1)};
            for (int p = 0; p < pairs; ++p, column += 8, weights += 8)
                for (int c = 0; c < 4; ++c)
                    pixel[c] += column[c] * weights[2 * c] + column[4 + c] * weights[2 * c + 1];
            uchar samples[4];
            for (int c = 0; c < 4; ++c)
                samples[c] = uchar(std::clamp(pixel[c] >> Bits, 0, 255));
            std::memcpy(out + x, samples, 4);
#endif
        }
    }

    const Colonne colonne_;
    const std::vector<RigaSorgente> righe_;
    const Destinazione into_;
    std::vector<std::int16_t> somme_;  // the target row being filled, not yet scaled across
    const std::size_t campioni_;       // samples in a source row
    const int primaRiga_;
    int arrivate_ = 0;
};

// Of the eighths of a side that the decoder makes with its vector code, the
// smallest not below the size shown, for a picture `factor` times as large;
// the other eighths run as plain code, slower than a whole decode and a
// scaling down.
int quickEighths(double factor)
{
    for (int eighths : {1, 2, 4})
        if (eighths * factor >= 8)
            return eighths;
    return 8;
}

// Ink amounts stored inverted, as most programs that write CMYK JPEGs do.
void daCmyk(uchar* row, int width)
{
    for (int x = 0; x < width; ++x, row += 4) {
        const int k = row[3];
        *reinterpret_cast<QRgb*>(row) = qRgb(k * row[0] / 255, k * row[1] / 255, k * row[2] / 255);
    }
}

// Below this many decoded pixels a second part costs more than it saves: it
// reads the header again and runs through the rows above its own.
constexpr qint64 DaDividere = 250'000;

// A large picture's lower half, handed to another thread of the pool while
// this one makes the upper half, and taken back when no thread has started it
// by the time the upper half is made.
class Divisione {
public:
    explicit Divisione(QThreadPool& pool)
        : pool_(pool)
    {
    }
    ~Divisione();
    Divisione(const Divisione&) = delete;
    Divisione& operator=(const Divisione&) = delete;

    void avvia(const uchar* data, qint64 size, QSize shown, const Destinazione& into, int primaRiga);
    // True when the lower half was taken back: the upper one reads on to the end.
    bool riprendi();
    // Whether the lower half was made, once it is done or taken back; its reason when not.
    bool riuscita(QString& error);

private:
    void attendi();

    QThreadPool& pool_;
    std::unique_ptr<class MetaInferiore> meta_;
    bool ripresa_ = false;
    bool attesa_ = false;
};

// Everything that outlives an error lives in the caller's frame: the decoder
// leaves by a long jump, which must pass no destructor. The part from target
// row `primaRiga` down is made into `into`; the first part also sets the
// picture up, in `image` and `into`, and may hand its lower half to `divisione`.
bool leggi(jpeg_decompress_struct& info, Errore& errore, const uchar* data, qint64 size, QSize shown, QImage& image,
           Destinazione& into, int primaRiga, std::optional<Riduttore>& riduttore, std::vector<uchar>& band,
           Divisione* divisione)
{
    if (setjmp(errore.ritorno))
        return false;
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    // The nearest size not below the one shown that the decoder makes quickly.
    info.scale_num = quickEighths(
        std::min(double(info.image_width) / shown.width(), double(info.image_height) / shown.height()));
    info.scale_denom = 8;
    info.dct_method = JDCT_ISLOW;
    info.do_fancy_upsampling = TRUE;
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRA : JCS_EXT_ARGB;
    jpeg_start_decompress(&info);
    const QSize decoded(int(info.output_width), int(info.output_height));
    if (primaRiga == 0) {
        image = PictureMemory::nuova(shown.boundedTo(decoded));
        if (image.isNull())
            ERREXIT(&info, JERR_OUT_OF_MEMORY);
        into = {image.bits(), image.bytesPerLine(), image.size()};
    }
    const bool direct = into.size == decoded;
    if (!direct) {
        riduttore.emplace(decoded, into, primaRiga);
        band.resize(std::size_t(decoded.width()) * 4 * std::size_t(std::max(1, info.rec_outbuf_height)));
    }
    const int height = int(info.output_height);
    const int first = direct ? primaRiga : riduttore->primaSorgente();
    if (first > 0)
        jpeg_skip_scanlines(&info, JDIMENSION(first));
    int end = height;  // the source rows this part reads
    if (divisione && !info.progressive_mode && qint64(decoded.width()) * height >= DaDividere
        && into.size.height() >= 2) {
        const int half = into.size.height() / 2;
        divisione->avvia(data, size, shown, into, half);
        end = direct ? half : riduttore->fineSorgente(half);
    }
    JSAMPROW rows[16];
    const int perCall = std::clamp(info.rec_outbuf_height, 1, 16);
    while (int(info.output_scanline) < height) {
        const int row = int(info.output_scanline);
        if (row == end) {
            if (!divisione->riprendi())
                break;
            end = height;
        }
        const int count = std::min(perCall, end - row);
        for (int i = 0; i < count; ++i)
            rows[i] = direct ? reinterpret_cast<uchar*>(into.riga(row + i))
                             : band.data() + std::size_t(i) * std::size_t(decoded.width()) * 4;
        const int got = int(jpeg_read_scanlines(&info, rows, JDIMENSION(count)));
        for (int i = 0; i < got; ++i) {
            if (cmyk)
                daCmyk(rows[i], decoded.width());
            if (!direct)
                riduttore->aggiungi(rows[i]);
        }
    }
    if (int(info.output_scanline) < height)
        jpeg_abort_decompress(&info);
    else
        jpeg_finish_decompress(&info);
    return true;
}

// One part of a picture decoded; its reason in `error` when it cannot be.
bool leggiParte(const uchar* data, qint64 size, QSize shown, QImage& image, Destinazione& into, int primaRiga,
                Divisione* divisione, QString& error)
{
    jpeg_decompress_struct info {};
    Errore errore {};
    info.err = jpeg_std_error(&errore.manager);
    errore.manager.error_exit = esci;
    errore.manager.output_message = taci;
    std::optional<Riduttore> riduttore;
    std::vector<uchar> band;
    const bool read = leggi(info, errore, data, size, shown, image, into, primaRiga, riduttore, band, divisione);
    if (!read) {
        char message[JMSG_LENGTH_MAX] = {};
        errore.manager.format_message(reinterpret_cast<j_common_ptr>(&info), message);
        error = QString::fromLocal8Bit(message);
    }
    jpeg_destroy_decompress(&info);
    return read;
}

// The lower half, on the thread that starts it; done once `fatta_` is released.
class MetaInferiore : public QRunnable {
public:
    MetaInferiore(const uchar* data, qint64 size, QSize shown, const Destinazione& into, int primaRiga)
        : data_(data)
        , size_(size)
        , shown_(shown)
        , into_(into)
        , primaRiga_(primaRiga)
    {
        setAutoDelete(false);
    }

    void run() override
    {
        QImage unused;
        riuscita_ = leggiParte(data_, size_, shown_, unused, into_, primaRiga_, nullptr, error_);
        fatta_.release();
    }

private:
    friend class Divisione;

    const uchar* const data_;
    const qint64 size_;
    const QSize shown_;
    Destinazione into_;
    const int primaRiga_;
    bool riuscita_ = false;
    QString error_;
    QSemaphore fatta_;
};

Divisione::~Divisione()
{
    attendi();
}

void Divisione::avvia(const uchar* data, qint64 size, QSize shown, const Destinazione& into, int primaRiga)
{
    meta_ = std::make_unique<MetaInferiore>(data, size, shown, into, primaRiga);
    pool_.start(meta_.get());
}

bool Divisione::riprendi()
{
    ripresa_ = pool_.tryTake(meta_.get());
    return ripresa_;
}

void Divisione::attendi()
{
    if (!meta_ || ripresa_ || attesa_)
        return;
    // Left by an error above, it must not write into a picture that is gone.
    if (pool_.tryTake(meta_.get()))
        ripresa_ = true;
    else
        meta_->fatta_.acquire();
    attesa_ = true;
}

bool Divisione::riuscita(QString& error)
{
    attendi();
    if (!meta_ || ripresa_ || meta_->riuscita_)
        return true;
    error = meta_->error_;
    return false;
}

}  // namespace

QImage decodifica(const uchar* data, qint64 size, QSize shown, QString& error, QThreadPool* aiuto)
{
    QImage image;
    Destinazione into;
    std::optional<Divisione> divisione;
    if (aiuto)
        divisione.emplace(*aiuto);
    const bool read = leggiParte(data, size, shown.expandedTo(QSize(1, 1)), image, into, 0,
                                 divisione ? &*divisione : nullptr, error);
    if (!read || (divisione && !divisione->riuscita(error)))
        return {};
    return image;
}

}  // namespace ScaledJpeg
