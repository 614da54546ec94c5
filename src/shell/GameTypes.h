#pragma once
// The user's game types as stored: start-up, the names window and the team
// import all read them the same way.

#include <QString>
#include <cstdint>
#include <vector>

namespace vh {

class Database;

struct GameTypeRow {
    int16_t number = 0;
    QString name;
};

// Every game type, in table order.
std::vector<GameTypeRow> ReadGameTypes(Database& db);

}  // namespace vh
