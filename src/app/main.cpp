#include "app/Allocatore.h"
#include "app/Programma.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    impostaAllocatore();
    QApplication app(argc, argv);
    return eseguiProgramma(app);
}
