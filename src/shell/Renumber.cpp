#include "shell/Renumber.h"

#include "platform/basic/Basic.h"
#include "shell/Globals.h"

namespace vh {

namespace {
int16_t nextFrom(const QString& sql)
{
    g.SqlText = sql;
    Recordset rs = Db().openRecordset(g.SqlText);
    const int16_t next = rs.isNull(QStringLiteral("Result")) ? 1 : CInt(rs.getLong(QStringLiteral("Result")) + 1.0);
    rs.close();
    return next;
}
}  // namespace

int16_t NextPersonNumber() { return nextFrom(QStringLiteral("select max([PersonNumber]) as [result] from People")); }

int16_t NextGStatNumber() { return nextFrom(QStringLiteral("select max([GStatNumber]) as [result] from GameStats")); }

int16_t NextGameNumber(int16_t teamNumber)
{
    return nextFrom(QStringLiteral("select max([GameNumber]) as [result] from GameStats where TeamNumber =") +
                    Str(teamNumber));
}

}  // namespace vh
