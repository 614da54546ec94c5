#include "reports/TeamReportBasics.h"

#include "platform/basic/Basic.h"

#include <cstdlib>

namespace vh {

QString NumberStyle::whole(long long value) const
{
    if (value == -1)
        return showNA ? QStringLiteral("na") : QStringLiteral("0");
    return Format(double(value), showCommas ? QStringLiteral("#,###,##0") : QStringLiteral("######0"));
}

QString NumberStyle::threeDecimals(long long numerator, long long denominator) const
{
    if (numerator == -denominator)
        return showNA ? QStringLiteral("na") : QStringLiteral(".000");
    // Thousandths rounded in whole numbers, so that no binary fraction decides
    // which way a half goes.
    const long long n = std::llabs(numerator), d = std::llabs(denominator);
    const long long thousandths = (2 * n * 1000 + d) / (2 * d);
    const bool negative = (numerator < 0) != (denominator < 0);
    const double value = double(negative ? -thousandths : thousandths) / 1000.0;
    return Format(value, showCommas ? QStringLiteral("#,###.000") : QStringLiteral("####.000"));
}

QString gameTypeName(const GameTypeNames& names, int16_t gameType)
{
    for (const auto& [number, description] : names)
        if (number == gameType)
            return description;
    return QStringLiteral("No Game Type");
}

long long ResultTally::points(const PointsOptions& p) const
{
    return regWins * p.regWin + otWins * p.otWin + regLosses * p.regLoss + otLosses * p.otLoss + regTies * p.regTie +
           otTies * p.otTie;
}

QString ResultTally::winPct(const NumberStyle& style) const
{
    if (games() == 0)
        return style.threeDecimals(0, 1);
    // (wins + ties / 2) / games, in halves so that it stays whole.
    return style.threeDecimals(2 * wins() + ties(), 2 * games());
}

ResultTally& ResultTally::operator+=(const ResultTally& o)
{
    regWins += o.regWins;
    otWins += o.otWins;
    regLosses += o.regLosses;
    otLosses += o.otLosses;
    regTies += o.regTies;
    otTies += o.otTies;
    goalsFor += o.goalsFor;
    goalsAgainst += o.goalsAgainst;
    return *this;
}

ResultTally ResultTally::fromRow(const Recordset& rs)
{
    const auto get = [&rs](const char* field) { return rs.value(QLatin1String(field)).toLongLong(); };
    ResultTally t;
    t.regWins = get("RegWins");
    t.otWins = get("OTWins");
    t.regLosses = get("RegLosses");
    t.otLosses = get("OTLosses");
    t.regTies = get("RegTies");
    t.otTies = get("OTTies");
    t.goalsFor = get("GF");
    t.goalsAgainst = get("GA");
    return t;
}

QString tallyInputs()
{
    return QStringLiteral("coalesce(Goals, 0) AS g, coalesce(OppGoals, 0) AS o, coalesce(Overtime, 0) <> 0 AS ot");
}

QString tallyColumns()
{
    // Comparisons are 0 or 1, so their sums count games.
    return QStringLiteral(
        "coalesce(sum(g > o AND NOT ot), 0) AS RegWins, coalesce(sum(g > o AND ot), 0) AS OTWins, "
        "coalesce(sum(g < o AND NOT ot), 0) AS RegLosses, coalesce(sum(g < o AND ot), 0) AS OTLosses, "
        "coalesce(sum(g = o AND NOT ot), 0) AS RegTies, coalesce(sum(g = o AND ot), 0) AS OTTies, "
        "coalesce(sum(g), 0) AS GF, coalesce(sum(o), 0) AS GA");
}

}  // namespace vh
