#include "services/ScaledJpeg.h"

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdint>
#include <cstdio>  // before libjpeg's headers, which use FILE
#include <optional>
#include <vector>

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

// A pixel's three colours side by side in one word, 21 bits each, weighted
// and added up together.
using Terna = std::uint64_t;
constexpr int Corsia = 21;

constexpr Terna ogniColore(std::uint64_t value)
{
    return value | value << Corsia | value << 2 * Corsia;
}

Terna terna(QRgb rgb)
{
    return (rgb & 0xFF) | Terna(rgb & 0xFF00) << (Corsia - 8) | Terna(rgb & 0xFF0000) << (2 * Corsia - 16);
}

// Shares in parts of a pixel, as many as keep every sum within its 21 bits:
// across a row in 4096 parts (255 x 4096 < 2^20), the row's sums then kept to
// sixteenths of a step, and down in 512 parts (255 x 16 x 512 < 2^21).
constexpr std::uint32_t InteroAcross = 4096;
constexpr std::uint32_t InteroDown = 512;
constexpr int Sedicesimi = 4;

// Where one source pixel (a column or a row) goes: the share `peso` of it to
// target pixel `primo`, what is left (`resto`) to the one after; `chiude` when
// `primo` has had all of its sources.
struct Quota {
    int primo;
    std::uint32_t peso;
    std::uint32_t resto;
    bool chiude;
};

// Source pixel s spans [s * to, (s + 1) * to) and target pixel t spans
// [t * from, (t + 1) * from): a target is the mean of what it covers, its
// shares rounded so that they add up to exactly `whole`.
std::vector<Quota> quote(int from, int to, std::uint32_t whole)
{
    const auto share = [from, to, whole](int s, int t) -> std::uint32_t {
        const qint64 base = qint64(t) * from;
        const qint64 start = std::max(qint64(s) * to, base) - base;
        const qint64 end = std::min(qint64(s + 1) * to, base + from) - base;
        const auto parts = [from, whole](qint64 at) { return (at * whole + from / 2) / from; };
        return end > start ? std::uint32_t(parts(end) - parts(start)) : 0;
    };
    std::vector<Quota> shares;
    for (int s = 0; s < from; ++s) {
        const int t = int(qint64(s) * to / from);
        const bool last = int(qint64(s + 1) * to / from) != t;
        shares.push_back({t, share(s, t), last && t + 1 < to ? share(s, t + 1) : 0, last});
    }
    return shares;
}

// Takes the source rows one by one, top first, and writes each target row of
// `into` as soon as the rows it covers have all come: one row in, one row of
// sums held.
class Riduttore {
public:
    Riduttore(QSize from, QImage& into)
        : colonne_(quote(from.width(), into.width(), InteroAcross))
        , righe_(quote(from.height(), into.height(), InteroDown))
        , into_(into)
        , riga_(std::size_t(into.width()))
        , somme_(riga_.size())
    {
    }

    void aggiungi(const QRgb* source)
    {
        constexpr int across = 12 - Sedicesimi;  // log2(InteroAcross) less the sixteenths kept
        constexpr Terna half = ogniColore(1 << (across - 1));
        constexpr Terna kept = ogniColore((1 << (Corsia - across)) - 1);
        Terna sum = 0;
        for (const Quota& column : colonne_) {
            const Terna pixel = terna(*source++);
            sum += column.peso * pixel;
            if (column.chiude) {
                riga_[std::size_t(column.primo)] = (sum + half) >> across & kept;
                sum = column.resto * pixel;
            }
        }
        const Quota& row = righe_[std::size_t(arrivate_++)];
        for (std::size_t x = 0; x < somme_.size(); ++x)
            somme_[x] += row.peso * riga_[x];
        if (!row.chiude)
            return;
        constexpr int down = 9 + Sedicesimi;  // log2(InteroDown) and the sixteenths
        constexpr Terna rounding = ogniColore(1 << (down - 1));
        auto* out = reinterpret_cast<QRgb*>(into_.scanLine(row.primo));
        for (std::size_t x = 0; x < somme_.size(); ++x) {
            const Terna colours = (somme_[x] + rounding) >> down;
            out[x] = qRgb(int(colours >> 2 * Corsia & 0xFF), int(colours >> Corsia & 0xFF), int(colours & 0xFF));
            somme_[x] = row.resto * riga_[x];
        }
    }

private:
    const std::vector<Quota> colonne_;
    const std::vector<Quota> righe_;
    QImage& into_;
    std::vector<Terna> riga_;   // the latest source row, scaled across
    std::vector<Terna> somme_;  // the target row being filled
    int arrivate_ = 0;
};

// Ink amounts stored inverted, as most programs that write CMYK JPEGs do.
void daCmyk(uchar* row, int width)
{
    for (int x = 0; x < width; ++x, row += 4) {
        const int k = row[3];
        *reinterpret_cast<QRgb*>(row) = qRgb(k * row[0] / 255, k * row[1] / 255, k * row[2] / 255);
    }
}

// Everything that outlives an error lives in the caller's frame: the decoder
// leaves by a long jump, which must pass no destructor.
bool leggi(jpeg_decompress_struct& info, Errore& errore, const uchar* data, qint64 size, QSize shown, QImage& image,
           std::optional<Riduttore>& riduttore, std::vector<QRgb>& band)
{
    if (setjmp(errore.ritorno))
        return false;
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    // The eighth that is nearest to the size shown and not below it.
    const double factor =
        std::min(double(info.image_width) / shown.width(), double(info.image_height) / shown.height());
    info.scale_num = std::clamp(int(std::ceil(8 / factor)), 1, 8);
    info.scale_denom = 8;
    info.dct_method = JDCT_ISLOW;
    info.do_fancy_upsampling = TRUE;
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRA : JCS_EXT_ARGB;
    jpeg_start_decompress(&info);
    const QSize decoded(int(info.output_width), int(info.output_height));
    image = QImage(shown.boundedTo(decoded), QImage::Format_RGB32);
    if (image.isNull())
        ERREXIT(&info, JERR_OUT_OF_MEMORY);
    const bool direct = image.size() == decoded;
    if (!direct) {
        riduttore.emplace(decoded, image);
        band.resize(std::size_t(decoded.width()) * std::size_t(std::max(1, info.rec_outbuf_height)));
    }
    JSAMPROW rows[16];
    const int perCall = std::clamp(info.rec_outbuf_height, 1, 16);
    while (info.output_scanline < info.output_height) {
        const int first = int(info.output_scanline);
        for (int i = 0; i < perCall; ++i)
            rows[i] = direct ? image.scanLine(std::min(first + i, decoded.height() - 1))
                             : reinterpret_cast<JSAMPROW>(band.data() + std::size_t(i) * decoded.width());
        const int got = int(jpeg_read_scanlines(&info, rows, JDIMENSION(perCall)));
        for (int i = 0; i < got; ++i) {
            if (cmyk)
                daCmyk(rows[i], decoded.width());
            if (!direct)
                riduttore->aggiungi(reinterpret_cast<const QRgb*>(rows[i]));
        }
    }
    jpeg_finish_decompress(&info);
    return true;
}

}  // namespace

QImage decodifica(const uchar* data, qint64 size, QSize shown, QString& error)
{
    jpeg_decompress_struct info {};
    Errore errore {};
    info.err = jpeg_std_error(&errore.manager);
    errore.manager.error_exit = esci;
    errore.manager.output_message = taci;
    QImage image;
    std::optional<Riduttore> riduttore;
    std::vector<QRgb> band;
    const bool read = leggi(info, errore, data, size, shown.expandedTo(QSize(1, 1)), image, riduttore, band);
    if (!read) {
        char message[JMSG_LENGTH_MAX] = {};
        errore.manager.format_message(reinterpret_cast<j_common_ptr>(&info), message);
        error = QString::fromLocal8Bit(message);
        image = QImage();
    }
    jpeg_destroy_decompress(&info);
    return image;
}

}  // namespace ScaledJpeg
