#pragma once

#include <QObject>
#include <functional>

class QWidget;

// Calls back once, when the watched widget is first painted.
class FirstPaint : public QObject {
    Q_OBJECT
public:
    FirstPaint(QWidget* widget, std::function<void()> painted);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> m_painted;
};
