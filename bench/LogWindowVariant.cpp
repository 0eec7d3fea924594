#include "LogWindowVariant.h"

#include "BenchServices.h"
#include "BenchSupport.h"

#include "app/Windows.h"
#include "log/DataControl.h"
#include "log/FrmLog1.h"
#include "log/LogGrid.h"
#include "log/LogGridView.h"
#include "log/LogTableModel.h"
#include "log/RecordSet.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>

namespace {

class LogWindowVariant : public LogVariant {
public:
    LogWindowVariant(const QString& file, const LogProbe& probe) : m_probe(probe) {
        // The window opens the installation folder's log: point the folder at the copy.
        qputenv("TEMPORA_HOME", QFile::encodeName(QFileInfo(file).absolutePath()));
        m_services = std::make_unique<BenchServices>();
        m_windows = std::make_unique<Windows>(m_services->services());
    }
    ~LogWindowVariant() override {
        // On the empty log "Add" and "Delete" rightly answer that there is no record.
        if (m_probe.contacts > 0 && m_services->messages() > 0)
            qFatal("the log window showed %d message(s)", m_services->messages());
    }

    LogOperations operations() override {
        return {[this] { open(); },        [this] { add(); },          [this] { search(); },
                [this] { reset(); },       [this] { refresh(); },      [this] { remove(); },
                [this] { update(); },      [this] { toMiddle(); },     [this] { settle(); },
                [this] { scrollTo(1.0); }, [this] { scrollTo(0.37); }, [this] { pageDown(); },
                [this] { throughout(); }};
    }

private:
    template <class T> T* control(const char* name) {
        T* found = m_window->findChild<T*>(QLatin1String(name));
        if (!found)
            qFatal("the log window has no %s", name);
        return found;
    }
    void paint() {
        // Delivers what the command queued (the Down key of "Add"), then the window system paints
        // the window once, as the operator sees it.
        QCoreApplication::processEvents();
    }
    void click(const char* button) { control<QAbstractButton>(button)->click(); }
    LogTableModel* model() { return qobject_cast<LogTableModel*>(m_grid->model()); }

    void open() {
        m_window = m_windows->frmLog1().show();
        QApplication::setActiveWindow(m_window);
        m_grid = control<LogGrid>("grdDataGrid")->view();
        paint();
    }
    void add() {
        click("cmdAdd");
        paint();
        if (m_probe.contacts > 0 && model()->currentRow() != model()->newRecordRow())
            qFatal("Add did not reach the new-record row");
    }
    void search() {
        control<QLineEdit>("Text4")->setText(m_probe.call);
        click("Command1");
        paint();
    }
    void reset() {
        click("Command2");
        paint();
    }
    void refresh() {
        click("cmdRefresh");
        paint();
    }
    void toMiddle() {
        control<DataControl>("datPrimaryRS")->recordSet().moveTo(int(m_probe.contacts / 2));
        paint();
    }
    void settle() {
        while (model()->newRecordRow() < 0)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        // The view lays out the rows that came, so that the scroll bar spans the whole log.
        QCoreApplication::processEvents();
        if (m_grid->verticalScrollBar()->maximum() < model()->newRecordRow() - m_grid->height())
            qFatal("the scroll bar does not span the log");
    }
    void scrollTo(double fraction) {
        BenchSupport::scrollTo(m_grid, fraction);
        paint();
    }
    void pageDown() {
        BenchSupport::pageDown(m_grid);
        paint();
    }
    void throughout() {
        QScrollBar* bar = m_grid->verticalScrollBar();
        for (int value = 0; value < bar->maximum(); value += bar->pageStep()) {
            bar->setValue(value);
            paint();
        }
        scrollTo(1.0);
    }
    void remove() {
        click("cmdDelete");
        paint();
    }
    void update() {
        model()->setData(model()->index(5, 4), QStringLiteral("Edited"));
        click("cmdUpdate");
        paint();
    }

    LogProbe m_probe;
    std::unique_ptr<BenchServices> m_services;
    std::unique_ptr<Windows> m_windows;
    FrmLog1* m_window = nullptr;
    QTableView* m_grid = nullptr;
};

} // namespace

std::unique_ptr<LogVariant> makeLogWindowVariant(const QString& file, const LogProbe& probe) {
    return std::make_unique<LogWindowVariant>(file, probe);
}
