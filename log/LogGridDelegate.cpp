#include "log/LogGridDelegate.h"

#include <QEvent>
#include <QMetaProperty>
#include <QWidget>

void LogGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                   const QModelIndex& index) const {
    const QMetaProperty property = editor->metaObject()->userProperty();
    if (property.isValid() &&
        property.read(editor).toString() == index.data(Qt::EditRole).toString())
        return;
    QStyledItemDelegate::setModelData(editor, model, index);
}

bool LogGridDelegate::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick && watched->isWidgetType()) {
        emit editorDoubleClicked(static_cast<QWidget*>(watched));
        return true;
    }
    return QStyledItemDelegate::eventFilter(watched, event);
}
