#include "BenchServices.h"

#include <QTextStream>

BenchServices::BenchServices(Clock* clock)
    : m_paths(Paths::fromEnvironment()), m_settings(QStringLiteral("tempora-bench")),
      m_errors(m_dialogs),
      m_copier(m_paths, m_dialogs, m_mounts), m_services{clock ? *clock : m_clock,
                                                         m_formats,
                                                         m_paths,
                                                         m_settings,
                                                         m_dialogs,
                                                         m_keystroke,
                                                         m_errors,
                                                         m_copier} {}

void BenchServices::PrintingDialogs::message(const QString& text, Icon) {
    ++count;
    QTextStream(stderr) << "message: " << text << Qt::endl;
}

bool BenchServices::PrintingDialogs::question(const QString& text) {
    QTextStream(stderr) << "question answered yes: " << text << Qt::endl;
    return true;
}

int BenchServices::PrintingDialogs::choice(const QString& text, const QStringList& options) {
    QTextStream(stderr) << "choice answered \"" << options.value(0) << "\": " << text << Qt::endl;
    return 0;
}
