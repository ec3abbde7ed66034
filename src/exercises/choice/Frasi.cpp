#include "exercises/choice/Frasi.h"

namespace Frasi {

namespace {

struct Soggetto {
    const char* domanda;  // the verb and subject of the question
    const char* risposta; // the start of the answer
};

constexpr Soggetto Soggetti[] = {
    {"have you got?", "I've got "},
    {"has he got?", "He's got "},
    {"has she got?", "She's got "},
};

struct Parte {
    const char* plurale;
    const char* numero;
    const char* singolare;
};

constexpr Parte Parti[] = {
    {"heads", "one", "head"},       {"ears", "two", nullptr},      {"eyes", "two", nullptr},
    {"noses", "one", "nose"},       {"mouths", "one", "mouth"},    {"necks", "one", "neck"},
    {"shoulders", "two", nullptr},  {"arms", "two", nullptr},      {"hands", "two", nullptr},
    {"fingers", "ten", nullptr},    {"legs", "two", nullptr},      {"knees", "two", nullptr},
    {"feet", "two", nullptr},       {"toes", "ten", nullptr},
};

}  // namespace

QList<Frase> tabella()
{
    QList<Frase> items;
    items.reserve(Numero + 1);
    items.append(Frase{});
    for (const Soggetto& soggetto : Soggetti) {
        for (const Parte& parte : Parti) {
            // One of a part takes the singular, more the plural.
            const QString noun = QString::fromLatin1(parte.singolare ? parte.singolare : parte.plurale);
            items.append(Frase{
                QStringLiteral("How many ") + QString::fromLatin1(parte.plurale) + QLatin1Char(' ')
                    + QString::fromLatin1(soggetto.domanda),
                QString::fromLatin1(soggetto.risposta) + QString::fromLatin1(parte.numero) + QLatin1Char(' ') + noun
                    + QLatin1Char('.'),
            });
        }
    }
    return items;
}

}  // namespace Frasi
