#include "shell/Startup.h"

#include "platform/Folders.h"
#include "platform/MsgBox.h"
#include "platform/Runtime.h"
#include "shell/Categories.h"
#include "shell/Common.h"
#include "shell/Frame.h"
#include "shell/Globals.h"
#include "shell/Help.h"

#include <QDir>
#include <QFile>

namespace vh {

namespace {

// Kept in two parts and joined only when needed, as the program always has.
const char* const kConnectPrefix = ";PWD=";
const char* const kDbPassword = "marsh615";

void clearTable(const char* table) { Db().execute(QStringLiteral("DELETE FROM %1").arg(QLatin1String(table))); }

}  // namespace

QString DatabaseConnect() { return QLatin1String(kConnectPrefix) + QLatin1String(kDbPassword); }

void OpenMainDatabase()
{
    g.DbPath = g.DataFolder + QStringLiteral("murqn.mdb");
    g.Db.reset();
    g.Db = Database::open(g.DbPath, DatabaseConnect());
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

void CompactMainDatabase()
{
    const QString mdb = g.DataFolder + QStringLiteral("murqn.mdb");
    const QString bak = g.DataFolder + QStringLiteral("murqn.bak");
    const QString bak2 = g.DataFolder + QStringLiteral("murqn.bak2");
    const QString fresh = g.DataFolder + QStringLiteral("murqn.compact");

    // Compact into a new file and prove it opens before anything is replaced.
    QFile::remove(fresh);
    try {
        Database::compact(mdb, fresh, DatabaseConnect());
        Database::open(fresh, DatabaseConnect())->close();
    } catch (...) {
        QFile::remove(fresh);
        throw;
    }
    // The previous compacted copy becomes the older one. Each step is a rename
    // or a copy through a temporary name, so a failure leaves the live file
    // as it was.
    if (FileExists(bak) && std::rename(QFile::encodeName(bak).constData(), QFile::encodeName(bak2).constData()) != 0) {
        QFile::remove(fresh);
        throw RuntimeError(Err::PathFileAccess, QStringLiteral("Path/File access error: %1").arg(bak2));
    }
    if (std::rename(QFile::encodeName(fresh).constData(), QFile::encodeName(bak).constData()) != 0) {
        QFile::remove(fresh);
        throw RuntimeError(Err::PathFileAccess, QStringLiteral("Path/File access error: %1").arg(bak));
    }
    copyFileChecked(bak, mdb);
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
    bool compacted = false;
    for (;;) {
        eh.run([] { OpenMainDatabase(); });
        bool compactDue = false;
        eh.run([&] {
            Recordset rs = Db().openRecordset(QStringLiteral("CompactCount"));
            if (!rs.eof()) {
                rs.moveFirst();
                rs.edit();
                if (rs.getInt(QStringLiteral("CompactCounter")) > 7) {
                    rs.setValue(QStringLiteral("CompactCounter"), 0);
                    compactDue = true;
                } else {
                    rs.setValue(QStringLiteral("CompactCounter"), rs.getInt(QStringLiteral("CompactCounter")) + 1);
                }
                rs.update();
            }
            rs.close();
        });
        if (eh.stopped())
            return;
        if (!compactDue || compacted)
            break;
        compacted = true;
        eh.run([] { ClearReportTables(); });
        eh.run([] { g.Db->close(); });
        eh.run([] { CompactMainDatabase(); });
        if (eh.stopped())
            return;
    }

    eh.run([] {
        Recordset rs = Db().openRecordset(QStringLiteral("NumberOptions"));
        for (; !rs.eof(); rs.moveNext()) {
            const int n = rs.getInt(QStringLiteral("OptionNumber"));
            if (n >= 1 && n <= Globals::OptionCount)
                g.option(n) = rs.getInt(QStringLiteral("Option"));
        }
        rs.close();
        g.OptionsLoaded = true;
    });
    eh.run([] {
        if (!g.Frame)
            return;
        if (g.ShowToolBarOption != 0)
            g.Frame->setToolbarButtonEnabled(QStringLiteral("UpdateGames"), false);
        else
            g.Frame->setToolbarVisible(false);
    });
    eh.run([] { LoadNameYourOwnCats(); });
    eh.run([] {
        g.NumberGameTypes = 1;
        g.GameTypeDescriptions.redim(1);
        g.GameTypeNumbers.redim(1, 0);
        g.GameTypeDescriptions[1] = QStringLiteral("No Game Type");
        g.GameTypeNumbers[1] = 0;
        Recordset rs = Db().openRecordset(QStringLiteral("GameTypes"));
        for (; !rs.eof(); rs.moveNext()) {
            const QString description = rs.getText(QStringLiteral("GameTypeDescription"));
            const int16_t number = rs.getInt(QStringLiteral("GameTypeNumber"));
            g.NumberGameTypes += 1;
            g.GameTypeDescriptions.redimPreserve(g.NumberGameTypes);
            g.GameTypeNumbers.redimPreserve(g.NumberGameTypes, 0);
            g.GameTypeDescriptions[g.NumberGameTypes] = description;
            g.GameTypeNumbers[g.NumberGameTypes] = number;
        }
        rs.close();
    });
    // A second run leaves the windows still loaded (the team selection, the
    // data management window) marked open.
    eh.run([] { g.FormOpen.redimPreserve(FormNo::Count, False); });
    eh.run([] { LoadInputOrder(CatKind::Player); });
    eh.run([] { BuildCatAbbrev(CatKind::Player); });
    eh.run([] { LoadInputOrder(CatKind::Goalie); });
    eh.run([] { BuildCatAbbrev(CatKind::Goalie); });
    eh.run([] {
        Recordset rs = Db().openRecordset(QStringLiteral("Select * from ReportNumber"));
        for (; !rs.eof(); rs.moveNext()) {
            const QString type = rs.getText(QStringLiteral("ReportType"));
            if (type == QLatin1String("P"))
                LoadPlayerReportFormat(rs.getInt(QStringLiteral("ReportNumber")));
            else if (type == QLatin1String("G"))
                LoadGoalieReportFormat(rs.getInt(QStringLiteral("ReportNumber")));
        }
        rs.close();
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
        SaveOptions();
    } catch (const RuntimeError& e) {
        MsgBox(QStringLiteral("The options could not be saved: ") + e.description(), vbExclamation,
               QStringLiteral("Options Not Saved"));
    }
    if (g.Db)
        g.Db->close();
    EndProgram();
}

}  // namespace vh
