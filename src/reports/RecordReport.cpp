#include "reports/RecordReport.h"

#include "shell/GameFilter.h"

namespace vh {

namespace {

RecordRow makeRow(const RecordInput& in, int16_t type, const QString& description, const ResultTally& t)
{
    const NumberStyle& s = in.style;
    return {in.team,
            type,
            description,
            s.whole(t.wins()),
            s.whole(t.losses()),
            s.whole(t.ties()),
            t.winPct(s),
            s.whole(t.goalsFor),
            s.whole(t.goalsAgainst),
            s.whole(t.points(in.points))};
}

}  // namespace

RecordReport ComputeRecord(Database& db, const RecordInput& in)
{
    const SqlCondition selected = gameSelection(in.criteria);
    QVariantList params{int(in.team)};
    params += selected.params;
    Recordset rs = db.openRecordset(
        QStringLiteral("SELECT type, %1 FROM (SELECT coalesce(GameType, 0) AS type, %2 FROM GameStats "
                       "WHERE TeamNumber = ? AND %3) GROUP BY type ORDER BY type")
            .arg(tallyColumns(), tallyInputs(), selected.sql),
        params);

    RecordReport out;
    ResultTally total;
    while (!rs.eof()) {
        const ResultTally t = ResultTally::fromRow(rs);
        const auto type = int16_t(rs.value(QStringLiteral("type")).toInt());
        out.rows.push_back(makeRow(in, type, gameTypeName(in.gameTypes, type), t));
        total += t;
        rs.moveNext();
    }
    out.rows.push_back(makeRow(in, 9999, QStringLiteral("TOTALS"), total));
    out.anyTie = total.ties() > 0;
    return out;
}

}  // namespace vh
