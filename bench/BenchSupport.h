#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <QStringList>

class QAbstractItemView;

// Small helpers shared by the benchmarks: statistics over samples, the process's own resource
// figures, and a millisecond stopwatch.
namespace BenchSupport {

double median(QList<double> samples);
double percentile(QList<double> samples, double fraction);
double maximum(const QList<double>& samples);

// Peak resident memory of this process in kB (VmHWM).
qint64 peakResidentKb();
// CPU time (user + system) of this process in milliseconds.
double cpuMilliseconds();
// Context switches the process's threads asked for: each is one wake-up from a sleep.
qint64 voluntaryContextSwitches();

class Stopwatch {
public:
    Stopwatch() { m_timer.start(); }
    double elapsedMs() const { return m_timer.nsecsElapsed() / 1e6; }

private:
    QElapsedTimer m_timer;
};

QString formatMs(double ms);

// The value after NAME on the command line, or FALLBACK when it is not given.
QString option(const QStringList& args, const char* name, const QString& fallback);

// Drags the view's vertical scroll bar to fraction of its range, or presses Page Down in it; the
// caller paints.
void scrollTo(QAbstractItemView* view, double fraction);
void pageDown(QAbstractItemView* view);

// Writes the benchmarks' difference file (one hour) into the installation folder.
bool writeDifferenceFile(const QString& folder);
// Writes the difference file and makes the folder the program's installation folder.
bool useInstallationFolder(const QString& folder);

// CLOCK_MONOTONIC in nanoseconds: comparable between processes of the machine.
qint64 monotonicNs();

} // namespace BenchSupport
