#include "app/TestiDelProgramma.h"

#include "exercises/choice/Frasi.h"
#include "exercises/frame/FormTable.h"
#include "shell/Modulo1.h"

QStringList testiDelProgramma()
{
    // What the welcome screen, the menu, the voice dialog and the exercise frame say.
    QStringList texts = {QStringLiteral("welcome. unit 8. Quillet"), QStringLiteral("Voice"),
                         QStringLiteral("click here"), QStringLiteral("welcome "), QStringLiteral("No! repeat!"),
                         QStringLiteral("go back?"), QStringLiteral("VOICE"), QStringLiteral("Exit?"),
                         QStringLiteral("bye!")};
    for (const QString& nome : nomiEsercizi())
        texts << datiEsercizio(nome).titolo;
    for (std::size_t i = 1; i < Modulo1::Parola.size(); ++i)
        texts << Modulo1::Parola[i];
    // The ordering exercises say each word as a sentence of its own.
    for (std::size_t i = 1; i < Modulo1::Parola.size(); ++i)
        texts << Modulo1::Parola[i] + QLatin1Char('.');
    const QList<Frasi::Frase> frasi = Frasi::tabella();
    for (int n = 1; n <= Frasi::Numero; ++n)
        texts << frasi.at(n).domanda << frasi.at(n).risposta;
    texts.removeDuplicates();
    texts.removeAll(QString());
    return texts;
}
