#pragma once
// Where the settings folder lives, shared with the maker's other programs.

#include <QString>

namespace SettingsFolder {

QString cartella();
QString fileImpostazioni();
QString leggimi();

}  // namespace SettingsFolder
