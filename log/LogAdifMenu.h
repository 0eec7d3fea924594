#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QWidget;
struct Services;

// The log window's ADIF entries, "Export ADIF..." and "Import ADIF..." in the grid's context
// menu: a file dialog that opens in the folder used last (kept in the settings store), a progress
// dialog with Cancel while the log (the data control's own) is written or read, and a summary
// message through the dialogs service. After an import, showImported re-reads the window's rows.
class LogAdifMenu : public QObject {
    Q_OBJECT
public:
    LogAdifMenu(Services& services, QWidget* grid, std::function<void()> showImported);

private:
    void exportClicked();
    void importClicked();
    // The folder the file dialogs open in: the one used last, also in an earlier session.
    QString folder() const;
    void remember(const QString& file);

    Services& m_services;
    QWidget* m_grid;
    std::function<void()> m_showImported;
};
