#include "platform/Program.h"
#include "platform/ProgramServices.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ProgramServices services;
    return Program::run(services.services());
}
