#include "shell/TextFormat.h"

#include "platform/basic/Basic.h"
#include "shell/Globals.h"

namespace vh {

QString PersonDisplayName(int16_t personNumber, int16_t teamNumber, const QString& firstName, const QString& lastName)
{
    QString name;
    if (g.NameFormatOption == 0)
        name = Trim(firstName) + QLatin1Char(' ') + Trim(lastName);
    else if (g.NameFormatOption == 1)
        name = Left(firstName, 1) + QLatin1Char(' ') + Trim(lastName);
    else
        name = Trim(lastName);
    if (g.ShowPlayerNumberOption == True) {
        g.SqlText = QStringLiteral("Select * from Roster where TeamNumber =") + Str(teamNumber) +
                    QStringLiteral(" and PersonNumber =") + Str(personNumber);
        Recordset rs = Db().openRecordset(g.SqlText);
        if (!rs.eof()) {
            rs.moveFirst();
            const QString uniform = rs.textOr(QStringLiteral("UniformNumber"));
            if (!uniform.isEmpty())
                name += QLatin1Char('-') + Trim(uniform);
        }
        rs.close();
    }
    return name;
}

}  // namespace vh
