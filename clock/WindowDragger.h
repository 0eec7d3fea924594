#pragma once

#include <QObject>
#include <QPoint>

#include <optional>

class QWidget;

// Lets the operator move a window without a title bar by dragging one of its widgets, including
// the parts of that widget covered by children that leave mouse presses alone. Where the window
// manager offers its own move it does the work; elsewhere the window follows the pointer.
class WindowDragger : public QObject {
    Q_OBJECT
public:
    explicit WindowDragger(QWidget* handle);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_handle;
    // Pointer position relative to the window's top-left corner while a drag is in progress.
    std::optional<QPoint> m_grab;
};
