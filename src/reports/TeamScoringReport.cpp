#include "reports/TeamScoringReport.h"

#include "shell/GameFilter.h"

#include <algorithm>

namespace vh {

namespace {

// The per-game numbers summed, after the columns of the tally and Periods.
enum Sum { G1, G2, G3, G4, GOT, O1, O2, O3, O4, OOT, PP, PPG, SH, Kills, SumCount };
const char* const kSummed =
    "GoalsPeriod1, GoalsPeriod2, GoalsPeriod3, GoalsPeriod4, GoalsOT, OppGoalsPeriod1, OppGoalsPeriod2, "
    "OppGoalsPeriod3, OppGoalsPeriod4, OppGoalsOT, PP, PPG, SH, Kills";

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
    TeamScoringReport out;
    ResultTally t;
    std::array<long long, SumCount> sum{};
    db.forEachRow(QStringLiteral("SELECT %1, coalesce(Periods, 0), %2 FROM GameStats WHERE TeamNumber = ? AND %3")
                      .arg(QLatin1String(kTallyColumns), QLatin1String(kSummed), selected.sql),
                  params, [&](const RowView& row) {
                      const bool overtime = row.integer(2) != 0;
                      t.add(row.integer(0), row.integer(1), overtime);
                      out.anyOvertime = out.anyOvertime || overtime;
                      out.maxPeriods = std::max(out.maxPeriods, int(row.integer(3)));
                      for (int k = 0; k < SumCount; ++k)
                          sum[size_t(k)] += row.integer(4 + k);
                  });
    const auto n = [&sum](Sum k) { return sum[size_t(k)]; };

    out.anyGame = t.games() > 0;
    if (!out.anyGame) {
        out.rows.push_back(row({QStringLiteral("No Games")}));
        return out;
    }
    TeamScoringRow record = row({QStringLiteral("Record:"), labelled("Won", t.wins()), labelled("Lost", t.losses())});
    if (t.ties() > 0) {
        // Ties stand in the first column shown after "Lost".
        const int col = out.maxPeriods != 2 ? 3 : out.anyOvertime ? 5 : 6;
        record[size_t(col)] = labelled("Tied", t.ties());
    }
    const auto ratio = [&](long long part, long long whole) {
        return whole > 0 ? threeDecimalRatio(part, whole, in.style) : QString();
    };
    out.rows = {
        record,
        row({}),
        row({QStringLiteral("Scoring by Period:"), QStringLiteral("1st"), QStringLiteral("2nd"), QStringLiteral("3rd"),
             QStringLiteral("4th"), QStringLiteral("OT"), QStringLiteral("Total")}),
        row({QStringLiteral("   Opponents"), count(n(O1)), count(n(O2)), count(n(O3)), count(n(O4)),
             count(n(OOT)), count(t.goalsAgainst)}),
        row({QStringLiteral("   ") + in.teamCaption, count(n(G1)), count(n(G2)), count(n(G3)), count(n(G4)),
             count(n(GOT)), count(t.goalsFor)}),
        row({}),
        row({QStringLiteral("Power Play:")}),
        row({QStringLiteral("   Goals"), count(n(PPG))}),
        row({QStringLiteral("   Attempts"), count(n(PP))}),
        row({QStringLiteral("   Percent"), ratio(n(PPG), n(PP))}),
        row({}),
        row({QStringLiteral("Penalty Killing:")}),
        row({QStringLiteral("   Kills"), count(n(Kills))}),
        row({QStringLiteral("   Attempts"), count(n(SH))}),
        row({QStringLiteral("   Percent"), ratio(n(Kills), n(SH))}),
    };
    return out;
}

}  // namespace vh
