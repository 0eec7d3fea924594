#include "SqliteFloorVariant.h"

#include <QFile>

#include <algorithm>

#include <sqlite3.h>

namespace {

constexpr int kScreenRows = 12; // rows of the log window's grid at its design size

const char* const kDesignQuery =
    "select [QSO Date],[Time Init],[Time End],OM_Call,Name,QTH,[QSL Man],Band,Frequency,Mode,"
    "Note from Log1 Order by [QSO Date]";

class SqliteFloorVariant : public LogVariant {
public:
    SqliteFloorVariant(const QString& file, const LogProbe& probe)
        : m_file(QFile::encodeName(file)), m_probe(probe) {}
    ~SqliteFloorVariant() override { sqlite3_close(m_db); }

    LogOperations operations() override {
        return {[this] { open(); },
                [this] { readRow(m_probe.contacts); },
                [this] { search(); },
                [this] { readScreen("SELECT * FROM Log1 "); },
                [this] { readScreen(kDesignQuery); },
                [this] { write("DELETE FROM Log1 WHERE rowid = ?", m_probe.contacts / 2); },
                [this] { write("UPDATE Log1 SET Name = 'Edited' WHERE rowid = ?", 5); },
                {},
                {},
                [this] { screenAt(m_probe.contacts - kScreenRows); },
                [this] { screenAt(m_probe.contacts * 37 / 100); },
                [this] { screenAt(m_probe.contacts * 37 / 100 + kScreenRows); },
                {}};
    }

private:
    // Steps a statement for up to `rows` rows, reading every column as text.
    void step(const char* sql, int rows, const QByteArray& parameter = QByteArray(),
              qint64 rowid = -1) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(m_db, sql, -1, &statement, nullptr);
        if (!parameter.isNull())
            sqlite3_bind_text(statement, 1, parameter.constData(), -1, SQLITE_TRANSIENT);
        if (rowid >= 0)
            sqlite3_bind_int64(statement, 1, rowid);
        for (int row = 0; row < rows && sqlite3_step(statement) == SQLITE_ROW; ++row)
            for (int column = 0; column < sqlite3_column_count(statement); ++column)
                m_bytes += sqlite3_column_bytes(statement, column) +
                           (sqlite3_column_text(statement, column) != nullptr);
        sqlite3_finalize(statement);
    }
    void readScreen(const char* sql) {
        step(sql, kScreenRows);
        step("SELECT count(*) FROM Log1", 1);
    }
    // A screen of the log in date order at a position, by the engine's own OFFSET.
    void screenAt(qint64 position) {
        step("SELECT * FROM Log1 ORDER BY [QSO Date] LIMIT 20 OFFSET ?", kScreenRows, QByteArray(),
             std::max<qint64>(0, position));
    }
    void open() {
        sqlite3_open_v2(m_file.constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
        readScreen(kDesignQuery);
    }
    void readRow(qint64 rowid) {
        step("SELECT * FROM Log1 WHERE rowid = ?", 1, QByteArray(), rowid);
    }
    void search() {
        step("SELECT * FROM Log1 WHERE OM_Call like ?", 1 << 30, m_probe.call.toUtf8());
    }
    void write(const char* sql, qint64 rowid) {
        sqlite3_exec(m_db, "BEGIN", nullptr, nullptr, nullptr);
        step(sql, 1, QByteArray(), rowid);
        sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr);
    }

    QByteArray m_file;
    LogProbe m_probe;
    sqlite3* m_db = nullptr;
    qint64 m_bytes = 0;
};

} // namespace

std::unique_ptr<LogVariant> makeSqliteFloorVariant(const QString& file, const LogProbe& probe) {
    return std::make_unique<SqliteFloorVariant>(file, probe);
}
