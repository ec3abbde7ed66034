#include "services/speech/PhonemeShape.h"

#include <cstring>

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

namespace {

struct FlitePhone {
    const char* name;
    MouthShape shape;
};

// A plain table: the synthesis thread may still read it while the process
// ends and its statics are destroyed.
constexpr FlitePhone FlitePhones[] = {
    {"pau", MouthShape::Rest},
    {"m", MouthShape::Closed}, {"b", MouthShape::Closed}, {"p", MouthShape::Closed},
    {"f", MouthShape::LipBite}, {"v", MouthShape::LipBite},
    {"uw", MouthShape::Puckered}, {"uh", MouthShape::Puckered}, {"w", MouthShape::Puckered},
    {"ow", MouthShape::Rounded}, {"ao", MouthShape::Rounded}, {"oy", MouthShape::Rounded},
    {"aa", MouthShape::Wide}, {"aw", MouthShape::Wide}, {"ay", MouthShape::Wide},
    {"ae", MouthShape::Open}, {"ah", MouthShape::Open}, {"er", MouthShape::Open},
    // e, i and the consonants said with the teeth showing
    {"eh", MouthShape::Teeth}, {"ey", MouthShape::Teeth}, {"ih", MouthShape::Teeth}, {"iy", MouthShape::Teeth},
    {"ch", MouthShape::Teeth}, {"d", MouthShape::Teeth}, {"dh", MouthShape::Teeth}, {"g", MouthShape::Teeth},
    {"hh", MouthShape::Teeth}, {"jh", MouthShape::Teeth}, {"k", MouthShape::Teeth}, {"l", MouthShape::Teeth},
    {"n", MouthShape::Teeth}, {"ng", MouthShape::Teeth}, {"r", MouthShape::Teeth}, {"s", MouthShape::Teeth},
    {"sh", MouthShape::Teeth}, {"t", MouthShape::Teeth}, {"th", MouthShape::Teeth}, {"y", MouthShape::Teeth},
    {"z", MouthShape::Teeth}, {"zh", MouthShape::Teeth},
};

}  // namespace

MouthShape shapeForFlitePhone(const char* phone)
{
    if (!phone)
        return MouthShape::Rest;
    for (const FlitePhone& known : FlitePhones)
        if (std::strcmp(known.name, phone) == 0)
            return known.shape;
    // A name outside the set is not a sound the lips should take a shape for.
    return MouthShape::Rest;
}
