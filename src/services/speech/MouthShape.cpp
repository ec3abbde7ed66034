#include "services/speech/MouthShape.h"

#include <QChar>

MouthShape shapeForLetter(QChar letter)
{
    switch (letter.toLower().unicode()) {
    case 'm': case 'b': case 'p': return MouthShape::Closed;
    case 'f': case 'v': return MouthShape::LipBite;
    case 'a': return MouthShape::Wide;
    case 'e': case 'i': case 'y': return MouthShape::Open;
    case 'o': return MouthShape::Rounded;
    case 'u': case 'w': case 'q': return MouthShape::Puckered;
    case ' ': case '.': case ',': case '!': case '?': return MouthShape::Rest;
    default: return MouthShape::Teeth;
    }
}
