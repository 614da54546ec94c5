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

std::function<void(const QString&)>& copiedHook()
{
    static std::function<void(const QString&)> hook;
    return hook;
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

QString ForeignTable(Database& program, Database& file)
{
    const QStringList own = DataTableNames(program);
    QStringList kept;  // the tables SQLite keeps for a full-text or other virtual table
    file.forEachRow(QStringLiteral("select name from pragma_table_list where schema = 'main' and type = 'shadow'"), {},
                    [&](const RowView& row) { kept << row.text(0); });
    for (const QString& table : DataTableNames(file))
        if (!own.contains(table, Qt::CaseInsensitive) && !kept.contains(table))
            return QStringLiteral("Its table %1 is not a table of Velloran for Hockey.").arg(table);
    return {};
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
    case Err::DiskIo:
        return QStringLiteral("The disk failed while it was read.");
    default:
        // The engine's text names the copy and speaks of queries.
        return QStringLiteral("It is not a database Velloran for Hockey can read.");
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

DatabaseCheckResult CheckMainDatabaseFile(const QString& path, Database* program)
{
    std::unique_ptr<Database> db;
    try {
        db = Database::open(path, DatabaseConnect(), Database::Access::ReadOnly);
        if (const QString damage = DamageOf(*db); !damage.isEmpty())
            return {DatabaseCheck::CannotOpen, damage};
        if (const QString code = StoredCode(*db); !code.isEmpty())
            return {DatabaseCheck::Foreign, code};
        // What a table of its own holds is no matter: the table is refused.
        if (const QString table = program ? ForeignTable(*program, *db) : QString(); !table.isEmpty())
            return {DatabaseCheck::Foreign, table};
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
    // A link that leads nowhere is as good as missing; one to a device or a
    // pipe leads to something that is no file to copy.
    if (!file.exists())
        throw RuntimeError(Err::FileNotFound, QStringLiteral("It could not be found."));
    if (!file.isFile())
        throw RuntimeError(Err::FileNotFound, QStringLiteral("It is not a file that holds data."));
    if (!file.isReadable())
        throw RuntimeError(Err::PathFileAccess, QStringLiteral("Your user account may not read it."));
    bool tookIn = false;
    try {
        for (const char* side : kChangeLogs)
            if (QFileInfo(source + QLatin1String(side)).isFile())
                copyFileChecked(source + QLatin1String(side), path() + QLatin1String(side), {}, kOwnerOnly);
        copyFileChecked(source, path(), {}, kOwnerOnly);
        if (copiedHook())
            copiedHook()(path());
        tookIn = takeIn();
    } catch (const RuntimeError& e) {
        throw RuntimeError(e.number(), ReadingFailure(e, dataFolder));
    }
    // A log left beside the copy holds changes the copy lacks.
    if (tookIn && QFileInfo::exists(path() + QStringLiteral("-wal")))
        throw RuntimeError(Err::PathFileAccess,
                           QStringLiteral("The changes in its write-ahead log %1-wal could not be read.").arg(source));
}

void ReadingCopy::setCopiedHook(std::function<void(const QString&)> hook) { copiedHook() = std::move(hook); }

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
    // Read through a connection of its own, not attached: SQLite attaches no
    // file of another text encoding, and each value is bound as it is.
    const std::unique_ptr<Database> from = Database::open(backup, DatabaseConnect(), Database::Access::ReadOnly);
    Transaction t(*db);
    for (const QString& table : DataTableNames(*db)) {
        QStringList names;
        for (const FieldInfo& f : db->tableFields(table))
            names << quoted(f.name);
        // The row numbers come along: lists that show rows in stored order
        // show them as before. A table made without them has none to give.
        bool numbered = true;
        try {
            from->prepare(QStringLiteral("select rowid from %1").arg(quoted(table)));
        } catch (const RuntimeError&) {
            numbered = false;
        }
        if (numbered)
            names.prepend(QStringLiteral("rowid"));
        const QString fields = names.join(QStringLiteral(", "));
        // The shipped rows (options, formats, game types) give way to the back-up's.
        db->execute(QStringLiteral("delete from %1").arg(quoted(table)));
        CopyRows(*from, QStringLiteral("select %1 from %2").arg(fields, quoted(table)), *db,
                 QStringLiteral("insert into %1 (%2) values (%3)")
                     .arg(quoted(table), fields, QStringList(names.size(), QStringLiteral("?")).join(QLatin1Char(','))));
    }
    t.commit();
    db->close();
}

}  // namespace vh
