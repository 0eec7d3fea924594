#pragma once

#include "LogVariants.h"

// The floor: SQLite's C API stepping the same statements, with nothing shown.
std::unique_ptr<LogVariant> makeSqliteFloorVariant(const QString& file, const LogProbe& probe);
