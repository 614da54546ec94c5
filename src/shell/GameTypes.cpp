#include "shell/GameTypes.h"

#include "platform/db/Database.h"

namespace vh {

std::vector<GameTypeRow> ReadGameTypes(Database& db)
{
    std::vector<GameTypeRow> out;
    Recordset rs = db.openRecordset(QStringLiteral("GameTypes"));
    for (; !rs.eof(); rs.moveNext())
        out.push_back({rs.getInt(QStringLiteral("GameTypeNumber")), rs.textOr(QStringLiteral("GameTypeDescription"))});
    return out;
}

}  // namespace vh
