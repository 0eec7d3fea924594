#pragma once

#include "log/BackgroundCount.h"
#include "log/SqliteStatement.h"

#include <QString>
#include <QVariant>
#include <QVariantList>

#include <array>
#include <functional>
#include <optional>
#include <vector>

struct RecordSource;
struct sqlite3;

// A row's place in a record set's order: the value of its order column and its rowid, which
// breaks ties. Without an order column the rowid alone orders the rows.
struct RowKey {
    QVariant key;
    qint64 rowid = 0;
};

// Rowids of a record source in its order, read in short steps from either end: each step is one
// statement that walks an index from a known row (keyset paging), so a step costs the same near
// the end of a large log as near its start, and no statement stays open between steps. Rows with
// no value in the order column come first, as SQLite orders them.
class KeyFetcher {
public:
    struct Step {
        std::vector<qint64> rowids;
        std::optional<RowKey> last;
        bool reachedEnd = false;
    };

    void prepare(sqlite3* db, const RecordSource& source);

    // Up to limit rows after `after` (from the first row when empty), in order.
    bool forward(const std::optional<RowKey>& after, int limit, Step& step);
    // Up to limit rows before `before` (from the last row when empty), last row first.
    bool backward(const std::optional<RowKey>& before, int limit, Step& step);
    // Starts counting the rows and reading their rowids in order in the background; ready is
    // called on the worker thread once it has finished. The read gives way to writes through
    // ownReads.
    void startBackground(std::function<void()> ready, BackgroundReads* ownReads);
    // The number of rows: the background count when it holds, else counted now.
    bool count(qint64& rows);
    // Every rowid in order, read in the background; false when that read failed or no longer
    // holds (nothing is read here).
    bool backgroundRowids(std::vector<qint64>& rowids);
    // Every rowid at once, in the order SQLite finds them for the condition.
    bool all(std::vector<qint64>& rowids);

    QString lastError() const { return m_lastError; }
    int lastErrorNumber() const { return m_lastErrorNumber; }

private:
    enum Query {
        FromStart,     // forward from the first row
        AfterKey,      // forward after a row with a value in the order column
        AfterNullKey,  // forward within the rows without a value, after a rowid
        FromFirstKey,  // forward from the first row with a value
        FromEnd,       // backward from the last row
        BeforeKey,     // backward before a row with a value
        BeforeNullKey, // backward within the rows without a value, before a rowid
        FromLastNull,  // backward from the last row without a value
        Count,
        All,
        KeyOfRow, // the order value of one row
        Ordered,  // every rowid in order, read in the background
        QueryCount
    };

    SqliteStatement* statement(Query query);
    bool run(Query query, const std::optional<RowKey>& from, int limit, Step& step);
    // When step reached the end of its part of the order, fills it up from the next part.
    bool continueWith(Query query, int limit, Step& step);
    bool keyOf(qint64 rowid, std::optional<RowKey>& key);
    bool fail(const SqliteStatement& statement);

    sqlite3* m_db = nullptr;
    QVariantList m_parameters;
    bool m_keyedByRowid = true;
    std::array<QString, QueryCount> m_texts;
    std::array<SqliteStatement, QueryCount> m_statements;
    BackgroundCount m_backgroundCount;
    QString m_lastError;
    int m_lastErrorNumber = 0;
};
