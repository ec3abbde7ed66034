#include "services/speech/VoiceCatalogue.h"

const QList<CatalogueVoice>& voiceCatalogue()
{
    // Clearest first, as an offline recogniser hears the program's words and
    // sentences (the clarity figures of the benchmark): the first is the
    // default. Modes are kept in the settings by number: a new voice goes at
    // the end. slt runs "got two" together into "got your" or "got their"
    // unless both stops are said with a break between; the other voices are
    // heard a little worse with it (the same figures).
    static const QList<CatalogueVoice> catalogue = {
        {"cmu_us_slt", "", {QStringLiteral("Inglese americano - donna, voce naturale"), 1}, Synthesiser::Flite, 80},
        {"cmu_us_rms", "", {QStringLiteral("Inglese americano - uomo, voce naturale"), 2}, Synthesiser::Flite},
        {"cmu_us_kal16", "", {QStringLiteral("Inglese americano - uomo, voce robotica"), 2}, Synthesiser::Flite},
        {"en-us", "f2", {QStringLiteral("Inglese americano - donna"), 1}},
        {"en-gb-x-rp", "", {QStringLiteral("Inglese britannico - uomo"), 2}},
        {"en-us", "", {QStringLiteral("Inglese americano - uomo"), 2}},
        {"en-gb-x-rp", "f2", {QStringLiteral("Inglese britannico - donna"), 1}},
        {"cmu_us_awb", "", {QStringLiteral("Inglese scozzese - uomo, voce naturale"), 2}, Synthesiser::Flite},
        {"en-us", "m2", {QStringLiteral("Inglese americano - uomo, voce calda"), 2}},
        {"en", "m3", {QStringLiteral("Inglese britannico - uomo, voce profonda"), 2}},
        {"en", "f3", {QStringLiteral("Inglese britannico - donna, voce chiara"), 1}},
        {"en-us", "f4", {QStringLiteral("Inglese americano - donna, voce dolce"), 1}},
        {"en-us", "Annie", {QStringLiteral("Inglese americano - ragazza"), 1}},
        {"en-gb-scotland", "", {QStringLiteral("Inglese scozzese - uomo"), 2}},
    };
    return catalogue;
}
