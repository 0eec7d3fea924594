#include "QtSqlModelVariant.h"

#include "BenchSupport.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlTableModel>
#include <QTableView>

namespace {

class QtSqlModelVariant : public LogVariant {
public:
    QtSqlModelVariant(const QString& file, const LogProbe& probe) : m_probe(probe) {
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
        m_db.setDatabaseName(file);
    }
    ~QtSqlModelVariant() override {
        m_view.reset();
        m_model.reset();
        m_db.close();
    }

    LogOperations operations() override {
        return {[this] { open(); },
                [this] { add(); },
                [this] { search(); },
                [this] { reset(); },
                [this] { refresh(); },
                [this] { remove(); },
                [this] { update(); },
                [this] { fetchUntil(int(m_probe.contacts / 2)); },
                {},
                [this] { scrollToEnd(); },
                [this] { scrollTo(0.37); },
                [this] { pageDown(); },
                {}};
    }

private:
    // The window system paints the view once, as for the log window.
    void paint() { QCoreApplication::processEvents(); }
    void fetchUntil(int rows) {
        while (m_model->rowCount() <= rows && m_model->canFetchMore())
            m_model->fetchMore();
    }
    void open() {
        m_db.open();
        m_model = std::make_unique<QSqlTableModel>(nullptr, m_db);
        m_model->setTable(QStringLiteral("Log1"));
        m_model->setEditStrategy(QSqlTableModel::OnManualSubmit);
        m_model->setSort(0, Qt::AscendingOrder);
        m_model->select();
        m_view = std::make_unique<QTableView>();
        m_view->resize(758, 249); // the log window's grid at its design size
        m_view->setModel(m_model.get());
        m_view->show();
        paint();
    }
    // The model reads its rows in batches as the view asks: the end is reached by reading them all.
    void scrollToEnd() {
        fetchUntil(int(m_probe.contacts));
        m_view->scrollToBottom();
        paint();
    }
    void scrollTo(double fraction) {
        BenchSupport::scrollTo(m_view.get(), fraction);
        paint();
    }
    void pageDown() {
        BenchSupport::pageDown(m_view.get());
        paint();
    }
    void add() {
        fetchUntil(int(m_probe.contacts));
        const int row = m_model->rowCount();
        m_model->insertRow(row);
        m_view->setCurrentIndex(m_model->index(row, 0));
        m_view->scrollToBottom();
        paint();
        m_model->revertAll();
    }
    void search() {
        m_model->setFilter(QStringLiteral("OM_Call like '%1'").arg(m_probe.call));
        m_model->select();
        paint();
    }
    void reset() {
        m_model->setFilter(QString());
        m_model->setSort(-1, Qt::AscendingOrder);
        m_model->select();
        paint();
    }
    void refresh() {
        m_model->select();
        paint();
    }
    void remove() {
        m_model->removeRow(int(m_probe.contacts / 2));
        m_model->submitAll();
        paint();
    }
    void update() {
        m_model->setData(m_model->index(5, 4), QStringLiteral("Edited"));
        m_model->submitAll();
        paint();
    }

    LogProbe m_probe;
    QSqlDatabase m_db;
    std::unique_ptr<QSqlTableModel> m_model;
    std::unique_ptr<QTableView> m_view;
};

} // namespace

std::unique_ptr<LogVariant> makeQtSqlModelVariant(const QString& file, const LogProbe& probe) {
    return std::make_unique<QtSqlModelVariant>(file, probe);
}
