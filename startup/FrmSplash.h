#pragma once

#include "app/Window.h"

class QFrame;
class QLabel;
class QPushButton;

// The start-up window: the program's first window. "Apri" opens the clock window, "INFO" the
// information window; "Esci", a character key or a click on the frame closes it. A click on the
// picture swaps the clock picture and the antenna picture.
class FrmSplash : public Window {
    Q_OBJECT
public:
    FrmSplash(Services& services, Windows& windows);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void command1Click();
    void command2Click();
    void command3Click();
    void frame1Click();
    void image1Click();
    void image2Click();
    // Key preview: true when the key unloaded the window.
    bool previewKey(const QKeyEvent* event);

    QFrame* m_frame1;
    QLabel* m_lblProductName;
    QLabel* m_lblCompanyProduct;
    QLabel* m_image2;
    QLabel* m_image1;
    QPushButton* m_command1;
    QPushButton* m_command2;
    QPushButton* m_command3;
};
