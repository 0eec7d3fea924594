#pragma once

#include "platform/DatabaseBackup.h"

#include <QDialog>

class QLabel;
class QProgressBar;

// The progress display of a log copy: names the step (copying, writing to the medium, checking)
// and how far it is, and offers Cancel (so do Escape and the close box), which emits
// cancelRequested. It belongs to owner and blocks it; until it shows, an event filter keeps owner
// from taking clicks, keys or a close, so that a copy is never started twice or its window
// destroyed under it.
class CopyProgressDialog : public QDialog {
    Q_OBJECT
public:
    CopyProgressDialog(const QString& name, const QString& folder, QWidget* owner);
    ~CopyProgressDialog() override;

    void showStep(DatabaseBackup::Step step, qint64 done, qint64 total);

signals:
    void cancelRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const QString m_name;
    const QString m_folder;
    QWidget* m_owner;
    QLabel* m_step;
    QProgressBar* m_bar;
};
