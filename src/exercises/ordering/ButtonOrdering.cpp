#include "exercises/ordering/ButtonOrdering.h"

#include "services/Fonts.h"
#include "services/controls/CommandButton.h"
#include "services/controls/TextLabel.h"

struct ButtonOrdering::Design {
    const char* name;
    int n;
    QSize client;
    bool column;             // buttons and boxes one under the other, else side by side
    QPoint firstButton;      // place 0 of the buttons
    QSize buttonSize;
    QPoint firstAnswer;      // answer box 0
    QRect bocca;
    QPoint panel;
    QPoint command1;
    QColor face;
};

std::unique_ptr<ButtonOrdering> ButtonOrdering::crea(const Design& design)
{
    Layout layout{design.n, design.buttonSize, {}, QSize(1695, 735), {}, {}, {}};
    for (int k = 0; k < design.n; ++k) {
        // Places follow one another 1800 twips apart along a row, 840 down a column.
        const QPoint step = design.column ? QPoint(0, 840 * k) : QPoint(1800 * k, 0);
        layout.places.push_back(design.firstButton + step);
        layout.answers.push_back(design.firstAnswer + step);
        layout.designPlace.push_back(k);
    }
    const FrameLayout frame{design.client, design.bocca, design.panel, QRect(design.command1, QSize(1935, 1095)),
                            design.face};
    return std::unique_ptr<ButtonOrdering>(new ButtonOrdering(QString::fromLatin1(design.name), frame, layout));
}

std::unique_ptr<ButtonOrdering> ButtonOrdering::Form11()
{
    return crea({"Form11", 3, {7305, 5115}, false, {120, 2040}, {1695, 855}, {120, 360}, {5760, 480, 1320, 1200},
                 {240, 3600}, {5040, 3600}, {255, 128, 0}});
}

std::unique_ptr<ButtonOrdering> ButtonOrdering::Form12()
{
    return crea({"Form12", 4, {8610, 4845}, true, {240, 360}, {1695, 735}, {3000, 360}, {6000, 1800, 1320, 1200},
                 {5280, 360}, {5640, 3480}, {0, 192, 0}});
}

std::unique_ptr<ButtonOrdering> ButtonOrdering::Form13()
{
    return crea({"Form13", 6, {9210, 5610}, true, {240, 360}, {1695, 735}, {3720, 360}, {6600, 1920, 1320, 1200},
                 {5880, 360}, {6600, 4200}, {0, 0, 255}});
}

QWidget* ButtonOrdering::creaElemento(int k, const QRect& twips)
{
    if (k == 0)
        Command2.clear();
    auto* button = place(new CommandButton(QStringLiteral("Command2")), QStringLiteral("Command2(%1)").arg(k), twips);
    button->setFont(Fonts::arial(14.25));
    connect(button, &CommandButton::clicked, this, [this, k] { elementoCliccato(k); });
    Command2.append(button);
    return button;
}

void ButtonOrdering::creaRisposta(int k, const QRect& twips)
{
    if (k == 0)
        Label3.clear();
    auto* answer = place(new TextLabel(QStringLiteral("Label3")), QStringLiteral("Label3(%1)").arg(k), twips);
    answer->setFont(Fonts::arial(14.25));
    answer->setBackColor(Qt::white);
    answer->setBorder(true);
    answer->setAlignment(Qt::AlignCenter);
    answer->setAccessibleName(QStringLiteral("answer %1").arg(k + 1));
    Label3.append(answer);
}

void ButtonOrdering::mostraParola(int k, const QString& word)
{
    Command2[k]->setText(word);
}

void ButtonOrdering::copiaRisposta(int k)
{
    Label3[k]->setCaption(Command2[k]->text());
}

void ButtonOrdering::svuotaRisposte()
{
    for (TextLabel* answer : Label3)
        answer->setCaption(QString());
}
