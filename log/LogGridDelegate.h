#pragma once

#include <QStyledItemDelegate>

// Edits the cells of the log grid. An editor's text is written only when it differs from the
// cell's, so opening and leaving a cell of the new-record row adds no empty record. A double
// click inside an open editor does not select a word: it is announced, for the grid's transfer.
class LogGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

signals:
    void editorDoubleClicked(QWidget* editor);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
