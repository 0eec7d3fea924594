#include "log/DataControl.h"

#include "log/LogConnection.h"
#include "log/LogIntegrityCheck.h"
#include "log/LogQueries.h"
#include "log/RecordSet.h"

const QString& DataControl::designConnectionString() {
    static const QString text =
        QStringLiteral("Provider=Microsoft.Jet.OLEDB.3.51;Persist Security Info=False;"
                       "Data Source=C:\\Programmi\\Tempora\\tempora.mdb");
    return text;
}

DataControl::DataControl(const Paths& paths, QObject* parent)
    : QObject(parent), m_paths(paths), m_recordSource(LogQueries::design()),
      m_recordSet(new RecordSet(this)), m_integrityCheck(new LogIntegrityCheck(this)) {
    setObjectName(QStringLiteral("datPrimaryRS"));
    connect(m_recordSet, &RecordSet::moveComplete, this, &DataControl::moveComplete);
    connect(m_recordSet, &RecordSet::willChangeRecord, this, &DataControl::willChangeRecord);
    connect(m_recordSet, &RecordSet::error, this, &DataControl::error);
    connect(m_recordSet, &RecordSet::damaged, this, &DataControl::damaged);
    connect(m_integrityCheck, &LogIntegrityCheck::damaged, m_recordSet, &RecordSet::setDamaged);
}

DataControl::~DataControl() {
    // The record set's statements go before their connection.
    m_recordSet->close();
}

bool DataControl::close() {
    const bool saved = !m_recordSet->hasPendingChanges() || m_recordSet->updateBatch() ||
                       fail(m_recordSet->lastError());
    m_integrityCheck->stop();
    m_recordSet->close();
    m_connection.reset();
    return saved;
}

bool DataControl::fail(const QString& description) {
    m_lastError = description;
    return false;
}

bool DataControl::refresh() {
    if (m_recordSet->hasPendingChanges() && !m_recordSet->updateBatch())
        return fail(m_recordSet->lastError());

    std::unique_ptr<LogConnection> opened;
    LogConnection* connection = m_connection.get();
    if (!connection) {
        opened = std::make_unique<LogConnection>();
        opened->setWaitObserver(m_waitObserver);
        if (!opened->open(designConnectionString(), m_paths, kCommandTimeout * 1000))
            return fail(opened->lastError());
        connection = opened.get();
    }
    RecordSet::Options options;
    options.stepSize = kCacheSize;
    options.backgroundReads = &connection->backgroundReads();
    if (!m_recordSet->open(connection->handle(), m_recordSource, options))
        return fail(m_recordSet->lastError());
    // The record set now reads through the new connection; the old one can go.
    if (opened) {
        m_connection = std::move(opened);
        m_integrityCheck->start(m_connection->handle(), &m_connection->backgroundReads());
    }
    m_lastError.clear();
    return true;
}
