#pragma once

#include "app/Window.h"

class DataControl;
class LogGrid;
class LogTableModel;
class QLineEdit;
class QPushButton;

// The log window: the grid over the hidden data control `datPrimaryRS`, and the panel of record
// commands, search and reset. A double click in the grid copies the current date and the minus
// pair's start and stop captions of the clock window into the current row, unless its name is
// filled. Typed contacts are never dropped unasked: closing the window writes pending changes
// first; when that write fails, the operator chooses between dropping them and closing, or going
// back to them with the window open.
class FrmLog1 : public Window {
    Q_OBJECT
public:
    FrmLog1(Services& services, Windows& windows);

    // Opens the log with the design-time query; a failure shows as the data control's error.
    void load() override;

protected:
    bool queryUnload() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildButtonPanel();
    QPushButton* makeButton(const char* name, const QString& caption, int left);

    void addClicked();
    void updateClicked();
    void deleteClicked();
    void refreshClicked();
    void searchClicked();
    void resetClicked();
    void gridDoubleClicked();
    void recordMoved();
    void showDataError(const QString& description);
    void cancelRowChanges();
    void unloading();

    void report(const QString& description);

    DataControl* m_dataControl;
    LogTableModel* m_model;
    LogGrid* m_grid;
    QWidget* m_buttonPanel;
    QLineEdit* m_dateBuffer = nullptr;
    QLineEdit* m_startBuffer = nullptr;
    QLineEdit* m_endBuffer = nullptr;
    QLineEdit* m_searchBox = nullptr;
};
