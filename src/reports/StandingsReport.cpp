#include "reports/StandingsReport.h"

#include "platform/basic/Basic.h"
#include "shell/GameFilter.h"

#include <QStringList>
#include <algorithm>
#include <map>

namespace vh {

namespace {

struct Entry {
    StandingsTeam team;
    ResultTally tally;
    long long streak = 0;
};

// Every selected team's tally and streak in one pass. The streak is the run of
// equal results at the end of the team's games in game-number order: the
// games are numbered latest first, a new run starts wherever the result
// differs from the game after it, and the first run is the streak.
std::map<int, std::pair<ResultTally, long long>> readTeams(Database& db, const StandingsInput& in)
{
    ReportCriteria criteria = in.criteria;
    criteria.includeHome = criteria.includeAway = true;
    criteria.excludedGames.clear();
    const SqlCondition selected = gameSelection(criteria);

    QStringList marks;
    QVariantList params;
    for (const StandingsTeam& t : in.teams) {
        marks << QStringLiteral("?");
        params << int(t.number);
    }
    params += selected.params;
    const QString sql = QStringLiteral(
        "WITH games AS (SELECT TeamNumber AS team, GameNumber AS num, rowid AS rid, %1 FROM GameStats "
        "  WHERE TeamNumber IN (%2) AND %3), "
        "results AS (SELECT *, CASE WHEN g > o THEN 1 WHEN g < o THEN -1 ELSE 0 END AS r FROM games), "
        "changes AS (SELECT *, CASE WHEN r = lag(r) OVER latestFirst THEN 0 ELSE 1 END AS newRun FROM results "
        "  WINDOW latestFirst AS (PARTITION BY team ORDER BY num DESC, rid DESC)), "
        "runs AS (SELECT *, sum(newRun) OVER (PARTITION BY team ORDER BY num DESC, rid DESC "
        "  ROWS UNBOUNDED PRECEDING) AS run FROM changes) "
        "SELECT team, %4, sum(run = 1) AS RunLength, max(CASE WHEN run = 1 THEN r END) AS RunResult "
        "FROM runs GROUP BY team")
                            .arg(tallyInputs(), marks.join(QStringLiteral(", ")), selected.sql, tallyColumns());

    std::map<int, std::pair<ResultTally, long long>> out;
    for (Recordset rs = db.openRecordset(sql, params); !rs.eof(); rs.moveNext()) {
        const long long streak = rs.value(QStringLiteral("RunLength")).toLongLong() *
                                 rs.value(QStringLiteral("RunResult")).toLongLong();
        out[rs.value(QStringLiteral("team")).toInt()] = {ResultTally::fromRow(rs), streak};
    }
    return out;
}

}  // namespace

QString StreakText(long long streak)
{
    if (streak > 0)
        return QStringLiteral("Won ") + QString::number(streak);
    if (streak < 0)
        return QStringLiteral("Lost ") + QString::number(-streak);
    return QStringLiteral("-");
}

StandingsReport ComputeStandings(Database& db, const StandingsInput& in)
{
    StandingsReport out;
    if (in.teams.empty())
        return out;
    const auto read = readTeams(db, in);

    std::vector<Entry> entries;
    for (const StandingsTeam& t : in.teams) {
        Entry e{t, {}, 0};
        if (auto it = read.find(t.number); it != read.end()) {
            e.tally = it->second.first;
            e.streak = it->second.second;
        }
        out.anyTie = out.anyTie || e.tally.ties() > 0;
        entries.push_back(e);
    }
    // Points first, then wins; equal teams keep their team-table order.
    std::stable_sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
        const long long pa = a.tally.points(in.points), pb = b.tally.points(in.points);
        return pa != pb ? pa > pb : a.tally.wins() > b.tally.wins();
    });

    const NumberStyle& s = in.style;
    for (const Entry& e : entries) {
        const ResultTally& t = e.tally;
        out.rows.push_back({e.team.number, FixedText(e.team.name.trimmed(), 50), s.whole(t.wins()), s.whole(t.losses()),
                            s.whole(t.ties()), StreakText(e.streak), t.winPct(s), s.whole(t.goalsFor),
                            s.whole(t.goalsAgainst), s.whole(t.points(in.points))});
    }
    return out;
}

}  // namespace vh
