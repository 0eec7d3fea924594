#include "platform/ExitingErrorPath.h"

#include "platform/Dialogs.h"

#include <QCoreApplication>

void ExitingErrorPath::fail(const QString& description) {
    m_dialogs.message(description, Dialogs::Icon::Critical);
    QCoreApplication::exit(1);
}
