#include "services/speech/PhonemeShape.h"

MouthShape shapeForPhoneme(const char* phoneme)
{
    if (!phoneme)
        return MouthShape::Rest;
    while (*phoneme == '\'' || *phoneme == ',' || *phoneme == '=' || *phoneme == '%')
        ++phoneme;
    switch (*phoneme) {
    case '\0': case '_': case ':': return MouthShape::Rest;
    case 'm': case 'b': case 'p': return MouthShape::Closed;
    case 'f': case 'v': return MouthShape::LipBite;
    case 'w': case 'u': case 'U': return MouthShape::Puckered;
    case 'o': case 'O': case '0': return MouthShape::Rounded;
    case 'a': case 'A': return MouthShape::Wide;
    case '@': case '3': case 'V': return MouthShape::Open;
    default: return MouthShape::Teeth;  // e, i and the consonants said with the teeth showing
    }
}
