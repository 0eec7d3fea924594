#pragma once

#include "LogOperations.h"

#include <QStringList>
#include <memory>

// One way of showing and editing the log, measured by the log benchmark.
class LogVariant {
public:
    virtual ~LogVariant() = default;
    virtual LogOperations operations() = 0;
};

// The program's own log window first, then the plain Qt model, then the floor.
QStringList logVariantNames();
std::unique_ptr<LogVariant> makeLogVariant(const QString& name, const QString& file,
                                           const LogProbe& probe);
