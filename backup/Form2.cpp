#include "backup/Form2.h"

Form2::Form2(Services& services, Windows& windows) : Window(services, windows) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Copy Log"));
}
