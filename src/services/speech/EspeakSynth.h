#pragma once
// The process's one espeak-ng synthesiser on its own thread. espeak-ng is not
// re-entrant and cannot be started twice, so it is started once, fed from one
// thread and never shut down. The flite voices of the catalogue are made on
// the same thread, as flite is not re-entrant either.
// While no text waits, it makes the program's own texts ahead in the mode and
// speed last asked for, so that those are heard at once: a flite voice takes longer to
// make a sentence than a listener notices.

#include "services/speech/FliteVoices.h"
#include "services/speech/PackedSound.h"
#include "services/speech/SpeechEngine.h"
#include "services/speech/Utterance.h"

#include <QHash>
#include <QObject>
#include <QStringList>
#include <condition_variable>
#include <deque>
#include <future>
#include <mutex>

class EspeakSynth : public QObject {
    Q_OBJECT
public:
    // The synthesiser, started on the first call with the folder that holds
    // espeak-ng-data, without waiting for its start: texts asked for meanwhile
    // are made once it is up. An espeak-ng voice is usable only once it was
    // heard in a trial in a child process; the flite voices need none of
    // espeak-ng's data.
    static EspeakSynth& inBackground(const QString& dataParent);
    // The same once started; null when no voice can be used.
    static EspeakSynth* shared(const QString& dataParent);
    // Whether the folder holds the English speech data.
    static bool hasVoiceData(const QString& dataParent);
    static QString systemDataParent();
    // Holds the start (the trial of the voices, the first texts) until
    // releaseStart() or until anything waits for it, so that it does not
    // compete with drawing the first frame.
    static void holdStart();
    static void releaseStart();
    // The texts to make ahead, the likeliest first; a no-op without speech data.
    static void makeAhead(const QStringList& texts);
    // At the program's end: drops every text and waits, a second at most, until
    // the thread makes nothing, so that it never reads what the process's end frees.
    // False when it still makes one: the process must then end without its clean-up.
    static bool finish();

    // The catalogue; a voice the synthesiser lacks is listed but not usable.
    // Empty when no voice can be used. A flite voice is known at once; an
    // espeak-ng one waits for the start.
    QList<VoiceMode> modes() const;
    bool usable(int mode) const;

    // Queues a text; `ready` follows with the same job number unless cancelled.
    void submit(quint64 job, const QString& text, int mode, int speed);
    void cancel(quint64 job);
    // Whether every text to make ahead is made in the mode and speed last asked for.
    bool madeAhead() const;

    // The words a minute the text is made at, before it is stretched to the speed.
    static constexpr int BaseRate = 140;
    // How many times faster than at the base rate a speed of 50..200 plays.
    static double speedFactor(int speed);

signals:
    void ready(quint64 job, const Utterance& sound);

private:
    EspeakSynth() = default;
    void startThread(const QString& dataParent);
    // Lets a held start go, then waits for it.
    void waitStarted() const;
    // On the synthesis thread, once started.
    bool canSay(int mode) const;
    void run();
    // Whether a text to make ahead waits; leaves it in `text`. Under lock_.
    bool nextAhead(QString& text) const;
    Utterance synthesise(const QString& text, int mode, int speed);
    Utterance sayWithEspeak(const QString& text, int mode);
    // Whether the text being made is to be dropped.
    bool stopMaking() const;

    struct Job {
        quint64 id;
        QString text;
        int mode;
        int speed;
    };
    mutable std::mutex lock_;
    std::condition_variable wake_;
    std::deque<Job> jobs_;
    quint64 running_ = 0;
    bool cancelRunning_ = false;
    bool makingAhead_ = false;
    bool busy_ = false;
    bool finishing_ = false;
    std::condition_variable idle_;
    QStringList ahead_;
    // The texts made ahead, in the mode and speed last asked for; packed, as
    // they wait for the whole run.
    QHash<QString, PackedSound> madeAhead_;
    int aheadMode_ = 0;
    int aheadSpeed_ = 0;
    // Whether any voice can be used; espeak-ng's voices and usable_ are known once it is ready.
    std::shared_future<bool> started_;
    // Each flite voice's library is there; known before the thread starts.
    QList<bool> fliteInstalled_;
    QList<bool> usable_;
    int sampleRate_ = 22050;
    int voiceInUse_ = 0;
    FliteVoices flite_;
};
