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

QString DamageOf(Database& db)
{
    return db.scalar(QStringLiteral("PRAGMA integrity_check(1)")).toString() == QLatin1String("ok")
               ? QString()
               : QStringLiteral("It is damaged.");
}

QStringList DataTableNames(Database& db)
{
    QStringList tables;
    db.forEachRow(QStringLiteral("select name from sqlite_master where type = 'table' and name not like 'sqlite\\_%' "
                                 "escape '\\' and name <> '_DbInfo' order by name"),
                  {}, [&](const RowView& row) { tables << row.text(0); });
    return tables;
}

std::unique_ptr<Database> OpenProgramTables(const QString& dataFolder)
{
    return Database::open(WithTrailingSlash(dataFolder) + ShippedDatabaseFileName, DatabaseConnect(),
                          Database::Access::ReadOnly);
}

QString NoRoomOnDisk(const QString& folder)
{
    return QStringLiteral("There is no room left on the disk that holds %1. Make room on that disk, then try again.")
        .arg(QDir::toNativeSeparators(QDir::cleanPath(folder)));
}

QString ReadingFailure(const RuntimeError& e, const QString& folder)
{
    switch (e.number()) {
    case Err::DiskFull:
        return NoRoomOnDisk(folder);
    case Err::UnrecognizedFormat:
        return QStringLiteral("It is damaged, or it is not a database.");
    case Err::InvalidPassword:
        return QStringLiteral("It is a database of another program: its password does not match.");
    case Err::InUse:
        return QStringLiteral("Another program is using it. Close that program, then try again.");
    case Err::FileNotFound:
    case Err::CannotFindFile:
    case Err::PathNotFound:
    case Err::PathFileAccess:
    case Err::NotUpdatable:
        // These texts name the copy; the user's file was found and readable.
        return QStringLiteral("It could not be copied into %1 to be read there.")
            .arg(QDir::toNativeSeparators(QDir::cleanPath(folder)));
    default:
        return QStringLiteral("Error %1: %2").arg(QString::number(e.number()), e.description());
    }
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
        if (const QString damage = DamageOf(*db); !damage.isEmpty())
            return {DatabaseCheck::CannotOpen, damage};
        if (const QString code = StoredCode(*db); !code.isEmpty())
            return {DatabaseCheck::Foreign, code};
        if (const QString where = firstBinaryValue(*db); !where.isEmpty())
            return {DatabaseCheck::Foreign, QStringLiteral("It holds binary data in %1.").arg(where)};
        for (const char* table : kMainTables)
            if (!db->tableExists(QLatin1String(table)))
                return {DatabaseCheck::NotMain, {}};
        return {HoldsVersion2(*db) ? DatabaseCheck::Ok : DatabaseCheck::WrongVersion, {}};
    } catch (const RuntimeError& e) {
        return {DatabaseCheck::CannotOpen, ReadingFailure(e, QFileInfo(path).absolutePath())};
    }
}

void CopyDatabaseChecked(const QString& source, const QString& target, std::optional<QFile::Permissions> mode)
{
    copyFileChecked(
        source, target,
        [&target](const QString& copy) {
            const DatabaseCheckResult check = CheckMainDatabaseFile(copy);
            // The copy is the program's own file: the message names the one it was to replace.
            if (check.status != DatabaseCheck::Ok)
                throw RuntimeError(Err::PathFileAccess,
                                   QStringLiteral("%1 was not replaced: its new copy is not a sound database. %2")
                                       .arg(target, check.detail));
            // Opened for changes, the copy takes the program's own journal
            // before it replaces anything (Database::open).
            Database::open(copy, DatabaseConnect())->close();
        },
        mode);
}

ScratchDatabase::ScratchDatabase(const QString& dataFolder, const QString& name)
    // No export can take the name.
    : path_(copyingName(WithTrailingSlash(dataFolder) + name))
{
    removeScratchFile(path_);
}

ScratchDatabase::~ScratchDatabase() { removeScratchFile(path_); }

ReadingCopy::ReadingCopy(const QString& source, const QString& dataFolder)
    : ScratchDatabase(dataFolder, QStringLiteral("MURQNRead.mdb"))
{
    // Said of the user's file before anything is copied: what fails later
    // fails on the copy.
    const QFileInfo file(source);
    if (file.isDir())
        throw RuntimeError(Err::FileNotFound, QStringLiteral("It is a folder, not a file."));
    if (!file.isFile())
        throw RuntimeError(Err::FileNotFound, QStringLiteral("It could not be found."));
    if (!file.isReadable())
        throw RuntimeError(Err::PathFileAccess, QStringLiteral("Your user account may not read it."));
    bool tookIn = false;
    try {
        for (const char* side : kChangeLogs)
            if (QFileInfo(source + QLatin1String(side)).isFile())
                copyFileChecked(source + QLatin1String(side), path() + QLatin1String(side), {}, kOwnerOnly);
        copyFileChecked(source, path(), {}, kOwnerOnly);
        tookIn = takeIn();
    } catch (const RuntimeError& e) {
        throw RuntimeError(e.number(), ReadingFailure(e, dataFolder));
    }
    // A log left beside the copy holds changes the copy lacks.
    if (tookIn && QFileInfo::exists(path() + QStringLiteral("-wal")))
        throw RuntimeError(Err::PathFileAccess,
                           QStringLiteral("The changes in its write-ahead log %1-wal could not be read.").arg(source));
}

// Opens the copy for changes: the first read plays a write-ahead log into it,
// and the program's own journal then takes it out of that mode (a hot journal
// is rolled back on opening). Its indexes are then built again from its
// tables. False when the copy is no database of the program, which the
// checks that read it say as for any such file.
bool ReadingCopy::takeIn()
{
    std::unique_ptr<Database> db;
    try {
        db = Database::open(path(), DatabaseConnect());
    } catch (const RuntimeError& e) {
        if (e.number() == Err::InvalidPassword || e.number() == Err::UnrecognizedFormat)
            return false;
        throw;
    }
    try {
        db->execute(QStringLiteral("REINDEX"));
    } catch (const RuntimeError& e) {
        // A file damaged beyond its indexes is refused by the full check
        // that reads the copy; a disk that fails or fills says so now.
        if (e.number() == Err::DiskFull || e.number() == Err::DiskIo || e.number() == Err::InUse)
            throw;
    }
    db->close();
    return true;
}

RestoredDatabase::RestoredDatabase(const QString& backup, const QString& dataFolder)
    : ScratchDatabase(dataFolder, QStringLiteral("MURQNRestore.mdb"))
{
    copyFileChecked(WithTrailingSlash(dataFolder) + ShippedDatabaseFileName, path(), {}, kOwnerOnly);
    const std::unique_ptr<Database> db = Database::open(path(), DatabaseConnect());
    const QStringList tables = DataTableNames(*db);
    std::vector<QString> fieldLists;
    for (const QString& table : tables) {
        QStringList names;
        for (const FieldInfo& f : db->tableFields(table))
            names << quoted(f.name);
        fieldLists.push_back(names.join(QStringLiteral(", ")));
    }
    db->execute(QStringLiteral("attach database ? as backup"), {backup});
    {
        Transaction t(*db);
        for (size_t i = 0; i < size_t(tables.size()); ++i) {
            const QString table = quoted(tables[int(i)]);
            // The row numbers come along: lists that show rows in stored
            // order show them as before. A table made without them has
            // none to give.
            bool numbered = true;
            try {
                db->prepare(QStringLiteral("select rowid from backup.%1").arg(table));
            } catch (const RuntimeError&) {
                numbered = false;
            }
            const QString rowid = numbered ? QStringLiteral("rowid, ") : QString();
            // The shipped rows (options, formats, game types) give way to the back-up's.
            db->execute(QStringLiteral("delete from main.%1").arg(table));
            db->execute(QStringLiteral("insert into main.%1 (%2%3) select %2%3 from backup.%1")
                            .arg(table, rowid, fieldLists[i]));
        }
        t.commit();
    }
    db->execute(QStringLiteral("detach database backup"));
    db->close();
}

}  // namespace vh
