#include "services/speech/PackedSound.h"

#include <algorithm>
#include <array>
#include <bit>
#include <utility>

namespace {

// Samples sharing one Rice parameter: short enough to follow speech from a
// pause to a vowel.
constexpr int Block = 256;
constexpr int ParameterBits = 5;
constexpr int LargestParameter = 17;
// A residual whose quotient reaches this many ones is stored raw instead.
constexpr int Escape = 24;
// Any residual of 16-bit samples fits, zigzagged.
constexpr int RawBits = 18;

quint32 zigzag(qint32 residual)
{
    return (quint32(residual) << 1) ^ quint32(residual >> 31);
}

qint32 unzigzag(quint32 code)
{
    return qint32(code >> 1) ^ -qint32(code & 1);
}

// The line through the two samples before.
qint32 predicted(qint32 previous, qint32 beforeThat)
{
    return 2 * previous - beforeThat;
}

class BitWriter {
public:
    // At most 24 bits at a time.
    void put(quint32 value, int count)
    {
        window_ = (window_ << count) | (value & ((quint64(1) << count) - 1));
        for (filled_ += count; filled_ >= 8;) {
            filled_ -= 8;
            bytes_.append(char(window_ >> filled_));
        }
    }
    QByteArray finish()
    {
        if (filled_ > 0)
            bytes_.append(char(window_ << (8 - filled_)));
        bytes_.squeeze();
        return bytes_;
    }

private:
    QByteArray bytes_;
    quint64 window_ = 0;
    int filled_ = 0;
};

class BitReader {
public:
    explicit BitReader(const QByteArray& bytes)
        : bytes_(bytes)
    {
    }
    // At most 24 bits at a time.
    quint32 get(int count)
    {
        if (count == 0)
            return 0;
        fill();
        const auto value = quint32(window_ >> (64 - count));
        skip(count);
        return value;
    }
    // The ones before the next zero, at most `most`.
    int ones(int most)
    {
        fill();
        return std::min(std::countl_one(window_), most);
    }
    void skip(int count)
    {
        window_ <<= count;
        available_ -= count;
    }

private:
    void fill()
    {
        for (; available_ <= 56 && next_ < bytes_.size(); ++next_, available_ += 8)
            window_ |= quint64(quint8(bytes_.at(next_))) << (56 - available_);
    }

    const QByteArray& bytes_;
    qsizetype next_ = 0;
    quint64 window_ = 0;
    int available_ = 0;
};

// The parameter that codes the block in the fewest bits.
int bestParameter(const quint32* codes, qsizetype count)
{
    int best = 0;
    qint64 fewest = -1;
    for (int k = 0; k <= LargestParameter; ++k) {
        qint64 bits = 0;
        for (qsizetype i = 0; i < count; ++i)
            bits += (codes[i] >> k) < Escape ? (codes[i] >> k) + 1 + k : Escape + RawBits;
        if (fewest < 0 || bits < fewest) {
            fewest = bits;
            best = k;
        }
    }
    return best;
}

}  // namespace

PackedSound::PackedSound(const Utterance& sound)
    : sampleRate_(sound.sampleRate)
    , count_(sound.samples.size())
    , marks_(sound.marks)
{
    BitWriter out;
    qint32 previous = 0;
    qint32 beforeThat = 0;
    std::array<quint32, Block> codes;
    for (qsizetype start = 0; start < count_; start += Block) {
        const qsizetype count = std::min<qsizetype>(Block, count_ - start);
        for (qsizetype i = 0; i < count; ++i) {
            const qint32 sample = sound.samples.at(start + i);
            codes[i] = zigzag(sample - predicted(previous, beforeThat));
            beforeThat = std::exchange(previous, sample);
        }
        const int k = bestParameter(codes.data(), count);
        out.put(quint32(k), ParameterBits);
        for (qsizetype i = 0; i < count; ++i) {
            const quint32 quotient = codes[i] >> k;
            if (quotient < Escape) {
                out.put(((quint32(1) << quotient) - 1) << 1, int(quotient) + 1);
                out.put(codes[i], k);
            } else {
                out.put((quint32(1) << Escape) - 1, Escape);
                out.put(codes[i], RawBits);
            }
        }
    }
    bits_ = out.finish();
    marks_.squeeze();
}

Utterance PackedSound::unpack() const
{
    Utterance sound;
    sound.sampleRate = sampleRate_;
    sound.marks = marks_;
    sound.samples.resize(count_);
    BitReader in(bits_);
    qint32 previous = 0;
    qint32 beforeThat = 0;
    qint16* samples = sound.samples.data();
    for (qsizetype start = 0; start < count_; start += Block) {
        const int k = int(in.get(ParameterBits));
        for (qsizetype i = start, end = std::min<qsizetype>(start + Block, count_); i < end; ++i) {
            const int quotient = in.ones(Escape);
            quint32 code;
            if (quotient < Escape) {
                in.skip(quotient + 1);
                code = (quint32(quotient) << k) | in.get(k);
            } else {
                in.skip(Escape);
                code = in.get(RawBits);
            }
            const qint32 sample = unzigzag(code) + predicted(previous, beforeThat);
            samples[i] = qint16(sample);
            beforeThat = std::exchange(previous, sample);
        }
    }
    return sound;
}
