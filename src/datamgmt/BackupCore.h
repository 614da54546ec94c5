#pragma once
// Back-up and restore of the database file: which files may stand in for the
// database, and a copy that never leaves a half-written or foreign file in the
// place of a good one.

#include "platform/db/Database.h"

#include <QFile>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace vh {

// The name of the database file in the data folder and in back-up folders.
inline const QString MainDatabaseFileName = QStringLiteral("murqn.mdb");
// The shipped empty database in the data folder: the program's own tables.
inline const QString ShippedDatabaseFileName = QStringLiteral("qn20db.shell");

// A folder path ending in "/".
QString WithTrailingSlash(const QString& folder);
// True when two paths name the same folder or file, however they are written
// (links, "..", a trailing "/"). Paths that do not exist compare as written.
bool SamePath(const QString& a, const QString& b);

// A sentence naming the first trigger or view of a database (code that runs
// inside it; the program's own databases hold none), empty when it has none.
QString StoredCode(Database& db);

// The first ProgramVersion value of a database; the file is of this version
// only when it is 2.
bool HoldsVersion2(Database& db);

// "It is damaged." when SQLite's full check finds anything wrong in a
// database (a page, or an index that does not list its table's rows as they
// are); empty when it is sound.
QString DamageOf(Database& db);

// The tables of a database that hold data: all but SQLite's own and the
// password table.
QStringList DataTableNames(Database& db);

// "Its table X is not a table of Velloran for Hockey." for the first table of
// `file` that the program's own tables in `program` (OpenProgramTables) lack,
// named as the user made it: a full-text table by its own name, never by the
// tables SQLite keeps for it. Empty when it has none.
QString ForeignTable(Database& program, Database& file);

// The program's own tables and fields, as its shipped empty database in
// `dataFolder` holds them, opened only to be read: what a back-up or transfer
// file is held to, whatever the live database has come to hold. Throws a
// RuntimeError when it is missing or cannot be opened.
std::unique_ptr<Database> OpenProgramTables(const QString& dataFolder);

// Why a file taken in could not be read or opened, in sentences about "it",
// the user's file: the database layer's and the file system's own texts name
// the file they worked on, which here is the program's copy of the user's
// file in `folder`.
QString ReadingFailure(const RuntimeError& e, const QString& folder);
// "There is no room left on the disk that holds `folder`." with what to do.
QString NoRoomOnDisk(const QString& folder);

enum class DatabaseCheck {
    Ok,
    CannotOpen,    // missing, damaged, another password or not a database at all
    NotMain,       // opens, but lacks tables of the main database
    WrongVersion,  // a database of the program, but not of version 2
    Foreign,       // holds what the program never stores: a trigger, a view, a table of its own,
                   // binary data or (BackupValueProblem) a value its field cannot hold
};
struct DatabaseCheckResult {
    DatabaseCheck status = DatabaseCheck::Ok;
    QString detail;  // why it would not open (ReadingFailure) or is damaged; what a foreign file holds
};
// Whether a file is a main database of this program that opens and passes
// SQLite's full check; the file is only read. With `program` (the program's
// own tables), a table of the file's own is refused by its name (Foreign)
// before what it holds is looked at.
DatabaseCheckResult CheckMainDatabaseFile(const QString& path, Database* program = nullptr);

// Copies a database file over `target` with copyFileChecked: the copy is
// checked to open as a main database of version 2 and set to the program's
// own journal before it is renamed into place, and takes `mode` when given
// (back-up and restore give the live database's). On any failure the target
// is as it was, the temporary copy is gone and a RuntimeError says why.
void CopyDatabaseChecked(const QString& source, const QString& target,
                         std::optional<QFile::Permissions> mode = {});

// A database file of the program's own in the data folder, readable by its
// owner only (it holds rosters' addresses). Named as the program's partial
// copies are, so that a start after a cut-off run removes it; it goes, with
// its side files, when this does, also when the constructor of what is made
// of it throws.
class ScratchDatabase {
public:
    ~ScratchDatabase();
    ScratchDatabase(const ScratchDatabase&) = delete;
    ScratchDatabase& operator=(const ScratchDatabase&) = delete;
    const QString& path() const { return path_; }

protected:
    static constexpr QFile::Permissions kOwnerOnly{QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                                                   QFile::WriteUser};
    // `name` in `dataFolder`; what a cut-off run left of it is removed.
    ScratchDatabase(const QString& dataFolder, const QString& name);

private:
    QString path_;
};

// A user's database file as SQLite reads it, copied into the program's data
// folder to be checked and read there, readable by its owner only. A
// write-ahead log or rollback journal beside the file comes along, and the
// copy is opened for changes, which plays the changes they hold into it and
// leaves one file: a file only read (Database::Access::ReadOnly) is taken
// without them. The copy's indexes are then built again from its tables, so
// that a damaged index hands out no rows but the table's. The user's files
// are only read. The copy and its side files go when this does. Throws a
// RuntimeError whose description says why in sentences about the user's file
// (ReadingFailure) when the file cannot be copied, or the copy cannot be
// opened to take in its side files; nothing of the copy is then left.
class ReadingCopy : public ScratchDatabase {
public:
    ReadingCopy(const QString& source, const QString& dataFolder);
    // Test seam: called with the copy's path once the user's file and its
    // side files are copied, before they are taken in.
    static void setCopiedHook(std::function<void(const QString& copy)> hook);

private:
    bool takeIn();
};

// A back-up's rows in the program's own tables, which restore puts in place
// of the user's database: the shipped empty database copied into the data
// folder, with every row of each of its tables taken from the database file
// `backup` (a ReadingCopy, already checked) field by field, each with its row
// number, whatever text encoding the back-up was written in. What else the
// back-up's file brings (indexes, constraints, declared types, collations of
// its own) stays behind: a file made elsewhere could otherwise refuse the
// program's later writes or change how it compares names. The file goes when
// this does. Throws a RuntimeError when it cannot be written; nothing of it
// is then left.
class RestoredDatabase : public ScratchDatabase {
public:
    RestoredDatabase(const QString& backup, const QString& dataFolder);
};

}  // namespace vh
