#include "log/LogGridView.h"

#include "log/LogGridDelegate.h"
#include "log/LogRowHeader.h"
#include "log/LogTableModel.h"

#include <QKeyEvent>
#include <QScopedValueRollback>

LogGridView::LogGridView(QWidget* parent) : QTableView(parent) {
    setVerticalHeader(new LogRowHeader(this));
    // A double click belongs to the transfer of the captured times, not to the editor.
    setEditTriggers(EditKeyPressed | AnyKeyPressed);
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectItems);
    auto* delegate = new LogGridDelegate(this);
    setItemDelegate(delegate);
    connect(delegate, &LogGridDelegate::editorDoubleClicked, this, [this](QWidget* editor) {
        finishEditing(editor);
        emit rowDoubleClicked();
    });
}

void LogGridView::setLogModel(LogTableModel* model) {
    m_model = model;
    // While rows come and go the view moves its own current cell (off a deleted row, along with
    // inserted rows); those moves are the view's bookkeeping, not the operator's, and must not
    // move the record set. Connected before the view's own handlers, so the flag is up first...
    const auto changing = [this] { m_modelChanging = true; };
    connect(model, &QAbstractItemModel::rowsAboutToBeInserted, this, changing);
    connect(model, &QAbstractItemModel::rowsAboutToBeRemoved, this, changing);
    connect(model, &QAbstractItemModel::modelAboutToBeReset, this, changing);
    QTableView::setModel(model);
    // ...and lowered after them.
    const auto changed = [this] { m_modelChanging = false; };
    connect(model, &QAbstractItemModel::rowsInserted, this, changed);
    connect(model, &QAbstractItemModel::rowsRemoved, this, changed);
    connect(model, &QAbstractItemModel::modelReset, this, changed);

    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, &LogGridView::moveRecord);
    connect(model, &LogTableModel::currentRowChanged, this, &LogGridView::followRecord);
    followRecord(model->currentRow());
}

void LogGridView::moveRecord(const QModelIndex& current) {
    if (m_following || m_modelChanging || !current.isValid())
        return;
    m_model->setCurrentRow(current.row());
    // A move the record set refused, or one that landed elsewhere, brings the grid back.
    followRecord(m_model->currentRow());
}

void LogGridView::followRecord(int row) {
    if (m_modelChanging || row < 0 || row == currentIndex().row())
        return;
    const int column = currentIndex().isValid() ? currentIndex().column() : 0;
    const QScopedValueRollback<bool> following(m_following, true);
    setCurrentIndex(m_model->index(row, column));
}

void LogGridView::commitEdit() {
    if (state() != EditingState)
        return;
    // Closed editors linger hidden until deleted; only an open one holds typed text.
    const QList<QWidget*> editors = viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* editor : editors) {
        if (!editor->isHidden())
            finishEditing(editor);
    }
}

void LogGridView::finishEditing(QWidget* editor) {
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void LogGridView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid()) {
        event->accept();
        emit rowDoubleClicked();
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
}

void LogGridView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && state() != EditingState) {
        event->accept();
        emit cancelRequested();
        return;
    }
    QTableView::keyPressEvent(event);
}
