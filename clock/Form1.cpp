#include "clock/Form1.h"

Form1::Form1(Services& services, Windows& windows) : Window(services, windows) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Tempora by Q0ZZZ"));
}
