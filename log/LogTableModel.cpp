#include "log/LogTableModel.h"

#include "log/DataControl.h"
#include "log/LogColumns.h"
#include "log/RecordSet.h"
#include "platform/RegionalFormats.h"

LogTableModel::LogTableModel(DataControl& dataControl, const RegionalFormats& formats,
                             QObject* parent)
    : QAbstractTableModel(parent), m_recordSet(dataControl.recordSet()), m_formats(formats),
      m_dates(formats) {
    mapFields();
    RecordSet* records = &m_recordSet;
    // A view (or a model tester) may ask for more rows while a change is being announced;
    // rows are only fetched between changes.
    connect(records, &RecordSet::aboutToReset, this, [this] {
        m_changing = true;
        beginResetModel();
    });
    connect(records, &RecordSet::reset, this, [this] {
        mapFields();
        endResetModel();
        m_changing = false;
    });
    connect(records, &RecordSet::rowsAboutToBeInserted, this, [this](int first, int last) {
        m_changing = true;
        // A record appended at the end takes the place of the new-record row, and a fresh one
        // comes below it: the rows a view knows keep their places, so the cell being typed
        // into stays on its record.
        const int shift = m_showsNewRow && first == m_recordSet.size() ? 1 : 0;
        beginInsertRows(QModelIndex(), first + shift, last + shift);
    });
    connect(records, &RecordSet::rowsInserted, this, [this] {
        endInsertRows();
        m_changing = false;
    });
    connect(records, &RecordSet::rowsAboutToBeRemoved, this, [this](int first, int last) {
        m_changing = true;
        beginRemoveRows(QModelIndex(), first, last);
    });
    connect(records, &RecordSet::rowsRemoved, this, [this] {
        endRemoveRows();
        m_changing = false;
    });
    connect(records, &RecordSet::completed, this, &LogTableModel::showNewRow);
    connect(records, &RecordSet::rowChanged, this, [this](int row) {
        emit dataChanged(index(row, 0), index(row, LogColumns::kCount - 1),
                         {Qt::DisplayRole, Qt::EditRole});
        emit headerDataChanged(Qt::Vertical, row, row);
    });
    connect(records, &RecordSet::moveComplete, this,
            [this] { emit currentRowChanged(currentRow()); });
}

void LogTableModel::mapFields() {
    m_fieldOf.clear();
    for (int column = 0; column < LogColumns::kCount; ++column)
        m_fieldOf << m_recordSet.fieldIndex(LogColumns::at(column).field);
    m_showsNewRow = m_recordSet.isOpen() && m_recordSet.isComplete();
}

void LogTableModel::showNewRow() {
    if (m_showsNewRow)
        return;
    const int row = m_recordSet.size();
    m_changing = true;
    beginInsertRows(QModelIndex(), row, row);
    m_showsNewRow = true;
    endInsertRows();
    m_changing = false;
}

int LogTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_recordSet.size() + (m_showsNewRow ? 1 : 0);
}

int LogTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : LogColumns::kCount;
}

int LogTableModel::newRecordRow() const {
    return m_showsNewRow ? m_recordSet.size() : -1;
}

bool LogTableModel::isCell(const QModelIndex& index) const {
    return index.isValid() && index.model() == this && index.row() < rowCount() &&
           index.column() < LogColumns::kCount;
}

QString LogTableModel::text(int row, int column, bool display) const {
    const int field = m_fieldOf.value(column, -1);
    if (field < 0 || row >= m_recordSet.size())
        return QString();
    const QVariant value = m_recordSet.valueAt(row, field);
    if (column == LogColumns::kDate)
        return m_dates.text(value);
    const QString text = value.isNull() ? QString() : value.toString();
    return display && LogColumns::at(column).upperCase ? text.toUpper() : text;
}

QVariant LogTableModel::data(const QModelIndex& index, int role) const {
    if (!isCell(index))
        return QVariant();
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return text(index.row(), index.column(), role == Qt::DisplayRole);
    return QVariant();
}

bool LogTableModel::refuse(const QString& description) {
    m_lastError = description;
    emit editRefused(description);
    return false;
}

bool LogTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !isCell(index))
        return false;
    const int field = m_fieldOf.at(index.column());
    if (field < 0) {
        return refuse(QStringLiteral("The view has no field \"%1\".")
                          .arg(LogColumns::at(index.column()).field));
    }
    const QString typed = value.toString();
    QVariant stored;
    if (index.column() == LogColumns::kDate) {
        if (!m_dates.stored(typed, stored))
            return refuse(m_dates.lastError());
    } else if (!typed.isEmpty()) {
        stored = typed;
    }
    if (!m_recordSet.setValueAt(index.row(), field, stored))
        return refuse(m_recordSet.lastError());
    m_lastError.clear();
    return true;
}

QVariant LogTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < LogColumns::kCount ? LogColumns::at(section).caption
                                                            : QVariant();
    if (section < 0 || section >= rowCount())
        return QVariant();
    if (section == newRecordRow() || m_recordSet.isNewAt(section))
        return QStringLiteral("*");
    return section + 1;
}

Qt::ItemFlags LogTableModel::flags(const QModelIndex& index) const {
    if (!isCell(index))
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (m_fieldOf.at(index.column()) >= 0)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool LogTableModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && !m_changing && m_recordSet.isOpen() && !m_recordSet.isComplete();
}

void LogTableModel::fetchMore(const QModelIndex& parent) {
    if (canFetchMore(parent) && !m_recordSet.fetchMore())
        m_lastError = m_recordSet.lastError();
}

int LogTableModel::currentRow() const {
    if (m_recordSet.currentPosition() >= 0)
        return m_recordSet.currentPosition();
    return m_recordSet.isEof() ? newRecordRow() : -1;
}

bool LogTableModel::setCurrentRow(int row) {
    if (row == currentRow())
        return true;
    if (!m_recordSet.moveTo(row)) {
        m_lastError = m_recordSet.lastError();
        return false;
    }
    return true;
}

QString LogTableModel::fullValue(int column) const {
    switch (column) {
    case LogColumns::kDate:
        return m_formats.dateText(QDate(2024, 12, 28));
    case LogColumns::kDate + 1:
    case LogColumns::kDate + 2:
        return QStringList{"23", "59", "59 "}.join(m_formats.timeSeparator());
    case LogColumns::kFrequency:
        return QStringLiteral("14.205.500");
    default:
        return QString();
    }
}

QString LogTableModel::columnText(int column) const {
    const int row = currentRow();
    return row < 0 || column < 0 || column >= LogColumns::kCount ? QString()
                                                                 : text(row, column, true);
}

bool LogTableModel::setColumnText(int column, const QString& text) {
    const int row = currentRow();
    if (row < 0) {
        m_lastError = QStringLiteral("There is no current row in the grid.");
        return false;
    }
    if (column < 0 || column >= LogColumns::kCount) {
        m_lastError = QStringLiteral("The grid has no column %1.").arg(column);
        return false;
    }
    return setData(index(row, column), text, Qt::EditRole);
}
