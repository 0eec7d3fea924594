#pragma once

#include <QLabel>

// A label the operator can click: clicked() on a left-button release over the label. Presses on
// it stay with the label, so they do not start dragging the window.
class ClockLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};
