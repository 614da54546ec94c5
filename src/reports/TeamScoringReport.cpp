#include "reports/TeamScoringReport.h"

#include "shell/GameFilter.h"

#include <algorithm>

namespace vh {

namespace {

const char* const kSums =
    "SELECT %1, max(coalesce(Periods, 0)) AS Periods, coalesce(max(ot), 0) AS AnyOT, "
    "coalesce(sum(GoalsPeriod1), 0) AS G1, coalesce(sum(GoalsPeriod2), 0) AS G2, "
    "coalesce(sum(GoalsPeriod3), 0) AS G3, coalesce(sum(GoalsPeriod4), 0) AS G4, coalesce(sum(GoalsOT), 0) AS GOT, "
    "coalesce(sum(OppGoalsPeriod1), 0) AS O1, coalesce(sum(OppGoalsPeriod2), 0) AS O2, "
    "coalesce(sum(OppGoalsPeriod3), 0) AS O3, coalesce(sum(OppGoalsPeriod4), 0) AS O4, "
    "coalesce(sum(OppGoalsOT), 0) AS OOT, coalesce(sum(PP), 0) AS PP, coalesce(sum(PPG), 0) AS PPG, "
    "coalesce(sum(SH), 0) AS SH, coalesce(sum(Kills), 0) AS Kills "
    "FROM (SELECT *, %2 FROM GameStats WHERE TeamNumber = ? AND %3)";

TeamScoringRow row(std::initializer_list<QString> cells)
{
    TeamScoringRow r;
    std::copy(cells.begin(), cells.end(), r.begin());
    return r;
}

// A count as the report writes it: plain digits, no separators, no "na".
QString count(long long n) { return QString::number(n); }

// "Won 12": the word, a blank before a number of 0 or more.
QString labelled(const char* word, long long n)
{
    return QLatin1String(word) + (n >= 0 ? QStringLiteral(" ") : QString()) + count(n);
}

}  // namespace

TeamScoringReport ComputeTeamScoring(Database& db, const TeamScoringInput& in)
{
    const SqlCondition selected = gameSelection(in.criteria);
    QVariantList params{int(in.team)};
    params += selected.params;
    Recordset rs = db.openRecordset(QString::fromLatin1(kSums).arg(tallyColumns(), tallyInputs(), selected.sql), params);
    const auto n = [&rs](const char* f) { return rs.value(QLatin1String(f)).toLongLong(); };
    const ResultTally t = ResultTally::fromRow(rs);

    TeamScoringReport out;
    out.anyGame = t.games() > 0;
    if (!out.anyGame) {
        out.rows.push_back(row({QStringLiteral("No Games")}));
        return out;
    }
    out.maxPeriods = std::max(2, int(n("Periods")));
    out.anyOvertime = n("AnyOT") != 0;

    TeamScoringRow record = row({QStringLiteral("Record:"), labelled("Won", t.wins()), labelled("Lost", t.losses())});
    if (t.ties() > 0) {
        // Ties stand in the first column shown after "Lost".
        const int col = out.maxPeriods != 2 ? 3 : out.anyOvertime ? 5 : 6;
        record[size_t(col)] = labelled("Tied", t.ties());
    }
    const auto ratio = [&](long long part, long long whole) {
        return whole > 0 ? in.style.threeDecimals(part, whole) : QString();
    };
    out.rows = {
        record,
        row({}),
        row({QStringLiteral("Scoring by Period:"), QStringLiteral("1st"), QStringLiteral("2nd"), QStringLiteral("3rd"),
             QStringLiteral("4th"), QStringLiteral("OT"), QStringLiteral("Total")}),
        row({QStringLiteral("   Opponents"), count(n("O1")), count(n("O2")), count(n("O3")), count(n("O4")),
             count(n("OOT")), count(t.goalsAgainst)}),
        row({QStringLiteral("   ") + in.teamCaption, count(n("G1")), count(n("G2")), count(n("G3")), count(n("G4")),
             count(n("GOT")), count(t.goalsFor)}),
        row({}),
        row({QStringLiteral("Power Play:")}),
        row({QStringLiteral("   Goals"), count(n("PPG"))}),
        row({QStringLiteral("   Attempts"), count(n("PP"))}),
        row({QStringLiteral("   Percent"), ratio(n("PPG"), n("PP"))}),
        row({}),
        row({QStringLiteral("Penalty Killing:")}),
        row({QStringLiteral("   Kills"), count(n("Kills"))}),
        row({QStringLiteral("   Attempts"), count(n("SH"))}),
        row({QStringLiteral("   Percent"), ratio(n("Kills"), n("SH"))}),
    };
    return out;
}

}  // namespace vh
