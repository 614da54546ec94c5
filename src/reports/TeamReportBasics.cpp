#include "reports/TeamReportBasics.h"

#include "platform/basic/Basic.h"

#include <cstdlib>

namespace vh {

QString wholeNumber(long long value, const NumberStyle& style)
{
    return FormatWholeNumber(int32_t(value), style);
}

QString threeDecimalRatio(long long numerator, long long denominator, const NumberStyle& style)
{
    if (numerator == -denominator)
        return FormatThreeDecimals(-1.0f, style);
    // Thousandths rounded in whole numbers, so that no binary fraction decides
    // which way a half goes.
    const long long n = std::llabs(numerator), d = std::llabs(denominator);
    const long long thousandths = (2 * n * 1000 + d) / (2 * d);
    const bool negative = (numerator < 0) != (denominator < 0);
    const double value = double(negative ? -thousandths : thousandths) / 1000.0;
    return Format(value, style.showCommas ? QStringLiteral("#,###.000") : QStringLiteral("####.000"));
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
        return threeDecimalRatio(0, 1, style);
    // (wins + ties / 2) / games, in halves so that it stays whole.
    return threeDecimalRatio(2 * wins() + ties(), 2 * games(), style);
}

int ResultTally::add(long long goals, long long oppGoals, bool overtime)
{
    goalsFor += goals;
    goalsAgainst += oppGoals;
    if (goals > oppGoals) {
        ++(overtime ? otWins : regWins);
        return 1;
    }
    if (goals < oppGoals) {
        ++(overtime ? otLosses : regLosses);
        return -1;
    }
    ++(overtime ? otTies : regTies);
    return 0;
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

}  // namespace vh
