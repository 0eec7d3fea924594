#include "LogGenerator.h"

#include "log/LogSchema.h"

#include <QDate>
#include <QDir>
#include <QFile>

#include <array>
#include <random>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace {

constexpr std::array kPrefixes = {"I",  "IK", "IZ", "IW", "DL", "DJ", "G",  "M",  "F",   "EA",
                                  "W",  "K",  "N",  "JA", "VK", "UA", "SP", "OK", "HB9", "PA",
                                  "ON", "LU", "PY", "ZS", "VE", "OH", "SM", "LA", "YO",  "9A"};
constexpr std::array kNames = {"Mario", "Giuseppe", "Hans", "John", "Pierre", "Jose",  "Ken",
                               "Ivan",  "Piotr",    "Jan",  "Bob",  "Luca",   "Anna",  "Maria",
                               "Yuki",  "Carlos",   "Erik", "Olga", "Paolo",  "Franco"};
constexpr std::array kPlaces = {"Roma",   "Milano", "Berlin", "London",  "Paris",  "Madrid",
                                "Boston", "Tokyo",  "Sydney", "Moskva",  "Warsaw", "Praha",
                                "Zurich", "Oslo",   "Lima",   "Toronto", "Napoli", "Torino"};
struct Band {
    const char* name;
    double lowMHz;
    double highMHz;
};
constexpr std::array kBands = {
    Band{"160m", 1.81, 2.0},  Band{"80m", 3.5, 3.8},     Band{"40m", 7.0, 7.2},
    Band{"30m", 10.1, 10.15}, Band{"20m", 14.0, 14.35},  Band{"17m", 18.068, 18.168},
    Band{"15m", 21.0, 21.45}, Band{"12m", 24.89, 24.99}, Band{"10m", 28.0, 29.7},
    Band{"6m", 50.0, 52.0},   Band{"2m", 144.0, 146.0}};
constexpr std::array kModes = {"SSB", "CW", "FT8", "RTTY", "FM", "PSK31"};

class Contacts {
public:
    explicit Contacts(quint64 seed) : m_random(seed) {
        for (int i = 0; i < 300; ++i)
            m_regulars.push_back(randomCall());
    }

    std::string call() {
        // A fifth of the contacts are with a few hundred stations worked again and again.
        return pick(5) == 0 ? m_regulars[pick(int(m_regulars.size()))] : randomCall();
    }
    std::string date() {
        const QDate first(1996, 1, 1);
        return first.addDays(pick(30 * 365)).toString(Qt::ISODate).toStdString();
    }
    std::string time(int* secondsOfDay) {
        *secondsOfDay = pick(86400);
        return clockText(*secondsOfDay);
    }
    static std::string clockText(int secondsOfDay) {
        char text[16];
        std::snprintf(text, sizeof text, "%02d:%02d:%02d ", secondsOfDay / 3600 % 24,
                      secondsOfDay / 60 % 60, secondsOfDay % 60);
        return text;
    }
    template <class Array> const char* any(const Array& values) {
        return values[pick(int(values.size()))];
    }
    const Band& band() { return kBands[pick(int(kBands.size()))]; }
    std::string frequency(const Band& band) {
        const double mhz = band.lowMHz + (band.highMHz - band.lowMHz) * pick(1000) / 1000.0;
        char text[16];
        std::snprintf(text, sizeof text, "%.3f", mhz);
        return text;
    }
    int pick(int count) { return int(m_random() % quint64(count)); }

private:
    std::string randomCall() {
        std::string call = any(kPrefixes);
        call += char('0' + pick(10));
        const int letters = 1 + pick(3);
        for (int i = 0; i < letters; ++i)
            call += char('A' + pick(26));
        return call;
    }

    std::mt19937_64 m_random;
    std::vector<std::string> m_regulars;
};

} // namespace

bool LogGenerator::write(const QString& filePath, int contacts) {
    LogSchema schema;
    if (!schema.create(filePath)) {
        m_lastError = schema.lastError();
        return false;
    }
    sqlite3* db = nullptr;
    sqlite3_stmt* insert = nullptr;
    const QByteArray path = QFile::encodeName(filePath);
    int rc = sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db, "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; BEGIN", nullptr,
                          nullptr, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_prepare_v2(db, "INSERT INTO Log1 VALUES (?,?,?,?,?,?,?,?,?,?,?)", -1, &insert,
                                nullptr);
    Contacts random(m_seed);
    for (int i = 0; rc == SQLITE_OK && i < contacts; ++i) {
        int start = 0;
        const Band& band = random.band();
        std::string values[11];
        values[0] = random.date();
        values[1] = random.time(&start);
        values[2] = Contacts::clockText(start + 60 + random.pick(1200));
        values[3] = random.call();
        values[4] = random.pick(10) ? random.any(kNames) : "";
        values[5] = random.pick(8) ? random.any(kPlaces) : "";
        values[6] = random.pick(20) ? "" : "BUREAU";
        values[7] = band.name;
        values[8] = random.frequency(band);
        values[9] = random.any(kModes);
        values[10] = random.pick(15) ? "" : "59 both ways";
        for (int column = 0; column < 11; ++column)
            sqlite3_bind_text(insert, column + 1, values[column].c_str(), -1, SQLITE_TRANSIENT);
        rc = sqlite3_step(insert) == SQLITE_DONE ? SQLITE_OK : SQLITE_ERROR;
        sqlite3_reset(insert);
    }
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        m_lastError = QStringLiteral("Cannot write %1: %2")
                          .arg(filePath, QString::fromUtf8(sqlite3_errmsg(db)));
    sqlite3_finalize(insert);
    sqlite3_close(db);
    return rc == SQLITE_OK;
}

QString LogGenerator::cachedLog(const QString& dataFolder, int contacts, QString* error) {
    const QString file = QStringLiteral("%1/log-%2.mdb").arg(dataFolder).arg(contacts);
    if (QFile::exists(file))
        return file;
    QDir().mkpath(dataFolder);
    const QString part = file + QStringLiteral(".part");
    QFile::remove(part);
    LogGenerator generator{quint64(contacts)};
    if (!generator.write(part, contacts) || !QFile::rename(part, file)) {
        *error = generator.lastError();
        QFile::remove(part);
        return QString();
    }
    return file;
}
