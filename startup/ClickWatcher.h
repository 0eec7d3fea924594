#pragma once

#include <QObject>

class QWidget;

// Gives a widget without a click of its own (a frame, a picture) the click of a button: the left
// button pressed on the widget and released inside it.
class ClickWatcher : public QObject {
    Q_OBJECT
public:
    // Watches the widget for as long as it lives.
    explicit ClickWatcher(QWidget* widget);

signals:
    void clicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_widget;
    bool m_pressed = false;
};
