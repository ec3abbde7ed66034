#include "services/speech/VoiceCatalogue.h"

const QList<CatalogueVoice>& voiceCatalogue()
{
    // Modes are kept in the settings by number: a new voice goes at the end.
    // The first is the default: an even, clear southern British voice suits a
    // child learning the English taught at school.
    static const QList<CatalogueVoice> catalogue = {
        {"en-gb-x-rp", "f2", {QStringLiteral("Inglese britannico - donna"), 1}},
        {"en-gb-x-rp", "", {QStringLiteral("Inglese britannico - uomo"), 2}},
        {"en-us", "f2", {QStringLiteral("Inglese americano - donna"), 1}},
        {"en-us", "", {QStringLiteral("Inglese americano - uomo"), 2}},
        {"en", "f3", {QStringLiteral("Inglese britannico - donna, voce chiara"), 1}},
        {"en", "m3", {QStringLiteral("Inglese britannico - uomo, voce profonda"), 2}},
        {"en-us", "f4", {QStringLiteral("Inglese americano - donna, voce dolce"), 1}},
        {"en-us", "m2", {QStringLiteral("Inglese americano - uomo, voce calda"), 2}},
        {"en-gb-scotland", "", {QStringLiteral("Inglese scozzese - uomo"), 2}},
        {"en-us", "Annie", {QStringLiteral("Inglese americano - ragazza"), 1}},
        {"cmu_us_slt", "", {QStringLiteral("Inglese americano - donna, voce naturale"), 1}, Synthesiser::Flite},
        {"cmu_us_rms", "", {QStringLiteral("Inglese americano - uomo, voce naturale"), 2}, Synthesiser::Flite},
        {"cmu_us_awb", "", {QStringLiteral("Inglese scozzese - uomo, voce naturale"), 2}, Synthesiser::Flite},
        {"cmu_us_kal16", "", {QStringLiteral("Inglese americano - uomo, voce robotica"), 2}, Synthesiser::Flite},
    };
    return catalogue;
}
