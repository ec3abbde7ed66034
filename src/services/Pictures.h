#pragma once
// The picture of a word: jpg/<word>.jpg beside the program, read anew each time.

#include <QDeadlineTimer>
#include <QFuture>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

namespace Pictures {

// The folder that holds jpg/: the program's own unless another is handed over.
QString cartella();
void impostaCartella(const QString& folder);

QString percorso(const QString& word);

// A null image when the file is missing, empty, broken, not a picture, not a
// regular file, or would take more memory to decode than a picture may; the
// failure is told once per file on stderr. A larger picture is decoded at the
// size it is drawn at inside `place`, aspect kept, or, without a place, at
// most at the size of the largest place on a 4K screen.
QImage carica(const QString& word, QSize place = {});

// The same, decoded on a thread of its own, one picture at a time (two while
// the interface thread waits in attendi() or while several are asked for), a
// large one's lower half on another thread when that one is free; cancelling
// the future before its turn skips the decode.
QFuture<QImage> caricaInSottofondo(const QString& word, QSize place);

// Decodes the words' pictures for a place of this size, to be kept for a
// round that may show them, after every decode asked for, even later ones;
// only pictures small enough to be kept, so that nothing is decoded in vain.
void anticipa(const QStringList& words, QSize place);

// Waits until the decode is done or the deadline passes, never while decodes
// are held back; true when it is done.
bool attendi(const QFuture<QImage>& decode, QDeadlineTimer deadline);

// Decodes asked for from now on wait until rilascia(), so that a first frame
// drawn meanwhile has the cores to itself.
void trattieni();
void rilascia();

// True while a decode started is not done.
bool occupato();

// Waits until every decode started is done and its result delivered to the
// interface thread, the decodes those results start included (tests, pictures of screens).
void attendiTutte();

}  // namespace Pictures
