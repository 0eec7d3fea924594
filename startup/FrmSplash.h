#pragma once

#include "app/Window.h"

class QLabel;

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
    void openClicked();
    void exitClicked();
    void infoClicked();
    void frameClicked();
    void clockPictureClicked();
    void antennaPictureClicked();
    // Key preview: true when the key unloaded the window.
    bool previewKey(const QKeyEvent* event);

    QLabel* m_antennaPicture;
    QLabel* m_clockPicture;
};
