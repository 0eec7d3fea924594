#pragma once

#include <QHeaderView>

// The row header of the log grid: each record's number, "*" on records not written yet and on the
// new-record row. Its width is that of the widest label, which is the last record's number: it is
// measured on the first and the last sections alone, where Qt's own header measures two hundred
// each time the rows change (a refresh, a reset, the whole log arriving).
class LogRowHeader : public QHeaderView {
    Q_OBJECT
public:
    // Clickable and highlighting the current row, as the table view's own row header.
    explicit LogRowHeader(QWidget* parent = nullptr);

    QSize sizeHint() const override;
};
