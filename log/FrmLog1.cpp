#include "log/FrmLog1.h"

FrmLog1::FrmLog1(Services& services, Windows& windows) : Window(services, windows) {
    setObjectName(QStringLiteral("frmLog1"));
    setWindowTitle(QStringLiteral("Log1"));
}
