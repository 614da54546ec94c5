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

QString quoted(QString name)
{
    return QLatin1Char('"') + name.replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

// Where a database holds binary data, as "Table.Field"; empty when nowhere.
QString firstBinaryValue(Database& db)
{
    QStringList tables;
    db.forEachRow(QStringLiteral("select name from sqlite_master where type = 'table' and name not like 'sqlite\\_%' "
                                 "escape '\\' order by name"),
                  {}, [&](const RowView& row) { tables << row.text(0); });
    for (const QString& table : tables) {
        QStringList anyBlob;
        for (const FieldInfo& f : db.tableFields(table))
            anyBlob << QStringLiteral("typeof(%1) = 'blob'").arg(quoted(f.name));
        if (anyBlob.isEmpty())
            continue;
        Recordset rs = db.openRecordset(QStringLiteral("select * from %1 where %2 limit 1")
                                            .arg(quoted(table), anyBlob.join(QStringLiteral(" or "))));
        if (rs.eof())
            continue;
        for (const FieldInfo& f : rs.fields())
            if (rs.value(f.name).typeId() == QMetaType::QByteArray)
                return table + QLatin1Char('.') + f.name;
    }
    return {};
}

QString canonicalOrClean(const QString& path)
{
    const QFileInfo fi(path);
    const QString c = fi.canonicalFilePath();
    return c.isEmpty() ? QFileInfo(QDir::cleanPath(fi.absoluteFilePath())).absoluteFilePath() : c;
}

// The side files SQLite keeps beside a database: changes not yet in the file
// itself (a write-ahead log) or a transaction cut off half-way (a journal).
const char* const kChangeLogs[] = {"-wal", "-journal"};

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

QString StoredCode(Database& db)
{
    const QVariant found = db.scalar(QStringLiteral("select type || ' ' || name from sqlite_master where type in "
                                                    "('trigger', 'view') order by rowid limit 1"));
    return found.isNull() ? QString()
                          : QStringLiteral("It holds code that runs inside the database: %1.").arg(found.toString());
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
        if (const QString code = StoredCode(*db); !code.isEmpty())
            return {DatabaseCheck::Foreign, code};
        if (const QString where = firstBinaryValue(*db); !where.isEmpty())
            return {DatabaseCheck::Foreign, QStringLiteral("It holds binary data in %1.").arg(where)};
        for (const char* table : kMainTables)
            if (!db->tableExists(QLatin1String(table)))
                return {DatabaseCheck::NotMain, {}};
        return {HoldsVersion2(*db) ? DatabaseCheck::Ok : DatabaseCheck::WrongVersion, {}};
    } catch (const RuntimeError& e) {
        return {DatabaseCheck::CannotOpen, e.description()};
    }
}

void CopyDatabaseChecked(const QString& source, const QString& target, std::optional<QFile::Permissions> mode)
{
    copyFileChecked(
        source, target,
        [&source](const QString& copy) {
            const DatabaseCheckResult check = CheckMainDatabaseFile(copy);
            if (check.status != DatabaseCheck::Ok)
                throw RuntimeError(Err::PathFileAccess, QStringLiteral("The copy of %1 is not a sound database: %2")
                                                            .arg(source, check.detail));
            // Opened for changes, the copy takes the program's own journal
            // before it replaces anything (Database::open).
            Database::open(copy, DatabaseConnect())->close();
        },
        mode);
}

ReadingCopy::ReadingCopy(const QString& source, const QString& dataFolder)
    // Named as the program's partial copies are, so that a start after a
    // cut-off run removes it; no export can take the name.
    : path_(copyingName(WithTrailingSlash(dataFolder) + QStringLiteral("MURQNRead.mdb")))
{
    // The file holds the rosters' addresses: private, whoever may read the original.
    const QFile::Permissions own = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;
    try {
        removeScratchFile(path_);
        bool logged = false;
        for (const char* side : kChangeLogs) {
            if (!QFileInfo(source + QLatin1String(side)).isFile())
                continue;
            copyFileChecked(source + QLatin1String(side), path_ + QLatin1String(side), {}, own);
            logged = true;
        }
        copyFileChecked(source, path_, {}, own);
        if (logged)
            takeInChangeLogs(source);
    } catch (...) {
        removeScratchFile(path_);
        throw;
    }
}

void ReadingCopy::takeInChangeLogs(const QString& source)
{
    try {
        // The first read plays the log into the copy, and the program's own
        // journal then takes the copy out of write-ahead mode.
        Database::open(path_, DatabaseConnect())->close();
    } catch (const RuntimeError& e) {
        // No database of the program, which the checks that read the copy
        // say as for any such file.
        if (e.number() == Err::InvalidPassword || e.number() == Err::UnrecognizedFormat)
            return;
        throw;
    }
    if (QFileInfo::exists(path_ + QStringLiteral("-wal")))
        throw RuntimeError(Err::PathFileAccess,
                           QStringLiteral("The changes in its write-ahead log %1-wal could not be read.").arg(source));
}

ReadingCopy::~ReadingCopy() { removeScratchFile(path_); }

}  // namespace vh
