#include "app/ProgramServices.h"

#include <QCoreApplication>
#include <QFileInfo>

ProgramServices::ProgramServices()
    : m_paths(Paths::fromEnvironment()),
      m_settings(QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName()),
      m_errors(m_dialogs),
      m_copier(m_paths, m_dialogs, m_mounts), m_services{m_clock,    m_formats, m_paths,
                                                         m_settings, m_dialogs, m_keystroke,
                                                         m_errors,   m_copier} {}
