#include "log/FrmLog1.h"

#include "app/Windows.h"
#include "clock/CapturedTimes.h"
#include "log/DataControl.h"
#include "log/LogAdifMenu.h"
#include "log/LogColumns.h"
#include "log/LogGrid.h"
#include "log/LogGridView.h"
#include "log/LogQueries.h"
#include "log/LogTableModel.h"
#include "log/RecordSet.h"
#include "platform/Clock.h"
#include "platform/DesignLook.h"
#include "platform/Dialogs.h"
#include "platform/Keystroke.h"
#include "platform/RegionalFormats.h"
#include "platform/Services.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include <array>

namespace {

constexpr int kInnerWidth = 11370; // twips
constexpr int kInnerHeight = 4245; // twips
constexpr int kGridHeight = 3735;  // twips, at design time
constexpr int kGap = 30;           // twips between the grid and the data control
constexpr int kPanelHeight = 300;  // twips
const QColor kLightCyan(192, 255, 255);

} // namespace

FrmLog1::FrmLog1(Services& services, Windows& windows)
    : Window(services, windows), m_datPrimaryRS(new DataControl(services.paths, this)),
      m_model(new LogTableModel(*m_datPrimaryRS, services.formats, this)),
      m_grdDataGrid(new LogGrid(this)), m_picButtons(new QWidget(this)) {
    setObjectName(QStringLiteral("frmLog1"));
    setWindowTitle(QStringLiteral("Log1"));
    resize(DesignLook::pixels(kInnerWidth), DesignLook::pixels(kInnerHeight));

    m_grdDataGrid->setModel(m_model);
    DesignLook::place(m_grdDataGrid, 0, 0, kInnerWidth, kGridHeight);
    LogGridView* rows = m_grdDataGrid->view();
    connect(rows, &LogGridView::rowDoubleClicked, this, &FrmLog1::grdDataGridDblClick);
    connect(rows, &LogGridView::cancelRequested, this, &FrmLog1::cancelRowChanges);
    new LogAdifMenu(services, rows, [this] { cmdRefreshClick(); });

    m_picButtons->setObjectName(QStringLiteral("picButtons"));
    m_picButtons->setAutoFillBackground(true);
    buildButtonPanel();

    connect(m_datPrimaryRS, &DataControl::moveComplete, this, &FrmLog1::datPrimaryRSMoveComplete);
    // These failures arise inside the grid's own handlers (saving the row it leaves, a cell it
    // cannot take): the message waits until they have returned.
    connect(m_datPrimaryRS, &DataControl::error, this, &FrmLog1::datPrimaryRSError,
            Qt::QueuedConnection);
    connect(m_model, &LogTableModel::editRefused, this, &FrmLog1::report, Qt::QueuedConnection);
    connect(m_datPrimaryRS, &DataControl::damaged, this, &FrmLog1::report, Qt::QueuedConnection);
    connect(this, &Window::unloaded, this, &FrmLog1::unloadHandler);
    m_datPrimaryRS->setWaitObserver([](bool waiting) {
        if (waiting)
            QApplication::setOverrideCursor(Qt::BusyCursor);
        else
            QApplication::restoreOverrideCursor();
    });

    m_grdDataGrid->setFocus();
}

QPushButton* FrmLog1::addButton(const char* name, const QString& caption, int left) {
    auto* button = new QPushButton(caption, m_picButtons);
    button->setObjectName(QLatin1String(name));
    DesignLook::place(button, left, 0, 1095, 300);
    return button;
}

void FrmLog1::buildButtonPanel() {
    QPushButton* cmdAdd = addButton("cmdAdd", QStringLiteral("Aggi&ungi"), 59);
    QPushButton* cmdUpdate = addButton("cmdUpdate", QStringLiteral("&Aggiorna"), 1213);
    QPushButton* cmdDelete = addButton("cmdDelete", QStringLiteral("&Elimina"), 2367);
    QPushButton* cmdRefresh = addButton("cmdRefresh", QStringLiteral("&Rivisualizza"), 3521);
    QPushButton* cmdClose = addButton("cmdClose", QStringLiteral("&Chiudi"), 4675);
    QPushButton* command1 = addButton("Command1", QStringLiteral("Cerca"), 8280);

    const auto addBox = [this](const char* name, int left, int width, int height) {
        auto* box = new QLineEdit(m_picButtons);
        box->setObjectName(QLatin1String(name));
        DesignLook::place(box, left, 0, width, height);
        return box;
    };
    m_text1 = addBox("Text1", 9600, 495, 285);
    m_text2 = addBox("Text2", 10200, 495, 285);
    m_text3 = addBox("Text3", 10800, 495, 285);
    for (QLineEdit* buffer : {m_text1, m_text2, m_text3}) {
        buffer->setText(buffer->objectName());
        buffer->hide();
    }
    m_text4 = addBox("Text4", 7080, 1095, 300);
    DesignLook::paint(m_text4, kLightCyan);
    m_text4->setFont(DesignLook::font(QStringLiteral("Arial"), 9.75, true));

    QPushButton* command2 = addButton("Command2", QStringLiteral("Reset"), 5880);

    QWidget* previous = m_grdDataGrid;
    for (QWidget* next :
         std::initializer_list<QWidget*>{cmdAdd, cmdUpdate, cmdDelete, cmdRefresh, cmdClose,
                                         command1, m_text1, m_text2, m_text3, m_text4, command2}) {
        setTabOrder(previous, next);
        previous = next;
    }

    connect(cmdAdd, &QPushButton::clicked, this, &FrmLog1::cmdAddClick);
    connect(cmdUpdate, &QPushButton::clicked, this, &FrmLog1::cmdUpdateClick);
    connect(cmdDelete, &QPushButton::clicked, this, &FrmLog1::cmdDeleteClick);
    connect(cmdRefresh, &QPushButton::clicked, this, &FrmLog1::cmdRefreshClick);
    connect(cmdClose, &QPushButton::clicked, this, &FrmLog1::unload);
    connect(command1, &QPushButton::clicked, this, &FrmLog1::command1Click);
    connect(command2, &QPushButton::clicked, this, &FrmLog1::command2Click);
}

void FrmLog1::load() {
    if (!m_datPrimaryRS->refresh())
        datPrimaryRSError(m_datPrimaryRS->lastError());
}

void FrmLog1::resizeEvent(QResizeEvent* event) {
    Window::resizeEvent(event);
    const int panel = DesignLook::pixels(kPanelHeight);
    m_picButtons->setGeometry(0, height() - panel, width(), panel);
    // In twips and single precision. A height that comes out negative (a very low or minimised
    // window) is skipped: the grid keeps the height it has.
    const float inner = float(height()) * 15.0f;
    const float grid = inner - float(m_datPrimaryRS->height()) - float(kGap) - float(kPanelHeight);
    const int gridHeight = grid < 0.0f ? m_grdDataGrid->height() : qRound(grid / 15.0f);
    m_grdDataGrid->setGeometry(0, 0, width(), gridHeight);
}

void FrmLog1::report(const QString& description) {
    services().dialogs.message(description);
}

void FrmLog1::cmdAddClick() {
    m_grdDataGrid->view()->commitEdit();
    RecordSet& records = m_datPrimaryRS->recordSet();
    if (!records.moveLast()) {
        report(records.lastError());
        return;
    }
    m_grdDataGrid->setFocus();
    services().keystroke.sendDown();
}

void FrmLog1::cmdUpdateClick() {
    m_grdDataGrid->view()->commitEdit();
    RecordSet& records = m_datPrimaryRS->recordSet();
    if (!records.updateBatch())
        report(records.lastError());
}

void FrmLog1::cmdDeleteClick() {
    m_grdDataGrid->view()->commitEdit();
    RecordSet& records = m_datPrimaryRS->recordSet();
    if (!records.deleteCurrent() || !records.moveNext() || (records.isEof() && !records.moveLast()))
        report(records.lastError());
}

void FrmLog1::cmdRefreshClick() {
    m_grdDataGrid->view()->commitEdit();
    if (!m_datPrimaryRS->refresh())
        report(m_datPrimaryRS->lastError());
}

void FrmLog1::command1Click() {
    m_grdDataGrid->view()->commitEdit();
    m_datPrimaryRS->setRecordSource(LogQueries::search(m_text4->text()));
    if (!m_datPrimaryRS->refresh())
        report(m_datPrimaryRS->lastError());
}

void FrmLog1::command2Click() {
    m_grdDataGrid->view()->commitEdit();
    m_text4->setText(QString());
    m_datPrimaryRS->setRecordSource(LogQueries::reset());
    if (!m_datPrimaryRS->refresh())
        report(m_datPrimaryRS->lastError());
}

void FrmLog1::grdDataGridDblClick() {
    if (m_model->currentRow() < 0 || !m_model->columnText(LogColumns::kName).isEmpty())
        return;
    const CapturedTimes* clock = windows().capturedTimes();
    if (!clock)
        return; // its load failed and went to the common error path
    // The start clock's own date; the PC's while no shifted clock has ticked yet.
    const QDate startDate = clock->startDate();
    m_text1->setText(services().formats.dateText(
        startDate.isValid() ? startDate : services().clock.now().date()));
    m_text2->setText(clock->startText());
    m_text3->setText(clock->stopText());
    // Columns 0 to 2: date, start, end. A cell the log refuses is reported by the model, and
    // the transfer stops there.
    const std::array<const QLineEdit*, 3> buffers{m_text1, m_text2, m_text3};
    for (int column = 0; column < int(buffers.size()); ++column) {
        if (!m_model->setColumnText(column, buffers[column]->text()))
            return;
    }
}

void FrmLog1::datPrimaryRSMoveComplete() {
    m_datPrimaryRS->setCaption(QStringLiteral("Record: ") +
                               QString::number(m_datPrimaryRS->recordSet().absolutePosition()));
}

void FrmLog1::datPrimaryRSError(const QString& description) {
    services().dialogs.message(QStringLiteral("Data error event hit err:") + description);
}

void FrmLog1::cancelRowChanges() {
    m_datPrimaryRS->recordSet().cancelCurrent();
}

bool FrmLog1::queryUnload() {
    m_grdDataGrid->view()->commitEdit();
    RecordSet& records = m_datPrimaryRS->recordSet();
    if (!records.hasPendingChanges() || records.updateBatch())
        return true;
    // The operator may always leave: the question says what is lost.
    const bool discard = services().dialogs.question(
        records.lastError() +
        QStringLiteral("\n\nDiscard the changes not saved and close the log window? Choose No "
                       "to go back to them."));
    if (discard)
        records.cancelBatch();
    return discard;
}

void FrmLog1::unloadHandler() {
    // Nothing is pending any more (queryUnload wrote or dropped it): this only lets go of the log
    // file.
    m_datPrimaryRS->close();
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}
