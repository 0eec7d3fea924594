#include "startup/FrmSplash.h"

FrmSplash::FrmSplash(Services& services, Windows& windows) : Window(services, windows) {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QStringLiteral(""));
}
