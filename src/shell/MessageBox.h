#pragma once
// Message boxes of the program. A responder can answer them instead of a person
// (tests, the monkey), so no modal loop is needed there.

#include <QString>
#include <functional>

class QWidget;

enum class MsgIcon { None, Information, Question, Critical };
enum class MsgButtons { Ok, YesNo };
enum class MsgResult { Ok, Yes, No };

struct MsgRequest {
    QString text;
    QString title;
    MsgButtons buttons;
    MsgIcon icon;
};

MsgResult MsgBox(QWidget* parent, const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title);

using MsgResponder = std::function<MsgResult(const MsgRequest&)>;
// An empty responder brings the real boxes back.
void ImpostaRisponditore(MsgResponder responder);
