#include "startup/FrmTip.h"

FrmTip::FrmTip(Services& services, Windows& windows) : Window(services, windows) {
    setObjectName(QStringLiteral("frmTip"));
    setWindowTitle(QStringLiteral("Tempora - Informazioni"));
}
