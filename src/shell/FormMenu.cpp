#include "shell/FormMenu.h"

#include "services/Artwork.h"
#include "services/Fonts.h"
#include "services/controls/CommandButton.h"
#include "services/speech/SpeechControl.h"
#include "shell/ImpostaVoce.h"
#include "shell/MessageBox.h"
#include "shell/Modulo1.h"
#include "shell/Schermi.h"

#include <QApplication>
#include <QTimer>
#include <utility>

namespace {

struct MenuButton {
    const char* name;
    const char* caption;
    int column;  // 1..4
    int row;     // 1..6
    const char* opens;  // the exercise's form, or null for the special buttons
};

// In the form's control order: Command9 comes after Command6 and lies above it.
constexpr MenuButton Buttons[] = {
    {"Command2", "1 - listen", 1, 1, "Form1"},
    {"Command3", "2 - What is it?", 1, 2, "Form2"},
    {"Command4", "3 - What is it?", 1, 3, "Form3"},
    {"Command5", "4 - listen and order", 1, 4, "Form4a"},
    {"Command15", "5 - listen and order", 1, 5, "Form4b"},
    {"Command16", "6 - listen and order", 1, 6, "Form4c"},
    {"Command21", "7 - listen and read", 2, 1, "Form7"},
    {"Command7", "8 - read the words", 2, 2, "Form6"},
    {"Command6", "9 - read the words", 2, 3, "Form8"},
    {"Command9", "9 - read the words", 2, 3, "Form8"},
    {"Command8", "10 - read the words", 2, 4, "Form9"},
    {"Command11", "11 - read the words", 2, 5, "Form10"},
    {"Command17", "12 - listen and order", 2, 6, "Form11"},
    {"Command18", "13 - listen and order", 3, 1, "Form12"},
    {"Command19", "14 - listen and order", 3, 2, "Form13"},
    {"Command12", "15 - listen and answer", 3, 3, "Form14"},
    {"Command10", "16 - listen and answer", 3, 4, "Form15"},
    {"Command13", "Crucipuzzle", 3, 5, "FormCruciPuzzle"},
    {"Command20", "Memory ", 3, 6, "FormMemory"},
    {"Command1", "Voice", 4, 4, nullptr},
    {"Command14", "?", 4, 5, nullptr},
    {"BottoneEsci", "Exit", 4, 6, nullptr},
};

constexpr int ColumnLefts[] = {480, 2400, 4320, 6240};
constexpr int RowTops[] = {240, 1320, 2400, 3480, 4560, 5640};

// How often the menu looks whether "bye!" has been heard, and how long it may
// take at the most (a synthesiser that never answers) before the program ends.
constexpr int ByeLookMs = 20;
constexpr int ByeMs = 2000;

}  // namespace

FormMenu::FormMenu()
    : DesignForm(QStringLiteral("FormMenu"), QSize(8520, 6870))
{
}

void FormMenu::buildControls()
{
    setBackground(QColor(255, 255, 0), QColor(255, 0, 0));
    const QCursor hand = Artwork::pointer(Artwork::Pointer::Hand);
    for (const MenuButton& entry : Buttons) {
        const QString name = QString::fromLatin1(entry.name);
        const QString caption = QString::fromLatin1(entry.caption);
        auto* button = place(new CommandButton(caption), name,
                             {ColumnLefts[entry.column - 1], RowTops[entry.row - 1], 1800, 975});
        const bool bold = caption == QLatin1String("Crucipuzzle") || caption == QLatin1String("Memory ")
            || caption == QLatin1String("Exit");
        button->setFont(Fonts::arial(14.25, bold));
        if (name != QLatin1String("Command9"))
            button->setFaceColor(QColor(255, 128, 0));
        button->setCursor(hand);
        if (entry.opens) {
            const QString form = QString::fromLatin1(entry.opens);
            connect(button, &CommandButton::clicked, this, [this, form] { apriEsercizio(form); });
        }
    }
    auto* exitButton = findChild<CommandButton*>(QStringLiteral("BottoneEsci"));
    exitButton->setPictureName(QStringLiteral("exit"));
    connect(exitButton, &CommandButton::clicked, this, &FormMenu::BottoneEsci_Click);
    connect(findChild<CommandButton*>(QStringLiteral("Command1")), &CommandButton::clicked, this, &FormMenu::Command1_Click);
    connect(findChild<CommandButton*>(QStringLiteral("Command14")), &CommandButton::clicked, this,
            [] { Modulo1::MostraCrediti(); });

    Bocca = place(new SpeechControl, QStringLiteral("Bocca"), {6600, 600, 1320, 1320});
}

void FormMenu::Form_Load()
{
    ImpostaVoce(*Bocca);
}

void FormMenu::Form_Activate()
{
    DesignForm::Form_Activate();
    // Once, while the child looks at the menu: after its frame, before any exercise.
    static bool prepared = false;
    if (!std::exchange(prepared, true))
        QTimer::singleShot(0, this, [] { DesignForm::preparaBarraMenu(); });
}

void FormMenu::apriEsercizio(const QString& form)
{
    // Screens not built yet leave the menu as it is.
    if (!Schermi::istanza().registrato(form))
        return;
    Schermi::istanza().mostraAlPosto(form, this);
}

void FormMenu::Command1_Click()
{
    Bocca->Speak(QStringLiteral("Voice"));
    if (Schermi::istanza().registrato(QStringLiteral("FormImposta")))
        Schermi::istanza().mostraSopra(QStringLiteral("FormImposta"), this);
}

void FormMenu::BottoneEsci_Click()
{
    Bocca->Speak(QStringLiteral("Exit?"));
    if (MsgBox(this, QStringLiteral("exit?"), MsgButtons::YesNo, MsgIcon::Question, QStringLiteral("Quillet"))
        != MsgResult::Yes)
        return;
    // A copy started while "bye!" is said must not be refused.
    Modulo1::RilasciaCopiaUnica();
    Bocca->StopSpeaking();
    Bocca->Speak(QStringLiteral("bye!"));
    for (QWidget* window : QApplication::topLevelWidgets())
        window->hide();

    // End when "bye!" has been heard, or after a short while at the most.
    auto* waited = new QTimer(this);
    waited->setInterval(ByeLookMs);
    auto* deadline = new QTimer(this);
    deadline->setSingleShot(true);
    const auto end = [this, waited, deadline] {
        waited->stop();
        deadline->stop();
        Schermi::istanza().termina();
    };
    connect(waited, &QTimer::timeout, this, [this, end] {
        if (!Bocca || !Bocca->isSpeaking())
            end();
    });
    connect(deadline, &QTimer::timeout, this, end);
    waited->start();
    deadline->start(ByeMs);
}
