#include "datamgmt/BackupCore.h"
#include "datamgmt/TeamExport.h"
#include "datamgmt/TransferTestData.h"
#include "datamgmt/frmBackup.h"
#include "games/GameTestData.h"
#include "games/PlayerScreenLink.h"
#include "platform/FileLists.h"
#include "platform/Folders.h"
#include "app/FrmMDI.h"
#include "reports/frmRosterRpt.h"
#include "shell/Globals.h"
#include "shell/Procedures.h"
#include "shell/Startup.h"

#include "support/OldDataWriter.h"
#include "support/ScreenReader.h"
#include "support/TestEnv.h"
#include "support/TestMain.h"
#include "teams/TeamTestData.h"
#include "teams/frmSelectTeam.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <csignal>
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace vh;
using namespace vh::test;

namespace {

// The files of a folder by name, with their bytes.
QMap<QString, QByteArray> filesIn(const QString& folder)
{
    QMap<QString, QByteArray> files;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
        files[name] = readBytes(folder + QLatin1Char('/') + name);
    return files;
}

// Runs `sql` on `file` with SQLite alone, as another program on the same
// file would; the rows as lines of values joined by "|".
QStringList plainSqlite(const QString& file, const QString& sql)
{
    sqlite3* db = nullptr;
    QStringList rows;
    if (sqlite3_open(QFile::encodeName(file).constData(), &db) == SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) == SQLITE_OK) {
            while (sqlite3_step(st) == SQLITE_ROW) {
                QStringList cells;
                for (int i = 0; i < sqlite3_column_count(st); ++i)
                    cells << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i)));
                rows << cells.join(QLatin1Char('|'));
            }
        }
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return rows;
}

// The same through the program's database.
QStringList rowsOfLive(const QString& sql)
{
    QStringList rows;
    Recordset rs = Db().openRecordset(sql);
    for (; !rs.eof(); rs.moveNext()) {
        QStringList cells;
        for (const FieldInfo& f : rs.fields())
            cells << rs.value(f.name).toString();
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

// Changes `file` as a program still working on it leaves them, in its
// write-ahead log and not yet in the file, and copies the file with its
// -wal and -shm into `folder` meanwhile.
void copyWhileOpenWithChanges(const QString& file, const QString& folder, const char* changes)
{
    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open(QFile::encodeName(file).constData(), &db), SQLITE_OK);
    const QByteArray sql = QByteArray("pragma journal_mode = wal; pragma wal_autocheckpoint = 0; ") + changes;
    QCOMPARE(sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
    for (const char* side : {"", "-wal", "-shm"})
        QVERIFY(QFile::copy(file + QLatin1String(side),
                            folder + QLatin1Char('/') + QFileInfo(file).fileName() + QLatin1String(side)));
    sqlite3_close(db);
}

// Runs the statements `sql` on `file` with SQLite alone.
void plainSqliteExec(const QString& file, const QString& sql)
{
    sqlite3* db = nullptr;
    char* err = nullptr;
    const int opened = sqlite3_open(QFile::encodeName(file).constData(), &db);
    const int rc = opened == SQLITE_OK ? sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &err) : opened;
    const QByteArray why = err ? QByteArray(err) : QByteArray(sqlite3_errmsg(db));
    sqlite3_free(err);
    sqlite3_close(db);
    QVERIFY2(rc == SQLITE_OK, why.constData());
}

// Copies `file` with its rollback journal into `folder` while a program has
// `changes` in the file itself but not committed (a hot journal beside it
// holds what the file held before).
void copyMidTransaction(const QString& file, const QString& folder, const char* changes)
{
    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open(QFile::encodeName(file).constData(), &db), SQLITE_OK);
    const QByteArray sql = QByteArray("pragma journal_mode = delete; begin; ") + changes;
    QCOMPARE(sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
    QCOMPARE(sqlite3_db_cacheflush(db), SQLITE_OK);
    for (const char* side : {"", "-journal"})
        QVERIFY(QFile::copy(file + QLatin1String(side),
                            folder + QLatin1Char('/') + QFileInfo(file).fileName() + QLatin1String(side)));
    sqlite3_exec(db, "rollback", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

// A new database at `to` in the text encoding `encoding`, with the tables,
// indexes and rows of the database `from`, row numbers included.
void copyInEncoding(const QString& from, const QString& to, const QString& encoding)
{
    QFile::remove(to);
    QStringList sql{QStringLiteral("pragma encoding = '%1';").arg(encoding)};
    sql += plainSqlite(from, QStringLiteral("select sql || ';' from sqlite_master where sql is not null order by rowid"));
    for (const QString& table : plainSqlite(from, QStringLiteral("select name from sqlite_master where type = 'table'"))) {
        const QStringList columns =
            plainSqlite(from, QStringLiteral("select '\"' || name || '\"' from pragma_table_info('%1')").arg(table));
        sql += plainSqlite(from, QStringLiteral("select 'insert into \"%1\" (rowid, %2) values (' || rowid || ', ' || "
                                                "%3 || ');' from \"%1\"")
                                     .arg(table, columns.join(QStringLiteral(", ")),
                                          QStringLiteral("quote(") + columns.join(QStringLiteral(") || ', ' || quote(")) +
                                              QLatin1Char(')')));
    }
    plainSqliteExec(to, sql.join(QLatin1Char('\n')));
}

// Every row of `table` in `file` with its row number, each value as SQL
// writes it (text quoted, Null as NULL), by the program's own fields.
QStringList everyValue(const QString& file, Database& program, const QString& table)
{
    QStringList values;
    for (const FieldInfo& f : program.tableFields(table))
        values << QStringLiteral("quote(\"%1\")").arg(f.name);
    return plainSqlite(file, QStringLiteral("select rowid, %1 from \"%2\" order by rowid")
                                 .arg(values.join(QStringLiteral(", ")), table));
}

// A back-up at `path` with a value in every field of every table of the
// program's own (`program`), each field of a row its own value.
void backUpWithEveryValue(const QString& path, Database& program)
{
    auto db = newProgramDatabase(path);
    addGameType(*db, 1, QStringLiteral("Ligue été"));
    addTransferTeam(*db, 1, QStringLiteral("Ice Hawks"),
                    {{1, QStringLiteral("Sean"), QStringLiteral("Ek")}, {2, QStringLiteral("Åsa"), QStringLiteral("Öberg")}},
                    2, 1);
    for (const char* sql : {"insert into Filters values (1, 'Top Teams')", "insert into TeamFilters values (1, 1)",
                            "insert into InputOrder values ('H', 1, 5), ('G', 2, 7)"})
        db->execute(QLatin1String(sql));
    for (const QString& table : DataTableNames(program)) {
        if (db->scalar(QStringLiteral("select count(*) from \"%1\"").arg(table)).toInt() == 0)
            db->execute(QStringLiteral("insert into \"%1\" default values").arg(table));
        const std::vector<FieldInfo>& fields = program.tableFields(table);
        for (int i = 0; i < int(fields.size()); ++i) {
            const FieldInfo& f = fields[size_t(i)];
            QVariant value;
            switch (f.type) {
            case FieldType::Integer: value = i + 1; break;
            case FieldType::Long: value = 100000 + i; break;
            case FieldType::Single:
            case FieldType::Double: value = 2.5 + i; break;
            case FieldType::Boolean: value = i % 2 ? -1 : 0; break;
            case FieldType::Date: value = QStringLiteral("2021-03-%1").arg(i + 1, 2, 10, QLatin1Char('0')); break;
            case FieldType::Memo: value = QStringLiteral("Notes on %1,\n\"quoted\" and é").arg(f.name); break;
            default: value = (QStringLiteral("é") + f.name).left(f.size > 0 ? f.size : 255);
            }
            db->execute(QStringLiteral("update \"%1\" set \"%2\" = ? where \"%2\" is null").arg(table, f.name),
                        {value});
        }
    }
}

// Changes the entry of `index` in `file` whose fields, row number included,
// all hold 1, so that its first field reads 0: the entry no longer finds its
// row, yet the index stays in order. SQLite's quick check passes such a file,
// its full check does not. The index's root must be its only page.
void damageIndexEntry(const QString& file, const QString& index, int fields)
{
    const qsizetype root = plainSqlite(file, QStringLiteral("select rootpage from sqlite_master where name = '%1'")
                                                 .arg(index))
                               .value(0)
                               .toInt();
    const qsizetype size = plainSqlite(file, QStringLiteral("pragma page_size")).value(0).toInt();
    QVERIFY(root > 1 && size > 0);
    QByteArray bytes = readBytes(file);
    // A record starts with its header's length, then one type per field;
    // type 9 is the constant 1, type 8 the constant 0.
    const QByteArray entry = char(fields + 2) + QByteArray(fields + 1, '\x09');
    const QByteArray leaf = bytes.mid((root - 1) * size, size);
    QCOMPARE(leaf.count(entry), 1);
    bytes[(root - 1) * size + leaf.indexOf(entry) + 1] = '\x08';
    writeBytes(file, bytes);
    QCOMPARE(plainSqlite(file, QStringLiteral("pragma quick_check")), QStringList{QStringLiteral("ok")});
    QVERIFY(plainSqlite(file, QStringLiteral("pragma integrity_check")) != QStringList{QStringLiteral("ok")});
}

// The frame's mouse pointer as the user sees it.
QString pointerNow()
{
    const QCursor* shown = QApplication::overrideCursor();
    if (!shown)
        return QStringLiteral("arrow");
    switch (shown->shape()) {
    case Qt::WaitCursor: return QStringLiteral("hourglass");
    case Qt::ArrowCursor: return QStringLiteral("arrow");
    default: return QStringLiteral("other");
    }
}

// While it lives, notes the pointer at each message box (by its title) and
// at each long step of the dialog's OK: a file read into the data folder,
// the compaction, the progress line of an export or import. A step noted
// several times in a row is noted once.
class PointerWatch : public QObject {
public:
    explicit PointerWatch(QLabel* progress) : answer_(setMsgBoxHandler({}))
    {
        setMsgBoxHandler([this](const MsgBoxCall& call) {
            note(call.title);
            return answer_(call);
        });
        ReadingCopy::setCopiedHook([this](const QString& copy) {
            note(QStringLiteral("reading"));
            if (whileReading)
                whileReading(copy);
        });
        setCompactionStepHook([this](int) { note(QStringLiteral("compacting")); });
        progress->installEventFilter(this);
    }
    ~PointerWatch() override
    {
        setMsgBoxHandler(answer_);
        ReadingCopy::setCopiedHook({});
        setCompactionStepHook({});
    }
    QStringList seen;
    // Runs as the file read is noted, with the path of its copy.
    std::function<void(const QString& copy)> whileReading;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() == QEvent::Paint && !static_cast<QLabel*>(watched)->text().isEmpty())
            note(QStringLiteral("progress"));
        return false;
    }

private:
    void note(const QString& what)
    {
        const QString entry = what + QStringLiteral(": ") + pointerNow();
        if (seen.isEmpty() || seen.last() != entry)
            seen << entry;
    }
    MsgBoxHandler answer_;
};

QStringList listedTeams()
{
    QStringList names;
    if (frmSelectTeam* f = Loaded<frmSelectTeam>())
        for (const TeamListEntry& e : f->teamListEntries())
            names << e.text;
    return names;
}

}  // namespace

class TstBackup : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;
    QTemporaryDir out;

    QString backupFolder() const { return g.DataFolder + QStringLiteral("backup"); }
    QString folder(const QString& name) const
    {
        const QString p = out.path() + QLatin1Char('/') + name;
        QDir().mkpath(p);
        return p;
    }

    // A program started in its own folder, with the team-selection window.
    void startProgram()
    {
        env = std::make_unique<TestEnv>();
        env->runSetup();
        Load<frmSelectTeam>();
    }
    void stopProgram() { closeDialogAndProgram(env); }
    // The dialog as the frame opens it: the selection window hidden.
    frmBackup* open(const char* mode)
    {
        CloseOpenForms();
        g.BackupMode = mode;
        return Load<frmBackup>();
    }
    static void ok(frmBackup* f) { control<QPushButton>(f, "cmdOK")->click(); }
    static DirListBox* dir(frmBackup* f) { return control<DirListBox>(f, "Dir1"); }
    static FileListBox* files(frmBackup* f) { return control<FileListBox>(f, "File1"); }
    static void pickFile(frmBackup* f, const QString& name)
    {
        files(f)->setCurrentItem(files(f)->findItems(name, Qt::MatchExactly).value(0));
    }
    // OK on the file in `folderPath` (the one named `pick`, if given) shows
    // `message` and changes nothing: the dialog stays, the teams are as they were.
    void refused(frmBackup* f, const QString& folderPath, const QString& message, const QString& pick = {},
                 int answer = vbOK)
    {
        const int teams = rowsOf(QStringLiteral("Teams"));
        dir(f)->setPath(folderPath);
        if (!pick.isEmpty())
            pickFile(f, pick);
        env->expectMsgBox(message, answer);
        ok(f);
        QCOMPARE(env->pendingExpectations(), 0);
        QVERIFY(Loaded<frmBackup>());
        QCOMPARE(rowsOf(QStringLiteral("Teams")), teams);
    }
    // As refused, and the box says `message` and nothing more.
    void refusedExactly(frmBackup* f, const QString& folderPath, const QString& message, const QString& pick = {})
    {
        refused(f, folderPath, message, pick);
        QCOMPARE(env->shownMessages().last().text, message);
    }
    static QString teamLabel(frmBackup* f, int i)
    {
        return control<QLabel>(f, qPrintable(QStringLiteral("lblExportTeam%1").arg(i)))->text();
    }
    // Selects every listed team as the frame's commands copy the selection.
    static void selectAllTeams()
    {
        for (int i = 1; i <= g.NumTeams; ++i)
            g.TeamSelected[i] = True;
    }
    // A back-up of the database and a transfer file of team 1, Ice Hawks, in `dir`.
    static void copiesIn(const QString& dir)
    {
        CopyDatabaseChecked(g.DataFolder + QStringLiteral("murqn.mdb"), dir + QStringLiteral("/murqn.mdb"));
        ExportTeamFile(Db(), g.DataFolder, dir + QStringLiteral("/hawks.mdb"), {{1, QStringLiteral("Ice Hawks")}});
    }
    // Restores the back-up in `dir`, answering Yes.
    void restoreFrom(const QString& dir)
    {
        frmBackup* f = open("R");
        this->dir(f)->setPath(dir);
        env->expectMsgBox(QStringLiteral("Are you sure you want to replace your Database?"), vbYes);
        env->expectMsgBox(QStringLiteral("Database successfully restored!"));
        ok(f);
        QCOMPARE(env->pendingExpectations(), 0);
    }
    // Restores the back-up in `dir` (copiesIn), then imports its transfer file
    // over the team it brought back.
    void restoreAndImportFrom(const QString& dir)
    {
        restoreFrom(dir);
        QCOMPARE(listedTeams(), QStringList{QStringLiteral("Ice Hawks")});
        frmBackup* f = open("I");
        this->dir(f)->setPath(dir);
        pickFile(f, QStringLiteral("hawks.mdb"));
        env->expectMsgBox(QStringLiteral("Ice Hawks already on database."), vbYes);
        env->expectMsgBox(QStringLiteral("1 database team(s) successfully imported!"));
        ok(f);
        QCOMPARE(env->pendingExpectations(), 0);
        QCOMPARE(listedTeams(), QStringList{QStringLiteral("Ice Hawks")});
    }
    // What the pointer was through OK (pressed by `press`, clicked when
    // none is given), as PointerWatch notes it, and once OK returned. The
    // dialog is on screen, where its progress line paints.
    static QStringList pointerThroughOk(frmBackup* f, const std::function<void(const QString&)>& whileReading = {},
                                        const std::function<void()>& press = {})
    {
        if (!QTest::qWaitForWindowExposed(f->window()))
            return {QStringLiteral("the dialog is not on screen")};
        PointerWatch watch(control<QLabel>(f, "lblMessage"));
        watch.whileReading = whileReading;
        if (press)
            press();
        else
            ok(f);
        watch.seen << QStringLiteral("returned: ") + pointerNow();
        return watch.seen;
    }
    static void reloadTeams()
    {
        Unload<frmSelectTeam>();
        Load<frmSelectTeam>();
    }

private slots:
    void init() { startProgram(); }
    void cleanup()
    {
        ShowArrowPointer();
        stopProgram();
        for (const QString& d : QDir(out.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            QDir(out.path() + QLatin1Char('/') + d).removeRecursively();
    }

    // ------------------------------------------------------------ the file offered for restore

    void aCopyThatFailsPartWayLeavesTheTargetAsItWas()
    {
        const QString target = folder(QStringLiteral("copy")) + QStringLiteral("/murqn.mdb");
        addTransferTeam(*newProgramDatabase(target), 1, QStringLiteral("Earlier Back-up"), {});
        const QString live = g.DataFolder + QStringLiteral("murqn.mdb");
        try {
            FileSizeLimit limit(8192);  // the disk fills up
            CopyDatabaseChecked(live, target);
            QFAIL("the copy did not fail");
        } catch (const RuntimeError& e) {
            QCOMPARE(e.number(), Err::DiskFull);
            QVERIFY(e.description().startsWith(QStringLiteral("The disk is full")));
        }
        QCOMPARE(QDir(folder(QStringLiteral("copy"))).entryList(QDir::Files), QStringList{QStringLiteral("murqn.mdb")});
        QCOMPARE(textIn(target, "select LongTeamName from Teams"), QStringLiteral("Earlier Back-up"));
        // A foreign file is never put in place either.
        const QString foreign = folder(QStringLiteral("foreign")) + QStringLiteral("/murqn.mdb");
        writeBytes(foreign, QByteArray(20000, 'z'));
        try {
            CopyDatabaseChecked(foreign, target);
            QFAIL("a foreign file was copied");
        } catch (const RuntimeError& e) {
            QVERIFY2(e.description().startsWith(target + QStringLiteral(" was not replaced")),
                     qPrintable(e.description()));
        }
        QCOMPARE(CheckMainDatabaseFile(target).status, DatabaseCheck::Ok);

        CopyDatabaseChecked(live, target);
        QCOMPARE(textIn(target, "select count(*) from Teams"), QStringLiteral("0"));
    }

    void restoreAndImportReadFromReadOnlyMedia()
    {
        // A back-up and a transfer file on a write-protected medium.
        const QString cd = env->root() + QStringLiteral("/cd");
        QDir().mkpath(cd);
        addTransferTeam(Db(), 1, QStringLiteral("Ice Hawks"), {});
        copiesIn(cd);
        Db().execute(QStringLiteral("delete from Teams"));
        const auto readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
        for (const char* file : {"/murqn.mdb", "/hawks.mdb"})
            QFile::setPermissions(cd + QLatin1String(file), readOnly);
        QFile::setPermissions(cd, readOnly | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
        // The data folder is the ordinary user's own.
        QFile::setPermissions(g.DataFolder, QFile::Permissions(0x7777));
        QFile::setPermissions(g.DataFolder + QStringLiteral("murqn.mdb"), QFile::Permissions(0x6666));
        AsOrdinaryUser user(*env);

        restoreAndImportFrom(cd);
    }

    void aBackUpComesBackByRestore()
    {
        addTeam(1, QStringLiteral("Kept"));
        // A private database, and options changed in this session only.
        const QString live = g.DataFolder + QStringLiteral("murqn.mdb");
        const auto privateMode = QFile::ReadOwner | QFile::WriteOwner;
        QVERIFY(QFile::setPermissions(live, privateMode));
        g.MinutesPerGameOption = 45;
        g.OTLossPointsOption = 1;
        // A back-up that cannot be written says so, and the database is open again.
        QDir().mkpath(backupFolder() + QStringLiteral("/murqn.mdb.copying"));
        frmBackup* f = open("B");
        env->expectMsgBox(QStringLiteral("The database could not be backed up to "), vbOK, QStringLiteral("Back Up Failed"));
        ok(f);
        QVERIFY(Loaded<frmBackup>());
        QVERIFY(!QFile::exists(backupFolder() + QStringLiteral("/murqn.mdb")));
        QCOMPARE(rowsOf(QStringLiteral("Teams")), 1);
        QDir(backupFolder() + QStringLiteral("/murqn.mdb.copying")).removeRecursively();
        env->expectMsgBox(QStringLiteral("Database successfully backed up!"), vbOK, QStringLiteral("Back Up Complete"));
        ok(f);
        flushDeletes();
        QVERIFY(Loaded<frmSelectTeam>()->isShown());
        const QString copy = backupFolder() + QStringLiteral("/murqn.mdb");
        QCOMPARE(CheckMainDatabaseFile(copy).status, DatabaseCheck::Ok);
        QCOMPARE(fileMode(copy), privateMode);
        QCOMPARE(g.MinutesPerGameOption, int16_t(45));
        QCOMPARE(textIn(copy, "select Option from NumberOptions where OptionNumber = 19"), QStringLiteral("45"));

        // The second back-up asks before it replaces the first; No keeps it.
        addTeam(2, QStringLiteral("Added Later"));
        f = open("B");
        env->expectMsgBox(copy + QStringLiteral("\rThis file already exists.\r\rReplace existing file?"), vbNo,
                          QStringLiteral("Back Up Database"));
        ok(f);
        QVERIFY(Loaded<frmBackup>());
        QCOMPARE(textIn(copy, "select count(*) from Teams"), QStringLiteral("1"));
        f->cmdCancel_Click();

        // Layout rows out of range are passed over at start-up, so they keep
        // no back-up from coming back.
        Database::open(copy, DatabaseConnect())->execute(QStringLiteral("insert into InputOrder values ('H', 33, 5)"));
        g.CurrentTeam = 2;
        f = open("R");
        QCOMPARE(files(f)->fileName(), QStringLiteral("murqn.mdb"));
        env->expectMsgBox(QStringLiteral("Are you sure you want to replace your Database?"), vbYes,
                          QStringLiteral("Replace Database"));
        env->expectMsgBox(QStringLiteral("Database successfully restored!"), vbOK, QStringLiteral("Restore Complete"));
        ok(f);
        flushDeletes();
        QCOMPARE(env->pendingExpectations(), 0);
        QVERIFY(!Loaded<frmBackup>());
        QCOMPARE(g.CurrentTeam, int16_t(0));
        QCOMPARE(listedTeams(), QStringList{QStringLiteral("Kept")});
        QCOMPARE(rowsOf(QStringLiteral("Teams")), 1);
        QCOMPARE(fileMode(live), privateMode);
        QCOMPARE(g.MinutesPerGameOption, int16_t(45));
        QCOMPARE(g.OTLossPointsOption, int16_t(1));
    }

    void aRestoreRefusesWhatCannotReplaceTheDatabase()
    {
        addTeam(1, QStringLiteral("Live"));
        frmBackup* f = open("R");
        refused(f, folder(QStringLiteral("empty")), QStringLiteral("Velloran database (murqn.mdb) not found in directory!"));
        refused(f, g.DataFolder, QStringLiteral("Can not restore from data directory!"));
        writeBytes(folder(QStringLiteral("junk")) + QStringLiteral("/MURQN.MDB"), QByteArray(20000, 'z'));
        refused(f, folder(QStringLiteral("junk")), QStringLiteral("can not be opened as a Velloran for Hockey database"));
        QFile::copy(TestEnv::shippedExportShell(), folder(QStringLiteral("transfer")) + QStringLiteral("/murqn.mdb"));
        refused(f, folder(QStringLiteral("transfer")), QStringLiteral("is not a Velloran for Hockey database."));
        newProgramDatabase(folder(QStringLiteral("old")) + QStringLiteral("/murqn.mdb"))
            ->execute(QStringLiteral("update ProgramVersion set ProgramVersion = 2.5"));
        refused(f, folder(QStringLiteral("old")), QStringLiteral("is not a database of this version"));
        newProgramDatabase(folder(QStringLiteral("fine")) + QStringLiteral("/murqn.mdb"));
        // The database the back-up would become, made before the question, goes with a No.
        const QStringList data = QDir(g.DataFolder).entryList(QDir::Files | QDir::Hidden);
        refused(f, folder(QStringLiteral("fine")), QStringLiteral("Are you sure you want to replace your Database?"), {},
                vbNo);
        QCOMPARE(QDir(g.DataFolder).entryList(QDir::Files | QDir::Hidden), data);

        // A back-up with values start-up cannot read, each kind in turn: a
        // value the program's field cannot hold is named by its field first.
        const std::pair<const char*, const char*> kinds[] = {
            {"update CompactCount set CompactCounter = null", "start counter"},
            {"update CompactCount set CompactCounter = 70000", "CompactCount.CompactCounter"},
            {"update NumberOptions set Option = null where OptionNumber = 4", "options"},
            {"update NumberOptions set Option = 99999 where OptionNumber = 19", "NumberOptions.Option"},
            {"insert into GameTypes values (null, null)", "GameTypes.GameTypeNumber"},
            {"insert into PlayerRptCats values (1, 40, 5)", "report formats"},
            {"insert into Teams (LongTeamName) values ('Nobody')", "Teams.TeamNumber"}};
        for (const auto& [change, problem] : kinds) {
            newProgramDatabase(folder(QStringLiteral("bad")) + QStringLiteral("/murqn.mdb"))->execute(QLatin1String(change));
            refused(f, folder(QStringLiteral("bad")), QStringLiteral("Its ") + QLatin1String(problem));
        }
        f->cmdCancel_Click();
    }

    // A back-up holding code that runs inside the database (the next Add
    // Team would empty the statistics), or bytes where values belong, is
    // refused with one message; not one byte of the database changes.
    void aRestoreRefusesCodeAndBinaryData()
    {
        addTeam(1, QStringLiteral("Live"));
        const QString live = g.DataFolder + QStringLiteral("murqn.mdb");
        const QByteArray before = readBytes(live);
        const std::pair<const char*, const char*> kinds[] = {
            {"create trigger t after insert on Teams begin delete from PlayerStats; end",
             "murqn.mdb cannot be restored. It holds code that runs inside the database: trigger t.\r\rYour database "
             "has not been changed."},
            {"create view v as select * from Teams", "It holds code that runs inside the database: view v."},
            {"insert into Teams (TeamNumber, LongTeamName, ShortTeamName) values (1, 'Bytes', x'00FF00FF')",
             "It holds binary data in Teams.ShortTeamName."},
            {"insert into GameTypes values (cast('1' as blob), 'League')",
             "It holds binary data in GameTypes.GameTypeNumber."}};
        frmBackup* f = open("R");
        for (const auto& [change, refusal] : kinds) {
            newProgramDatabase(folder(QStringLiteral("foreign")) + QStringLiteral("/murqn.mdb"))
                ->execute(QLatin1String(change));
            refused(f, folder(QStringLiteral("foreign")), QLatin1String(refusal));
            QVERIFY2(readBytes(live) == before, change);
        }
        f->cmdCancel_Click();
    }

    // Every value of a back-up is held against the program's own field, as
    // import does: one that does not fit, or a field or table that is not
    // there, is named, and not one byte of the database changes. The limits
    // themselves come back.
    void aRestoreRefusesValuesTheProgramCannotHold()
    {
        addTeam(1, QStringLiteral("Live"));
        const QString live = g.DataFolder + QStringLiteral("murqn.mdb");
        const QByteArray before = readBytes(live);
        const QString bad = folder(QStringLiteral("values")) + QStringLiteral("/murqn.mdb");
        const std::pair<const char*, const char*> kinds[] = {
            {"update People set PersonNumber = 70000; update Roster set PersonNumber = 70000; "
             "update PlayerStats set PlayerNumber = 70000",
             "murqn.mdb cannot be restored. Its People.PersonNumber is not a whole number from -32768 to 32767.\r\r"
             "Your database has not been changed."},
            {"update Roster set PersonNumber = 32768", "Its Roster.PersonNumber is not a whole number"},
            {"update Roster set PersonNumber = -32769", "Its Roster.PersonNumber is not a whole number"},
            {"update People set PersonNumber = 2147483648", "Its People.PersonNumber is not a whole number"},
            // Read as 32 bits it would wrap to 0.
            {"update GameStats set GStatNumber = 4294967296", "Its GameStats.GStatNumber is not"},
            {"insert into RptRecord (SortKey) values (2147483648)",
             "Its RptRecord.SortKey is not a whole number from -2147483648 to 2147483647."},
            {"insert into RptRecord (SortKey) values (-2147483649)", "Its RptRecord.SortKey is not"},
            {"update PlayerStats set G = 'abc'", "Its PlayerStats.G is not a number"},
            {"update PlayerStats set Ast = 1.5", "Its PlayerStats.Ast is not a whole number"},
            {"update PlayerStats set PIM = 1e300", "Its PlayerStats.PIM is not a whole number"},
            {"update PlayerStats set U1 = '1e999'", "Its PlayerStats.U1 is not a whole number"},
            {"update Teams set notes = printf('%.100000c', 'n')", "Its Teams.notes is longer than 65535 characters"},
            {"update Teams set LongTeamName = printf('%.51c', 'x')", "Its Teams.LongTeamName is longer than 50"},
            // Bytes stored as text: a NUL and a byte that is no UTF-8.
            {"update Teams set ShortTeamName = cast(x'00FF00FF' as text)",
             "Its Teams.ShortTeamName is binary data, not text."},
            {"update People set City = 'Ou' || char(0) || 'lu'", "Its People.City is binary data"},
            // A field or table the program reads, missing: the window reading it would fail.
            {"alter table Roster drop column notes", "Its Roster.notes is missing."},
            {"drop table RptGoalie", "It lacks the table RptGoalie."},
            // One the program does not have would stay in the database, and
            // the next restore would hold the user's own back-ups to it.
            {"alter table Teams add column Zzz text default 'zz'",
             "murqn.mdb cannot be restored. Its Teams.Zzz is not a field of Velloran for Hockey.\r\rYour database has "
             "not been changed."},
            {"alter table GameTypes add column Zzz smallint",
             "Its GameTypes.Zzz is not a field of Velloran for Hockey."},
            {"create table Zzz (a)", "Its table Zzz is not a table of Velloran for Hockey."},
            // An empty key or game number: the window reading it would fail.
            {"update GameStats set GameNumber = null where GameNumber = 2",
             "murqn.mdb cannot be restored. Its GameStats.GameNumber is empty.\r\rYour database has not been changed."},
            {"update Roster set PersonNumber = null", "Its Roster.PersonNumber is empty."},
            {"update People set PersonNumber = null", "Its People.PersonNumber is empty."},
            {"update PlayerStats set TeamNumber = null where GameNumber = 1", "Its PlayerStats.TeamNumber is empty."},
            {"insert into GameTypes values (7, null)", "Its GameTypes.GameTypeDescription is empty."}};
        // A back-up of one team and player, then changed.
        const auto backUpWith = [&bad](const char* changes) {
            auto db = newProgramDatabase(bad);
            addTransferTeam(*db, 1, QStringLiteral("Ice Hawks"), {{1, QStringLiteral("Sean"), QStringLiteral("Ek")}});
            for (const QString& sql : QString::fromLatin1(changes).split(QLatin1Char(';')))
                db->execute(sql);
        };
        frmBackup* f = open("R");
        for (const auto& [change, refusal] : kinds) {
            backUpWith(change);
            refused(f, folder(QStringLiteral("values")), QLatin1String(refusal));
            QVERIFY2(readBytes(live) == before, change);
        }
        for (const char* limit : {"update Roster set PersonNumber = 32767; update People set PersonNumber = 32767",
                                  "update Roster set PersonNumber = -32768; update People set PersonNumber = -32768",
                                  "insert into RptRecord (SortKey) values (2147483647), (-2147483648)",
                                  "update Teams set LongTeamName = printf('%.50c', 'x')"}) {
            backUpWith(limit);
            refused(f, folder(QStringLiteral("values")), QStringLiteral("Are you sure you want to replace your Database?"),
                    {}, vbNo);
        }
        f->cmdCancel_Click();
    }

    // A back-up whose People.FirstName was dropped and added again stands
    // last: each value is held against its own field by name. The sound
    // back-up comes back; a name too long in that field is refused, named.
    void aRestoreReadsMovedFieldsByName()
    {
        const QString backUp = folder(QStringLiteral("moved")) + QStringLiteral("/murqn.mdb");
        const auto backUpWith = [&backUp](const QString& firstName) {
            auto db = newProgramDatabase(backUp);
            addTransferTeam(*db, 1, QStringLiteral("Ice Hawks"), {{1, QStringLiteral("Sean"), QStringLiteral("Ek")}});
            db->execute(QStringLiteral("update People set BirthDate = '1990-04-05'"));
            db->execute(QStringLiteral("alter table People drop column FirstName"));
            db->execute(QStringLiteral("alter table People add column FirstName VARCHAR(20) COLLATE NOCASE"));
            db->execute(QStringLiteral("update People set FirstName = ?"), {firstName});
        };
        frmBackup* f = open("R");
        backUpWith(QStringLiteral("Maximilian-Alexandros"));  // 21 characters
        refused(f, folder(QStringLiteral("moved")),
                QStringLiteral("murqn.mdb cannot be restored. Its People.FirstName is longer than 20 characters."));
        backUpWith(QStringLiteral("Maximilian-Alexandro"));
        env->expectMsgBox(QStringLiteral("Are you sure you want to replace your Database?"), vbYes);
        env->expectMsgBox(QStringLiteral("Database successfully restored!"));
        ok(f);
        QCOMPARE(env->pendingExpectations(), 0);
        QCOMPARE(rowsOfLive(QStringLiteral("select FirstName, LastName, BirthDate from People")),
                 QStringList{QStringLiteral("Maximilian-Alexandro|Ek|1990-04-05")});
    }

    // A database an earlier restore left with a field and a table of its
    // own takes an ordinary back-up all the same: a back-up is held to the
    // program's own tables, not to the live database's. Without the shipped
    // empty database to hold it to, nothing is restored.
    void aBackUpIsHeldToTheProgramsOwnTables()
    {
        addTeam(1, QStringLiteral("Kept"));
        const QString ordinary = folder(QStringLiteral("ordinary"));
        CopyDatabaseChecked(g.DataFolder + QStringLiteral("murqn.mdb"), ordinary + QStringLiteral("/murqn.mdb"));
        for (const char* sql : {"alter table Teams add column Zzz text default 'zz'",
                                "alter table People add column Yyy smallint", "create table Extra (a)",
                                "update Teams set LongTeamName = 'Changed'"})
            Db().execute(QLatin1String(sql));
        const QString shell = g.DataFolder + ShippedDatabaseFileName;
        QVERIFY(QFile::rename(shell, shell + QStringLiteral(".away")));
        frmBackup* f = open("R");
        refusedExactly(f, ordinary,
                       QStringLiteral("The empty database that comes with Velloran for Hockey is missing from %1 or "
                                      "damaged. Reinstall Velloran for Hockey!")
                           .arg(QDir::cleanPath(g.DataFolder)));
        QVERIFY(QFile::rename(shell + QStringLiteral(".away"), shell));
        env->expectMsgBox(QStringLiteral("Are you sure you want to replace your Database?"), vbYes);
        env->expectMsgBox(QStringLiteral("Database successfully restored!"));
        ok(f);
        QCOMPARE(env->pendingExpectations(), 0);
        QCOMPARE(listedTeams(), QStringList{QStringLiteral("Kept")});
        QCOMPARE(rowsOfLive(QStringLiteral("select count(*) from sqlite_master where name = 'Extra' or sql like "
                                           "'%Zzz%' or sql like '%Yyy%'")),
                 QStringList{QStringLiteral("0")});
    }

    // A back-up brings its rows, each with its row number, but not how its
    // file was made elsewhere: a unique index of its own would refuse the
    // team's next game, a team name compared by character codes would no
    // longer find "ice hawks", and a table without row numbers would fail
    // every list read in stored order. The restored database's tables and
    // indexes are the program's own.
    void aRestoredDatabaseHasTheProgramsOwnTables()
    {
        addTeam(1, QStringLiteral("Kept"));
        const QString backUp = folder(QStringLiteral("made elsewhere"));
        {
            auto db = newProgramDatabase(backUp + QStringLiteral("/murqn.mdb"));
            for (const char* sql :
                 {"insert into Teams (TeamNumber, LongTeamName, ShortTeamName) values (1, 'Ice Hawks', 'HAW')",
                  "insert into Teams (TeamNumber, LongTeamName, ShortTeamName) values (2, 'Gone', 'GON')",
                  "insert into Teams (TeamNumber, LongTeamName, ShortTeamName) values (3, 'Zebras', 'ZEB')",
                  "insert into People (PersonNumber, FirstName, LastName) values (7, 'Ann', 'Berg')",
                  "insert into People (PersonNumber, FirstName, LastName) values (4, 'Ola', 'Dahl')",
                  "insert into GameStats (TeamNumber, GameNumber, Opponent) values (1, 1, 'Lynx')",
                  "create unique index OneGameATeam on GameStats (TeamNumber)"})
                db->execute(QLatin1String(sql));
            // Teams remade with names compared by character codes, People
            // without row numbers.
            const auto remake = [&db](const QString& table, const std::function<QString(QString)>& change) {
                const QString made = change(db->scalar(QStringLiteral("select sql from sqlite_master where name = ?"),
                                                       {table})
                                                .toString());
                db->execute(QString(made).replace(QStringLiteral("CREATE TABLE ") + table,
                                                  QStringLiteral("CREATE TABLE Remade")));
                db->execute(QStringLiteral("insert into Remade select * from %1").arg(table));
                db->execute(QStringLiteral("drop table %1").arg(table));
                db->execute(QStringLiteral("alter table Remade rename to %1").arg(table));
            };
            remake(QStringLiteral("Teams"), [](QString sql) { return sql.remove(QStringLiteral(" COLLATE NOCASE")); });
            remake(QStringLiteral("People"), [](QString sql) {
                return sql.left(sql.lastIndexOf(QLatin1Char(')'))) +
                       QStringLiteral(", primary key (PersonNumber)) without rowid");
            });
            db->execute(QStringLiteral("delete from Teams where TeamNumber = 2"));
        }
        restoreFrom(backUp);
        const QString schema = QStringLiteral("select type, name, sql from sqlite_master where type in ('table', "
                                              "'index') order by name");
        QCOMPARE(rowsOfLive(schema), plainSqlite(g.DataFolder + ShippedDatabaseFileName, schema));
        QCOMPARE(rowsOfLive(QStringLiteral("select rowid, TeamNumber, LongTeamName, ShortTeamName from Teams")),
                 (QStringList{QStringLiteral("1|1|Ice Hawks|HAW"), QStringLiteral("3|3|Zebras|ZEB")}));
        QCOMPARE(rowsOfLive(QStringLiteral("select TeamNumber from Teams where LongTeamName = 'ice hawks'")),
                 QStringList{QStringLiteral("1")});
        QCOMPARE(rowsOfLive(QStringLiteral("select PersonNumber, FirstName, LastName from People order by rowid")),
                 (QStringList{QStringLiteral("4|Ola|Dahl"), QStringLiteral("7|Ann|Berg")}));
        QCOMPARE(rowsOfLive(QStringLiteral("select TeamNumber, GameNumber, Opponent from GameStats")),
                 QStringList{QStringLiteral("1|1|Lynx")});
        Db().execute(QStringLiteral("insert into GameStats (TeamNumber, GameNumber, Opponent) values (1, 2, 'Owls')"));
        QCOMPARE(QDir(g.DataFolder).entryList({QStringLiteral("*.copying*")}, QDir::Files | QDir::Hidden),
                 QStringList());
    }

    // Every value of every table comes back as the back-up holds it, each
    // row with its row number, from a back-up written in UTF-8 or UTF-16.
    void aRestoreBringsBackEveryValue_data()
    {
        QTest::addColumn<QString>("encoding");
        QTest::newRow("UTF-8") << QStringLiteral("UTF-8");
        QTest::newRow("UTF-16") << QStringLiteral("UTF-16le");
    }
    void aRestoreBringsBackEveryValue()
    {
        QFETCH(QString, encoding);
        const std::unique_ptr<Database> program = OpenProgramTables(g.DataFolder);
        const QString made = folder(QStringLiteral("made")) + QStringLiteral("/murqn.mdb");
        backUpWithEveryValue(made, *program);
        const QString backUp = folder(QStringLiteral("encoded")) + QStringLiteral("/murqn.mdb");
        copyInEncoding(made, backUp, encoding);
        QCOMPARE(plainSqlite(backUp, QStringLiteral("pragma encoding")), QStringList{encoding});
        restoreFrom(folder(QStringLiteral("encoded")));
        QCOMPARE(listedTeams(), QStringList{QStringLiteral("Ice Hawks")});
        const QString live = g.DataFolder + MainDatabaseFileName;
        for (const QString& table : DataTableNames(*program)) {
            const QStringList theirs = everyValue(backUp, *program, table);
            QVERIFY2(!theirs.isEmpty() && !theirs.join(QLatin1Char('|')).split(QLatin1Char('|')).contains(
                                              QStringLiteral("NULL")),
                     qPrintable(table));
            // Start-up counts the start it made on the restored database.
            if (table == QLatin1String("CompactCount"))
                QCOMPARE(plainSqlite(live, QStringLiteral("select CompactCounter - 1 from CompactCount")),
                         plainSqlite(backUp, QStringLiteral("select CompactCounter from CompactCount")));
            else
                QCOMPARE(everyValue(live, *program, table), theirs);
        }
    }

    // A back-up copied while a program was writing to it, with its
    // rollback journal: what comes in is what was committed, and the
    // user's files stay as they were.
    void aBackUpCopiedMidTransactionComesInAsCommitted()
    {
        const QString made = folder(QStringLiteral("made")) + QStringLiteral("/murqn.mdb");
        addTransferTeam(*newProgramDatabase(made), 1, QStringLiteral("Ice Hawks"), {});
        const QString copied = folder(QStringLiteral("copied"));
        copyMidTransaction(made, copied, "update Teams set LongTeamName = 'Uncommitted'");
        const QMap<QString, QByteArray> theirs = filesIn(copied);
        QVERIFY(theirs.value(QStringLiteral("murqn.mdb")).contains("Uncommitted"));
        QVERIFY(theirs.contains(QStringLiteral("murqn.mdb-journal")));
        restoreFrom(copied);
        QCOMPARE(rowsOfLive(QStringLiteral("select LongTeamName from Teams")), QStringList{QStringLiteral("Ice Hawks")});
        QCOMPARE(filesIn(copied), theirs);
    }

    // A disk that fills while the reading copy's indexes are built again
    // is told as a full disk, in the whole message; nothing changes.
    void aDiskThatFillsWhileIndexesAreRebuiltSaysSo()
    {
        addTransferTeam(Db(), 1, QStringLiteral("Ice Hawks"), {{1, QStringLiteral("Sean"), QStringLiteral("Ek")}});
        const QString made = folder(QStringLiteral("made"));
        copiesIn(made);
        const QString live = g.DataFolder + MainDatabaseFileName;
        const QByteArray before = readBytes(live);
        // The copy is whole; the next write into the data folder finds no room.
        std::optional<FileSizeLimit> full;
        ReadingCopy::setCopiedHook([&full](const QString&) { full.emplace(1024); });
        const auto unhook = qScopeGuard([] { ReadingCopy::setCopiedHook({}); });
        frmBackup* f = open("R");
        refusedExactly(f, made,
                       made + QStringLiteral("/murqn.mdb could not be read.\r\r") + NoRoomOnDisk(g.DataFolder) +
                           QStringLiteral("\r\rYour database has not been changed."));
        full.reset();
        QVERIFY(readBytes(live) == before);
    }

    // Every refusal says, before any question, what is wrong with the
    // user's file in a user's words, naming table and field where one is at
    // fault: no engine text, error number or statement. The database stays
    // as it was, byte for byte.
    void aRefusedBackUpIsToldInAUsersWords()
    {
        addTeam(1, QStringLiteral("Live"));
        const QString live = g.DataFolder + MainDatabaseFileName;
        const QByteArray before = readBytes(live);
        const QString bad = folder(QStringLiteral("bad"));
        const QString notValid = QStringLiteral(" cannot be restored. %1\r\rYour database has not been changed.");
        const QString notStarting = QStringLiteral(" cannot be restored: Velloran for Hockey could not start with "
                                                   "it.\r\r%1\r\rYour database has not been changed.");
        const std::pair<const char*, QString> kinds[] = {
            {"alter table GameTypes drop column GameTypeDescription",
             notValid.arg(QStringLiteral("Its GameTypes.GameTypeDescription is missing."))},
            {"drop table GoalieRptFormat", notValid.arg(QStringLiteral("It lacks the table GoalieRptFormat."))},
            {"update CompactCount set CompactCounter = 70000",
             notValid.arg(QStringLiteral("Its CompactCount.CompactCounter is not a whole number from -32768 to 32767."))},
            {"update Teams set TeamNumber = null", notValid.arg(QStringLiteral("Its Teams.TeamNumber is empty."))},
            {"insert into GameTypes values (null, 'Cup')",
             notValid.arg(QStringLiteral("Its GameTypes.GameTypeNumber is empty."))},
            {"insert into Filters values (null, 'Top')", notValid.arg(QStringLiteral("Its Filters.FilterNumber is empty."))},
            {"insert into Filters values (1, 'Top'); insert into TeamFilters values (1, null)",
             notValid.arg(QStringLiteral("Its TeamFilters.TeamNumber is empty."))},
            {"insert into Filters values (1, 'Top'); insert into TeamFilters values (null, 1)",
             notValid.arg(QStringLiteral("Its TeamFilters.FilterNumber is empty."))},
            {"update PlayerRptCats set ReportOrder = null where rowid = 3",
             notValid.arg(QStringLiteral("Its PlayerRptCats.ReportOrder is empty."))},
            {"update GoalieRptCats set CategoryNumber = null where rowid = 2",
             notValid.arg(QStringLiteral("Its GoalieRptCats.CategoryNumber is empty."))},
            {"create virtual table Vt using fts5(Words); insert into Vt values ('a full-text table')",
             notValid.arg(QStringLiteral("Its table Vt is not a table of Velloran for Hockey."))},
            {"update NumberOptions set Option = null where OptionNumber = 4",
             notStarting.arg(QStringLiteral("Its options cannot be read: a value Velloran for Hockey needs there is "
                                            "empty."))},
            {"insert into PlayerRptCats values (1, 40, 5)",
             notStarting.arg(QStringLiteral("Its report formats cannot be read: a number there is out of range."))},
            // Two things start-up cannot read: the first in its order is named.
            {"update CompactCount set CompactCounter = null; insert into PlayerRptCats values (1, 40, 5)",
             notStarting.arg(QStringLiteral("Its start counter cannot be read: a value Velloran for Hockey needs there "
                                            "is empty."))}};
        frmBackup* f = open("R");
        for (const auto& [change, refusal] : kinds) {
            auto db = newProgramDatabase(bad + QStringLiteral("/murqn.mdb"));
            addTransferTeam(*db, 1, QStringLiteral("Ice Hawks"), {{1, QStringLiteral("Sean"), QStringLiteral("Ek")}});
            for (const QString& sql : QString::fromLatin1(change).split(QLatin1Char(';')))
                db->execute(sql);
            db.reset();
            refusedExactly(f, bad, bad + QStringLiteral("/murqn.mdb") + refusal);
            QVERIFY2(readBytes(live) == before, change);
        }
        // What the list showed is no longer a file that holds data: a link to
        // a device or a pipe, or a link that leads nowhere.
        const QString fileThere = bad + QStringLiteral("/murqn.mdb");
        const QString unread = fileThere + QStringLiteral(" could not be read.\r\r%1\r\rYour database has not been "
                                                          "changed.");
        const std::pair<std::function<bool()>, QString> notFiles[] = {
            {[&] { return QFile::link(QStringLiteral("/dev/zero"), fileThere); },
             unread.arg(QStringLiteral("It is not a file that holds data."))},
            {[&] { return ::mkfifo(QFile::encodeName(fileThere).constData(), 0600) == 0; },
             unread.arg(QStringLiteral("It is not a file that holds data."))},
            {[&] { return QFile::link(bad + QStringLiteral("/gone.mdb"), fileThere); },
             unread.arg(QStringLiteral("It could not be found."))}};
        for (const auto& [make, refusal] : notFiles) {
            newProgramDatabase(fileThere);
            dir(f)->setPath(bad);
            QVERIFY(QFile::remove(fileThere));
            QVERIFY(make());
            env->expectMsgBox(refusal);
            ok(f);
            QCOMPARE(env->shownMessages().last().text, refusal);
            QVERIFY(QFile::remove(fileThere));
        }
        QVERIFY(readBytes(live) == before);
        QCOMPARE(env->pendingExpectations(), 0);
        // What the engine says of a file it cannot read, in any other case.
        QCOMPARE(ReadingFailure(RuntimeError(Err::TableNotFound, QStringLiteral("cannot find the input table")),
                                g.DataFolder),
                 QStringLiteral("It is not a database Velloran for Hockey can read."));
        for (const MsgBoxCall& shown : env->shownMessages())
            for (const char* engine : {"Error", "(", "no such", "Item not found", "Overflow", "Invalid use"})
                QVERIFY2(!shown.text.contains(QLatin1String(engine)), qPrintable(shown.text));

        // Game types kept in a table without row numbers are read as any.
        {
            auto db = newProgramDatabase(fileThere);
            for (const char* sql : {"create table Kept (GameTypeNumber smallint primary key, GameTypeDescription "
                                    "varchar(25)) without rowid",
                                    "insert into Kept values (3, 'Cup')", "drop table GameTypes",
                                    "alter table Kept rename to GameTypes"})
                db->execute(QLatin1String(sql));
        }
        restoreFrom(bad);
        QCOMPARE(g.NumberGameTypes, int16_t(2));
        QCOMPARE(QString(g.GameTypeDescriptions[2]).trimmed(), QStringLiteral("Cup"));
    }

    // A restore that finds the data folder's disk full as it puts the
    // back-up in place says so, naming no copy of the program's; the
    // database is as it was.
    void aRestoreThatFillsTheDiskSaysSo()
    {
        addTeam(1, QStringLiteral("Kept"));
        const QString backUp = folder(QStringLiteral("full"));
        newProgramDatabase(backUp + QStringLiteral("/murqn.mdb"))
            ->execute(QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < 300) "
                                     "insert into People (PersonNumber, FirstName, notes) select i, 'Player', "
                                     "printf('%.400c', 'n') from n"));
        const QStringList data = QDir(g.DataFolder).entryList(QDir::Files | QDir::Hidden);
        // Once the back-up has been read and checked, the disk fills up: the
        // database may still change within its size, the larger back-up
        // finds no room.
        const qint64 room = QFileInfo(g.DataFolder + QStringLiteral("murqn.mdb")).size() + 8192;
        QVERIFY(room < QFileInfo(backUp + QStringLiteral("/murqn.mdb")).size());
        std::optional<FileSizeLimit> full;
        const MsgBoxHandler answer = setMsgBoxHandler({});
        setMsgBoxHandler([&](const MsgBoxCall& call) {
            if (call.text.contains(QLatin1String("Are you sure")))
                full.emplace(rlim_t(room));
            else
                full.reset();
            return answer(call);
        });
        frmBackup* f = open("R");
        dir(f)->setPath(backUp);
        const QString message = QStringLiteral("The database could not be restored. Your database has not been "
                                               "changed.\r\r") +
                                NoRoomOnDisk(g.DataFolder);
        env->expectMsgBox(QStringLiteral("Are you sure you want to replace your Database?"), vbYes);
        env->expectMsgBox(message, vbOK, QStringLiteral("Restore Failed"));
        ok(f);
        setMsgBoxHandler(answer);
        QCOMPARE(env->pendingExpectations(), 0);
        QCOMPARE(env->shownMessages().last().text, message);
        QCOMPARE(rowsOfLive(QStringLiteral("select LongTeamName from Teams")), QStringList{QStringLiteral("Kept")});
        QCOMPARE(QDir(g.DataFolder).entryList(QDir::Files | QDir::Hidden), data);

        // Any other failure while it writes is one plain sentence.
        const QString inTheWay = g.DataFolder + QStringLiteral("murqn.mdb.copying");
        QVERIFY(QDir().mkpath(inTheWay));
        f = open("R");
        dir(f)->setPath(backUp);
        const QString plain = QStringLiteral("The database could not be restored. Your database has not been changed.");
        env->expectMsgBox(QStringLiteral("Are you sure you want to replace your Database?"), vbYes);
        env->expectMsgBox(plain, vbOK, QStringLiteral("Restore Failed"));
        ok(f);
        QCOMPARE(env->shownMessages().last().text, plain);
        QVERIFY(QDir(inTheWay).removeRecursively());
        QCOMPARE(rowsOfLive(QStringLiteral("select LongTeamName from Teams")), QStringList{QStringLiteral("Kept")});
    }

    // A back-up and a transfer file whose index lists a row under another
    // key pass SQLite's quick check, not its full one. Their indexes are
    // built again from their tables before anything is read: the restored
    // database is sound and its index finds both players of game 1, and the
    // imported team has all six games (read through the damaged index, the
    // first would be lost). The user's files stay as they were.
    void aDamagedIndexIsBuiltAgainFromItsTable()
    {
        const Person sean{1, QStringLiteral("Sean"), QStringLiteral("Ek")};
        addTransferTeam(Db(), 1, QStringLiteral("Ice Hawks"), {sean, {2, QStringLiteral("Ann"), QStringLiteral("Lee")}},
                        6);
        const QString damaged = folder(QStringLiteral("damaged"));
        copiesIn(damaged);
        damageIndexEntry(damaged + QStringLiteral("/murqn.mdb"), QStringLiteral("PlayerStatsByGame"), 3);
        damageIndexEntry(damaged + QStringLiteral("/hawks.mdb"), QStringLiteral("GameStatsByTeam"), 2);
        const QMap<QString, QByteArray> theirs = filesIn(damaged);
        Db().execute(QStringLiteral("delete from PlayerStats"));

        frmBackup* f = open("R");
        dir(f)->setPath(damaged);
        env->expectMsgBox(QStringLiteral("Are you sure you want to replace your Database?"), vbYes);
        env->expectMsgBox(QStringLiteral("Database successfully restored!"));
        ok(f);
        QCOMPARE(env->pendingExpectations(), 0);
        QCOMPARE(Db().scalar(QStringLiteral("pragma integrity_check")).toString(), QStringLiteral("ok"));
        QCOMPARE(rowsOfLive(QStringLiteral("select PlayerNumber from PlayerStats indexed by PlayerStatsByGame where "
                                           "TeamNumber = 1 and GameNumber = 1")),
                 (QStringList{QStringLiteral("1"), QStringLiteral("2")}));

        Db().execute(QStringLiteral("update Teams set LongTeamName = 'Restored'"));
        f = open("I");
        dir(f)->setPath(damaged);
        pickFile(f, QStringLiteral("hawks.mdb"));
        env->expectMsgBox(QStringLiteral("1 database team(s) successfully imported!"));
        reader::press(control<QPushButton>(f, "cmdOK"));  // as a screen reader presses OK
        QTRY_COMPARE(env->pendingExpectations(), 0);
        QCOMPARE(rowsOfLive(QStringLiteral("select group_concat(g.GameNumber) from GameStats g join Teams t on "
                                           "t.TeamNumber = g.TeamNumber where t.LongTeamName = 'Ice Hawks'")),
                 QStringList{QStringLiteral("1,2,3,4,5,6")});
        QCOMPARE(filesIn(damaged), theirs);
    }

    // What cannot be read is told of the file the user chose, in words a
    // user reads: no copy of the program's, no database engine's text.
    void messagesNameTheFileTheUserChose()
    {
        const QString junk = folder(QStringLiteral("junk"));
        for (const char* name : {"/murqn.mdb", "/teams.mdb"})
            writeBytes(junk + QLatin1String(name), QByteArray("Not a database.\n").repeated(256));
        const QString other = folder(QStringLiteral("other"));
        Database::create(other + QStringLiteral("/murqn.mdb"), QStringLiteral(";PWD=other"),
                         QStringLiteral("create table Teams (TeamNumber smallint);"));
        frmBackup* f = open("R");
        refusedExactly(f, junk,
                       junk + QStringLiteral("/murqn.mdb can not be opened as a Velloran for Hockey database.\r\rIt is "
                                             "damaged, or it is not a database."));
        refusedExactly(f, other,
                       other + QStringLiteral("/murqn.mdb can not be opened as a Velloran for Hockey database.\r\r"
                                              "It is a database of another program: its password does not match."));
        // A file nobody may read.
        const QString locked = env->root() + QStringLiteral("/locked");
        QDir().mkpath(locked);
        writeBytes(locked + QStringLiteral("/murqn.mdb"), "private");
        QVERIFY(QFile::setPermissions(locked + QStringLiteral("/murqn.mdb"), QFile::Permissions()));
        {
            AsOrdinaryUser user(*env);
            refusedExactly(f, locked,
                           locked + QStringLiteral("/murqn.mdb could not be read.\r\rYour user account may not read "
                                                   "it.\r\rYour database has not been changed."));
        }
        // The list showed a file, which became a folder before OK.
        const QString gone = folder(QStringLiteral("gone"));
        addTransferTeam(Db(), 1, QStringLiteral("Ice Hawks"), {});
        copiesIn(gone);
        dir(f)->setPath(gone);
        QVERIFY(QFile::remove(gone + QStringLiteral("/murqn.mdb")));
        QVERIFY(QDir().mkpath(gone + QStringLiteral("/murqn.mdb")));
        const QString inFolder = gone + QStringLiteral("/murqn.mdb could not be read.\r\rIt is a folder, not a "
                                                       "file.\r\rYour database has not been changed.");
        env->expectMsgBox(inFolder);
        ok(f);
        QCOMPARE(env->shownMessages().last().text, inFolder);
        f->cmdCancel_Click();

        f = open("I");
        refusedExactly(f, junk,
                       QStringLiteral("teams.mdb is not a team database of Velloran for Hockey, or it is "
                                      "damaged.\r\rIt is damaged, or it is not a database."),
                       QStringLiteral("teams.mdb"));
        const QString goneToo = folder(QStringLiteral("goneToo"));
        ExportTeamFile(Db(), g.DataFolder, goneToo + QStringLiteral("/hawks.mdb"), {{1, QStringLiteral("Ice Hawks")}});
        dir(f)->setPath(goneToo);
        pickFile(f, QStringLiteral("hawks.mdb"));
        QVERIFY(QFile::remove(goneToo + QStringLiteral("/hawks.mdb")));
        QVERIFY(QDir().mkpath(goneToo + QStringLiteral("/hawks.mdb")));
        const QString folderImported =
            QStringLiteral("hawks.mdb could not be read.\r\rIt is a folder, not a file.\r\rNothing was imported.");
        env->expectMsgBox(folderImported);
        ok(f);
        QCOMPARE(env->shownMessages().last().text, folderImported);
        QCOMPARE(env->pendingExpectations(), 0);
        f->cmdCancel_Click();
        for (const MsgBoxCall& shown : env->shownMessages())
            for (const char* ours : {"MURQNRead", ".copying", "Unrecognized database format", "Error"})
                QVERIFY2(!shown.text.contains(QLatin1String(ours)), qPrintable(shown.text));
    }

    // The copy a back-up or transfer file is read through, its side files
    // and the restored database hold the rosters' addresses: only their
    // owner may read them, whatever the file allows, with a log or a
    // journal to take in or without.
    void theReadingCopyIsItsOwnersOnly()
    {
        addTransferTeam(Db(), 1, QStringLiteral("Ice Hawks"), {{1, QStringLiteral("Sean"), QStringLiteral("Ek")}});
        const QString shared = folder(QStringLiteral("shared"));
        copiesIn(shared);
        const QString logged = folder(QStringLiteral("logged"));
        copyWhileOpenWithChanges(shared + QStringLiteral("/hawks.mdb"), logged,
                                 "update Teams set LongTeamName = 'Snow Hawks'");
        const auto open = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
        for (const QString& file : QDir(logged).entryList(QDir::Files))
            QVERIFY(QFile::setPermissions(logged + QLatin1Char('/') + file, open));
        QVERIFY(QFile::setPermissions(shared + QStringLiteral("/murqn.mdb"), open));
        const QString journaled = folder(QStringLiteral("journaled"));
        copyMidTransaction(shared + QStringLiteral("/murqn.mdb"), journaled,
                           "update Teams set LongTeamName = 'Snow Hawks'");
        for (const QString& file : QDir(journaled).entryList(QDir::Files))
            QVERIFY(QFile::setPermissions(journaled + QLatin1Char('/') + file, open));
        // The side files, while they stand beside the copy.
        QMap<QString, QFile::Permissions> sides;
        ReadingCopy::setCopiedHook([&sides](const QString& copy) {
            for (const char* side : {"-wal", "-journal"})
                if (QFile::exists(copy + QLatin1String(side)))
                    sides[QLatin1String(side)] = fileMode(copy + QLatin1String(side));
        });
        const auto unhook = qScopeGuard([] { ReadingCopy::setCopiedHook({}); });
        const auto ownerOnly = QFile::ReadOwner | QFile::WriteOwner;
        for (const QString& source : {shared + QStringLiteral("/murqn.mdb"), logged + QStringLiteral("/hawks.mdb"),
                                      journaled + QStringLiteral("/murqn.mdb")}) {
            const ReadingCopy copy(source, g.DataFolder);
            QCOMPARE(fileMode(copy.path()), ownerOnly);
            if (source.endsWith(MainDatabaseFileName)) {
                const RestoredDatabase restored(copy.path(), g.DataFolder);
                QCOMPARE(fileMode(restored.path()), ownerOnly);
            }
        }
        QCOMPARE(sides.keys(), (QStringList{QStringLiteral("-journal"), QStringLiteral("-wal")}));
        for (const QFile::Permissions mode : sides)
            QCOMPARE(mode, ownerOnly);
        QCOMPARE(textIn(logged + QStringLiteral("/hawks.mdb"), QStringLiteral("select LongTeamName from Teams")),
                 QStringLiteral("Snow Hawks"));
    }

    // A back-up and a transfer file whose write-ahead log cannot be played
    // into the copy (the data folder's disk fills as the copy grows by it)
    // are refused: read without their log they would bring in older data.
    // The copy goes with its side files; the database and the user's files
    // stay as they were.
    void aLogThatCannotBePlayedInRefusesTheFile()
    {
        addTransferTeam(Db(), 1, QStringLiteral("Ice Hawks"), {{1, QStringLiteral("Sean"), QStringLiteral("Ek")}});
        const QString made = folder(QStringLiteral("made"));
        copiesIn(made);
        const QString grown = folder(QStringLiteral("grown"));
        for (const char* file : {"/murqn.mdb", "/hawks.mdb"})
            copyWhileOpenWithChanges(made + QLatin1String(file), grown,
                                     "with recursive n(i) as (select 1 union all select i + 1 from n where i < 300) "
                                     "insert into People (PersonNumber, FirstName, notes) select 100 + i, 'Player', "
                                     "printf('%.400c', 'n') from n");
        const QMap<QString, QByteArray> theirs = filesIn(grown);
        // Room for each file and its log, not for the file the log makes of it.
        const QString reference = folder(QStringLiteral("reference"));
        for (auto it = theirs.begin(); it != theirs.end(); ++it)
            writeBytes(reference + QLatin1Char('/') + it.key(), it.value());
        const auto roomFor = [&](const QString& name) {
            const QString file = grown + QLatin1Char('/') + name;
            const qint64 room = std::max({QFileInfo(file).size(), QFileInfo(file + QStringLiteral("-wal")).size(),
                                          qint64(32768)}) + 8192;
            plainSqlite(reference + QLatin1Char('/') + name, QStringLiteral("pragma wal_checkpoint(truncate)"));
            const qint64 played = QFileInfo(reference + QLatin1Char('/') + name).size();
            if (room >= played)
                qFatal("%s grows by its log to %lld bytes only", qPrintable(name), played);
            return rlim_t(room);
        };
        const rlim_t backUpRoom = roomFor(QStringLiteral("murqn.mdb"));
        const rlim_t transferRoom = roomFor(QStringLiteral("hawks.mdb"));
        const QStringList data = QDir(g.DataFolder).entryList(QDir::Files | QDir::Hidden);
        const QByteArray live = readBytes(g.DataFolder + QStringLiteral("murqn.mdb"));

        frmBackup* f = open("R");
        {
            FileSizeLimit full(backUpRoom);
            refused(f, grown, grown + QStringLiteral("/murqn.mdb could not be read.\r\r"));
        }
        QVERIFY(env->shownMessages().last().text.endsWith(QLatin1String("\r\rYour database has not been changed.")));
        f->cmdCancel_Click();
        f = open("I");
        {
            FileSizeLimit full(transferRoom);
            refused(f, grown, QStringLiteral("hawks.mdb could not be read.\r\r"), QStringLiteral("hawks.mdb"));
        }
        f->cmdCancel_Click();
        QCOMPARE(QDir(g.DataFolder).entryList(QDir::Files | QDir::Hidden), data);
        QVERIFY(readBytes(g.DataFolder + QStringLiteral("murqn.mdb")) == live);
        QCOMPARE(filesIn(grown), theirs);
    }

    // A back-up or transfer file written with a write-ahead log leaves no
    // side files beside it or in the data folder, and the restored database
    // runs with the program's own journal.
    void aFileWithAWriteAheadLogComesInWithTheProgramsJournal()
    {
        const QString source = folder(QStringLiteral("wal"));
        addTransferTeam(Db(), 1, QStringLiteral("Ice Hawks"), {{1, QStringLiteral("Sean"), QStringLiteral("Ek")}});
        copiesIn(source);
        Db().execute(QStringLiteral("delete from Teams"));
        for (const char* file : {"/murqn.mdb", "/hawks.mdb"})
            Database::open(source + QLatin1String(file), DatabaseConnect())
                ->execute(QStringLiteral("pragma journal_mode = wal"));
        const QStringList files = QDir(source).entryList(QDir::Files);
        QCOMPARE(files, (QStringList{QStringLiteral("hawks.mdb"), QStringLiteral("murqn.mdb")}));
        // Bytes 18 and 19 of the header: 2 for a write-ahead log, 1 for the rollback journal.
        const auto journalOf = [](const QString& path) { return readBytes(path).mid(18, 2); };
        const QString copy = folder(QStringLiteral("walcopy")) + QStringLiteral("/murqn.mdb");
        CopyDatabaseChecked(source + QStringLiteral("/murqn.mdb"), copy);
        QCOMPARE(journalOf(copy), QByteArray("\1\1"));
        QCOMPARE(QDir(folder(QStringLiteral("walcopy"))).entryList(QDir::Files), QStringList{QStringLiteral("murqn.mdb")});
        QCOMPARE(journalOf(source + QStringLiteral("/murqn.mdb")), QByteArray("\2\2"));

        const QStringList data = QDir(g.DataFolder).entryList(QDir::Files);
        restoreAndImportFrom(source);
        QCOMPARE(Db().scalar(QStringLiteral("pragma journal_mode")).toString(), QStringLiteral("delete"));
        QCOMPARE(QDir(g.DataFolder).entryList(QDir::Files), data);
        QCOMPARE(QDir(source).entryList(QDir::Files), files);
    }

    // A back-up and a transfer file copied with their side files while a
    // program still had them open: what they hold comes in as SQLite reads
    // the three files together, the user's files stay as they were, and no
    // side file stays in the data folder.
    void changesInAWriteAheadLogComeInWithTheFile()
    {
        addTransferTeam(Db(), 1, QStringLiteral("Ice Hawks"), {{1, QStringLiteral("Sean"), QStringLiteral("Ek")}});
        const QString made = folder(QStringLiteral("made"));
        copiesIn(made);
        Db().execute(QStringLiteral("delete from Teams"));
        const QString trio = folder(QStringLiteral("trio"));
        copyWhileOpenWithChanges(made + QStringLiteral("/murqn.mdb"), trio,
                                 "update Teams set LongTeamName = 'Snow Hawks'; update People set FirstName = "
                                 "'Shawn'; update GameStats set Goals = 7 where GameNumber = 2");
        copyWhileOpenWithChanges(made + QStringLiteral("/hawks.mdb"), trio,
                                 "update Teams set LongTeamName = 'Snow Hawks'; update People set LastName = "
                                 "'Eklund'; update PlayerStats set G = 9 where GameNumber = 1");
        const QMap<QString, QByteArray> userFiles = filesIn(trio);
        QCOMPARE(userFiles.size(), 6);
        // What SQLite reads from each file with its side files, on copies of the three.
        const QString reference = folder(QStringLiteral("reference"));
        for (auto it = userFiles.begin(); it != userFiles.end(); ++it)
            writeBytes(reference + QLatin1Char('/') + it.key(), it.value());
        const QString games = QStringLiteral(
            "select t.LongTeamName, p.FirstName, p.LastName, g.GameNumber, g.Goals, s.G from Teams t join GameStats g "
            "on g.TeamNumber = t.TeamNumber join PlayerStats s on s.TeamNumber = g.TeamNumber and s.GameNumber = "
            "g.GameNumber join People p on p.PersonNumber = s.PlayerNumber order by g.GameNumber");
        const QStringList backedUp = plainSqlite(reference + QStringLiteral("/murqn.mdb"), games);
        const QStringList transferred = plainSqlite(reference + QStringLiteral("/hawks.mdb"), games);
        QCOMPARE(backedUp, (QStringList{QStringLiteral("Snow Hawks|Shawn|Ek|1|4|2"),
                                        QStringLiteral("Snow Hawks|Shawn|Ek|2|7|3")}));
        QCOMPARE(transferred, (QStringList{QStringLiteral("Snow Hawks|Sean|Eklund|1|4|9"),
                                           QStringLiteral("Snow Hawks|Sean|Eklund|2|4|3")}));
        const QStringList data = QDir(g.DataFolder).entryList(QDir::Files);

        // Copied into a full data folder, neither can be read; one box says
        // so, naming the user's file and the full disk, not the copy.
        const QString noRoom = QStringLiteral("could not be read.\r\rThere is no room left on the disk that holds %1. "
                                              "Make room on that disk, then try again.\r\r")
                                   .arg(QDir::cleanPath(g.DataFolder));
        frmBackup* f = open("R");
        {
            FileSizeLimit full(8192);
            refusedExactly(f, trio,
                           trio + QStringLiteral("/murqn.mdb ") + noRoom +
                               QStringLiteral("Your database has not been changed."));
        }
        f->cmdCancel_Click();
        f = open("I");
        {
            FileSizeLimit full(8192);
            refusedExactly(f, trio, QStringLiteral("hawks.mdb ") + noRoom + QStringLiteral("Nothing was imported."),
                           QStringLiteral("hawks.mdb"));
        }
        f->cmdCancel_Click();
        QCOMPARE(QDir(g.DataFolder).entryList(QDir::Files), data);

        f = open("R");
        dir(f)->setPath(trio);
        env->expectMsgBox(QStringLiteral("Are you sure you want to replace your Database?"), vbYes);
        env->expectMsgBox(QStringLiteral("Database successfully restored!"));
        ok(f);
        QCOMPARE(rowsOfLive(games), backedUp);
        f = open("I");
        dir(f)->setPath(trio);
        pickFile(f, QStringLiteral("hawks.mdb"));
        env->expectMsgBox(QStringLiteral("Snow Hawks already on database."), vbYes);
        env->expectMsgBox(QStringLiteral("1 database team(s) successfully imported!"));
        ok(f);
        QCOMPARE(env->pendingExpectations(), 0);
        QCOMPARE(rowsOfLive(games), transferred);
        QCOMPARE(filesIn(trio), userFiles);
        QCOMPARE(QDir(g.DataFolder).entryList(QDir::Files), data);
    }

    // A back-up killed while it writes into a folder the user chose leaves
    // its partial copy there; the next start removes it, with its side
    // files, and nothing else of that folder.
    void aKilledBackUpsPartialCopyGoesAtTheNextStart()
    {
        const QString chosen = folder(QStringLiteral("chosen"));
        writeBytes(chosen + QStringLiteral("/notes.txt"), "the user's");
        writeBytes(chosen + QStringLiteral("/Old Teams.mdb.copying"), "the user's too");
        const QMap<QString, QByteArray> theirs = filesIn(chosen);
        frmBackup* f = open("B");
        dir(f)->setPath(chosen);
        const pid_t killed = fork();
        if (killed == 0) {
            // Once the compaction is done, the first file to grow past four
            // pages ends the program: the copy into the chosen folder.
            setCompactionStepHook([](int step) {
                if (step != 4)
                    return;
                std::signal(SIGXFSZ, SIG_DFL);
                const rlimit noCore{0, 0};
                setrlimit(RLIMIT_CORE, &noCore);
                rlimit size{};
                getrlimit(RLIMIT_FSIZE, &size);
                size.rlim_cur = 16384;
                setrlimit(RLIMIT_FSIZE, &size);
            });
            f->cmdOK_Click();
            _exit(1);
        }
        QVERIFY(killed > 0);
        int status = 0;
        QCOMPARE(waitpid(killed, &status, 0), killed);
        QVERIFY(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ);
        const QString partial = chosen + QStringLiteral("/murqn.mdb.copying");
        QVERIFY(QFileInfo::exists(partial));
        // Cut off while the copy was checked, its journal would be there too.
        writeBytes(partial + QStringLiteral("-journal"), "cut off");

        // The next start.
        f->cmdCancel_Click();
        g.Db->close();
        env->runSetup();
        QVERIFY(!env->ended());
        QCOMPARE(filesIn(chosen), theirs);
        QCOMPARE(MarkedPartialCopy(g.DataFolder), std::nullopt);
        QVERIFY(!QFileInfo::exists(g.DataFolder + QStringLiteral("copying.txt")));
    }

    // While an export runs, the data folder names the partial copy it writes
    // beside its target; when it is done, nothing is named.
    void anExportNamesItsPartialCopyWhileItRuns()
    {
        addTransferTeam(Db(), 1, QStringLiteral("Ice Hawks"), {});
        const QString target = folder(QStringLiteral("chosen")) + QStringLiteral("/Hawks.mdb");
        std::optional<QString> named;
        ExportTeamFile(Db(), g.DataFolder, target, {{1, QStringLiteral("Ice Hawks")}},
                       [&named](const QString&) { named = MarkedPartialCopy(g.DataFolder); });
        QCOMPARE(named, std::optional<QString>(target + QStringLiteral(".copying")));
        QCOMPARE(MarkedPartialCopy(g.DataFolder), std::nullopt);
        QVERIFY(QFileInfo::exists(target));
    }

    // Every copy is as private as the live database, whatever the file it
    // replaces or comes from allowed.
    void copiesTakeTheDatabasesMode()
    {
        addTeam(1, QStringLiteral("Kept"));
        reloadTeams();
        selectAllTeams();
        const QString live = g.DataFolder + QStringLiteral("murqn.mdb");
        const auto privateMode = QFile::ReadOwner | QFile::WriteOwner;
        const auto readable = privateMode | QFile::ReadGroup | QFile::ReadOther;
        QVERIFY(QFile::setPermissions(live, privateMode));
        const QString copy = backupFolder() + QStringLiteral("/murqn.mdb");
        QDir().mkpath(backupFolder());
        CopyDatabaseChecked(live, copy);
        QVERIFY(QFile::setPermissions(copy, readable));

        frmBackup* f = open("B");
        env->expectMsgBox(QStringLiteral("This file already exists."), vbYes);
        env->expectMsgBox(QStringLiteral("Database successfully backed up!"));
        ok(f);
        QCOMPARE(fileMode(copy), privateMode);

        QVERIFY(QFile::setPermissions(copy, readable));
        f = open("R");
        env->expectMsgBox(QStringLiteral("Are you sure you want to replace your Database?"), vbYes);
        env->expectMsgBox(QStringLiteral("Database successfully restored!"));
        ok(f);
        QCOMPARE(fileMode(live), privateMode);

        selectAllTeams();
        const QString exported = backupFolder() + QStringLiteral("/HockeyTeams.mdb");
        writeBytes(exported, "earlier");
        QVERIFY(QFile::setPermissions(exported, readable));
        f = open("E");
        env->expectMsgBox(QStringLiteral("Database exists. Do you want to replace the database?"), vbYes);
        env->expectMsgBox(QStringLiteral("1 database team(s) successfully exported!"));
        ok(f);
        QCOMPARE(env->pendingExpectations(), 0);
        QCOMPARE(fileMode(exported), privateMode);
    }

    // A back-up whose stored choice names a format that is gone comes back
    // with the kind's first format chosen; the back-up itself is only read.
    void aRestoredChoiceOfAFormatThatIsGoneTakesTheFirst()
    {
        const QString copy = folder(QStringLiteral("formats")) + QStringLiteral("/murqn.mdb");
        {
            auto db = newProgramDatabase(copy);
            db->execute(QStringLiteral("update ReportNumber set ReportNumber = 9 where ReportType = 'P'"));
            db->execute(QStringLiteral("delete from GoalieRptFormat where ReportNumber = 1"));
        }
        frmBackup* f = open("R");
        dir(f)->setPath(folder(QStringLiteral("formats")));
        env->expectMsgBox(QStringLiteral("Are you sure you want to replace your Database?"), vbYes);
        env->expectMsgBox(QStringLiteral("Database successfully restored!"), vbOK, QStringLiteral("Restore Complete"));
        ok(f);
        flushDeletes();
        QCOMPARE(env->pendingExpectations(), 0);
        QCOMPARE(g.PlayerReportNumber, int16_t(1));
        QCOMPARE(Trim(g.PlayerRptDescription), QStringLiteral("Standard Player Report"));
        QCOMPARE(g.GoalieReportNumber, int16_t(2));
        QCOMPARE(g.GoalieReportLine[2], int16_t(3));
        QCOMPARE(textOf(Db(), QStringLiteral("select ReportNumber from ReportNumber where ReportType = 'P'")),
                 QStringLiteral("1"));
        QCOMPARE(textOf(Db(), QStringLiteral("select ReportNumber from ReportNumber where ReportType = 'G'")),
                 QStringLiteral("2"));
        QCOMPARE(textIn(copy, QStringLiteral("select ReportNumber from ReportNumber where ReportType = 'P'")),
                 QStringLiteral("9"));
    }

    // Every command that closes and opens the database again, run while an
    // entry screen, a report and the team list stay open: they keep working.
    void windowsLeftOpenOutliveAReopenedDatabase_data()
    {
        QTest::addColumn<QString>("command");
        for (const char* command : {"upload", "B", "R", "I"})
            QTest::newRow(command) << QString::fromLatin1(command);
    }
    void windowsLeftOpenOutliveAReopenedDatabase()
    {
        QFETCH(QString, command);
        seed::addTeam(1, QStringLiteral("Ice Hawks"), QStringLiteral("Hawks"));
        seed::addPerson(1, QStringLiteral("Sean"), QStringLiteral("Ek"));
        seed::addRoster(1, 1);
        addStoredGame(1, 1, 1, 0, 0, 0, 0);
        reloadTeams();
        selectAllTeams();
        const QString copies = folder(QStringLiteral("copies"));
        copiesIn(copies);
        FrmMDI frame;
        g.Frame = &frame;
        g.CurrentTeam = 1;
        g.GameRec.gameNumber = 1;
        ShowPlayerScreen();
        frmPScreen* entry = Loaded<frmPScreen>();
        g.ReportCode = "T";
        QVERIFY(Load<frmRosterRpt>());
        const QStringList before = statisticsRows(Db());

        if (command == QLatin1String("upload")) {
            // The upload is handed the closed database's file; the user cancels.
            frame.setUploadOpener([](const QString& path) {
                QCOMPARE(path, g.DataFolder + QStringLiteral("murqn.mdb"));
                QVERIFY(!g.Db->isOpen());
            });
            frame.mn_SendUsYourData_Click();
        } else {
            g.BackupMode = command;
            frmBackup* f = Load<frmBackup>();
            dir(f)->setPath(command == QLatin1String("B") ? backupFolder() : copies);
            if (command == QLatin1String("R"))
                env->expectMsgBox(QStringLiteral("Are you sure you want to replace your Database?"), vbYes);
            if (command == QLatin1String("I")) {
                pickFile(f, QStringLiteral("hawks.mdb"));
                env->expectMsgBox(QStringLiteral("Ice Hawks already on database."), vbNo);
            }
            env->expectMsgBox(QStringLiteral("success"));
            ok(f);
            QCOMPARE(env->pendingExpectations(), 0);
        }
        int shots = 0;  // the box of shots on goal
        while (g.PlayerInputOrder[shots + 1] != 4)
            ++shots;
        entry->txtCat[size_t(shots)]->setFocus();
        entry->cmdPlus_Click();
        entry->cmdOK_Click();
        QVERIFY(statisticsRows(Db()) != before);
        Unload<frmRosterRpt>();
        Unload<frmGameMenu>();
        flushDeletes();
        g.Frame = nullptr;
    }

    // Every statistic arrives, of a player on both teams once, of one who
    // left the roster too; the other program's numbers and names are its own.
    void teamsTravelFromOneProgramFolderToAnother()
    {
        const QString transfer = folder(QStringLiteral("transfer"));
        const Person shared{1, QStringLiteral("D'Arcy"), QStringLiteral("McGee-Ó")};
        addTransferTeam(Db(), 1, QStringLiteral("Ice Hawks"), {shared, {2, QStringLiteral("Ann"), QStringLiteral("Lee")}}, 3, 1);
        addTransferTeam(Db(), 2, QStringLiteral("Blue Liners"), {shared, {3, QStringLiteral("Bo"), QStringLiteral("Ek")}}, 2);
        Db().execute(QStringLiteral("delete from Roster where PersonNumber = 2"));  // left, statistics stay
        addGameType(Db(), 1, QStringLiteral("Tournament"));
        nameCategory(Db(), "H", 1, QStringLiteral("Hit"));
        reloadTeams();
        selectAllTeams();

        frmBackup* f = open("E");
        dir(f)->setPath(transfer);
        auto* name = control<QLineEdit>(f, "txtFileName");
        name->setText(QStringLiteral(" MURQN.mdb "));
        env->expectMsgBox(QStringLiteral("Can not use main database name!"), vbOK, QStringLiteral("Database Name Invalid"));
        ok(f);
        name->setText(QStringLiteral("Two Teams.mdb"));
        writeBytes(transfer + QStringLiteral("/Two Teams.mdb"), "earlier");
        env->expectMsgBox(QStringLiteral("Database exists. Do you want to replace the database?"), vbNo);
        ok(f);
        QVERIFY(Loaded<frmBackup>());
        env->expectMsgBox(QStringLiteral("Database exists. Do you want to replace the database?"), vbYes);
        env->expectMsgBox(QStringLiteral("2 database team(s) successfully exported!"), vbOK, QStringLiteral("Export Complete"));
        ok(f);
        flushDeletes();
        QVERIFY(!Loaded<frmBackup>());
        const QStringList atSource = statisticsRows(Db());
        stopProgram();

        startProgram();
        addTransferTeam(Db(), 1, QStringLiteral("Home Team"), {{1, QStringLiteral("Home"), QStringLiteral("Player")}});
        reloadTeams();
        f = open("I");
        dir(f)->setPath(transfer);
        QCOMPARE(files(f)->fileName(), QStringLiteral("Two Teams.mdb"));
        env->expectMsgBox(QStringLiteral("Game type has been added: Tournament"), vbOK, QStringLiteral("Game Type Added"));
        env->expectMsgBox(QStringLiteral("Do you want to change the following non-goalie category?\r\rNew category name: "
                                         "Hit\rCurrent category name: H1 \r"),
                          vbYes, QStringLiteral("Change Name Your Own Non-Goalie Category"));
        env->expectMsgBox(QStringLiteral("2 database team(s) successfully imported!"), vbOK, QStringLiteral("Import Complete"));
        g.MinutesPerGameOption = 45;
        ok(f);
        flushDeletes();
        QCOMPARE(env->pendingExpectations(), 0);
        QCOMPARE(g.MinutesPerGameOption, int16_t(45));
        QVERIFY(!Loaded<frmBackup>());
        QCOMPARE(listedTeams(), (QStringList{QStringLiteral("Blue Liners"), QStringLiteral("Home Team"),
                                             QStringLiteral("Ice Hawks")}));
        QStringList arrived = statisticsRows(Db());
        arrived.removeIf([](const QString& row) { return row.contains(QLatin1String("Home Team")); });
        QCOMPARE(arrived, atSource);
        QCOMPARE(countRows(Db(), QStringLiteral("People"), QStringLiteral("LastName = ?"), {shared.last}), 1);
        QCOMPARE(countRows(Db(), QStringLiteral("Roster")), 1 + 3);
        QCOMPARE(countRows(Db(), QStringLiteral("GameStats")), 2 + 5);
        QCOMPARE(QString(g.GameTypeDescriptions[g.NumberGameTypes]).trimmed(), QStringLiteral("Tournament"));
        QCOMPARE(QString(g.PlayerCatAbbrev[46]), QStringLiteral("Hit"));
        QCOMPARE(g.NextTeamNumber, int16_t(4));
    }

    // ------------------------------------------------------------ the dialog

    // Each command of the frame opens its mode over the hidden team list,
    // which comes back with its commands when the dialog closes.
    void theFramesCommandsOpenEachMode()
    {
        stopProgram();
        env = std::make_unique<TestEnv>();
        FrmMDI frame;
        frame.MDIForm_Load();
        frame.resize(1000, 700);
        frame.show();
        for (int i = 1; i <= 12; ++i)
            addTeam(i, QStringLiteral("  Team Number %1  ").arg(i));
        reloadTeams();
        auto* list = control<QListWidget>(Loaded<frmSelectTeam>(), "lstSelectTeam");
        list->selectAll();

        // Ten of the selected teams by name, then "more...".
        frame.menuItem(QStringLiteral("mnuExport"))->trigger();
        frmBackup* f = Loaded<frmBackup>();
        QVERIFY(f && f->isShown());
        QCOMPARE(teamLabel(f, 0), QStringLiteral("Team Number 1"));
        QCOMPARE(teamLabel(f, 9), QStringLiteral("Team Number 10"));
        QCOMPARE(teamLabel(f, 10), QStringLiteral("more..."));
        grab(&frame, "frame-export");
        f->cmdCancel_Click();
        for (int row : {10, 11})
            list->item(row)->setSelected(false);
        frame.menuItem(QStringLiteral("mnuExport"))->trigger();
        QCOMPARE(teamLabel(Loaded<frmBackup>(), 10), QString());
        Loaded<frmBackup>()->cmdCancel_Click();

        // A folder only highlighted counts once the list has lost the focus.
        QDir().mkpath(backupFolder() + QStringLiteral("/older"));
        frame.menuItem(QStringLiteral("mnuBackUp"))->trigger();
        f = Loaded<frmBackup>();
        dir(f)->setCurrentRow(dir(f)->count() - 1);
        f->Dir1_LostFocus();
        env->expectMsgBox(QStringLiteral("Database successfully backed up!"));
        ok(f);
        flushDeletes();
        QVERIFY(QFile::exists(backupFolder() + QStringLiteral("/older/murqn.mdb")));
        unloadTeamWindows();
        g.Frame = nullptr;
    }

    void anImportThatFailsSaysWhichTeam()
    {
        addTransferTeam(Db(), 1, QStringLiteral("Ice Hawks"), {{1, QStringLiteral("Sean"), QStringLiteral("Ek")}});
        const QString file = folder(QStringLiteral("transfer")) + QStringLiteral("/hawks.mdb");
        ExportTeamFile(Db(), g.DataFolder, file, {{1, QStringLiteral("Ice Hawks")}});
        Db().execute(QStringLiteral("update Teams set LongTeamName = 'Renamed'"));
        failInsertsInto(QStringLiteral("GoalieStats"));
        reloadTeams();
        frmBackup* f = open("I");
        dir(f)->setPath(folder(QStringLiteral("transfer")));
        env->expectMsgBox(QStringLiteral("The team Ice Hawks could not be imported; nothing of it was written. 0 team(s) "
                                         "were imported before it."),
                          vbOK, QStringLiteral("Import Failed"));
        ok(f);
        flushDeletes();
        QCOMPARE(env->pendingExpectations(), 0);
        QCOMPARE(listedTeams(), QStringList{QStringLiteral("Renamed")});
        QCOMPARE(rowsOf(QStringLiteral("People")), 1);
    }

    // Every kind of file that is no team database of this version, each
    // alone in its folder, gets its one message.
    void anImportRefusesWhatIsNoTeamDatabase()
    {
        frmBackup* f = open("I");
        refused(f, folder(QStringLiteral("none")), QStringLiteral("Must select database to import!"));
        refused(f, g.DataFolder, QStringLiteral("Can not import main database!"), QStringLiteral("murqn.mdb"));
        const auto file = [&](const char* kind) { return folder(QLatin1String(kind)) + QStringLiteral("/teams.mdb"); };
        writeBytes(file("junk"), QByteArray(9000, 'j'));
        const QString oneTable = QStringLiteral("create table Teams (TeamNumber smallint);");
        Database::create(file("password"), QStringLiteral(";PWD=other"), oneTable);
        Database::create(file("partial"), DatabaseConnect(), oneTable);
        for (const char* kind : {"cut", "1", "2.5", "no version"})
            ExportTeamFile(Db(), g.DataFolder, file(kind), {});
        QFile::resize(file("cut"), QFileInfo(file("cut")).size() / 2);
        for (const char* version : {"1", "2.5"})
            Database::open(file(version), DatabaseConnect())
                ->execute(QStringLiteral("update ProgramVersion set ProgramVersion = ?"), {QString::fromLatin1(version)});
        Database::open(file("no version"), DatabaseConnect())->execute(QStringLiteral("delete from ProgramVersion"));
        for (const char* kind : {"junk", "password", "partial", "cut"})
            refused(f, folder(QLatin1String(kind)), QStringLiteral("is not a team database of Velloran for Hockey"));
        // Code inside a file could not run while import reads it, but no
        // file of the program holds any.
        const std::pair<const char*, const char*> code[] = {
            {"trigger", "create trigger t after insert on Teams begin delete from People; end"},
            {"view", "create view v as select * from People"}};
        for (const auto& [kind, sql] : code) {
            ExportTeamFile(Db(), g.DataFolder, file(kind), {});
            Database::open(file(kind), DatabaseConnect())->execute(QLatin1String(sql));
            refused(f, folder(QLatin1String(kind)),
                    QStringLiteral("teams.mdb cannot be imported. It holds code that runs inside the database: %1")
                        .arg(QLatin1String(kind)));
        }
        for (const char* kind : {"1", "2.5", "no version"})
            refused(f, folder(QLatin1String(kind)), QStringLiteral("Import database version not 2.x."));
        f->cmdCancel_Click();
    }

    // ------------------------------------------------------------ the mouse pointer

    // From OK on, the hourglass shows while the dialog works; each box comes
    // with the arrow, and the arrow is back when OK returns, however the
    // command ended.
    void aBackUpShowsTheHourglassFromOkOn()
    {
        frmBackup* f = open("B");
        dir(f)->setPath(g.DataFolder);
        env->expectMsgBox(QStringLiteral("Can not back up to data directory!"));
        QCOMPARE(pointerThroughOk(f),
                 (QStringList{QStringLiteral("Invalid Directory: arrow"), QStringLiteral("returned: arrow")}));
        const QString inTheWay = backupFolder() + QStringLiteral("/murqn.mdb.copying");
        QVERIFY(QDir().mkpath(inTheWay));
        dir(f)->setPath(backupFolder());
        env->expectMsgBox(QStringLiteral("The database could not be backed up to "));
        QCOMPARE(pointerThroughOk(f),
                 (QStringList{QStringLiteral("compacting: hourglass"), QStringLiteral("Back Up Failed: arrow"),
                              QStringLiteral("returned: arrow")}));
        QVERIFY(QDir(inTheWay).removeRecursively());
        writeBytes(backupFolder() + QStringLiteral("/murqn.mdb"), "earlier");
        env->expectMsgBox(QStringLiteral("This file already exists."), vbYes);
        env->expectMsgBox(QStringLiteral("Database successfully backed up!"));
        QCOMPARE(pointerThroughOk(f),
                 (QStringList{QStringLiteral("Back Up Database: arrow"), QStringLiteral("compacting: hourglass"),
                              QStringLiteral("Back Up Complete: arrow"), QStringLiteral("returned: arrow")}));
    }

    // The back-up is read and checked under the hourglass, before its
    // question; the start-up that follows a Yes (here with its compaction)
    // too.
    void aRestoreShowsTheHourglassFromOkOn()
    {
        const QString due = folder(QStringLiteral("due"));
        newProgramDatabase(due + QStringLiteral("/murqn.mdb"))
            ->execute(QStringLiteral("update CompactCount set CompactCounter = 8"));
        const QString foreign = folder(QStringLiteral("foreign"));
        newProgramDatabase(foreign + QStringLiteral("/murqn.mdb"))->execute(QStringLiteral("create table Zzz (a)"));
        frmBackup* f = open("R");
        dir(f)->setPath(folder(QStringLiteral("empty")));
        env->expectMsgBox(QStringLiteral("Velloran database (murqn.mdb) not found in directory!"));
        QCOMPARE(pointerThroughOk(f),
                 (QStringList{QStringLiteral("Database Not Found: arrow"), QStringLiteral("returned: arrow")}));
        dir(f)->setPath(foreign);
        env->expectMsgBox(QStringLiteral("Its table Zzz is not a table of Velloran for Hockey."));
        QCOMPARE(pointerThroughOk(f),
                 (QStringList{QStringLiteral("reading: hourglass"), QStringLiteral("Database Not Valid: arrow"),
                              QStringLiteral("returned: arrow")}));
        dir(f)->setPath(due);
        env->expectMsgBox(QStringLiteral("Are you sure you want to replace your Database?"), vbNo);
        QCOMPARE(pointerThroughOk(f),
                 (QStringList{QStringLiteral("reading: hourglass"), QStringLiteral("Replace Database: arrow"),
                              QStringLiteral("returned: arrow")}));
        env->expectMsgBox(QStringLiteral("Are you sure you want to replace your Database?"), vbYes);
        env->expectMsgBox(QStringLiteral("Database successfully restored!"));
        QCOMPARE(pointerThroughOk(f),
                 (QStringList{QStringLiteral("reading: hourglass"), QStringLiteral("Replace Database: arrow"),
                              QStringLiteral("compacting: hourglass"), QStringLiteral("Restore Complete: arrow"),
                              QStringLiteral("returned: arrow")}));
    }

    // The file is read and checked under the hourglass; the questions and
    // notices of the import come with the arrow, and the hourglass is back
    // while the teams are written.
    void anImportShowsTheHourglassFromOkOn()
    {
        addTransferTeam(Db(), 1, QStringLiteral("Ice Hawks"), {{1, QStringLiteral("Sean"), QStringLiteral("Ek")}});
        reloadTeams();
        const QString transfer = folder(QStringLiteral("transfer"));
        ExportTeamFile(Db(), g.DataFolder, transfer + QStringLiteral("/hawks.mdb"), {{1, QStringLiteral("Ice Hawks")}});
        addGameType(*Database::open(transfer + QStringLiteral("/hawks.mdb"), DatabaseConnect()), 4,
                    QStringLiteral("Tournament"));
        ExportTeamFile(Db(), g.DataFolder, transfer + QStringLiteral("/older.mdb"), {});
        Database::open(transfer + QStringLiteral("/older.mdb"), DatabaseConnect())
            ->execute(QStringLiteral("update ProgramVersion set ProgramVersion = 2.5"));
        frmBackup* f = open("I");
        dir(f)->setPath(transfer);
        pickFile(f, QStringLiteral("older.mdb"));
        env->expectMsgBox(QStringLiteral("Import database version not 2.x."));
        QCOMPARE(pointerThroughOk(f),
                 (QStringList{QStringLiteral("reading: hourglass"), QStringLiteral("Wrong Database Version: arrow"),
                              QStringLiteral("returned: arrow")}));
        pickFile(f, QStringLiteral("hawks.mdb"));
        env->expectMsgBox(QStringLiteral("Game type has been added: Tournament"));
        env->expectMsgBox(QStringLiteral("Ice Hawks already on database."), vbYes);
        env->expectMsgBox(QStringLiteral("1 database team(s) successfully imported!"));
        QCOMPARE(pointerThroughOk(f),
                 (QStringList{QStringLiteral("reading: hourglass"), QStringLiteral("Game Type Added: arrow"),
                              QStringLiteral("Import Teams: arrow"), QStringLiteral("progress: hourglass"),
                              QStringLiteral("Import Complete: arrow"), QStringLiteral("returned: arrow")}));
    }

    // The export's question comes with the arrow, its writing under the
    // hourglass; Enter in the name box is OK.
    void anExportShowsTheHourglassFromOkOn()
    {
        addTransferTeam(Db(), 1, QStringLiteral("Ice Hawks"), {});
        reloadTeams();
        selectAllTeams();
        const QString chosen = folder(QStringLiteral("chosen"));
        frmBackup* f = open("E");
        dir(f)->setPath(chosen);
        auto* name = control<QLineEdit>(f, "txtFileName");
        name->setText(QStringLiteral("Hawks"));
        env->expectMsgBox(QStringLiteral("Database name must end with '.mdb'."));
        QCOMPARE(pointerThroughOk(f),
                 (QStringList{QStringLiteral("Database Name Invalid: arrow"), QStringLiteral("returned: arrow")}));
        name->setText(QStringLiteral("Hawks.mdb"));
        const QString inTheWay = chosen + QStringLiteral("/Hawks.mdb.copying");
        QVERIFY(QDir().mkpath(inTheWay));
        env->expectMsgBox(QStringLiteral("The teams could not be exported to "));
        QCOMPARE(pointerThroughOk(f),
                 (QStringList{QStringLiteral("progress: hourglass"), QStringLiteral("Export Failed: arrow"),
                              QStringLiteral("returned: arrow")}));
        QVERIFY(QDir(inTheWay).removeRecursively());
        writeBytes(chosen + QStringLiteral("/Hawks.mdb"), "earlier");
        env->expectMsgBox(QStringLiteral("Database exists. Do you want to replace the database?"), vbYes);
        env->expectMsgBox(QStringLiteral("1 database team(s) successfully exported!"));
        f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f));
        name->setFocus();
        const auto enter = [this, name] {
            QTest::keyClick(name, Qt::Key_Return);  // OK clicks a moment later
            QVERIFY(QTest::qWaitFor([this] { return env->pendingExpectations() == 0; }));
        };
        QCOMPARE(pointerThroughOk(f, {}, enter),
                 (QStringList{QStringLiteral("Database Exists: arrow"), QStringLiteral("progress: hourglass"),
                              QStringLiteral("Export Complete: arrow"), QStringLiteral("returned: arrow")}));
    }

    // A restore that finds no room to build the database the back-up would
    // become says so before its question, naming the full disk; nothing
    // changes. Written in UTF-16, the back-up's notes take half as much room
    // again in the program's UTF-8: its copy, read and checked, fits, the
    // database it becomes does not.
    void aRestoreWithNoRoomToBuildItsDatabaseSaysSoBeforeAsking()
    {
        addTeam(1, QStringLiteral("Kept"));
        const QString made = folder(QStringLiteral("made")) + QStringLiteral("/murqn.mdb");
        newProgramDatabase(made)->execute(
            QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < 300) insert into "
                           "People (PersonNumber, FirstName, notes) select i, 'Player', ? from n"),
            {QString(400, QChar(0x6C37))});
        const QString backUp = folder(QStringLiteral("utf16"));
        copyInEncoding(made, backUp + QStringLiteral("/murqn.mdb"), QStringLiteral("UTF-16le"));
        const QString live = g.DataFolder + MainDatabaseFileName;
        const QByteArray before = readBytes(live);
        const QStringList data = QDir(g.DataFolder).entryList(QDir::Files | QDir::Hidden);
        frmBackup* f = open("R");
        dir(f)->setPath(backUp);
        env->expectMsgBox(
            QStringLiteral("The database could not be restored. Your database has not been changed.\r\r") +
                NoRoomOnDisk(g.DataFolder),
            vbOK, QStringLiteral("Restore Failed"));
        std::optional<FileSizeLimit> full;
        const auto fillsUp = [&full](const QString& copy) { full.emplace(rlim_t(QFileInfo(copy).size() + 65536)); };
        QCOMPARE(pointerThroughOk(f, fillsUp),
                 (QStringList{QStringLiteral("reading: hourglass"), QStringLiteral("Restore Failed: arrow"),
                              QStringLiteral("returned: arrow")}));
        full.reset();
        QVERIFY(readBytes(live) == before);
        QCOMPARE(QDir(g.DataFolder).entryList(QDir::Files | QDir::Hidden), data);
        QVERIFY(Loaded<frmBackup>());
    }

    // SQLite finds a table by its name in any capitals: a back-up whose
    // tables are named so holds the program's own and comes back under the
    // program's names. A table the program does not have is still refused,
    // however like one of its own it is named.
    void tablesNamedInOtherCapitalsAreTheProgramsOwn()
    {
        const QString backUp = folder(QStringLiteral("capitals"));
        const auto backUpWith = [&backUp](const QString& extra) {
            auto db = newProgramDatabase(backUp + QStringLiteral("/murqn.mdb"));
            addTransferTeam(*db, 1, QStringLiteral("Ice Hawks"), {{1, QStringLiteral("Sean"), QStringLiteral("Ek")}});
            // SQLite renames no table to its own name in other capitals.
            for (const char* sql :
                 {"alter table Teams rename to Renamed", "alter table Renamed rename to TEAMS",
                  "alter table PlayerStats rename to Renamed", "alter table Renamed rename to playerstats"})
                db->execute(QLatin1String(sql));
            if (!extra.isEmpty())
                db->execute(extra);
        };
        backUpWith(QStringLiteral("create table TeamsOld (TeamNumber smallint)"));
        frmBackup* f = open("R");
        refused(f, backUp, QStringLiteral("Its table TeamsOld is not a table of Velloran for Hockey."));
        f->cmdCancel_Click();
        backUpWith({});
        restoreFrom(backUp);
        QCOMPARE(listedTeams(), QStringList{QStringLiteral("Ice Hawks")});
        QCOMPARE(rowsOfLive(QStringLiteral("select name from sqlite_master where name in ('Teams', 'PlayerStats') "
                                           "collate binary order by name")),
                 (QStringList{QStringLiteral("PlayerStats"), QStringLiteral("Teams")}));
        QCOMPARE(rowsOfLive(QStringLiteral("select count(*) from PlayerStats")), QStringList{QStringLiteral("2")});
    }
};

VH_TEST_MAIN(TstBackup)
#include "tst_backup.moc"
