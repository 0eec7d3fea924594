#include "LogFile.h"
#include "LogFolder.h"
#include "log/DataControl.h"
#include "log/LogConnection.h"
#include "log/LogQueries.h"
#include "log/RecordSet.h"

#include <QSignalSpy>
#include <QTest>

#include <sqlite3.h>

namespace {

constexpr int kRows = 40;

int countStatement(unsigned, void* statements, void*, void*) {
    ++*static_cast<int*>(statements);
    return 0;
}

} // namespace

// The record set of a log longer than its first step learns every position from the read made
// in the background, so that the grid spans and reaches the whole log at once.
class TestLogScrolling : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void spansTheWholeLogOnItsOwn_data();
    void spansTheWholeLogOnItsOwn();

private:
    void open(const RecordSource& source);
    QStringList notes();

    std::unique_ptr<LogFolder> m_test;
    std::unique_ptr<LogFile> m_file;
    std::unique_ptr<LogConnection> m_connection;
    std::unique_ptr<RecordSet> m_records;
};

void TestLogScrolling::init() {
    m_test = std::make_unique<LogFolder>();
    m_test->createLog();
    m_file = std::make_unique<LogFile>(m_test->logPath());
    // Out of date order, dates shared and missing: the order the steps would find.
    for (int i = 0; i < kRows; ++i) {
        const QVariant date =
            i % 9 == 4 ? QVariant() : QVariant(QStringLiteral("20%1-01-01").arg(10 + i * 7 % 5));
        m_file->execute("INSERT INTO Log1 ([QSO Date], Note) VALUES (?, ?)",
                        {date, QStringLiteral("n%1").arg(i)});
    }
    m_connection = std::make_unique<LogConnection>();
    QVERIFY(m_connection->open(DataControl::designConnectionString(), m_test->paths, 1000));
}

void TestLogScrolling::cleanup() {
    m_records.reset();
    m_connection.reset();
}

void TestLogScrolling::open(const RecordSource& source) {
    m_records = std::make_unique<RecordSet>();
    RecordSet::Options options;
    options.stepSize = 5;
    options.cachedRows = 4;
    QVERIFY(m_records->open(m_connection->handle(), source, options));
}

QStringList TestLogScrolling::notes() {
    QStringList notes;
    for (int position = m_records->size() - 1; position >= 0; --position)
        notes.prepend(m_records->valueAt(position, m_records->fieldIndex("Note")).toString());
    return notes;
}

void TestLogScrolling::spansTheWholeLogOnItsOwn_data() {
    QTest::addColumn<RecordSource>("source");
    QTest::addColumn<QString>("order");
    QTest::newRow("by date") << LogQueries::design() << "[QSO Date], rowid";
    QTest::newRow("table order") << LogQueries::reset() << "rowid";
}

void TestLogScrolling::spansTheWholeLogOnItsOwn() {
    QFETCH(RecordSource, source);
    QFETCH(QString, order);
    open(source);
    QCOMPARE(m_records->size(), 5);
    QSignalSpy completed(m_records.get(), &RecordSet::completed);
    QVERIFY(completed.wait());
    QVERIFY(m_records->isComplete());
    QCOMPARE(m_records->size(), kRows);

    // A row far from both ends is read by its rowid alone: no walk through the rows before it.
    int statements = 0;
    sqlite3_trace_v2(m_connection->handle(), SQLITE_TRACE_STMT, countStatement, &statements);
    QVERIFY(m_records->moveTo(kRows / 2));
    QVERIFY(!m_records->valueAt(kRows / 2, m_records->fieldIndex("Note")).isNull());
    sqlite3_trace_v2(m_connection->handle(), 0, nullptr, nullptr);
    QCOMPARE(statements, 1);
    QCOMPARE(m_records->absolutePosition(), kRows / 2 + 1);
    QCOMPARE(notes(), m_file->rows("SELECT Note FROM Log1 ORDER BY " + order));
}

QTEST_GUILESS_MAIN(TestLogScrolling)
#include "tst_logscrolling.moc"
