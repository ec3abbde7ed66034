#include "ClarityFigures.h"

#include "Waiting.h"
#include "exercises/choice/Frasi.h"
#include "services/speech/EspeakSynth.h"
#include "services/speech/VoiceCatalogue.h"
#include "services/speech/VoiceEngine.h"
#include "shell/Modulo1.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>
#include <array>
#include <cmath>
#include <numeric>
#include <random>

namespace {

// The speed a child hears by default.
constexpr int Speed = 135;
// The recogniser's models are made for this rate.
constexpr int RecogniserRate = 16000;
// Quiet around each text, as a listener hears it between two texts.
constexpr int PaddingMs = 250;
// A listener hears in a room: a faint noise floor (about -66 dB) under it all.
// Plain digital silence throws the recogniser's level normalisation and costs
// it words a listener would hear. Which noise it is moves the figures by a
// word or a few per cent, so each text is heard under several noises and the
// figures are their median, with the spread.
constexpr int NoiseFloor = 16;
constexpr int Noises = 5;
const QString ModelDir = QStringLiteral("/usr/share/pocketsphinx/model/en-us");
// Job numbers far from any engine's, so no engine takes these sounds for its own.
constexpr quint64 FirstJob = quint64(1) << 48;

struct Sample {
    QString name;  // file name without extension
    QString text;
};

QStringList words()
{
    Modulo1::CaricaParole();
    QStringList list;
    for (int i = 1; i <= 18; ++i)
        list << Modulo1::Parola[std::size_t(i)];
    return list;
}

QStringList sentences()
{
    QStringList list;
    const QList<Frasi::Frase> table = Frasi::tabella();
    for (int n = 1; n <= Frasi::Numero; ++n)
        list << table.at(n).domanda << table.at(n).risposta;
    return list;
}

// Every text made in one mode, in the order asked.
QList<Utterance> makeAll(EspeakSynth& synth, const QStringList& texts, int mode, quint64& nextJob)
{
    QHash<quint64, Utterance> made;
    QObject context;
    QObject::connect(&synth, &EspeakSynth::ready, &context,
                     [&made](quint64 job, const Utterance& sound) { made.insert(job, sound); });
    const quint64 first = nextJob;
    for (const QString& text : texts)
        synth.submit(nextJob++, text, mode, Speed);
    if (!waitUntil([&] { return made.size() == texts.size(); }, 600000))
        qWarning("mode %d: only %lld of %lld texts were made", mode, qlonglong(made.size()), qlonglong(texts.size()));
    QList<Utterance> sounds;
    for (quint64 job = first; job < nextJob; ++job)
        sounds << made.value(job);
    return sounds;
}

// Windowed-sinc resampling to the recogniser's rate, with the band above its
// Nyquist frequency cut so nothing folds back. The rates' ratio is rational,
// so the kernel repeats every `up` output samples and is worked out once.
QVector<qint16> resampled(const Utterance& sound)
{
    if (sound.sampleRate == RecogniserRate)
        return sound.samples;
    constexpr int Taps = 16;
    const int common = std::gcd(sound.sampleRate, RecogniserRate);
    const int up = RecogniserRate / common;
    const int down = sound.sampleRate / common;
    const double cutoff = 0.95 * std::min(1.0, double(up) / down);
    QList<std::array<double, 2 * Taps>> kernels(up);
    for (int phase = 0; phase < up; ++phase)
        for (int tap = 0; tap < 2 * Taps; ++tap) {
            // How far the input sample lies behind the output instant.
            const double x = double(phase) / up + Taps - 1 - tap;
            const double sinc = x == 0 ? 1 : std::sin(M_PI * cutoff * x) / (M_PI * cutoff * x);
            kernels[phase][tap] = cutoff * sinc * (0.5 + 0.5 * std::cos(M_PI * x / Taps));
        }
    const qsizetype count = sound.samples.size() * up / down;
    QVector<qint16> out(count);
    for (qsizetype n = 0; n < count; ++n) {
        const qint64 first = n * down / up - Taps + 1;
        const auto& kernel = kernels.at(int(n * down % up));
        double sum = 0;
        for (int tap = 0; tap < 2 * Taps; ++tap)
            if (first + tap >= 0 && first + tap < sound.samples.size())
                sum += sound.samples.at(first + tap) * kernel[tap];
        out[n] = qint16(std::clamp(std::lround(sum), -32768L, 32767L));
    }
    return out;
}

bool writeWav(const QString& path, const QVector<qint16>& heard, int noiseSeed)
{
    const QVector<qint16> padding(RecogniserRate * PaddingMs / 1000, 0);
    QVector<qint16> samples = padding + heard + padding;
    std::minstd_rand noise(noiseSeed);
    std::uniform_int_distribution<int> floor(-NoiseFloor, NoiseFloor);
    for (qint16& s : samples)
        s = qint16(std::clamp(s + floor(noise), -32768, 32767));
    QByteArray wav;
    const auto put32 = [&wav](quint32 v) { wav.append(reinterpret_cast<const char*>(&(v = qToLittleEndian(v))), 4); };
    const auto put16 = [&wav](quint16 v) { wav.append(reinterpret_cast<const char*>(&(v = qToLittleEndian(v))), 2); };
    const quint32 bytes = quint32(samples.size() * 2);
    wav += "RIFF";
    put32(36 + bytes);
    wav += "WAVEfmt ";
    put32(16);
    put16(1);  // PCM
    put16(1);  // mono
    put32(RecogniserRate);
    put32(RecogniserRate * 2);
    put16(2);
    put16(16);
    wav += "data";
    put32(bytes);
    for (qint16 s : samples)
        put16(quint16(s));
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(wav) == wav.size();
}

// Lower case, only letters, digits and apostrophes, split into words.
QStringList normalised(const QString& text)
{
    static const QRegularExpression other(QStringLiteral("[^a-z0-9' ]"));
    return text.toLower().replace(other, QStringLiteral(" ")).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// Substitutions, deletions and insertions that turn one into the other.
int editDistance(const QStringList& said, const QStringList& heard)
{
    QList<int> row(heard.size() + 1);
    for (qsizetype j = 0; j <= heard.size(); ++j)
        row[j] = int(j);
    for (qsizetype i = 1; i <= said.size(); ++i) {
        int diagonal = row[0];
        row[0] = int(i);
        for (qsizetype j = 1; j <= heard.size(); ++j) {
            const int above = row[j];
            row[j] = std::min({above + 1, row[j - 1] + 1, diagonal + (said.at(i - 1) == heard.at(j - 1) ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[heard.size()];
}

// Runs the recogniser over a list of files; what it heard by file name.
class Recognition {
public:
    Recognition(const QDir& dir, const QString& name, const QList<Sample>& samples, const QStringList& extra)
        : hypotheses_(dir.filePath(name + QStringLiteral(".hyp")))
    {
        QFile control(dir.filePath(name + QStringLiteral(".ctl")));
        if (control.open(QIODevice::WriteOnly))
            for (const Sample& sample : samples)
                control.write(sample.name.toUtf8() + '\n');
        control.close();
        process_.start(QStringLiteral("pocketsphinx_batch"),
                       QStringList{QStringLiteral("-adcin"), QStringLiteral("yes"), QStringLiteral("-adchdr"),
                                   QStringLiteral("44"), QStringLiteral("-cepdir"), dir.path(),
                                   QStringLiteral("-cepext"), QStringLiteral(".wav"), QStringLiteral("-ctl"),
                                   control.fileName(), QStringLiteral("-hyp"), hypotheses_,
                                   QStringLiteral("-hmm"), ModelDir + QStringLiteral("/en-us"),
                                   QStringLiteral("-dict"), ModelDir + QStringLiteral("/cmudict-en-us.dict"),
                                   QStringLiteral("-logfn"), QStringLiteral("/dev/null")}
                           + extra);
    }
    QHash<QString, QString> heard()
    {
        process_.waitForFinished(-1);
        QHash<QString, QString> result;
        QFile file(hypotheses_);
        if (!file.open(QIODevice::ReadOnly))
            return result;
        // "<words> (<name> <score>)"
        static const QRegularExpression line(QStringLiteral("^(.*?) ?\\((\\S+) -?\\d+\\)$"));
        for (const QByteArray& text : file.readAll().split('\n')) {
            const QRegularExpressionMatch match = line.match(QString::fromUtf8(text));
            if (match.hasMatch())
                result.insert(match.captured(2), match.captured(1));
        }
        return result;
    }

private:
    QString hypotheses_;
    QProcess process_;
};

}  // namespace

QList<Figure> clarityFigures(QList<int> modes)
{
    EspeakSynth* synth = EspeakSynth::shared(voiceDataParent());
    if (!synth)
        return {};
    if (QStandardPaths::findExecutable(QStringLiteral("pocketsphinx_batch")).isEmpty()
        || !QFileInfo::exists(ModelDir + QStringLiteral("/en-us.lm.bin"))) {
        qWarning("no pocketsphinx with pocketsphinx-en-us: no clarity figures");
        return {};
    }
    if (modes.isEmpty())
        for (int mode = 1; mode <= voiceCatalogue().size(); ++mode)
            modes << mode;
    QTemporaryDir dir;
    const QStringList wordTexts = words();
    const QStringList sentenceTexts = sentences();
    QList<Sample> wordSamples;
    QList<Sample> sentenceSamples;
    quint64 nextJob = FirstJob;
    for (int mode : std::as_const(modes)) {
        const QList<Utterance> sounds = makeAll(*synth, wordTexts + sentenceTexts, mode, nextJob);
        for (qsizetype i = 0; i < sounds.size(); ++i) {
            const bool word = i < wordTexts.size();
            const QVector<qint16> heard = resampled(sounds.at(i));
            for (int noise = 1; noise <= Noises; ++noise) {
                const Sample sample{QStringLiteral("%1-%2-%3-%4").arg(mode).arg(noise).arg(QLatin1Char(word ? 'w' : 's')).arg(i),
                                    word ? wordTexts.at(i) : sentenceTexts.at(i - wordTexts.size())};
                writeWav(QDir(dir.path()).filePath(sample.name + QStringLiteral(".wav")), heard, noise);
                (word ? wordSamples : sentenceSamples) << sample;
            }
        }
    }

    QFile grammar(QDir(dir.path()).filePath(QStringLiteral("words.gram")));
    if (grammar.open(QIODevice::WriteOnly))
        grammar.write(("#JSGF V1.0;\ngrammar body;\npublic <word> = " + wordTexts.join(QStringLiteral(" | ")) + ";\n")
                          .toUtf8());
    grammar.close();
    // Three runs share the machine's cores; the sentences take the longest.
    QList<Sample> evenSentences;
    QList<Sample> oddSentences;
    for (qsizetype i = 0; i < sentenceSamples.size(); ++i)
        (i % 2 ? oddSentences : evenSentences) << sentenceSamples.at(i);
    const QStringList generalModel = {QStringLiteral("-lm"), ModelDir + QStringLiteral("/en-us.lm.bin")};
    Recognition wordRun(QDir(dir.path()), QStringLiteral("words"), wordSamples,
                        {QStringLiteral("-jsgf"), grammar.fileName()});
    Recognition evenRun(QDir(dir.path()), QStringLiteral("even"), evenSentences, generalModel);
    Recognition oddRun(QDir(dir.path()), QStringLiteral("odd"), oddSentences, generalModel);
    const QHash<QString, QString> wordsHeard = wordRun.heard();
    QHash<QString, QString> sentencesHeard = evenRun.heard();
    sentencesHeard.insert(oddRun.heard());

    QList<Figure> figures;
    for (int mode : std::as_const(modes)) {
        QList<double> rightByNoise;
        QList<double> errorRateByNoise;
        QMap<QString, int> misheard;  // "knee as teeth" and under how many noises
        QMap<QString, int> sentencesMisheard;
        for (int noise = 1; noise <= Noises; ++noise) {
            const QString prefix = QStringLiteral("%1-%2-").arg(mode).arg(noise);
            int right = 0;
            for (const Sample& sample : std::as_const(wordSamples)) {
                if (!sample.name.startsWith(prefix))
                    continue;
                const QString heard = normalised(wordsHeard.value(sample.name)).join(QLatin1Char(' '));
                if (heard == sample.text)
                    ++right;
                else
                    ++misheard[sample.text + QStringLiteral(" as ") + (heard.isEmpty() ? QStringLiteral("nothing") : heard)];
            }
            int errors = 0;
            int said = 0;
            for (const Sample& sample : std::as_const(sentenceSamples)) {
                if (!sample.name.startsWith(prefix))
                    continue;
                const QStringList reference = normalised(sample.text);
                const QStringList heard = normalised(sentencesHeard.value(sample.name));
                if (const int wrong = editDistance(reference, heard)) {
                    errors += wrong;
                    ++sentencesMisheard[QStringLiteral("\"%1\" as \"%2\"").arg(sample.text, heard.join(QLatin1Char(' ')))];
                }
                said += int(reference.size());
            }
            rightByNoise << right;
            errorRateByNoise << (said ? 100.0 * errors / said : 100);
        }
        QStringList heardWrong;
        for (auto it = misheard.cbegin(); it != misheard.cend(); ++it)
            heardWrong << QStringLiteral("%1 (%2 of %3 noises)").arg(it.key()).arg(it.value()).arg(Noises);
        if (!heardWrong.isEmpty())
            qInfo("mode %d heard %s", mode, qPrintable(heardWrong.join(QStringLiteral(", "))));
        for (auto it = sentencesMisheard.cbegin(); it != sentencesMisheard.cend(); ++it)
            qInfo("mode %d heard %s (%d of %d noises)", mode, qPrintable(it.key()), it.value(), Noises);
        const bool byDefault = mode == 1;
        figures << summarise(QStringLiteral("clarity_words_mode%1").arg(mode), rightByNoise, QStringLiteral("of18"),
                             byDefault ? QStringLiteral("= 18") : QString())
                << summarise(QStringLiteral("clarity_wer_mode%1").arg(mode), errorRateByNoise, QStringLiteral("%"),
                             byDefault ? QStringLiteral("<= 15") : QString());
    }
    return figures;
}
