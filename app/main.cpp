#include "app/Program.h"
#include "app/ProgramServices.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ProgramServices services;
    return Program::run(services.services());
}
