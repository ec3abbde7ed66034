#pragma once
// What the exercise screens differ in that the frame shows: title, colours,
// score panel and menu captions.

#include <QColor>
#include <QString>

struct EsercizioDati {
    enum class Menu {
        Esercizio,   // "Voice" and "Go back", widened with blanks
        Ascolto,     // the listen screens' captions
        SoloIndietro // the games: "Go back" only
    };

    QString nome;
    QString titolo;
    bool punteggio;  // score panel and reset counts
    QColor color;
    QColor fincolor;
    Menu menu;

    QString captionVoce() const;
    QString captionIndietro() const;
};

#include <QStringList>

// The names of the nineteen exercise screens, in menu order.
QStringList nomiEsercizi();

// The data of an exercise screen by its form name; asking for another name is a programming error.
const EsercizioDati& datiEsercizio(const QString& nome);
