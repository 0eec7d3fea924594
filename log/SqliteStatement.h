#pragma once

#include <QString>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

// One prepared SQLite statement, finalized with the object. Values cross as QVariant: a null
// QVariant is SQL NULL, integers are qint64, reals double, text QString, blobs QByteArray.
// A statement holds no lock while it is not stepping: callers step it to the end or reset it
// before returning to the event loop.
class SqliteStatement {
public:
    SqliteStatement() = default;
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;
    SqliteStatement(SqliteStatement&& other) noexcept;
    SqliteStatement& operator=(SqliteStatement&& other) noexcept;

    // Prepares exactly one statement; text after it other than blanks is refused.
    bool prepare(sqlite3* db, const QString& sql, bool persistent = false);
    bool isPrepared() const { return m_statement != nullptr; }

    int parameterCount() const;
    // Binds value at the 1-based index, or at the named parameter (":name").
    bool bind(int index, const QVariant& value);
    bool bind(const char* name, const QVariant& value);
    // Binds UTF-8 text (an empty text as NULL) without a copy: the bytes must stay as they are
    // until the statement has been stepped.
    bool bindText(int index, QByteArrayView utf8);

    // True with a row to read; false at the end or on failure (see failed()).
    bool step();
    bool failed() const { return m_failed; }
    // Runs a statement that returns no rows (or ignores them) to its end.
    bool execute();
    void reset();

    int columnCount() const;
    QString columnName(int column) const;
    QVariant value(int column) const;
    qint64 integer(int column) const;
    // The column's text as UTF-8 (empty for NULL), pointing into the row: valid until the next
    // step or reset.
    QByteArray text(int column) const;

    // SQLite's code and message for the last failure of this statement.
    int errorCode() const { return m_errorCode; }
    QString errorMessage() const { return m_errorMessage; }

private:
    void fail(int code);

    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_statement = nullptr;
    bool m_failed = false;
    int m_errorCode = 0;
    QString m_errorMessage;
};
