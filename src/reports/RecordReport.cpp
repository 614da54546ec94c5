#include "reports/RecordReport.h"

#include "shell/GameFilter.h"

#include <map>

namespace vh {

namespace {

RecordRow makeRow(const RecordInput& in, int16_t type, const QString& description, const ResultTally& t)
{
    const NumberStyle& s = in.style;
    return {in.team,
            type,
            description,
            wholeNumber(t.wins(), s),
            wholeNumber(t.losses(), s),
            wholeNumber(t.ties(), s),
            t.winPct(s),
            wholeNumber(t.goalsFor, s),
            wholeNumber(t.goalsAgainst, s),
            wholeNumber(t.points(in.points), s)};
}

}  // namespace

RecordReport ComputeRecord(Database& db, const RecordInput& in)
{
    const SqlCondition selected = gameSelection(in.criteria);
    QVariantList params{int(in.team)};
    params += selected.params;
    // By game type in number order: "No Game Type" (0) first when it has games.
    std::map<int16_t, ResultTally> byType;
    db.forEachRow(QStringLiteral("SELECT coalesce(GameType, 0), %1 FROM GameStats WHERE TeamNumber = ? AND %2")
                      .arg(QLatin1String(kTallyColumns), selected.sql),
                  params, [&](const RowView& row) {
                      byType[int16_t(row.integer(0))].add(row.integer(1), row.integer(2), row.integer(3) != 0);
                  });

    RecordReport out;
    ResultTally total;
    for (const auto& [type, tally] : byType) {
        out.rows.push_back(makeRow(in, type, gameTypeName(in.gameTypes, type), tally));
        total += tally;
    }
    out.rows.push_back(makeRow(in, 9999, QStringLiteral("TOTALS"), total));
    out.anyTie = total.ties() > 0;
    return out;
}

}  // namespace vh
