// Tovarin: a mock examination for questions 51 to 64 of the written examination for the
// Japanese first-class small-vessel operator licence.

#include "app/Program.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    return tovarin::runProgram();
}
