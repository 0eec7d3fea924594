#include "LogVariants.h"

#include "LogWindowVariant.h"
#include "QtSqlModelVariant.h"
#include "SqliteFloorVariant.h"

QStringList logVariantNames() {
    return {QStringLiteral("tempora"), QStringLiteral("qt-sql-model"),
            QStringLiteral("sqlite-c-api")};
}

std::unique_ptr<LogVariant> makeLogVariant(const QString& name, const QString& file,
                                           const LogProbe& probe) {
    if (name == QLatin1String("tempora"))
        return makeLogWindowVariant(file, probe);
    if (name == QLatin1String("qt-sql-model"))
        return makeQtSqlModelVariant(file, probe);
    if (name == QLatin1String("sqlite-c-api"))
        return makeSqliteFloorVariant(file, probe);
    return nullptr;
}
