#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Direct reads and writes of database files for the backup tests, without the program's code.
namespace LogFiles {

// Adds count rows to Log1, call signs prefix1, prefix2...
void addRows(const QString& path, int count, const QString& prefix = QStringLiteral("IK0"));
// The single number a query gives, or -1 when the file cannot be read.
int number(const QString& path, const QString& query);
// Every name in the folder, hidden ones included.
QStringList entries(const QString& folder);
QByteArray bytes(const QString& path);

} // namespace LogFiles
