#include "shell/Globals.h"

namespace vh {

Globals g;

int16_t& Globals::option(int n)
{
    switch (n) {
    case 1: return ShowFiltersOption;
    case 2: return PeriodsOption;
    case 3: return ShowToolBarOption;
    case 4: return NameFormatOption;
    case 5: return ShowPlayerNumberOption;
    case 6: return ShowCommasOption;
    case 7: return ShowNAOption;
    case 8: return StatsHintOption;
    case 9: return EditGoalsForOption;
    case 10: return EditGoalsAgainstOption;
    case 11: return RegWinPointsOption;
    case 12: return RegLossPointsOption;
    case 13: return RegTiePointsOption;
    case 14: return OTWinPointsOption;
    case 15: return OTLossPointsOption;
    case 16: return OTTiePointsOption;
    case 17: return ShowPlayerSecondsOption;
    case 18: return ShowGoalieSecondsOption;
    case 19: return MinutesPerGameOption;
    default: throw RuntimeError(Err::SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
    }
}

void resetGlobals()
{
    if (g.Db)
        g.Db->close();
    g = Globals{};
}

Database& Db()
{
    if (!g.Db || !g.Db->isOpen())
        throw RuntimeError(Err::ObjectNotSet, QStringLiteral("Object variable or With block variable not set"));
    return *g.Db;
}

}  // namespace vh
