#include "log/KeyFetcher.h"

#include "log/RecordSource.h"

#include <QStringList>

namespace {

bool namesRowid(const QString& term) {
    for (const char* alias : {"rowid", "oid", "_rowid_"}) {
        if (term.compare(QLatin1String(alias), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace

void KeyFetcher::prepare(sqlite3* db, const RecordSource& source) {
    m_db = db;
    m_parameters = source.parameters;
    for (SqliteStatement& statement : m_statements)
        statement = SqliteStatement();
    m_keyedByRowid = source.orderTerm.isEmpty() || namesRowid(source.orderTerm);
    const QString key = m_keyedByRowid ? QStringLiteral("rowid") : source.orderTerm;
    const QString table = source.table;
    const QString condition = source.condition;

    // The condition comes first in every text, so its `?` parameters keep the numbers 1..n.
    const auto where = [&condition](const QString& extra) {
        QStringList terms;
        if (!condition.isEmpty())
            terms << QLatin1Char('(') + condition + QLatin1Char(')');
        if (!extra.isEmpty())
            terms << extra;
        return terms.isEmpty() ? QString()
                               : QStringLiteral(" WHERE ") + terms.join(QStringLiteral(" AND "));
    };
    const QString select = QStringLiteral("SELECT rowid FROM %1").arg(table);
    const QString ascending = m_keyedByRowid
                                  ? QStringLiteral(" ORDER BY rowid LIMIT :limit")
                                  : QStringLiteral(" ORDER BY %1, rowid LIMIT :limit").arg(key);
    const QString descending =
        m_keyedByRowid ? QStringLiteral(" ORDER BY rowid DESC LIMIT :limit")
                       : QStringLiteral(" ORDER BY %1 DESC, rowid DESC LIMIT :limit").arg(key);
    const QString byRowid = QStringLiteral(" ORDER BY rowid LIMIT :limit");
    const QString byRowidDescending = QStringLiteral(" ORDER BY rowid DESC LIMIT :limit");

    m_texts[FromStart] = select + where(QString()) + ascending;
    m_texts[FromEnd] = select + where(QString()) + descending;
    if (m_keyedByRowid) {
        m_texts[AfterKey] = select + where(QStringLiteral("rowid > :rowid")) + ascending;
        m_texts[BeforeKey] = select + where(QStringLiteral("rowid < :rowid")) + descending;
    } else {
        m_texts[AfterKey] =
            select + where(QStringLiteral("(%1, rowid) > (:key, :rowid)").arg(key)) + ascending;
        m_texts[AfterNullKey] =
            select + where(QStringLiteral("%1 IS NULL AND rowid > :rowid").arg(key)) + byRowid;
        m_texts[FromFirstKey] =
            select + where(QStringLiteral("%1 IS NOT NULL").arg(key)) + ascending;
        m_texts[BeforeKey] =
            select + where(QStringLiteral("(%1, rowid) < (:key, :rowid)").arg(key)) + descending;
        m_texts[BeforeNullKey] = select +
                                 where(QStringLiteral("%1 IS NULL AND rowid < :rowid").arg(key)) +
                                 byRowidDescending;
        m_texts[FromLastNull] =
            select + where(QStringLiteral("%1 IS NULL").arg(key)) + byRowidDescending;
    }
    m_texts[Count] = QStringLiteral("SELECT count(*) FROM %1").arg(table) + where(QString());
    m_texts[All] = QStringLiteral("SELECT rowid FROM %1").arg(table) + where(QString());
    m_texts[KeyOfRow] = QStringLiteral("SELECT %1 FROM %2 WHERE rowid = :rowid").arg(key, table);
    m_texts[Ordered] = select + where(QString()) +
                       (m_keyedByRowid ? QStringLiteral(" ORDER BY rowid")
                                       : QStringLiteral(" ORDER BY %1, rowid").arg(key));
}

void KeyFetcher::startBackground(std::function<void()> ready, BackgroundReads* ownReads) {
    m_backgroundCount.start(m_db, m_texts[Count], m_parameters, m_texts[Ordered], std::move(ready),
                            ownReads);
}

bool KeyFetcher::backgroundRowids(std::vector<qint64>& rowids) {
    std::optional<std::vector<qint64>> read = m_backgroundCount.takeRowids();
    if (!read)
        return false;
    rowids = std::move(*read);
    return true;
}

SqliteStatement* KeyFetcher::statement(Query query) {
    SqliteStatement& statement = m_statements[query];
    if (!statement.isPrepared() && !statement.prepare(m_db, m_texts[query], true)) {
        fail(statement);
        return nullptr;
    }
    statement.reset();
    for (int i = 0; query != KeyOfRow && i < m_parameters.size(); ++i) {
        if (!statement.bind(i + 1, m_parameters.at(i))) {
            fail(statement);
            return nullptr;
        }
    }
    return &statement;
}

bool KeyFetcher::run(Query query, const std::optional<RowKey>& from, int limit, Step& step) {
    SqliteStatement* statement = this->statement(query);
    if (!statement)
        return false;
    const bool bindsKey = from && !m_keyedByRowid && (query == AfterKey || query == BeforeKey);
    if (!statement->bind(":limit", limit) || (from && !statement->bind(":rowid", from->rowid)) ||
        (bindsKey && !statement->bind(":key", from->key)))
        return fail(*statement);
    const size_t before = step.rowids.size();
    while (statement->step())
        step.rowids.push_back(statement->integer(0));
    if (statement->failed())
        return fail(*statement);
    statement->reset();
    const int rows = int(step.rowids.size() - before);
    step.reachedEnd = rows < limit;
    // Only the last row's order value is needed, to go on from it: read it alone rather than
    // converting the value of every row.
    if (rows > 0) {
        const qint64 last = step.rowids.back();
        if (m_keyedByRowid)
            step.last = RowKey{QVariant(), last};
        else if (!keyOf(last, step.last))
            return false;
    }
    return true;
}

bool KeyFetcher::keyOf(qint64 rowid, std::optional<RowKey>& key) {
    SqliteStatement* statement = this->statement(KeyOfRow);
    if (!statement)
        return false;
    if (!statement->bind(":rowid", rowid))
        return fail(*statement);
    const bool found = statement->step();
    if (statement->failed())
        return fail(*statement);
    key = RowKey{found ? statement->value(0) : QVariant(), rowid};
    statement->reset();
    return true;
}

bool KeyFetcher::forward(const std::optional<RowKey>& after, int limit, Step& step) {
    step = Step();
    if (!after)
        return run(FromStart, after, limit, step);
    if (m_keyedByRowid || !after->key.isNull())
        return run(AfterKey, after, limit, step);
    // Past the rows without a value come those with one.
    return run(AfterNullKey, after, limit, step) && continueWith(FromFirstKey, limit, step);
}

bool KeyFetcher::backward(const std::optional<RowKey>& before, int limit, Step& step) {
    step = Step();
    if (!before)
        return run(FromEnd, before, limit, step);
    if (m_keyedByRowid)
        return run(BeforeKey, before, limit, step);
    if (before->key.isNull())
        return run(BeforeNullKey, before, limit, step);
    // Comparing with a row value leaves out the rows without a value: they come before all.
    return run(BeforeKey, before, limit, step) && continueWith(FromLastNull, limit, step);
}

bool KeyFetcher::continueWith(Query query, int limit, Step& step) {
    if (!step.reachedEnd)
        return true;
    Step rest;
    if (!run(query, std::nullopt, limit - int(step.rowids.size()), rest))
        return false;
    step.rowids.insert(step.rowids.end(), rest.rowids.begin(), rest.rowids.end());
    if (rest.last)
        step.last = rest.last;
    step.reachedEnd = rest.reachedEnd;
    return true;
}

bool KeyFetcher::count(qint64& rows) {
    if (const std::optional<qint64> counted = m_backgroundCount.take()) {
        rows = *counted;
        return true;
    }
    SqliteStatement* statement = this->statement(Count);
    if (!statement)
        return false;
    if (!statement->step())
        return fail(*statement);
    rows = statement->integer(0);
    statement->reset();
    return true;
}

bool KeyFetcher::all(std::vector<qint64>& rowids) {
    SqliteStatement* statement = this->statement(All);
    if (!statement)
        return false;
    rowids.clear();
    while (statement->step())
        rowids.push_back(statement->integer(0));
    if (statement->failed())
        return fail(*statement);
    statement->reset();
    return true;
}

bool KeyFetcher::fail(const SqliteStatement& statement) {
    m_lastError = statement.errorMessage();
    m_lastErrorNumber = statement.errorCode();
    return false;
}
