#include "app/Program.h"

#include "app/Windows.h"
#include "startup/FrmSplash.h"

#include <QApplication>

int Program::run(Services& services) {
    // Hidden windows that are still loaded keep the program running too.
    QApplication::setQuitOnLastWindowClosed(false);
    Windows windows(services);
    QObject::connect(&windows, &Windows::lastWindowUnloaded, qApp,
                     [] { QCoreApplication::exit(0); });
    windows.frmSplash().show();
    return QApplication::exec();
}
