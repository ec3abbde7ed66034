#pragma once
// Every text the program says, the likeliest first: few enough to be made
// ahead, so that each is heard the moment it is asked for.

#include <QStringList>

QStringList testiDelProgramma();
