#pragma once

#include <QFrame>

class LogGridView;
class LogTableModel;
class QLabel;

// The log grid `grdDataGrid` as the operator sees it: the caption bar "Tempora Log" above the
// rows, the column headings in MS Sans Serif 8.25, the cells in Arial 11.25 bold, the columns of
// the log at their widths, and the tool tip about the double click. The focus goes to the rows.
class LogGrid : public QFrame {
    Q_OBJECT
public:
    explicit LogGrid(QWidget* parent = nullptr);

    void setModel(LogTableModel* model);
    LogGridView* view() const { return m_view; }
    QLabel* caption() const { return m_caption; }

private:
    QLabel* m_caption;
    LogGridView* m_view;
};
