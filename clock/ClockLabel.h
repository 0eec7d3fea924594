#pragma once

#include <QLabel>

// A label the operator can click: clicked() on a left-button release over the label. Presses on
// it stay with the label, so they do not start dragging the window. The release that ends a
// double click is no second click: a double click captures once.
class ClockLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool m_releaseEndsDoubleClick = false;
};
