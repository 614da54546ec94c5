#include "shell/ReportState.h"

#include "shell/Globals.h"

namespace vh {

ReportCriteria CurrentReportCriteria()
{
    ReportCriteria c;
    c.lowGame = g.LowGame;
    c.highGame = g.HighGame;
    c.includeHome = g.IncludeHome != 0;
    c.includeAway = g.IncludeAway != 0;
    c.allGameTypes = g.AllGameTypes == "Y";
    for (int i = 1; i <= g.GameTypeIncluded.upper(); ++i) {
        const int16_t number = i <= g.GameTypeNumbers.upper() ? g.GameTypeNumbers[i] : int16_t(i - 1);
        c.gameTypes.emplace_back(number, g.GameTypeIncluded[i] == "Y");
    }
    // Element 1 never names a game.
    for (int i = 2; i <= g.ExcludedGames.upper(); ++i)
        c.excludedGames.push_back(g.ExcludedGames[i]);
    c.topX = g.TopX;
    c.playerScope = g.PlayerScope.str();
    c.minimumBasis = g.MinimumBasis.str();
    c.minimumValue = g.MinimumValue;
    c.title = g.ReportTitle;
    return c;
}

void StoreReportCriteria(const ReportCriteria& c)
{
    g.LowGame = c.lowGame;
    g.HighGame = c.highGame;
    g.IncludeHome = c.includeHome ? True : False;
    g.IncludeAway = c.includeAway ? True : False;
    g.AllGameTypes = c.allGameTypes ? "Y" : "N";
    g.GameTypeIncluded.redim(int(c.gameTypes.size()));
    for (size_t i = 0; i < c.gameTypes.size(); ++i)
        g.GameTypeIncluded[int(i) + 1] = c.gameTypes[i].second ? QStringLiteral("Y") : QStringLiteral("N");
    g.ExcludedGames.redim(1 + int(c.excludedGames.size()), 0);
    for (size_t i = 0; i < c.excludedGames.size(); ++i)
        g.ExcludedGames[int(i) + 2] = c.excludedGames[i];
    g.TopX = c.topX;
    g.PlayerScope = c.playerScope;
    g.MinimumBasis = c.minimumBasis;
    g.MinimumValue = c.minimumValue;
    g.ReportTitle = c.title;
}

}  // namespace vh
