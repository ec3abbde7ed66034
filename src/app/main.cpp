#include "app/Programma.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    return eseguiProgramma(app);
}
