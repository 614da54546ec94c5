#include "shell/Startup.h"

#include "platform/Folders.h"
#include "platform/MsgBox.h"
#include "platform/Runtime.h"
#include "shell/Categories.h"
#include "shell/GameTypes.h"
#include "shell/Common.h"
#include "shell/Frame.h"
#include "shell/Globals.h"
#include "shell/Help.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <cerrno>
#include <memory>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vh {

namespace {

// Kept in two parts and joined only when needed, as the program always has.
const char* const kConnectPrefix = ";PWD=";
const char* const kDbPassword = "marsh615";

void clearTable(const char* table) { Db().execute(QStringLiteral("DELETE FROM %1").arg(QLatin1String(table))); }

// The lock by which this copy of the program holds its data folder: an
// operating-system lock on the file "velloran.lock", which the system lets go
// of when the program ends in any way. A lock file a killed copy left behind
// is therefore no one's, and taking it writes nothing (the disk may be full).
struct FolderLock {
    QString path;
    int fd = -1;
};
FolderLock& folderLock()
{
    static FolderLock lock;
    return lock;
}

// Takes the lock of `path`: the descriptor, or -1 with errno set
// (EWOULDBLOCK while another copy holds it).
int lockFile(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    for (int attempt = 0; attempt < 10; ++attempt) {
        // Open for writing, though nothing is written: a network file system
        // gives an exclusive lock only on such a descriptor.
        const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0)
            return -1;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(fd);
            errno = error;
            return -1;
        }
        // The copy that held it may have removed the file in the meantime;
        // only the file the name leads to counts.
        struct stat held {}, named {};
        if (::fstat(fd, &held) == 0 && ::stat(name.constData(), &named) == 0 && held.st_dev == named.st_dev &&
            held.st_ino == named.st_ino)
            return fd;
        ::close(fd);
    }
    errno = EWOULDBLOCK;
    return -1;
}

}  // namespace

bool ClaimDataFolder(const QString& folder)
{
    FolderLock& lock = folderLock();
    const QString path = folder + QStringLiteral("velloran.lock");
    if (lock.fd >= 0 && lock.path == path)
        return true;  // Setup running again after a back-up or restore
    ReleaseDataFolder();
    if (!DirExists(folder))
        return true;  // the database check below says what is missing
    int fd = -1;
    int error = EACCES;
    if (QFileInfo(folder).isWritable()) {
        fd = lockFile(path);
        error = errno;
    }
    if (fd >= 0) {
        lock = {path, fd};
        return true;
    }
    const QString shown = QDir::toNativeSeparators(QDir::cleanPath(folder));
    if (error == EWOULDBLOCK)
        MsgBox(QStringLiteral("Velloran for Hockey is already running with the data in ") + shown +
                   QStringLiteral(".\r\rSwitch to the program that is running, or close it before you start Velloran "
                                  "for Hockey again."),
               vbExclamation, QStringLiteral("Already Running"));
    else if (error == ENOSPC || error == EDQUOT)
        MsgBox(QStringLiteral("The disk that holds the data folder ") + shown +
                   QStringLiteral(" is full, so Velloran for Hockey cannot start.\r\rMake room on that disk, then "
                                  "start Velloran for Hockey again."),
               vbExclamation, QStringLiteral("Disk Full"));
    else
        MsgBox(QStringLiteral("The data folder ") + shown +
                   QStringLiteral(" cannot be written, so Velloran for Hockey cannot keep its data there.\r\rGive "
                                  "your user account the right to change that folder, then start Velloran for "
                                  "Hockey again."),
               vbExclamation, QStringLiteral("Data Folder Not Writable"));
    return false;
}

namespace {

// A compaction builds its copy under the first name and renames it to the
// second once it is whole and checked; the second becomes murqn.bak when the
// live file holds the same bytes.
const char* const kCompacting = "murqn.compact";
const char* const kCompacted = "murqn.bak.new";

std::function<void(int)>& compactionStepHook()
{
    static std::function<void(int)> hook;
    return hook;
}
void compactionStepDone(int step)
{
    if (compactionStepHook())
        compactionStepHook()(step);
}

void setStartCounter(Database& db, int16_t counter)
{
    db.execute(QStringLiteral("update CompactCount set CompactCounter = ? where rowid = (select min(rowid) from "
                              "CompactCount)"),
               {counter});
}

// The last steps of a compaction whose copy is in the live file already: the
// previous copy becomes the older one, the new copy murqn.bak. Each step is a
// rename, and a step that is done is not done again, so the older copy
// survives however often this is cut off and run again.
void rotateCompactedCopies(const QString& folder)
{
    const QString bak = folder + QStringLiteral("murqn.bak");
    if (FileExists(bak))
        renameFileChecked(bak, folder + QStringLiteral("murqn.bak2"));
    compactionStepDone(3);
    renameFileChecked(folder + QLatin1String(kCompacted), bak);
    syncToDisk(bak);
    compactionStepDone(4);
}

bool sameBytes(const QString& a, const QString& b)
{
    QFile fa(a), fb(b);
    if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly) || fa.size() != fb.size())
        return false;
    while (!fa.atEnd())
        if (fa.read(1 << 16) != fb.read(1 << 16))
            return false;
    return true;
}

// A compaction that a kill cut off after its copy was whole: when the live
// file holds that copy, the compaction counted and its rotation is finished;
// otherwise the copy goes and the compaction runs again, with murqn.bak and
// murqn.bak2 as they were.
void finishCompaction(const QString& folder)
{
    const QString ready = folder + QLatin1String(kCompacted);
    if (!QFileInfo(ready).isFile())
        return;
    if (sameBytes(ready, folder + QStringLiteral("murqn.mdb")))
        rotateCompactedCopies(folder);
    else
        removeScratchFile(ready);
}

QString partialCopyMarker(const QString& dataFolder) { return QDir(dataFolder).filePath(QStringLiteral("copying.txt")); }

// Temporary files of a compaction, back-up, restore, export or folder copy
// that was cut off, in the program's own folders (the data root, the data
// folder and its back-up folder), and the partial copy the marker names in a
// folder the user chose; nothing else there is touched. The database's own
// journal is never among them: the next open plays it back.
void removeLeftovers(const QString& folder)
{
    // The one a back-up or export cut off left in a folder the user chose.
    if (const std::optional<QString> copy = MarkedPartialCopy(folder); copy && !QFileInfo(*copy).isDir())
        removeScratchFile(*copy);
    QFile::remove(partialCopyMarker(folder));
    for (const char* name : {kCompacting, "MURQNTemp.mdb"})
        removeScratchFile(folder + QLatin1String(name));
    const QString root = QFileInfo(QDir::cleanPath(folder)).path() + QLatin1Char('/');
    for (const QString& dir : {root, folder, folder + QStringLiteral("backup/")}) {
        const QString copies = copyingName(QStringLiteral("*"));
        const QStringList names =
            QDir(dir).entryList({copies, copies + QStringLiteral("-journal"), copies + QStringLiteral("-wal"),
                                 copies + QStringLiteral("-shm")},
                                QDir::Files | QDir::Hidden | QDir::System);
        for (const QString& name : names)
            QFile::remove(dir + name);
    }
    for (const char* name : {"murqn.mdb.part", "murqn.bak.part", "murqn.bak2.part"})
        QFile::remove(folder + QLatin1String(name));
}

// The one message for a database that cannot be used: which file, what is
// wrong with it, and what the user can do.
void explainUnopenedDatabase(const RuntimeError& e)
{
    const QString file = QDir::toNativeSeparators(g.DataFolder + QStringLiteral("murqn.mdb"));
    QString text = QStringLiteral("Velloran for Hockey cannot use its database\r") + file + QStringLiteral("\r\r");
    if (e.number() == Err::NotUpdatable) {
        text += QStringLiteral("The file is read-only, so nothing could be saved in it. Give your user account the "
                               "right to change it, then start Velloran for Hockey again.");
    } else if (e.number() == Err::InUse) {
        // The file is sound; replacing it would lose the newest data.
        text += QStringLiteral("Another program is using the file. Close that program, then start Velloran for "
                               "Hockey again.");
    } else {
        if (e.number() == Err::InvalidPassword)
            text += QStringLiteral("The file is not a database of Velloran for Hockey (its password does not match).");
        else if (e.number() == Err::UnrecognizedFormat)
            text += QStringLiteral("The file is damaged or is not a database of Velloran for Hockey.");
        else
            text += e.description();
        text += QStringLiteral("\r\rTo go on, copy murqn.bak or murqn.bak2 from the same folder over murqn.mdb (the "
                               "copies made at the last compactions), or restore the database from a back-up.");
    }
    MsgBox(text, vbExclamation, QStringLiteral("Database Not Opened"));
}

// Opens the database, or says once why it cannot be used and ends.
bool openDatabaseOrEnd()
{
    try {
        OpenMainDatabase();
        return true;
    } catch (...) {
        explainUnopenedDatabase(describeException(std::current_exception()));
        SaveOptionsAndCloseDatabase();
        return false;
    }
}

}  // namespace

QString DatabaseConnect() { return QLatin1String(kConnectPrefix) + QLatin1String(kDbPassword); }

void OpenMainDatabase()
{
    g.DbPath = g.DataFolder + QStringLiteral("murqn.mdb");
    // Windows and procedures hold the one database object while the file is
    // closed and opened again (back-up, restore, upload): it is reopened in
    // place, never replaced.
    if (g.Db)
        g.Db->reopen(g.DbPath, DatabaseConnect());
    else
        g.Db = Database::open(g.DbPath, DatabaseConnect());
    // A file cut short or damaged inside opens all the same; find out now
    // rather than at the first save.
    if (g.Db->scalar(QStringLiteral("PRAGMA quick_check(1)")).toString() != QLatin1String("ok")) {
        g.Db->close();
        throw RuntimeError(Err::UnrecognizedFormat, QStringLiteral("Unrecognized database format '%1'.").arg(g.DbPath));
    }
}

void CloseMainDatabase()
{
    std::exception_ptr failure;
    try {
        SaveOptions();
    } catch (...) {
        failure = std::current_exception();
    }
    if (g.Db)
        g.Db->close();
    if (failure)
        std::rethrow_exception(failure);
}

void ClearRptPlayer() { clearTable("RptPlayer"); }
void ClearRptGoalie() { clearTable("RptGoalie"); }
void ClearRptRecord() { clearTable("RptRecord"); }
void ClearRptScores() { clearTable("RptScores"); }
void ClearRptTeamScores() { clearTable("RptTeamScores"); }
void ClearRptStandings() { clearTable("RptStandings"); }
void ClearRptRoster() { clearTable("RptRoster"); }

void ClearReportTables()
{
    ClearRptPlayer();
    ClearRptGoalie();
    ClearRptRecord();
    ClearRptScores();
    ClearRptTeamScores();
    ClearRptStandings();
    ClearRptRoster();
}

void CompactMainDatabase(std::optional<int16_t> startCounter)
{
    const QString mdb = g.DataFolder + QStringLiteral("murqn.mdb");
    const QString fresh = g.DataFolder + QLatin1String(kCompacting);
    const QString ready = g.DataFolder + QLatin1String(kCompacted);
    const QFile::Permissions mode = fileMode(mdb);

    // A folder where a copy belongs would stop the rotation half-way: refuse
    // before anything changes.
    for (const char* name : {"murqn.bak", "murqn.bak2"}) {
        const QFileInfo copy(g.DataFolder + QLatin1String(name));
        if ((copy.exists() || copy.isSymLink()) && !copy.isFile())
            throw RuntimeError(Err::PathFileAccess, QStringLiteral("Path/File access error: %1").arg(copy.filePath()));
    }
    // Compact into a new file with the live file's permissions and the start
    // counter it is to have, flush it and prove it opens; only then does it
    // take the name that says it is whole.
    removeScratchFile(ready);
    removeScratchFile(fresh);
    try {
        Database::compact(mdb, fresh, DatabaseConnect());
        {
            std::unique_ptr<Database> db = Database::open(fresh, DatabaseConnect());
            if (startCounter)
                setStartCounter(*db, *startCounter);
            db->close();
        }
        if (!QFile::setPermissions(fresh, mode))
            throw RuntimeError(Err::PathFileAccess, QStringLiteral("Path/File access error: %1").arg(fresh));
        syncToDisk(fresh);
        renameFileChecked(fresh, ready);
    } catch (...) {
        removeScratchFile(fresh);
        throw;
    }
    compactionStepDone(1);
    // The live file takes the compacted copy in one rename; from here on the
    // compaction counts as done, and a start cut off later finishes it.
    try {
        copyFileChecked(ready, mdb);
    } catch (...) {
        removeScratchFile(ready);
        throw;
    }
    compactionStepDone(2);
    rotateCompactedCopies(g.DataFolder);
}

void Setup()
{
    ErrorHandler eh(QStringLiteral("Setup"), [] { SaveOptionsAndCloseDatabase(); });

    eh.run([] {
        g.PlayerReportLine.redim(28, 0);
        g.GoalieReportLine.redim(30, 0);
    });
    eh.run([] {
        g.MsgStyleYesNo = 292;
        g.MsgStyleWarn = 48;
        g.MsgStyleConfirm = 305;
    });
    eh.run([] { ReadINI(g.Frame ? g.Frame->frameWidget() : nullptr); });
    if (ProgramEnding())
        return;
    eh.run([] { g.ProgramFolder = platformProgramFolder() + QLatin1Char('/'); });
    eh.run([] { g.DataFolder = GetDataRootFolder(g.Frame ? g.Frame->frameWidget() : nullptr) + QStringLiteral("Data/"); });
    eh.run([] { LocateHelpFile(); });

    if (eh.stopped())
        return;

    if (!ClaimDataFolder(g.DataFolder)) {
        EndProgram();
        return;
    }
    eh.run([] { finishCompaction(g.DataFolder); });
    if (eh.stopped())
        return;
    removeLeftovers(g.DataFolder);

    // Database file: a missing one is made from the shipped empty database.
    if (!FileExists(g.DataFolder + QStringLiteral("murqn.mdb"))) {
        if (!FileExists(g.DataFolder + QStringLiteral("qn20db.shell"))) {
            MsgBox(QStringLiteral("Reinstall Velloran for Hockey or restore from backup!"), g.MsgStyleWarn,
                   QStringLiteral("Database Not Found"));
            EndProgram();
            return;
        }
        CopyFileQuiet(g.DataFolder + QStringLiteral("qn20db.shell"), g.DataFolder + QStringLiteral("murqn.mdb"));
    }

    g.OptionsLoaded = false;
    bool tried = false;  // a compaction ran in this start
    for (;;) {
        if (!openDatabaseOrEnd())
            return;
        bool compactDue = false;
        eh.run([&] {
            const std::optional<int16_t> counter = ReadCompactCounter(Db());
            if (!counter)
                return;
            // A start that compacted has its count in the compacted file
            // already; one whose compaction failed before the live file took
            // the copy leaves the counter, so it runs again at the next start.
            if (*counter > 7 && !tried)
                compactDue = true;
            else if (!tried)
                setStartCounter(Db(), int16_t(*counter + 1));
        });
        if (eh.stopped())
            return;
        if (!compactDue)
            break;
        tried = true;
        eh.run([] { ClearReportTables(); });
        eh.run([] { g.Db->close(); });
        eh.run([] { CompactMainDatabase(1); });
        if (eh.stopped())
            return;
    }

    // A second run leaves the windows still loaded (the team selection, the
    // data management window) marked open.
    eh.run([] { g.FormOpen.redimPreserve(FormNo::Count, False); });
    LoadDatabaseState(Db(), g, true, [&](const QString&, const std::function<void()>& step) { eh.run(step); });
    eh.run([] {
        if (!g.Frame)
            return;
        if (g.ShowToolBarOption != 0)
            g.Frame->setToolbarButtonEnabled(QStringLiteral("UpdateGames"), false);
        else
            g.Frame->setToolbarVisible(false);
    });
    if (eh.stopped())
        return;

    // Every window needs the database: a run whose database never opened ends
    // here, cleanly, instead of failing in each window the user opens.
    if (!g.Db || !g.Db->isOpen()) {
        MsgBox(QStringLiteral("The database could not be opened, so Velloran for Hockey cannot continue. Restore the "
                              "database from a backup or reinstall Velloran for Hockey."),
               g.MsgStyleWarn ? g.MsgStyleWarn : vbExclamation, QStringLiteral("Database Not Opened"));
        SaveOptionsAndCloseDatabase();
    }
}

void LoadGameTypes() { LoadGameTypes(Db(), g); }

void LoadGameTypes(Database& db, Globals& state)
{
    state.NumberGameTypes = 1;
    state.GameTypeDescriptions.redim(1);
    state.GameTypeNumbers.redim(1, 0);
    state.GameTypeDescriptions[1] = QStringLiteral("No Game Type");
    state.GameTypeNumbers[1] = 0;
    for (const GameTypeRow& type : ReadGameTypes(db)) {
        state.NumberGameTypes += 1;
        state.GameTypeDescriptions.redimPreserve(state.NumberGameTypes);
        state.GameTypeNumbers.redimPreserve(state.NumberGameTypes, 0);
        state.GameTypeDescriptions[state.NumberGameTypes] = type.name;
        state.GameTypeNumbers[state.NumberGameTypes] = type.number;
    }
}

void LoadOptions(Database& db, Globals& state)
{
    Recordset rs = db.openRecordset(QStringLiteral("NumberOptions"));
    for (; !rs.eof(); rs.moveNext()) {
        const int n = rs.getInt(QStringLiteral("OptionNumber"));
        if (n >= 1 && n <= Globals::OptionCount)
            state.option(n) = rs.getInt(QStringLiteral("Option"));
    }
    rs.close();
    state.OptionsLoaded = true;
}

std::optional<int16_t> ReadCompactCounter(Database& db)
{
    Recordset rs = db.openRecordset(QStringLiteral("CompactCount"));
    if (rs.eof())
        return std::nullopt;
    return rs.getInt(QStringLiteral("CompactCounter"));
}

void LoadDatabaseState(Database& db, Globals& state, bool writeDefaults, const LoadStepRunner& run)
{
    run(QStringLiteral("options"), [&] { LoadOptions(db, state); });
    run(QStringLiteral("category names"), [&] { LoadNameYourOwnCats(db, state, writeDefaults); });
    run(QStringLiteral("game types"), [&] { LoadGameTypes(db, state); });
    for (const CatKind kind : {CatKind::Player, CatKind::Goalie}) {
        run(QStringLiteral("input screen layout"), [&] { LoadInputOrder(db, state, kind, writeDefaults); });
        run(QStringLiteral("category names"), [&] { BuildCatAbbrev(state, kind); });
    }
    run(QStringLiteral("report formats"), [&] { LoadCurrentReportFormats(db, state, writeDefaults); });
}

void MarkPartialCopy(const QString& dataFolder, const QString& target)
{
    // Written whole or not at all; a copy goes ahead without it.
    QSaveFile marker(partialCopyMarker(dataFolder));
    if (marker.open(QIODevice::WriteOnly)) {
        marker.write(QDir::cleanPath(QFileInfo(copyingName(target)).absoluteFilePath()).toUtf8() + '\n');
        marker.commit();
    }
}

std::optional<QString> MarkedPartialCopy(const QString& dataFolder)
{
    QFile marker(partialCopyMarker(dataFolder));
    if (!marker.open(QIODevice::ReadOnly) || marker.size() > 64 * 1024)
        return {};
    QByteArray line = marker.readAll();
    // One line as written, whole: a marker cut off names nothing.
    if (line.isEmpty() || line.indexOf('\n') != line.size() - 1)
        return {};
    line.chop(1);
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString path = utf8.decode(line);
    const QString ending = copyingName(QString());
    if (utf8.hasError() || !QDir::isAbsolutePath(path) || path != QDir::cleanPath(path) ||
        !QFileInfo(path).fileName().endsWith(ending) || QFileInfo(path).fileName() == ending)
        return {};
    return path;
}

PartialCopyMark::PartialCopyMark(const QString& dataFolder, const QString& target) : dataFolder_(dataFolder)
{
    MarkPartialCopy(dataFolder_, target);
}

PartialCopyMark::~PartialCopyMark() { QFile::remove(partialCopyMarker(dataFolder_)); }

void setCompactionStepHook(std::function<void(int)> hook) { compactionStepHook() = std::move(hook); }

void ReleaseDataFolder()
{
    FolderLock& lock = folderLock();
    if (lock.fd < 0)
        return;
    // Removed while still held, so that no other copy takes the file that
    // goes.
    ::unlink(QFile::encodeName(lock.path).constData());
    ::close(lock.fd);
    lock = {};
}

void SaveOptions()
{
    if (!g.Db || !g.Db->isOpen() || !g.OptionsLoaded)
        return;
    Database& db = *g.Db;
    Transaction t(db);
    bool seen[Globals::OptionCount + 1] = {};
    Recordset rs = db.openRecordset(QStringLiteral("NumberOptions"));
    for (; !rs.eof(); rs.moveNext()) {
        if (rs.isNull(QStringLiteral("OptionNumber")))
            continue;
        const int n = rs.getInt(QStringLiteral("OptionNumber"));
        if (n < 1 || n > Globals::OptionCount)
            continue;  // rows of other numbers stay as they are
        rs.edit();
        rs.setValue(QStringLiteral("Option"), g.option(n));
        rs.update();
        seen[n] = true;
    }
    // An option whose row went missing keeps its value through the restart.
    for (int n = 1; n <= Globals::OptionCount; ++n) {
        if (seen[n])
            continue;
        rs.addNew();
        rs.setValue(QStringLiteral("OptionNumber"), n);
        rs.setValue(QStringLiteral("Option"), g.option(n));
        rs.update();
    }
    rs.close();
    t.commit();
}

void SaveOptionsAndCloseDatabase()
{
    try {
        CloseMainDatabase();
    } catch (const RuntimeError& e) {
        MsgBox(QStringLiteral("The options could not be saved: ") + e.description(), vbExclamation,
               QStringLiteral("Options Not Saved"));
    }
    ReleaseDataFolder();
    EndProgram();
}

}  // namespace vh
