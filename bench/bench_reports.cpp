// Measures the standings (all 30 teams of the season at once) and the record
// (each of the 30 teams in turn) against the plain SQLite query that counts
// the same wins, losses and ties, on a database holding a full season of 80
// games per team. Each report must take at most 3 times its plain query; the
// last line gives the larger ratio.

#include "SeasonDatabase.h"
#include "reports/RecordReport.h"
#include "reports/StandingsReport.h"
#include "shell/Startup.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sqlite3.h>
#include <vector>

using namespace vh;

namespace {

// The median of `runs` timings of `work`, in milliseconds, after a warm-up.
double medianMs(const std::function<void()>& work, int runs = 51)
{
    work();
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

// The plain query, straight on SQLite: wins, losses and ties by its first
// column, read to the end.
long long runRaw(sqlite3* db, const char* sql, int team = 0)
{
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
    if (team > 0)
        sqlite3_bind_int(st, 1, team);
    long long games = 0;
    while (sqlite3_step(st) == SQLITE_ROW)
        games += sqlite3_column_int64(st, 1) + sqlite3_column_int64(st, 2) + sqlite3_column_int64(st, 3);
    sqlite3_finalize(st);
    return games;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString mdb = dir.path() + QStringLiteral("/murqn.mdb");
    const bench::SeasonSize size;
    bench::buildSeasonDatabase(QStringLiteral(VH_BENCH_DATA_DIR "/qn20db.shell"), mdb, size);
    auto db = Database::open(mdb, DatabaseConnect());
    sqlite3* raw = db->handle();

    StandingsInput standings;
    for (int t = 1; t <= size.teams; ++t)
        standings.teams.push_back({int16_t(t), QStringLiteral("Team %1").arg(t)});
    const double standingsMs = medianMs([&] { ComputeStandings(*db, standings); });
    const double standingsRaw = medianMs([&] {
        runRaw(raw, "SELECT TeamNumber, sum(Goals > OppGoals), sum(Goals < OppGoals), sum(Goals = OppGoals) "
                    "FROM GameStats GROUP BY TeamNumber");
    });

    // The record is one team's report: all 30 in turn, against the plain
    // query for each team.
    RecordInput record;
    const double recordMs = medianMs([&] {
        for (int t = 1; t <= size.teams; ++t) {
            record.team = int16_t(t);
            ComputeRecord(*db, record);
        }
    });
    const double recordRaw = medianMs([&] {
        for (int t = 1; t <= size.teams; ++t)
            runRaw(raw,
                   "SELECT GameType, sum(Goals > OppGoals), sum(Goals < OppGoals), sum(Goals = OppGoals) "
                   "FROM GameStats WHERE TeamNumber = ? GROUP BY GameType",
                   t);
    });

    const double standingsRatio = standingsMs / standingsRaw;
    const double recordRatio = recordMs / recordRaw;
    std::printf("season: %d teams, %d games each (median of 51 runs)\n", size.teams, size.gamesPerTeam);
    std::printf("standings, all teams:     %.3f ms; raw query   %.3f ms; ratio %.2f\n", standingsMs, standingsRaw,
                standingsRatio);
    std::printf("record, each team in turn: %.3f ms; raw queries %.3f ms; ratio %.2f\n", recordMs, recordRaw,
                recordRatio);
    const double worst = std::max(standingsRatio, recordRatio);
    std::printf("team reports: worst report / raw query = %.2f\n", worst);
    return worst <= 3.0 ? 0 : 1;
}
