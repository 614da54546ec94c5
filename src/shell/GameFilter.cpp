#include "shell/GameFilter.h"

#include <QStringList>
#include <algorithm>
#include <optional>
#include <set>

namespace vh {

namespace {

QString placeholders(qsizetype count)
{
    QStringList marks;
    for (qsizetype i = 0; i < count; ++i)
        marks << QStringLiteral("?");
    return marks.join(QStringLiteral(", "));
}

// The types a game may not have: those whose first listed entry is not included.
std::vector<int16_t> leftOutTypes(const ReportCriteria& c)
{
    std::vector<int16_t> out;
    if (c.allGameTypes)
        return out;
    std::set<int16_t> seen;
    for (const auto& [number, included] : c.gameTypes)
        if (seen.insert(number).second && !included)
            out.push_back(number);
    return out;
}

}  // namespace

SqlCondition gameSelection(const ReportCriteria& c, const QString& alias)
{
    const QString p = alias.isEmpty() ? QString() : alias + QLatin1Char('.');
    SqlCondition out;
    QStringList parts;
    parts << QStringLiteral("%1GameNumber >= ? AND %1GameNumber <= ?").arg(p);
    out.params << int(c.lowGame) << int(c.highGame);
    if (!c.includeHome)
        parts << QStringLiteral("(%1HomeTeam IS NULL OR %1HomeTeam = 0)").arg(p);
    if (!c.includeAway)
        parts << QStringLiteral("(%1HomeTeam IS NULL OR %1HomeTeam <> 0)").arg(p);
    const auto types = leftOutTypes(c);
    if (!types.empty()) {
        parts << QStringLiteral("(%1GameType IS NULL OR %1GameType NOT IN (%2))").arg(p, placeholders(qsizetype(types.size())));
        for (int16_t t : types)
            out.params << int(t);
    }
    if (!c.excludedGames.empty()) {
        parts << QStringLiteral("%1GameNumber NOT IN (%2)").arg(p, placeholders(qsizetype(c.excludedGames.size())));
        for (int16_t n : c.excludedGames)
            out.params << int(n);
    }
    out.sql = parts.join(QStringLiteral(" AND "));
    return out;
}

namespace {

// A game without a type (Null) passes the type test, as it does in SQL.
bool selected(const ReportCriteria& c, int gameNumber, const QVariant& homeTeam, std::optional<int16_t> gameType)
{
    if (gameNumber < c.lowGame || gameNumber > c.highGame)
        return false;
    if (!homeTeam.isNull()) {
        const bool home = homeTeam.toInt() != 0;
        if ((home && !c.includeHome) || (!home && !c.includeAway))
            return false;
    }
    if (gameType && !c.gameTypeCounts(*gameType))
        return false;
    return std::find(c.excludedGames.begin(), c.excludedGames.end(), gameNumber) == c.excludedGames.end();
}

}  // namespace

bool gameSelected(const ReportCriteria& c, int gameNumber, const QVariant& homeTeam, int gameType)
{
    return selected(c, gameNumber, homeTeam, int16_t(gameType));
}

bool gameSelected(const ReportCriteria& c, int gameNumber, const QVariant& homeTeam, const QVariant& gameType)
{
    return selected(c, gameNumber, homeTeam,
                    gameType.isNull() ? std::nullopt : std::optional<int16_t>(int16_t(gameType.toInt())));
}

}  // namespace vh
