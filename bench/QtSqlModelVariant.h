#pragma once

#include "LogVariants.h"

// What a Qt logger writes first: a QSqlTableModel on Log1 sorted by date, in a QTableView.
std::unique_ptr<LogVariant> makeQtSqlModelVariant(const QString& file, const LogProbe& probe);
