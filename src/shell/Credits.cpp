#include "shell/Credits.h"

namespace Credits {

QString testo()
{
    return Autore + QStringLiteral("  \r\n ----------------------- \r\n") + SitoWeb
        + QStringLiteral("\r\nmail: ") + Posta;
}

}  // namespace Credits
