#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>

struct sqlite3;

// A second connection to a log database: the test writes rows with it and reads the table
// behind the program's back, as another program would.
class LogFile {
public:
    explicit LogFile(const QString& path);
    ~LogFile();
    LogFile(const LogFile&) = delete;
    LogFile& operator=(const LogFile&) = delete;

    // A contact with its date (ISO text), call and name, an empty text storing no value; the
    // other fields stay without value. Returns the rowid.
    qint64 add(const QString& date, const QString& call, const QString& name = QString());
    // count contacts with the calls callPrefix1, callPrefix2..., each with a long random note.
    void addMany(int count, const QString& callPrefix);
    void execute(const QString& sql, const QVariantList& values = {}) { rows(sql, values); }
    // One text per row: the values of `sql`'s columns joined with "|", NULL as "-".
    QStringList rows(const QString& sql, const QVariantList& values = {});
    int count() { return rows(QStringLiteral("SELECT count(*) FROM Log1")).value(0).toInt(); }
    QStringList calls() { return rows(QStringLiteral("SELECT OM_Call FROM Log1 ORDER BY rowid")); }

private:
    sqlite3* m_db = nullptr;
};
