#include "services/speech/FliteVoices.h"

#include "services/speech/PhonemeShape.h"

#include <QFileInfo>
#include <QLibrary>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <link.h>
#include <sys/mman.h>
#include <unistd.h>
#include <flite/flite.h>

namespace {
// Sentences keep the voices' own pace: slowed even slightly (by 2 to 10 %, or
// to espeak-ng's pace), they are understood less well. A word said alone is
// heard better a little slower: slt's "knee" passed for "teeth" at its own
// pace; kal16, already this slow, lost a word slower still (the clarity
// figures of the benchmark).
constexpr float LoneWordStretch = 1.1f;
// The stops, one letter each. Plain characters: the synthesis thread may still
// read them while the process ends and its statics are destroyed.
constexpr char Stops[] = "ptkbdg";
bool isStop(const char* phone)
{
    return phone && phone[0] != '\0' && phone[1] == '\0' && std::strchr(Stops, phone[0]);
}

// The word a phone belongs to; null for a pause.
const cst_item* wordOf(const cst_item* phone)
{
    return path_to_item(phone, "R:SylStructure.parent.parent");
}

bool isLoneWord(const QString& text)
{
    const QString word = text.trimmed();
    return !word.isEmpty() && std::none_of(word.cbegin(), word.cend(), [](QChar c) { return c.isSpace(); });
}

// flite hands the sound over piece by piece as it makes it; the answer tells
// it whether to go on.
int askToGoOn(const cst_wave*, int, int, int, cst_audio_streaming_info* info)
{
    const auto& stop = *static_cast<const std::function<bool()>*>(info->userdata);
    return stop && stop() ? CST_AUDIO_STREAM_STOP : CST_AUDIO_STREAM_CONT;
}
}  // namespace

bool FliteVoices::installed(const QByteArray& name)
{
    Dl_info flite{};
    if (!dladdr(reinterpret_cast<void*>(&flite_init), &flite) || !flite.dli_fname)
        return false;
    const QString folder = QFileInfo(QString::fromLocal8Bit(flite.dli_fname)).absolutePath();
    return QFileInfo::exists(folder + QStringLiteral("/libflite_") + QString::fromLatin1(name) + QStringLiteral(".so.1"));
}

bool FliteVoices::load(const QByteArray& name)
{
    if (voices_.contains(name))
        return voices_.value(name) != nullptr;
    if (!started_) {
        flite_init();
        started_ = true;
    }
    // Each voice is a library of its own, opened here so that a missing one
    // costs only its voice, not the program.
    using Register = cst_voice* (*)(const char*);
    cst_voice* voice = nullptr;
    // Never unloaded: the voice lives in it.
    QLibrary library(QString::fromLatin1("flite_" + name), 1);
    if (const auto reg = reinterpret_cast<Register>(library.resolve(("register_" + name).constData())))
        voice = reg(nullptr);
    if (voice) {
        ownStretch_.insert(name, get_param_float(voice->features, "duration_stretch", 1.0f));
        cst_audio_streaming_info* pieces = new_audio_streaming_info();
        pieces->asc = askToGoOn;
        pieces->userdata = &stop_;
        // The voice owns it from here.
        feat_set(voice->features, "streaming_info", audio_streaming_info_val(pieces));
    }
    voices_.insert(name, voice);
    return voice != nullptr;
}

void FliteVoices::rest()
{
#ifdef MADV_PAGEOUT
    // Every segment of flite's voice and language libraries; pages written
    // since loading are kept by the system as they are.
    dl_iterate_phdr(
        [](dl_phdr_info* library, size_t, void*) {
            if (!library->dlpi_name || !std::strstr(library->dlpi_name, "/libflite_"))
                return 0;
            const auto page = uintptr_t(sysconf(_SC_PAGESIZE));
            for (int i = 0; i < library->dlpi_phnum; ++i) {
                const ElfW(Phdr)& segment = library->dlpi_phdr[i];
                if (segment.p_type != PT_LOAD)
                    continue;
                const uintptr_t from = (library->dlpi_addr + segment.p_vaddr) & ~(page - 1);
                const uintptr_t to = (library->dlpi_addr + segment.p_vaddr + segment.p_memsz + page - 1) & ~(page - 1);
                madvise(reinterpret_cast<void*>(from), to - from, MADV_PAGEOUT);
            }
            return 0;
        },
        nullptr);
#endif
}

Utterance FliteVoices::say(const QByteArray& name, const QString& text, int betweenStopsMs,
                           const std::function<bool()>& stop)
{
    Utterance sound;
    if (!load(name))
        return sound;
    cst_voice* voice = voices_.value(name);
    // The voices breathe with rand()'s noise: seeded alike, a text sounds the
    // same, and its quiet edges trim the same, every time it is said.
    std::srand(1);
    const float own = ownStretch_.value(name, 1.0f);
    feat_set_float(voice->features, "duration_stretch", isLoneWord(text) ? std::max(own, LoneWordStretch) : own);
    stop_ = stop;
    cst_utterance* made = flite_synth_text(text.toUtf8().constData(), voice);
    stop_ = nullptr;
    if (!made)
        return sound;
    if (stop && stop()) {
        delete_utterance(made);
        return sound;
    }
    const cst_wave* wave = utt_wave(made);
    if (wave && wave->num_channels == 1 && wave->sample_rate > 0) {
        sound.sampleRate = wave->sample_rate;
        sound.samples = QVector<qint16>(wave->samples, wave->samples + wave->num_samples);
        // A phone's item holds when it ends; it starts where the one before ended.
        double start = 0;
        QList<qint64> betweenStops;
        for (const cst_item* phone = utt_rel_head(made, "Segment"); phone; phone = item_next(phone)) {
            const qint64 sample = std::min<qint64>(qint64(start * sound.sampleRate), sound.samples.size());
            const char* name = item_feat_string(phone, "name");
            const cst_item* before = item_prev(phone);
            if (before && isStop(name) && isStop(item_feat_string(before, "name")) && wordOf(phone) && wordOf(before)
                && !item_equal(wordOf(phone), wordOf(before)))
                betweenStops.append(sample);
            sound.marks.append({sample, shapeForFlitePhone(name)});
            start = item_feat_float(phone, "end");
        }
        sound.pauseBefore(betweenStops, betweenStopsMs);
    }
    delete_utterance(made);
    return sound;
}
