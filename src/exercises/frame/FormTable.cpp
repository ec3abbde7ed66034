#include "exercises/frame/FormTable.h"

#include <QList>
#include <stdexcept>

namespace {

using Menu = EsercizioDati::Menu;

const QList<EsercizioDati>& tabella()
{
    // Form1 keeps the background's own default colours.
    static const QList<EsercizioDati> forms = {
        {"Form1", "exercise 1. listen.", false, {255, 255, 255}, {150, 190, 255}, Menu::Ascolto},
        {"Form2", "exercise 2.. click on the objet.", true, {192, 255, 255}, {128, 128, 255}, Menu::Esercizio},
        {"Form3", "exercise 3.. click on the objet.", true, {255, 255, 192}, {255, 255, 0}, Menu::Esercizio},
        {"Form4a", "exercise 4.. Listen and order.", true, {255, 224, 192}, {255, 255, 0}, Menu::Esercizio},
        {"Form4b", "exercise 5.. Listen and order.", true, {255, 255, 0}, {255, 128, 0}, Menu::Esercizio},
        {"Form4c", "exercise 6.. Listen and order.", true, {255, 224, 192}, {255, 0, 0}, Menu::Esercizio},
        {"Form5", "exercise 7.. click on the word.", true, {192, 255, 255}, {0, 0, 255}, Menu::Esercizio},
        {"Form6", "exercise 8. read the words.", true, {255, 128, 0}, {128, 64, 64}, Menu::Esercizio},
        {"Form7", "exercise 7. listen and read.", false, {0, 192, 0}, {0, 64, 0}, Menu::Ascolto},
        {"Form8", "exercise 9.. combine the words to the sketches.", true, {255, 255, 192}, {0, 64, 0}, Menu::Esercizio},
        {"Form9", "exercise 10.. click on the word.", true, {128, 128, 255}, {255, 0, 255}, Menu::Esercizio},
        {"Form10", "exercise 11.. click on the word.", true, {255, 255, 0}, {192, 0, 0}, Menu::Esercizio},
        {"Form11", "exercise 12.. Listen and order.", true, {255, 192, 192}, {255, 128, 0}, Menu::Esercizio},
        {"Form12", "exercise 13.. Listen and order.", true, {192, 255, 192}, {0, 128, 0}, Menu::Esercizio},
        {"Form13", "exercise 14.. Listen and order.", true, {192, 255, 255}, {0, 0, 255}, Menu::Esercizio},
        {"Form14", "exercise 15.. listen and answer.", true, {255, 255, 128}, {192, 192, 0}, Menu::Esercizio},
        {"Form15", "exercise 15.. listen and answer.", true, {255, 192, 255}, {192, 0, 192}, Menu::Esercizio},
        {"FormCruciPuzzle", "Play  with  me.", true, {255, 255, 128}, {0, 192, 0}, Menu::SoloIndietro},
        {"FormMemory", "Play  with  me.", false, {128, 128, 255}, {0, 0, 192}, Menu::SoloIndietro},
    };
    return forms;
}

}  // namespace

QString EsercizioDati::captionVoce() const
{
    switch (menu) {
    case Menu::Esercizio: return QStringLiteral("Voice") + QString(16, QLatin1Char(' '));
    case Menu::Ascolto: return QStringLiteral("Voice") + QString(14, QLatin1Char(' '));
    case Menu::SoloIndietro: break;
    }
    return {};
}

QString EsercizioDati::captionIndietro() const
{
    if (menu == Menu::Esercizio)
        return QStringLiteral("Go back") + QString(21, QLatin1Char(' '));
    return QStringLiteral("Go back");
}

QStringList nomiEsercizi()
{
    QStringList names;
    for (const EsercizioDati& form : tabella())
        names.append(form.nome);
    return names;
}

const EsercizioDati& datiEsercizio(const QString& nome)
{
    for (const EsercizioDati& form : tabella())
        if (form.nome == nome)
            return form;
    throw std::invalid_argument("unknown exercise form");
}
