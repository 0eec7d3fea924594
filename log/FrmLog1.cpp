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
    : Window(services, windows), m_dataControl(new DataControl(services.paths, this)),
      m_model(new LogTableModel(*m_dataControl, services.formats, this)), m_grid(new LogGrid(this)),
      m_buttonPanel(new QWidget(this)) {
    setObjectName(QStringLiteral("frmLog1"));
    setWindowTitle(QStringLiteral("Log1"));
    resize(DesignLook::pixels(kInnerWidth), DesignLook::pixels(kInnerHeight));

    m_grid->setModel(m_model);
    DesignLook::place(m_grid, 0, 0, kInnerWidth, kGridHeight);
    LogGridView* rows = m_grid->view();
    connect(rows, &LogGridView::rowDoubleClicked, this, &FrmLog1::gridDoubleClicked);
    connect(rows, &LogGridView::cancelRequested, this, &FrmLog1::cancelRowChanges);
    new LogAdifMenu(services, rows, [this] { refreshClicked(); });

    m_buttonPanel->setObjectName(QStringLiteral("picButtons"));
    m_buttonPanel->setAutoFillBackground(true);
    buildButtonPanel();

    connect(m_dataControl, &DataControl::moveComplete, this, &FrmLog1::recordMoved);
    // These failures arise inside the grid's own handlers (saving the row it leaves, a cell it
    // cannot take): the message waits until they have returned.
    connect(m_dataControl, &DataControl::error, this, &FrmLog1::showDataError,
            Qt::QueuedConnection);
    connect(m_model, &LogTableModel::editRefused, this, &FrmLog1::report, Qt::QueuedConnection);
    connect(m_dataControl, &DataControl::damaged, this, &FrmLog1::report, Qt::QueuedConnection);
    connect(this, &Window::unloaded, this, &FrmLog1::unloading);
    m_dataControl->setWaitObserver([](bool waiting) {
        if (waiting)
            QApplication::setOverrideCursor(Qt::BusyCursor);
        else
            QApplication::restoreOverrideCursor();
    });

    m_grid->setFocus();
}

QPushButton* FrmLog1::makeButton(const char* name, const QString& caption, int left) {
    auto* button = new QPushButton(caption, m_buttonPanel);
    button->setObjectName(QLatin1String(name));
    DesignLook::place(button, left, 0, 1095, 300);
    return button;
}

void FrmLog1::buildButtonPanel() {
    QPushButton* addButton = makeButton("cmdAdd", QStringLiteral("Aggi&ungi"), 59);
    QPushButton* updateButton = makeButton("cmdUpdate", QStringLiteral("&Aggiorna"), 1213);
    QPushButton* removeButton = makeButton("cmdDelete", QStringLiteral("&Elimina"), 2367);
    QPushButton* refreshButton = makeButton("cmdRefresh", QStringLiteral("&Rivisualizza"), 3521);
    QPushButton* closeButton = makeButton("cmdClose", QStringLiteral("&Chiudi"), 4675);
    QPushButton* searchButton = makeButton("Command1", QStringLiteral("Cerca"), 8280);

    const auto addBox = [this](const char* name, int left, int width, int height) {
        auto* box = new QLineEdit(m_buttonPanel);
        box->setObjectName(QLatin1String(name));
        DesignLook::place(box, left, 0, width, height);
        return box;
    };
    m_dateBuffer = addBox("Text1", 9600, 495, 285);
    m_startBuffer = addBox("Text2", 10200, 495, 285);
    m_endBuffer = addBox("Text3", 10800, 495, 285);
    for (QLineEdit* buffer : {m_dateBuffer, m_startBuffer, m_endBuffer}) {
        buffer->setText(buffer->objectName());
        buffer->hide();
    }
    m_searchBox = addBox("Text4", 7080, 1095, 300);
    DesignLook::paint(m_searchBox, kLightCyan);
    m_searchBox->setFont(DesignLook::font(QStringLiteral("Arial"), 9.75, true));

    QPushButton* resetButton = makeButton("Command2", QStringLiteral("Reset"), 5880);

    QWidget* previous = m_grid;
    for (QWidget* next : std::initializer_list<QWidget*>{
             addButton, updateButton, removeButton, refreshButton, closeButton, searchButton,
             m_dateBuffer, m_startBuffer, m_endBuffer, m_searchBox, resetButton}) {
        setTabOrder(previous, next);
        previous = next;
    }

    connect(addButton, &QPushButton::clicked, this, &FrmLog1::addClicked);
    connect(updateButton, &QPushButton::clicked, this, &FrmLog1::updateClicked);
    connect(removeButton, &QPushButton::clicked, this, &FrmLog1::deleteClicked);
    connect(refreshButton, &QPushButton::clicked, this, &FrmLog1::refreshClicked);
    connect(closeButton, &QPushButton::clicked, this, &FrmLog1::unload);
    connect(searchButton, &QPushButton::clicked, this, &FrmLog1::searchClicked);
    connect(resetButton, &QPushButton::clicked, this, &FrmLog1::resetClicked);
}

void FrmLog1::load() {
    if (!m_dataControl->refresh())
        showDataError(m_dataControl->lastError());
}

void FrmLog1::resizeEvent(QResizeEvent* event) {
    Window::resizeEvent(event);
    const int panel = DesignLook::pixels(kPanelHeight);
    m_buttonPanel->setGeometry(0, height() - panel, width(), panel);
    // In twips and single precision. A height that comes out negative (a very low or minimised
    // window) is skipped: the grid keeps the height it has.
    const float inner = float(height()) * 15.0f;
    const float grid = inner - float(m_dataControl->height()) - float(kGap) - float(kPanelHeight);
    const int gridHeight = grid < 0.0f ? m_grid->height() : qRound(grid / 15.0f);
    m_grid->setGeometry(0, 0, width(), gridHeight);
}

void FrmLog1::report(const QString& description) {
    services().dialogs.message(description);
}

void FrmLog1::addClicked() {
    m_grid->view()->commitEdit();
    RecordSet& records = m_dataControl->recordSet();
    if (!records.moveLast()) {
        report(records.lastError());
        return;
    }
    m_grid->setFocus();
    services().keystroke.sendDown();
}

void FrmLog1::updateClicked() {
    m_grid->view()->commitEdit();
    RecordSet& records = m_dataControl->recordSet();
    if (!records.updateBatch())
        report(records.lastError());
}

void FrmLog1::deleteClicked() {
    m_grid->view()->commitEdit();
    RecordSet& records = m_dataControl->recordSet();
    if (!records.deleteCurrent() || !records.moveNext() || (records.isEof() && !records.moveLast()))
        report(records.lastError());
}

void FrmLog1::refreshClicked() {
    m_grid->view()->commitEdit();
    if (!m_dataControl->refresh())
        report(m_dataControl->lastError());
}

void FrmLog1::searchClicked() {
    m_grid->view()->commitEdit();
    m_dataControl->setRecordSource(LogQueries::search(m_searchBox->text()));
    if (!m_dataControl->refresh())
        report(m_dataControl->lastError());
}

void FrmLog1::resetClicked() {
    m_grid->view()->commitEdit();
    m_searchBox->setText(QString());
    m_dataControl->setRecordSource(LogQueries::reset());
    if (!m_dataControl->refresh())
        report(m_dataControl->lastError());
}

void FrmLog1::gridDoubleClicked() {
    if (m_model->currentRow() < 0 || !m_model->columnText(LogColumns::kName).isEmpty())
        return;
    const CapturedTimes* clock = windows().capturedTimes();
    if (!clock)
        return; // its load failed and went to the common error path
    // The start clock's own date; the PC's while no shifted clock has ticked yet.
    const QDate startDate = clock->startDate();
    m_dateBuffer->setText(services().formats.dateText(
        startDate.isValid() ? startDate : services().clock.now().date()));
    m_startBuffer->setText(clock->startText());
    m_endBuffer->setText(clock->stopText());
    // Columns 0 to 2: date, start, end. A cell the log refuses is reported by the model, and
    // the transfer stops there.
    const std::array<const QLineEdit*, 3> buffers{m_dateBuffer, m_startBuffer, m_endBuffer};
    for (int column = 0; column < int(buffers.size()); ++column) {
        if (!m_model->setColumnText(column, buffers[column]->text()))
            return;
    }
}

void FrmLog1::recordMoved() {
    m_dataControl->setCaption(QStringLiteral("Record: ") +
                              QString::number(m_dataControl->recordSet().absolutePosition()));
}

void FrmLog1::showDataError(const QString& description) {
    services().dialogs.message(QStringLiteral("Data error event hit err:") + description);
}

void FrmLog1::cancelRowChanges() {
    m_dataControl->recordSet().cancelCurrent();
}

bool FrmLog1::queryUnload() {
    m_grid->view()->commitEdit();
    RecordSet& records = m_dataControl->recordSet();
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

void FrmLog1::unloading() {
    // Nothing is pending any more (queryUnload wrote or dropped it): this only lets go of the log
    // file.
    m_dataControl->close();
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}
