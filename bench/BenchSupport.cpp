#include "BenchSupport.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QScrollBar>

#include <algorithm>
#include <sys/resource.h>
#include <time.h>

namespace BenchSupport {

double percentile(QList<double> samples, double fraction) {
    if (samples.isEmpty())
        return 0;
    std::sort(samples.begin(), samples.end());
    const double position = fraction * (samples.size() - 1);
    const int below = int(position);
    const int above = std::min(below + 1, int(samples.size() - 1));
    return samples[below] + (samples[above] - samples[below]) * (position - below);
}

double median(QList<double> samples) {
    return percentile(std::move(samples), 0.5);
}

double maximum(const QList<double>& samples) {
    return samples.isEmpty() ? 0 : *std::max_element(samples.begin(), samples.end());
}

static qint64 statusField(const char* name) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QString text = QString::fromLatin1(status.readAll());
    const QRegularExpression field(QStringLiteral("^%1:\\s+(\\d+)").arg(QLatin1String(name)),
                                   QRegularExpression::MultilineOption);
    const auto match = field.match(text);
    return match.hasMatch() ? match.captured(1).toLongLong() : -1;
}

qint64 peakResidentKb() {
    return statusField("VmHWM");
}

qint64 voluntaryContextSwitches() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_nvcsw;
}

double cpuMilliseconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

bool writeDifferenceFile(const QString& folder) {
    QFile difference(folder + QStringLiteral("/Savetime.TXT"));
    return difference.open(QIODevice::WriteOnly) && difference.write("01.00.00") == 8;
}

bool useInstallationFolder(const QString& folder) {
    if (!writeDifferenceFile(folder))
        return false;
    qputenv("TEMPORA_HOME", QFile::encodeName(folder));
    return true;
}

qint64 monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

QString option(const QStringList& args, const char* name, const QString& fallback) {
    const qsizetype at = args.indexOf(QLatin1String(name));
    return at >= 0 && at + 1 < args.size() ? args[at + 1] : fallback;
}

QString formatMs(double ms) {
    if (ms >= 100)
        return QString::number(ms, 'f', 0);
    if (ms >= 1)
        return QString::number(ms, 'f', 1);
    return QString::number(ms, 'f', 3);
}

void scrollTo(QAbstractItemView* view, double fraction) {
    QScrollBar* bar = view->verticalScrollBar();
    bar->setValue(int(bar->maximum() * fraction));
}

void pageDown(QAbstractItemView* view) {
    QKeyEvent key(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
    QApplication::sendEvent(view, &key);
}

} // namespace BenchSupport
