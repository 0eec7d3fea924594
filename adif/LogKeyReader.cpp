#include "adif/LogKeyReader.h"

#include "adif/DuplicateKeys.h"
#include "log/LogColumns.h"

#include <array>

namespace {

constexpr std::array<int, 6> kKeyFields = {LogContact::Date,      LogContact::TimeInit,
                                           LogContact::Call,      LogContact::Band,
                                           LogContact::Frequency, LogContact::Mode};

QString column(int field) {
    return QLatin1Char('[') + LogColumns::at(field).field + QLatin1Char(']');
}

} // namespace

QString LogKeyReader::select(const QString& condition) {
    QStringList columns;
    for (const int field : kKeyFields)
        columns.append(column(field));
    return QStringLiteral("SELECT %1 FROM Log1%2").arg(columns.join(QLatin1Char(',')), condition);
}

QString LogKeyReader::byDate() {
    return QStringLiteral(" WHERE %1 = ?").arg(column(LogContact::Date));
}

bool LogKeyReader::readAll() {
    SqliteStatement all;
    if (!all.prepare(m_db, select(QString())) || !readRows(all))
        return fail(all);
    m_readAll = true;
    return true;
}

bool LogKeyReader::canReadByDate() {
    SqliteStatement plan;
    if (!plan.prepare(m_db, QStringLiteral("EXPLAIN QUERY PLAN ") + select(byDate())))
        return fail(plan);
    bool indexed = false;
    while (plan.step())
        indexed = indexed || plan.text(3).contains("INDEX");
    return indexed && !plan.failed();
}

bool LogKeyReader::readDate(const QByteArray& date) {
    if (m_readAll || m_dates.contains(date))
        return true;
    if (!m_byDate.isPrepared() && !m_byDate.prepare(m_db, select(byDate())))
        return fail(m_byDate);
    m_dates.insert(date);
    if (!m_byDate.bindText(1, date) || !readRows(m_byDate))
        return fail(m_byDate);
    return true;
}

bool LogKeyReader::readRows(SqliteStatement& statement) {
    while (statement.step()) {
        for (size_t i = 0; i < kKeyFields.size(); ++i)
            m_contact[kKeyFields[i]] = statement.text(int(i));
        m_keys.insert(m_keys.keyOf(m_contact));
    }
    const bool done = !statement.failed();
    statement.reset();
    return done;
}

bool LogKeyReader::fail(const SqliteStatement& statement) {
    m_lastError = statement.errorMessage();
    return false;
}
