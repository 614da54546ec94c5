// Measures the player and goalie statistics on a full league (30 teams, 80
// games each, 25 players and 2 goalies a game) against the plain SQLite
// GROUP BY that sums the same rows: every report (all teams, one line per
// person and team, and the career over all teams, each collected, sorted,
// laid out and written to its work table) and a re-sort of the player report
// must take at most 3 times that query. The last line gives the worst ratio.

#include "SeasonDatabase.h"
#include "platform/db/Database.h"
#include "shell/Startup.h"
#include "stats/StatsReport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <sqlite3.h>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

using namespace vh;

namespace {

// The best of several runs, in milliseconds: the least disturbed by the machine.
double bestMs(const std::function<void()>& work, int runs)
{
    double best = 1e12;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        best = std::min(best, double(t.nsecsElapsed()) / 1e6);
    }
    return best;
}

// The sums of every person on every team, read straight from the engine.
void rawGroupBy(Database& db, char kind)
{
    const char* sql = kind == 'P'
        ? "SELECT TeamNumber, PlayerNumber, COUNT(*), SUM(Per), SUM(Min), SUM(Sec), SUM(SOG), SUM(G), SUM(PP), "
          "SUM(SH), SUM(GW), SUM(GT), SUM(EN), SUM(OT), SUM(UA), SUM(Ast), SUM(Pen), SUM(PIM), SUM(FOW), SUM(FOL), "
          "SUM(Plus - Minus), SUM(U1), SUM(U2), SUM(U3), SUM(U4), SUM(U5) FROM PlayerStats "
          "GROUP BY TeamNumber, PlayerNumber"
        : "SELECT TeamNumber, PlayerNumber, COUNT(*), SUM(Per), SUM(Min), SUM(Sec), SUM(W), SUM(L), SUM(T), "
          "SUM(GA1), SUM(GA2), SUM(GA3), SUM(GA4), SUM(GAO), SUM(Sv1), SUM(Sv2), SUM(Sv3), SUM(Sv4), SUM(SvO), "
          "SUM(G), SUM(Ast), SUM(Pen), SUM(PIM), SUM(EN), SUM(U1), SUM(U2), SUM(U3), SUM(U4), SUM(U5) "
          "FROM GoalieStats GROUP BY TeamNumber, PlayerNumber";
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db.handle(), sql, -1, &st, nullptr);
    long long check = 0;
    while (sqlite3_step(st) == SQLITE_ROW)
        for (int c = 0; c < sqlite3_column_count(st); ++c)
            check += sqlite3_column_int64(st, c);
    sqlite3_finalize(st);
    if (check == 0)
        std::printf("raw query read nothing\n");
}

StatsInput leagueInput(char kind, int teams, const char* scope)
{
    StatsInput in;
    in.kind = kind;
    for (int t = 1; t <= teams; ++t)
        in.teams.push_back({int16_t(t), QStringLiteral("T%1").arg(t)});
    in.criteria.playerScope = QString::fromLatin1(scope);
    in.options.showPlayerNumber = true;
    in.format.line = kind == 'P' ? std::vector<int16_t>{1, 3, 5, 15, 16, 14, 17, 19, 23}
                                 : std::vector<int16_t>{1, 3, 4, 5, 6, 12, 18, 24, 25};
    in.format.sortCategory = kind == 'P' ? 16 : 25;
    in.format.sortDirection = QStringLiteral("D");
    return in;
}

void runReport(Database& db, const StatsInput& in)
{
    StatsReport r = collectStats(db, in);
    sortStats(r, in.format.sortCategory, in.format.sortDirection);
    buildColumns(r, in.format, {}, [](const QString& s) { return 120.0 * double(s.size()); });
    writeStatsReport(db, r);
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // A path given on the command line puts (and keeps) the league there.
    const auto dir = bench::leagueFolder();
    const QString mdb = argc > 1 ? QString::fromLocal8Bit(argv[1]) : dir->path() + QStringLiteral("/murqn.mdb");
    const bench::SeasonSize size;
    bench::buildLeague(mdb, size);
    auto db = Database::open(mdb, DatabaseConnect());

    // Each round times the raw query and every report one after the other, so
    // that a busy machine slows them alike; the best of the rounds counts.
    double worst = 0;
    for (char kind : {'P', 'G'}) {
        const char* what = kind == 'P' ? "player" : "goalie";
        const StatsInput byTeam = leagueInput(kind, size.teams, "N");
        const StatsInput career = leagueInput(kind, size.teams, "A");
        StatsReport sorted = collectStats(*db, byTeam);
        bool byName = false;
        std::vector<std::pair<const char*, std::function<void()>>> reports = {
            {"report, all teams", [&] { runReport(*db, byTeam); }},
            {"report, career", [&] { runReport(*db, career); }},
        };
        if (kind == 'P')
            reports.push_back({"re-sort", [&] {
                                   byName = !byName;
                                   sortStats(sorted, byName ? int16_t(-1) : int16_t(5), QStringLiteral("A"));
                                   writeStatsReport(*db, sorted);
                               }});
        double raw = 1e12;
        std::vector<double> best(reports.size(), 1e12);
        for (int round = 0; round < 9; ++round) {
            raw = std::min(raw, bestMs([&] { rawGroupBy(*db, kind); }, 1));
            for (size_t i = 0; i < reports.size(); ++i)
                best[i] = std::min(best[i], bestMs(reports[i].second, 1));
        }
        std::printf("%s raw GROUP BY: %.2f ms\n", what, raw);
        for (size_t i = 0; i < reports.size(); ++i) {
            worst = std::max(worst, best[i] / raw);
            std::printf("%s %s: %.2f ms (%.2f x raw)\n", what, reports[i].first, best[i], best[i] / raw);
        }
    }
    std::printf("statistics: worst report / raw query = %.2f\n", worst);
    return 0;
}
