// Measures a team import of a large transfer file: 30 teams with about one
// million player and goalie statistics rows (or the number of statistics rows
// given as the first argument), exported by the program itself, then taken
// into a new database through OpenTransferFile and ImportTeams as the import
// dialog does. Its time and peak memory are set against reading every row of
// the same file once with SQLite alone. Each of the two runs in a process of
// its own (this program started again with --read or --import), so that
// neither peak holds what building the file or the other run took.

#include "SeasonDatabase.h"
#include "datamgmt/BackupCore.h"
#include "datamgmt/TeamExport.h"
#include "datamgmt/TeamImport.h"
#include "platform/db/Database.h"
#include "shell/Startup.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <optional>
#include <sqlite3.h>

using namespace vh;

namespace {

constexpr int kTeams = 30;
constexpr int kPlayersPerGame = 81;
constexpr int kGoaliesPerGame = 2;

// The process's peak resident memory in kilobytes, as the kernel counts it.
long peakKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

double elapsedMs(const QElapsedTimer& t) { return double(t.nsecsElapsed()) / 1e6; }

// What a run prints last, for the parent to read: milliseconds and kilobytes.
int report(double ms, long rows)
{
    std::printf("result %.1f %ld %ld\n", ms, peakKb(), rows);
    return 0;
}

// Every row of the transfer file's tables, each column read, with SQLite alone.
int readPlainly(const QString& path)
{
    QElapsedTimer t;
    t.start();
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "cannot open %s\n", qPrintable(path));
        return 1;
    }
    long rows = 0;
    long long bytes = 0;
    for (const char* table : {"ProgramVersion", "GameTypes", "NameYourOwnCats", "Teams", "Roster", "People",
                              "GameStats", "PlayerStats", "GoalieStats"}) {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, (QByteArray("select * from ") + table).constData(), -1, &st, nullptr);
        while (sqlite3_step(st) == SQLITE_ROW) {
            ++rows;
            for (int i = 0; i < sqlite3_column_count(st); ++i)
                bytes += sqlite3_column_bytes(st, i);
        }
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    if (bytes < 0)
        return 1;
    return report(elapsedMs(t), rows);
}

struct NoQuestions : ImportQuestions {
    bool replaceTeam(const QString&) override { return false; }
    bool changeCategory(bool, const QString&, const QString&) override { return false; }
    void gameTypeAdded(const QString&) override {}
    void importing(const QString&) override {}
};

// The file taken into a new database in `dataFolder`, as the import dialog
// takes it.
int importFile(const QString& path, const QString& dataFolder)
{
    const QString mdb = dataFolder + MainDatabaseFileName;
    QFile::remove(mdb);
    QFile::copy(dataFolder + ShippedDatabaseFileName, mdb);
    QFile(mdb).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    auto main = Database::open(mdb, DatabaseConnect());
    auto program = OpenProgramTables(dataFolder);
    QElapsedTimer t;
    t.start();
    OpenedTransferFile opened = OpenTransferFile(path, dataFolder);
    if (opened.status != TransferFileCheck::Ok) {
        std::fprintf(stderr, "the file was not opened: %s\n", qPrintable(opened.detail));
        return 1;
    }
    NoQuestions ask;
    const ImportResult result = ImportTeams(*main, *opened.db, *program, 1, ask);
    if (result.failure || result.teamsImported != kTeams) {
        std::fprintf(stderr, "imported %d teams%s\n", result.teamsImported,
                     result.failure ? qPrintable(QStringLiteral(": ") + result.failure->description()) : "");
        return 1;
    }
    const long rows = main->scalar(QStringLiteral("select (select count(*) from PlayerStats) + (select count(*) from "
                                                  "GoalieStats)"))
                          .toLongLong();
    return report(elapsedMs(t), rows);
}

struct Run {
    double ms = 0;
    long kb = 0;
    long rows = 0;
};

// This program started again in `mode` on the file; its figures.
std::optional<Run> runAlone(const QString& mode, const QString& file, const QString& dataFolder)
{
    QProcess p;
    p.start(QCoreApplication::applicationFilePath(), {mode, file, dataFolder});
    if (!p.waitForFinished(-1) || p.exitCode() != 0) {
        std::fprintf(stderr, "%s failed: %s\n", qPrintable(mode), p.readAllStandardError().constData());
        return std::nullopt;
    }
    for (const QByteArray& line : p.readAllStandardOutput().split('\n'))
        if (line.startsWith("result ")) {
            const QList<QByteArray> f = line.split(' ');
            return Run{f.value(1).toDouble(), f.value(2).toLong(), f.value(3).toLong()};
        }
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    bench::failOnMessageBox();
    const QStringList args = app.arguments();
    if (args.value(1) == QLatin1String("--read"))
        return readPlainly(args.value(2));
    if (args.value(1) == QLatin1String("--import"))
        return importFile(args.value(2), args.value(3));

    // About one million statistics rows unless told otherwise.
    const long wanted = args.size() > 1 ? args.value(1).toLong() : 1000000;
    bench::SeasonSize size;
    size.teams = kTeams;
    size.playersPerGame = kPlayersPerGame;
    size.goaliesPerGame = kGoaliesPerGame;
    size.gamesPerTeam = std::max(1L, wanted / (kTeams * (kPlayersPerGame + kGoaliesPerGame)));

    const std::unique_ptr<QTemporaryDir> dir = bench::leagueFolder();
    const QString data = dir->path() + QStringLiteral("/Data/");
    QDir().mkpath(data);
    for (const QString& name : {ShippedDatabaseFileName, ExportShellFileName})
        QFile::copy(QStringLiteral(VH_BENCH_DATA_DIR "/") + name, data + name);
    const QString season = dir->path() + QStringLiteral("/season.mdb");
    bench::buildLeague(season, size);
    const QString file = dir->path() + QStringLiteral("/teams.mdb");
    {
        QElapsedTimer t;
        t.start();
        auto db = Database::open(season, DatabaseConnect());
        std::vector<ExportTeam> teams;
        for (int i = 1; i <= kTeams; ++i)
            teams.push_back({int16_t(i), QStringLiteral("Team %1").arg(i)});
        ExportTeamFile(*db, data, file, teams);
        std::printf("exported the transfer file in %lld ms (%lld bytes)\n", t.elapsed(), QFile(file).size());
    }
    QFile::remove(season);

    const std::optional<Run> read = runAlone(QStringLiteral("--read"), file, data);
    const std::optional<Run> imported = runAlone(QStringLiteral("--import"), file, data);
    if (!read || !imported)
        return 1;
    std::printf("plain SQLite read of every row: %ld rows in %.0f ms, peak %.1f MB\n", read->rows, read->ms,
                read->kb / 1024.0);
    std::printf("import (open, check, write):    %ld statistics rows in %.0f ms, peak %.1f MB\n", imported->rows,
                imported->ms, imported->kb / 1024.0);
    std::printf("import against plain read: time x%.1f, peak memory x%.2f\n", imported->ms / read->ms,
                double(imported->kb) / double(read->kb));
    return 0;
}
