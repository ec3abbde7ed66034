#include "services/Fonts.h"

namespace Fonts {

void installaSostituti()
{
    QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
}

namespace {

QFont font(const QString& family, double points, bool bold)
{
    QFont result(family);
    result.setPointSizeF(points);
    result.setBold(bold);
    return result;
}

}  // namespace

QFont comic(double points, bool bold)
{
    return font(QStringLiteral("Comic Sans MS"), points, bold);
}

QFont arial(double points, bool bold)
{
    return font(QStringLiteral("Arial"), points, bold);
}

}  // namespace Fonts
