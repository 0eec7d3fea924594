#include "log/LogDamage.h"

#include <sqlite3.h>

bool LogDamage::isDamage(int resultCode) {
    return (resultCode & 0xff) == SQLITE_CORRUPT || (resultCode & 0xff) == SQLITE_NOTADB;
}

QString LogDamage::whatToDo() {
    return QStringLiteral("Close Tempora, keep the damaged file aside and put your latest backup "
                          "of the log in its place.");
}

QString LogDamage::notice(const QString& file, const QString& problem) {
    return QStringLiteral("The log %1 is damaged (%2).\nTempora no longer writes to it, so that "
                          "nothing more is lost: changes you make now cannot be saved.\n%3")
        .arg(file, problem, whatToDo());
}
