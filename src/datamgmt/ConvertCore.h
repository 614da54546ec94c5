#pragma once
// Bringing the older version's teams into the database: its game types and
// user category names, and per team the team row, people, roster, games and
// every game's player and goalie rows. Each step takes the database and the
// files' bytes and returns what it did; each runs in one transaction, so a
// failure (a RuntimeError) leaves nothing of it behind.
//
// Records that can't be converted soundly are skipped and counted rather than
// stored half right: a slot number outside 1 to 99, a second record for a slot
// already named, a blank name, a game numbered below 1 or twice, goal sums past
// the 16-bit range, a game type digit other than 1 to 7, a statistics row
// whose game was not converted, and every record of a name file whose length
// is no whole multiple of its record length.

#include "datamgmt/OldDataFiles.h"
#include "platform/db/Database.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

namespace vh {

// Old game type digit 1 to 7 (index 0 to 6) to GameTypeNumber; 0 = no game type.
using OldGameTypeMap = std::array<int16_t, OldGameTypeCount>;

struct GameTypeEntry {
    int16_t number = 0;
    QString description;
};

struct OldGameTypesOutcome {
    OldGameTypeMap map{};
    std::vector<GameTypeEntry> added;  // new GameTypes rows, in the order added
};
// Maps each old game type in use onto the known game type of the same name
// (trimmed, without regard to case) or adds a new one numbered one above the
// highest known. `known` are the user's game types, "No Game Type" excluded.
OldGameTypesOutcome AddOldGameTypes(Database& db, const std::array<QString, OldGameTypeCount>& oldNames,
                                    const std::vector<GameTypeEntry>& known);

// Names the user categories 1 to 5 of each kind as the old settings did.
void NameOldCategories(Database& db, const std::array<QString, OldUserCatCount>& player,
                       const std::array<QString, OldUserCatCount>& goalie);

// The four files of one old team; an empty array for a missing file.
struct OldTeamFiles {
    QByteArray names, info, games, stats;
};
OldTeamFiles ReadOldTeamFiles(const QString& folder, int oldTeamNumber);

struct OldTeamInput {
    QString longName;   // trimmed
    QString shortName;  // trimmed
    OldTeamFiles files;
    OldGameTypeMap gameTypeMap{};
    bool keepPlayerNumbers = false;
    // The team number to give; a higher one when it is taken already.
    int16_t teamNumber = 1;
};

struct OldTeamOutcome {
    bool added = false;  // false: a team of this exact name is on the database
    QString storedName;  // the name found when not added
    int16_t teamNumber = 0;
    int peopleAdded = 0, rosterRows = 0, games = 0, playerRows = 0, goalieRows = 0;
    int skipped = 0;  // bad records, see above
};
OldTeamOutcome ConvertOldTeam(Database& db, const OldTeamInput& in);

// "1 Team Added" or the count and " Teams Added"; with skipped records, a
// second line saying how many.
QString ConvertCompleteText(int teamsAdded, int skipped);

}  // namespace vh
