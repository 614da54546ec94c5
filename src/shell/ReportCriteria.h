#pragma once
// The report criteria: which games a report reads and how it is cut and
// sorted. The report-parameters, minimum and sort dialogs set them; the
// statistics and the team reports take them as a value.

#include <QString>
#include <cstdint>
#include <utility>
#include <vector>

namespace vh {

struct ReportCriteria {
    // Game-number range, both ends included.
    int16_t lowGame = 1;
    int16_t highGame = 9999;
    bool includeHome = true;
    bool includeAway = true;
    // When false, a game whose type is listed here as not included is left
    // out ("No Game Type" is type 0 and may be left out too); a type that is
    // not listed always counts.
    bool allGameTypes = true;
    std::vector<std::pair<int16_t, bool>> gameTypes;  // (GameTypeNumber, included), in list order
    std::vector<int16_t> excludedGames;               // game numbers left out
    int16_t topX = 9999;
    // "N" each person per team, "A" career over all teams, "Y" one chosen person.
    QString playerScope = QStringLiteral("N");
    // Minimum: "G" games played or "O" minutes; 0 shows everybody.
    QString minimumBasis = QStringLiteral("G");
    int16_t minimumValue = 0;
    QString title;

    // Whether a game of this type counts: the first listed entry of the type
    // decides, and unlisted types count.
    bool gameTypeCounts(int16_t gameType) const
    {
        if (allGameTypes)
            return true;
        for (const auto& [number, included] : gameTypes)
            if (number == gameType)
                return included;
        return true;
    }
};

}  // namespace vh
