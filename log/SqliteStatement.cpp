#include "log/SqliteStatement.h"

#include <sqlite3.h>

#include <utility>

SqliteStatement::~SqliteStatement() {
    sqlite3_finalize(m_statement);
}

SqliteStatement::SqliteStatement(SqliteStatement&& other) noexcept
    : m_db(std::exchange(other.m_db, nullptr)),
      m_statement(std::exchange(other.m_statement, nullptr)), m_failed(other.m_failed),
      m_errorCode(other.m_errorCode), m_errorMessage(std::move(other.m_errorMessage)) {}

SqliteStatement& SqliteStatement::operator=(SqliteStatement&& other) noexcept {
    if (this != &other) {
        sqlite3_finalize(m_statement);
        m_db = std::exchange(other.m_db, nullptr);
        m_statement = std::exchange(other.m_statement, nullptr);
        m_failed = other.m_failed;
        m_errorCode = other.m_errorCode;
        m_errorMessage = std::move(other.m_errorMessage);
    }
    return *this;
}

bool SqliteStatement::prepare(sqlite3* db, const QString& sql, bool persistent) {
    sqlite3_finalize(m_statement);
    m_statement = nullptr;
    m_db = db;
    m_failed = false;
    const QByteArray text = sql.toUtf8();
    const char* tail = nullptr;
    const int rc =
        sqlite3_prepare_v3(db, text.constData(), int(text.size()),
                           persistent ? SQLITE_PREPARE_PERSISTENT : 0, &m_statement, &tail);
    if (rc != SQLITE_OK) {
        fail(rc);
        return false;
    }
    if (!m_statement) {
        m_failed = true;
        m_errorCode = SQLITE_MISUSE;
        m_errorMessage = QStringLiteral("the text holds no statement");
        return false;
    }
    if (!QByteArray(tail).trimmed().isEmpty()) {
        sqlite3_finalize(m_statement);
        m_statement = nullptr;
        m_failed = true;
        m_errorCode = SQLITE_MISUSE;
        m_errorMessage = QStringLiteral("the text holds more than one statement");
        return false;
    }
    return true;
}

int SqliteStatement::parameterCount() const {
    return sqlite3_bind_parameter_count(m_statement);
}

bool SqliteStatement::bind(int index, const QVariant& value) {
    int rc = SQLITE_OK;
    if (value.isNull()) {
        rc = sqlite3_bind_null(m_statement, index);
    } else {
        switch (value.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::Bool:
            rc = sqlite3_bind_int64(m_statement, index, value.toLongLong());
            break;
        case QMetaType::Double:
            rc = sqlite3_bind_double(m_statement, index, value.toDouble());
            break;
        case QMetaType::QByteArray: {
            const QByteArray bytes = value.toByteArray();
            rc = sqlite3_bind_blob64(m_statement, index, bytes.constData(),
                                     sqlite3_uint64(bytes.size()), SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray text = value.toString().toUtf8();
            rc = sqlite3_bind_text64(m_statement, index, text.constData(),
                                     sqlite3_uint64(text.size()), SQLITE_TRANSIENT, SQLITE_UTF8);
            break;
        }
        }
    }
    if (rc != SQLITE_OK) {
        fail(rc);
        return false;
    }
    return true;
}

bool SqliteStatement::bind(const char* name, const QVariant& value) {
    const int index = sqlite3_bind_parameter_index(m_statement, name);
    if (index == 0) {
        m_failed = true;
        m_errorCode = SQLITE_RANGE;
        m_errorMessage =
            QStringLiteral("the statement has no parameter %1").arg(QLatin1String(name));
        return false;
    }
    return bind(index, value);
}

bool SqliteStatement::bindText(int index, QByteArrayView utf8) {
    const int rc = utf8.isEmpty() ? sqlite3_bind_null(m_statement, index)
                                  : sqlite3_bind_text64(m_statement, index, utf8.data(),
                                                        sqlite3_uint64(utf8.size()), SQLITE_STATIC,
                                                        SQLITE_UTF8);
    if (rc != SQLITE_OK) {
        fail(rc);
        return false;
    }
    return true;
}

bool SqliteStatement::step() {
    const int rc = sqlite3_step(m_statement);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE) {
        fail(rc);
        sqlite3_reset(m_statement);
    }
    return false;
}

bool SqliteStatement::execute() {
    m_failed = false;
    while (step()) {
    }
    sqlite3_reset(m_statement);
    return !m_failed;
}

void SqliteStatement::reset() {
    sqlite3_reset(m_statement);
    m_failed = false;
}

int SqliteStatement::columnCount() const {
    return sqlite3_column_count(m_statement);
}

QString SqliteStatement::columnName(int column) const {
    return QString::fromUtf8(sqlite3_column_name(m_statement, column));
}

QVariant SqliteStatement::value(int column) const {
    switch (sqlite3_column_type(m_statement, column)) {
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(m_statement, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_statement, column));
    case SQLITE_TEXT: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
        return QVariant(QString::fromUtf8(text, sqlite3_column_bytes(m_statement, column)));
    }
    case SQLITE_BLOB: {
        const auto* data = static_cast<const char*>(sqlite3_column_blob(m_statement, column));
        return QVariant(QByteArray(data, sqlite3_column_bytes(m_statement, column)));
    }
    default:
        return QVariant();
    }
}

qint64 SqliteStatement::integer(int column) const {
    return sqlite3_column_int64(m_statement, column);
}

QByteArray SqliteStatement::text(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
    return QByteArray::fromRawData(text, sqlite3_column_bytes(m_statement, column));
}

void SqliteStatement::fail(int code) {
    m_failed = true;
    m_errorCode = code;
    m_errorMessage = QString::fromUtf8(m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(code));
}
