#pragma once

#include "log/LogDateText.h"

#include <QAbstractTableModel>
#include <QVector>

class DataControl;
class RecordSet;
class RegionalFormats;

// The table model of the log grid `grdDataGrid`, bound to the data control's record set: the
// eleven columns of the log with their captions, one row per record, and below the last
// record (once it is known) an empty new-record row whose vertical header is "*", as is that
// of every appended record not written yet. Typing into the new-record row appends a record.
//
// Display: the ">" columns in capitals (stored as typed), `QSO Date` as the short date text.
// Edits go to the record set as pending changes; a date that cannot be read is refused, with
// editRefused(), and nothing else of the row changes. An empty text stores no value.
//
// The grid's current row is the record set's current record: setCurrentRow() moves the record
// set (saving the row it leaves), and every move of the record set, whoever made it, is
// announced by currentRowChanged(), so the view's selection can follow.
class LogTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    LogTableModel(DataControl& dataControl, const RegionalFormats& formats,
                  QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

    // The new-record row, or -1 while the last record is not known.
    int newRecordRow() const;
    // The row of the current record (the new-record row at the end of the set); -1 without one.
    int currentRow() const;
    bool setCurrentRow(int row);

    // The longest text column must show in full: a date, a time with its seconds, a frequency;
    // empty for the columns of free text.
    QString fullValue(int column) const;
    // The text the grid shows in column of the current row; empty without a current row.
    QString columnText(int column) const;
    // Sets column of the current row as if typed there.
    bool setColumnText(int column, const QString& text);

    QString lastError() const { return m_lastError; }

signals:
    void currentRowChanged(int row);
    void editRefused(const QString& description);

private:
    bool isCell(const QModelIndex& index) const;
    void mapFields();
    void showNewRow();
    QString text(int row, int column, bool display) const;
    bool refuse(const QString& description);

    RecordSet& m_recordSet;
    const RegionalFormats& m_formats;
    LogDateText m_dates;
    QVector<int> m_fieldOf;
    bool m_showsNewRow = false;
    bool m_changing = false;
    QString m_lastError;
};
