#include "datamgmt/BackupCore.h"

#include "platform/Folders.h"
#include "platform/RuntimeError.h"
#include "shell/Startup.h"

#include <QDir>
#include <QFileInfo>

namespace vh {

namespace {

// Tables every main database has; a transfer file or another program's
// database lacks some of them.
const char* const kMainTables[] = {"Teams",         "People",       "Roster",         "GameStats",
                                   "PlayerStats",   "GoalieStats",  "Filters",        "TeamFilters",
                                   "NameYourOwnCats", "GameTypes",  "InputOrder",     "ReportNumber",
                                   "NumberOptions", "CompactCount", "ProgramVersion", "RptPlayer"};

QString canonicalOrClean(const QString& path)
{
    const QFileInfo fi(path);
    const QString c = fi.canonicalFilePath();
    return c.isEmpty() ? QFileInfo(QDir::cleanPath(fi.absoluteFilePath())).absoluteFilePath() : c;
}

}  // namespace

QString WithTrailingSlash(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

bool SamePath(const QString& a, const QString& b)
{
    auto strip = [](QString p) {
        while (p.size() > 1 && p.endsWith(QLatin1Char('/')))
            p.chop(1);
        return p;
    };
    return canonicalOrClean(strip(a)) == canonicalOrClean(strip(b));
}

bool HoldsVersion2(Database& db)
{
    Recordset rs = db.openRecordset(QStringLiteral("ProgramVersion"));
    const bool ok = !rs.eof() && !rs.isNull(QStringLiteral("ProgramVersion")) &&
                    rs.getDouble(QStringLiteral("ProgramVersion")) == 2.0;
    rs.close();
    return ok;
}

DatabaseCheckResult CheckMainDatabaseFile(const QString& path)
{
    std::unique_ptr<Database> db;
    try {
        db = Database::open(path, DatabaseConnect(), Database::Access::ReadOnly);
        if (db->scalar(QStringLiteral("PRAGMA quick_check")).toString() != QLatin1String("ok"))
            return {DatabaseCheck::CannotOpen, QStringLiteral("The file is damaged.")};
        for (const char* table : kMainTables)
            if (!db->tableExists(QLatin1String(table)))
                return {DatabaseCheck::NotMain, {}};
        return {HoldsVersion2(*db) ? DatabaseCheck::Ok : DatabaseCheck::WrongVersion, {}};
    } catch (const RuntimeError& e) {
        return {DatabaseCheck::CannotOpen, e.description()};
    }
}

void CopyDatabaseChecked(const QString& source, const QString& target)
{
    copyFileChecked(source, target, [&source](const QString& copy) {
        const DatabaseCheckResult check = CheckMainDatabaseFile(copy);
        if (check.status != DatabaseCheck::Ok)
            throw RuntimeError(Err::PathFileAccess,
                               QStringLiteral("The copy of %1 is not a sound database: %2").arg(source, check.detail));
    });
}

}  // namespace vh
