#include "platform/ProgramServices.h"
#include "platform/Windows.h"
#include "startup/FrmSplash.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The program ends when its last loaded window is unloaded, hidden ones included.
    QApplication::setQuitOnLastWindowClosed(false);

    ProgramServices services;
    Windows windows(services.services());
    QObject::connect(&windows, &Windows::lastWindowUnloaded, &app,
                     [] { QCoreApplication::exit(0); });
    windows.frmSplash().show();
    return QApplication::exec();
}
