#include "shell/Modulo1.h"

#include "services/speech/SpeechEngine.h"
#include "shell/Credits.h"
#include "shell/MessageBox.h"
#include "shell/Random.h"
#include "shell/Schermi.h"
#include "shell/SettingsFile.h"
#include "shell/SettingsFolder.h"
#include "shell/SingleInstance.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <limits>
#include <memory>

namespace Modulo1 {

namespace {

std::unique_ptr<SingleInstance>& copiaUnica()
{
    static std::unique_ptr<SingleInstance> guard;
    return guard;
}

}  // namespace

bool Main()
{
    if (!copiaUnica()) {
        auto guard = std::make_unique<SingleInstance>();
        const SingleInstance::Esito esito = guard->acquisisci();
        if (esito == SingleInstance::Esito::AltraCopia) {
            MsgBox(nullptr, QStringLiteral("E' gi\u00e0 stata avviata una copia di questo programma!"), MsgButtons::Ok,
                   MsgIcon::Critical, QStringLiteral("Error"));
            return false;
        }
        if (esito == SingleInstance::Esito::ImpossibileDaCreare)
            std::fputs("quillet: cannot make the single-copy lock; starting without it\n", stderr);
        copiaUnica() = std::move(guard);
    }
    FileImpostazioni = SettingsFolder::fileImpostazioni();
    SettingsFile::rimuoviAvanzi(FileImpostazioni);
    SettingsFile::rimuoviAvanzi(SettingsFolder::leggimi());
    // A readme cut short (a full disk at an earlier start) is written again.
    if (!SettingsFile::leggimiIntero(SettingsFolder::leggimi()))
        CreaCartella();
    Random::Randomize();
    TipoLabbra = 0;
    LeggiImpostazioni();
    CaricaParole();
    Schermi::istanza().mostra(QStringLiteral("FormAvvio"));
    return true;
}

void CaricaParole()
{
    static const char* const words[] = {"head", "hair", "ears", "eyes", "nose", "mouth", "neck", "shoulders", "arm",
                                        "hands", "fingers", "legs", "knee", "foot", "feet", "toes", "tooth", "teeth"};
    for (int i = 0; i < 18; ++i)
        Parola[i + 1] = QString::fromLatin1(words[i]);
}

bool EsisteFile(const QString& path)
{
    return QFileInfo(path).isFile();
}

void LeggiImpostazioni()
{
    Voce = VoceIniziale;
    Velocita = VelocitaIniziale;
    if (!EsisteFile(FileImpostazioni))
        return;
    const auto pair = SettingsFile::leggi(FileImpostazioni);
    if (!pair)
        return;
    const int modes = int(SpeechEngine::instance().modes().size());
    Voce = pair->voce >= 1 && pair->voce <= modes ? qint16(pair->voce) : VoceIniziale;
    Velocita = qint16(std::clamp<int>(pair->velocita, VelocitaMinima, VelocitaMassima));
}

bool SalvaImpostazioni()
{
    QDir().mkpath(QFileInfo(FileImpostazioni).absolutePath());
    return SettingsFile::scriviAtomico(FileImpostazioni, SettingsFile::formatta(Voce, Velocita));
}

void CreaCartella()
{
    // The folder may already be there without its readme: then only the readme is written.
    QDir().mkpath(SettingsFolder::cartella());
    SettingsFile::scriviAtomico(SettingsFolder::leggimi(), SettingsFile::leggimi());
}

void MostraCrediti()
{
    MsgBox(nullptr, Credits::testo(), MsgButtons::Ok, MsgIcon::Information, QStringLiteral("Quillet"));
}

qint16 Incrementa(qint16 count)
{
    return count < std::numeric_limits<qint16>::max() ? qint16(count + 1) : count;
}

QString Str(int value)
{
    return value < 0 ? QString::number(value) : QLatin1Char(' ') + QString::number(value);
}

void RilasciaCopiaUnica()
{
    copiaUnica().reset();
}

}  // namespace Modulo1
