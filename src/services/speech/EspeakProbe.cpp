#include "services/speech/EspeakProbe.h"

#include <QFile>
#include <QtEndian>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <espeak-ng/speak_lib.h>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

// Damaged data can also make the library loop: a child that takes longer is
// taken for broken.
constexpr auto Patience = std::chrono::seconds(5);
// "hand" lasts about 0.4 s; a voice whose phoneme table is lost says it in a
// few milliseconds.
constexpr int ShortestWordMs = 100;

long samplesMade = 0;

int countSamples(short*, int count, espeak_EVENT*)
{
    samplesMade += count;
    return 0;
}

// A child keeps every descriptor the parent had, the lock of the single running
// copy among them: it must hold none of them, and must not outlive the parent,
// or a program closed during the probe could not be started again at once.
void letGoOfParent(pid_t parent, int answer)
{
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent)
        _exit(1);
    const unsigned keep = unsigned(answer);
    if (keep > 3)
        close_range(3, keep - 1, 0);
    close_range(keep + 1, ~0U, 0);
}

// The child: only the library and plain system calls, nothing of the parent's
// own state, which its other threads may have left half changed. One byte a
// voice goes back, '1' for a voice heard.
[[noreturn]] void probeInChild(const QByteArray& dataParent, const QList<QByteArray>& voices, int answer)
{
    // A crash here is what damaged data does: the parent's crash handlers and
    // a core file are not for it.
    for (int crash : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT})
        std::signal(crash, SIG_DFL);
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    const int rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, dataParent.constData(), espeakINITIALIZE_DONT_EXIT);
    if (rate <= 0)
        _exit(1);
    espeak_SetSynthCallback(countSamples);
    static const char word[] = "hand";
    for (const QByteArray& voice : voices) {
        samplesMade = 0;
        const bool heard = espeak_SetVoiceByName(voice.constData()) == EE_OK
                           && espeak_Synth(word, sizeof word, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, nullptr)
                                  == EE_OK
                           && espeak_Synchronize() == EE_OK && samplesMade >= long(rate) * ShortestWordMs / 1000;
        if (write(answer, heard ? "1" : "0", 1) != 1)
            _exit(1);
    }
    _exit(0);
}

// Waits for the child, and ends it when it takes too long.
void reap(pid_t child)
{
    const auto limit = std::chrono::steady_clock::now() + Patience;
    int status = 0;
    for (;;) {
        const pid_t ended = waitpid(child, &status, WNOHANG);
        if (ended == child || (ended < 0 && errno != EINTR))
            return;
        if (std::chrono::steady_clock::now() >= limit)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    kill(child, SIGKILL);
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
}

// The library trusts its dictionary: a file cut short makes it read past the
// end, which crashes or not by chance, so a probe's child may say a word where
// the program would then crash. Every voice speaks English, from en_dict: its
// header (the hash table's size, then where its rules start) and its last
// rule group's end are checked first.
bool englishDictionaryWhole(const QByteArray& dataParent)
{
    QFile dictionary(QString::fromLocal8Bit(dataParent) + QStringLiteral("/espeak-ng-data/en_dict"));
    if (!dictionary.open(QIODevice::ReadOnly) || dictionary.size() < 10)
        return false;
    const QByteArray head = dictionary.read(8);
    const qint32 hashes = qFromLittleEndian<qint32>(head.constData());
    const qint32 rules = qFromLittleEndian<qint32>(head.constData() + 4);
    constexpr char groupEnd[] = {7, 0};
    return hashes == 1024 && rules > 8 && rules < dictionary.size() && dictionary.seek(dictionary.size() - 2)
           && dictionary.read(2) == QByteArray(groupEnd, 2);
}

}  // namespace

QList<bool> espeakVoicesSpeak(const QByteArray& dataParent, const QList<QByteArray>& voices)
{
    QList<bool> heard(voices.size(), false);
    int answer[2];
    if (!englishDictionaryWhole(dataParent) || pipe2(answer, O_CLOEXEC) != 0)
        return heard;
    const pid_t parent = getpid();
    const pid_t child = fork();
    if (child == 0) {
        close(answer[0]);
        letGoOfParent(parent, answer[1]);
        probeInChild(dataParent, voices, answer[1]);
    }
    close(answer[1]);
    if (child > 0) {
        reap(child);
        // The child is gone: what it wrote is all there is, and a voice it
        // never answered for (it crashed or hung there) is not heard.
        char said[64];
        qsizetype next = 0;
        for (ssize_t got; next < heard.size() && (got = read(answer[0], said, sizeof said)) != 0;) {
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                break;
            for (ssize_t i = 0; i < got && next < heard.size(); ++i)
                heard[next++] = said[i] == '1';
        }
    }
    close(answer[0]);
    return heard;
}
