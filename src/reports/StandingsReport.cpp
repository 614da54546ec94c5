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
    // +n after n wins in a row, -n after n losses, 0 after a tie or no game.
    long long streak = 0;

    void add(long long goals, long long oppGoals, bool overtime)
    {
        switch (tally.add(goals, oppGoals, overtime)) {
        case 1:
            streak = streak > 0 ? streak + 1 : 1;
            break;
        case -1:
            streak = streak < 0 ? streak - 1 : -1;
            break;
        default:
            streak = 0;
        }
    }
};

// Every selected team's games in one pass, each team's in game-number order
// so that the streak is the run at the end of its season.
void readGames(Database& db, const StandingsInput& in, std::map<int, Entry*>& byTeam)
{
    ReportCriteria criteria = in.criteria;
    criteria.includeHome = criteria.includeAway = true;
    criteria.excludedGames.clear();
    const SqlCondition selected = gameSelection(criteria);

    QStringList marks;
    QVariantList params;
    for (const auto& [team, entry] : byTeam) {
        marks << QStringLiteral("?");
        params << team;
    }
    params += selected.params;
    db.forEachRow(QStringLiteral("SELECT TeamNumber, %1 FROM GameStats WHERE TeamNumber IN (%2) AND %3 "
                                 "ORDER BY TeamNumber, GameNumber, rowid")
                      .arg(QLatin1String(kTallyColumns), marks.join(QStringLiteral(", ")), selected.sql),
                  params, [&](const RowView& row) {
                      byTeam.at(int(row.integer(0)))->add(row.integer(1), row.integer(2), row.integer(3) != 0);
                  });
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
    std::vector<Entry> entries;
    for (const StandingsTeam& t : in.teams)
        entries.push_back({t, {}, 0});
    std::map<int, Entry*> byTeam;
    for (Entry& e : entries)
        byTeam.emplace(e.team.number, &e);
    if (!byTeam.empty())
        readGames(db, in, byTeam);
    for (const Entry& e : entries)
        out.anyTie = out.anyTie || e.tally.ties() > 0;

    // Points first, then wins; equal teams keep their team-table order.
    std::stable_sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
        const long long pa = a.tally.points(in.points), pb = b.tally.points(in.points);
        return pa != pb ? pa > pb : a.tally.wins() > b.tally.wins();
    });

    const NumberStyle& s = in.style;
    for (const Entry& e : entries) {
        const ResultTally& t = e.tally;
        out.rows.push_back({e.team.number, FixedText(e.team.name.trimmed(), 50), wholeNumber(t.wins(), s),
                            wholeNumber(t.losses(), s), wholeNumber(t.ties(), s), StreakText(e.streak), t.winPct(s),
                            wholeNumber(t.goalsFor, s), wholeNumber(t.goalsAgainst, s),
                            wholeNumber(t.points(in.points), s)});
    }
    return out;
}

}  // namespace vh
