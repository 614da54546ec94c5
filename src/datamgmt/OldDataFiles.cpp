#include "datamgmt/OldDataFiles.h"

#include "platform/basic/Basic.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStorageInfo>

namespace vh {

namespace {

// cp1252 differs from Latin-1 only in 0x80 to 0x9F; the five bytes it leaves
// undefined keep their Latin-1 control code, as the platform decodes them.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Fields of one record; the record is always full length (OldRecord pads it).
class Fields {
public:
    explicit Fields(QByteArray record) : r_(std::move(record)) {}
    int16_t integer(int offset) const
    {
        const auto lo = uint8_t(r_[offset]);
        const auto hi = uint8_t(r_[offset + 1]);
        return int16_t(uint16_t(lo | (hi << 8)));
    }
    QString raw(int offset, int width) const { return DecodeOldText(QByteArrayView(r_).sliced(offset, width)); }
    QString text(int offset, int width) const { return Trim(raw(offset, width)); }
    char code(int offset) const { return r_[offset]; }

private:
    QByteArray r_;
};

template <class Row, class Read>
std::vector<Row> readAll(const QByteArray& file, int recordLength, Read read)
{
    std::vector<Row> rows;
    const qsizetype n = OldRecordCount(file.size(), recordLength);
    rows.reserve(size_t(n));
    for (qsizetype k = 1; k <= n; ++k)
        rows.push_back(read(Fields(OldRecord(file, recordLength, k))));
    return rows;
}

}  // namespace

QString DecodeOldText(QByteArrayView bytes)
{
    QString s(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = uint8_t(bytes[i]);
        if (b == 0)
            s[i] = QLatin1Char(' ');
        else if (b >= 0x80 && b < 0xA0)
            s[i] = QChar(kCp1252High[b - 0x80]);
        else
            s[i] = QChar(b);
    }
    return s;
}

qsizetype OldRecordCount(qsizetype fileLength, int recordLength)
{
    if (fileLength <= 0 || recordLength <= 0)
        return 0;
    const qsizetype whole = fileLength / recordLength;
    const qsizetype rest2 = 2 * (fileLength % recordLength);
    if (rest2 > recordLength || (rest2 == recordLength && whole % 2 == 1))
        return whole + 1;
    return whole;
}

QByteArray OldRecord(const QByteArray& file, int recordLength, qsizetype n)
{
    QByteArray r(recordLength, '\0');
    const qsizetype start = (n - 1) * recordLength;
    if (n >= 1 && start < file.size()) {
        const qsizetype len = std::min<qsizetype>(recordLength, file.size() - start);
        std::copy_n(file.constData() + start, len, r.data());
    }
    return r;
}

std::optional<std::vector<OldTeam>> ReadOldTeamList(const QByteArray& file)
{
    if (file.size() != qsizetype(OldTeamCount) * OldRecordLength::TeamList)
        return std::nullopt;
    return readAll<OldTeam>(file, OldRecordLength::TeamList,
                            [](const Fields& f) { return OldTeam{f.text(0, 25), f.text(25, 10)}; });
}

std::optional<OldSettings> ReadOldSettings(const QByteArray& file)
{
    if (OldRecordCount(file.size(), OldRecordLength::Settings) < 1)
        return std::nullopt;
    const Fields f(OldRecord(file, OldRecordLength::Settings, 1));
    OldSettings s;
    for (int k = 0; k < OldGameTypeCount; ++k) {
        const QString name = f.raw(292 + 10 * k, 10);
        if (name.left(9).toUpper() != QLatin1String("GAME TYPE"))
            s.gameTypeNames[size_t(k)] = name;
    }
    for (int k = 0; k < OldUserCatCount; ++k) {
        s.playerCategories[size_t(k)] = f.raw(512 + 3 * k, 3);
        s.goalieCategories[size_t(k)] = f.raw(577 + 3 * k, 3);
    }
    return s;
}

std::optional<std::vector<OldPlayerName>> ReadOldPlayerNames(const QByteArray& file)
{
    if (file.size() % OldRecordLength::PlayerName != 0)
        return std::nullopt;
    return readAll<OldPlayerName>(file, OldRecordLength::PlayerName,
                                  [](const Fields& f) { return OldPlayerName{f.integer(0), f.text(2, 17)}; });
}

std::vector<OldPlayerInfo> ReadOldPlayerInfo(const QByteArray& file)
{
    return readAll<OldPlayerInfo>(file, OldRecordLength::PlayerInfo, [](const Fields& f) {
        OldPlayerInfo p;
        p.slot = f.integer(0);
        p.homePhone = f.text(2, 20);
        p.address1 = f.text(22, 40);
        p.address2 = f.text(62, 40);
        p.city = f.text(102, 20);
        p.state = f.text(142, 5);
        p.zip = f.text(167, 10);
        p.note = f.text(197, 70);
        return p;
    });
}

std::vector<OldGame> ReadOldGames(const QByteArray& file)
{
    return readAll<OldGame>(file, OldRecordLength::Game, [](const Fields& f) {
        OldGame g;
        g.gameNumber = f.integer(0);
        g.code = f.code(2);
        g.dateDigits = f.raw(3, 6);
        g.location = f.text(9, 20);
        g.opponent = f.text(29, 25);
        // Pairs from offset 54: the opponent's goals first, then the team's.
        for (int p = 0; p < 5; ++p) {
            g.oppGoals[size_t(p)] = f.integer(54 + 4 * p);
            g.goals[size_t(p)] = f.integer(56 + 4 * p);
        }
        g.pp = f.integer(74);
        g.ppg = f.integer(76);
        g.sh = f.integer(78);
        g.kills = f.integer(80);
        g.notes = f.text(82, 58);
        g.gameTypeCode = f.code(140);
        g.homeCode = f.code(141);
        g.overtime = f.integer(143);
        return g;
    });
}

std::vector<OldStatRow> ReadOldStats(const QByteArray& file)
{
    return readAll<OldStatRow>(file, OldRecordLength::PlayerStats, [](const Fields& f) {
        OldStatRow s;
        s.gameNumber = f.integer(0);
        s.slot = f.integer(2);
        s.kind = f.code(4);
        s.code = f.code(5);
        s.gameTypeCode = f.code(6);
        for (int k = 0; k < OldCounterCount; ++k)
            s.counters[size_t(k)] = f.integer(8 + 2 * k);
        return s;
    });
}

std::optional<QDate> OldGameDate(const QString& dateDigits)
{
    if (dateDigits.size() != 6 || !std::all_of(dateDigits.begin(), dateDigits.end(), [](QChar c) {
            return c >= QLatin1Char('0') && c <= QLatin1Char('9');
        }))
        return std::nullopt;
    const int first = dateDigits.left(2).toInt();
    const int second = dateDigits.mid(2, 2).toInt();
    const int yy = dateDigits.mid(4, 2).toInt();
    // The year is always the last pair; day and month come in the region's
    // order (month first without a region).
    const QLocale loc;
    const QString fmt = loc.dateFormat(QLocale::ShortFormat);
    const bool dayFirst = loc.language() != QLocale::C && fmt.indexOf(QLatin1Char('d')) >= 0 &&
                          fmt.indexOf(QLatin1Char('d')) < fmt.indexOf(QLatin1Char('M'));
    const QDate d(yy < 30 ? 2000 + yy : 1900 + yy, dayFirst ? second : first, dayFirst ? first : second);
    if (!d.isValid())
        return std::nullopt;
    return d;
}

QString OldTeamListFileName() { return QStringLiteral("QNTEAMS.DAT"); }
QString OldSettingsFileName() { return QStringLiteral("MUQN.INI"); }

QString OldTeamFileName(const char* prefix, int oldTeamNumber)
{
    return QLatin1String(prefix) + QString::number(oldTeamNumber) + QStringLiteral(".DAT");
}

QString FindFileNoCase(const QString& folder, const QString& name)
{
    const QDir dir(folder);
    if (QFileInfo(dir.filePath(name)).isFile())
        return dir.filePath(name);
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& e : entries)
        if (e.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(e);
    return {};
}

QByteArray ReadFileBytes(const QString& path)
{
    if (path.isEmpty())
        return {};
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

QStringList OldDriveRoots()
{
    QStringList roots;
    const QString configured = qEnvironmentVariable("VELLORAN_OLD_DRIVES");
    if (!configured.isEmpty()) {
        for (const QString& r : configured.split(QLatin1Char(':'), Qt::SkipEmptyParts))
            roots << QDir::cleanPath(r);
        return roots;
    }
    roots << QStringLiteral("/");
    for (const QStorageInfo& v : QStorageInfo::mountedVolumes()) {
        if (!v.isValid() || !v.isReady())
            continue;
        const QString root = QDir::cleanPath(v.rootPath());
        if (!roots.contains(root))
            roots << root;
    }
    return roots;
}

QString FindOldSettingsFile(const QStringList& driveRoots)
{
    for (const QString& root : driveRoots) {
        const QDir drive(root);
        QString windows;
        for (const QString& e : drive.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            if (e.compare(QLatin1String("WINDOWS"), Qt::CaseInsensitive) == 0) {
                windows = drive.filePath(e);
                break;
            }
        if (windows.isEmpty())
            continue;
        const QString path = FindFileNoCase(windows, OldSettingsFileName());
        if (!path.isEmpty() && ReadOldSettings(ReadFileBytes(path)))
            return path;
    }
    return {};
}

}  // namespace vh
