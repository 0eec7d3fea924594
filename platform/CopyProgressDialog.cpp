#include "platform/CopyProgressDialog.h"

#include "platform/CopyLanguage.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

using CopyLanguage::text;

CopyProgressDialog::CopyProgressDialog(const QString& name, const QString& folder, QWidget* owner)
    : QDialog(owner), m_name(name), m_folder(folder), m_owner(owner), m_step(new QLabel(this)),
      m_bar(new QProgressBar(this)) {
    setWindowTitle(text("Copying...", "Copia in corso..."));
    setWindowModality(Qt::WindowModal);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(text("Cancel", "Annulla"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(this, &QDialog::rejected, this, &CopyProgressDialog::cancelRequested);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_step);
    layout->addWidget(m_bar);
    layout->addWidget(buttons);
    m_bar->setRange(0, 1000);
    showStep(DatabaseBackup::Step::Copying, 0, 0);
    if (m_owner)
        qApp->installEventFilter(this);
}

CopyProgressDialog::~CopyProgressDialog() {
    qApp->removeEventFilter(this);
}

void CopyProgressDialog::showStep(DatabaseBackup::Step step, qint64 done, qint64 total) {
    switch (step) {
    case DatabaseBackup::Step::Copying:
        m_step->setText(text("Copying \"%1\" to \"%2\"...", "Copia di \"%1\" in \"%2\" in corso...")
                            .arg(m_name, m_folder));
        break;
    case DatabaseBackup::Step::Writing:
        m_step->setText(text("Writing the copy to the medium \"%1\"...",
                             "Scrittura della copia sul supporto \"%1\" in corso...")
                            .arg(m_folder));
        break;
    case DatabaseBackup::Step::Checking:
        m_step->setText(
            text("Checking the copy on \"%1\"...", "Verifica della copia su \"%1\" in corso...")
                .arg(m_folder));
        break;
    }
    // A step that tells no amount shows a busy bar.
    m_bar->setMaximum(total > 0 ? 1000 : 0);
    m_bar->setValue(total > 0 ? int(done * 1000 / total) : 0);
}

bool CopyProgressDialog::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Close:
        break;
    default:
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || (widget != m_owner && !m_owner->isAncestorOf(widget)))
        return false;
    event->ignore();
    return true;
}
