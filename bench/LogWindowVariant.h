#pragma once

#include "LogVariants.h"

// The program's own log window, shown offscreen on the log, driven through its buttons.
std::unique_ptr<LogVariant> makeLogWindowVariant(const QString& file, const LogProbe& probe);
