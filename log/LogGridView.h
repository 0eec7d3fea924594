#pragma once

#include <QTableView>

class LogTableModel;

// The rows of the log grid. Its current row is the record set's current record: moving in the
// grid moves the record set (which saves the row it leaves), and every move of the record set,
// whoever made it, moves the grid. Typing into a cell or F2 edits it; the Down key from the last
// record reaches the empty new-record row. A double click on a row, or inside the cell being
// edited, edits nothing: it writes what the open editor holds and announces rowDoubleClicked().
// Escape outside an editor drops the current row's changes not written yet.
class LogGridView : public QTableView {
    Q_OBJECT
public:
    explicit LogGridView(QWidget* parent = nullptr);

    void setLogModel(LogTableModel* model);
    // Writes the open editor's text into its cell and closes it; nothing without an editor.
    void commitEdit();

signals:
    void rowDoubleClicked();
    void cancelRequested();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void finishEditing(QWidget* editor);
    void moveRecord(const QModelIndex& current);
    void followRecord(int row);

    LogTableModel* m_model = nullptr;
    bool m_following = false;
    bool m_modelChanging = false;
};
