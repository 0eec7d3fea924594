// Lays out the installation folder: the folder itself, an empty log database and a difference
// file holding 00.00.00. Files that exist are never touched.
#include "log/LogSchema.h"
#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace {

QTextStream& out() {
    static QTextStream stream(stdout);
    return stream;
}

QTextStream& err() {
    static QTextStream stream(stderr);
    return stream;
}

bool createDifferenceFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly) || file.write("00.00.00") != 8 ||
        !file.flush()) {
        err() << "tempora-init: cannot create " << path << ": " << file.errorString() << Qt::endl;
        return false;
    }
    out() << "created " << path << Qt::endl;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const Paths paths = Paths::fromEnvironment();
    const QString folder = paths.installationFolder();
    if (!QDir().mkpath(folder)) {
        err() << "tempora-init: cannot create the folder " << folder << Qt::endl;
        return 1;
    }

    bool ok = true;
    const QString log = paths.resolve(QStringLiteral("C:\\Programmi\\Tempora\\Tempora.mdb"));
    if (QFileInfo::exists(log)) {
        out() << "kept " << log << Qt::endl;
    } else {
        LogSchema schema;
        if (schema.create(log)) {
            out() << "created " << log << Qt::endl;
        } else {
            err() << "tempora-init: " << schema.lastError() << Qt::endl;
            ok = false;
        }
    }

    const QString difference =
        paths.resolve(QStringLiteral("C:\\Programmi\\Tempora\\Savetime.TXT"));
    if (QFileInfo::exists(difference))
        out() << "kept " << difference << Qt::endl;
    else
        ok = createDifferenceFile(difference) && ok;
    return ok ? 0 : 1;
}
