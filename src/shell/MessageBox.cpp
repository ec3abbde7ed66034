#include "shell/MessageBox.h"

#include <QMessageBox>

namespace {

MsgResponder& risponditore()
{
    static MsgResponder responder;
    return responder;
}

QMessageBox::Icon qtIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::Critical: return QMessageBox::Critical;
    case MsgIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

MsgResult MsgBox(QWidget* parent, const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title)
{
    if (risponditore())
        return risponditore()(MsgRequest{text, title, buttons, icon});

    QMessageBox box(qtIcon(icon), title, text,
                    buttons == MsgButtons::YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, parent);
    QFont font = box.font();
    font.setPointSizeF(font.pointSizeF() * 1.5);
    box.setFont(font);
    const int answer = box.exec();
    if (buttons == MsgButtons::Ok)
        return MsgResult::Ok;
    return answer == QMessageBox::Yes ? MsgResult::Yes : MsgResult::No;
}

void ImpostaRisponditore(MsgResponder responder)
{
    risponditore() = std::move(responder);
}
