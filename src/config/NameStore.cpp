#include "config/NameStore.h"

#include "platform/db/Database.h"
#include "shell/Renumber.h"

namespace vh {

std::optional<int16_t> NewGameTypeNumber(Database& db, int next)
{
    return NextNumberFromMax(db, QStringLiteral("select max([GameTypeNumber]) as [result] from GameTypes"), {}, next);
}

QString GameTypeName(const QString& typed) { return typed.trimmed(); }

void AddGameType(Database& db, int16_t number, const QString& name)
{
    db.execute(QStringLiteral("insert into GameTypes (GameTypeNumber, GameTypeDescription) values (?, ?)"),
               {number, name});
}

bool RenameGameType(Database& db, int16_t number, const QString& name)
{
    return db.execute(QStringLiteral("update GameTypes set GameTypeDescription = ? where GameTypeNumber = ?"),
                      {name, number}) > 0;
}

int CountGamesOfType(Database& db, int16_t number)
{
    return db.scalar(QStringLiteral("select count(*) from GameStats where GameType = ?"), {number}).toInt();
}

void DeleteGameType(Database& db, int16_t number)
{
    Transaction t(db);
    db.execute(QStringLiteral("delete from GameTypes where GameTypeNumber = ?"), {number});
    for (const char* table : {"GameStats", "PlayerStats", "GoalieStats"})
        db.execute(QStringLiteral("update %1 set GameType = 0 where GameType = ?").arg(QLatin1String(table)), {number});
    t.commit();
}

QString CategoryName(CatKind kind, int position, const QString& typed)
{
    const QString name = typed.trimmed();
    if (!name.isEmpty())
        return name;
    return categoryTypeCode(kind) + QString::number(position);
}

void SaveCategoryNames(Database& db, const std::array<QString, 5>& player, const std::array<QString, 5>& goalie)
{
    Transaction t(db);
    Statement set = db.prepare(QStringLiteral("update NameYourOwnCats set CategoryDescription = ? where "
                                              "CategoryType = ? and CategoryNumber = ?"));
    for (int i = 1; i <= 5; ++i) {
        set.run({player[size_t(i - 1)], categoryTypeCode(CatKind::Player), i});
        set.run({goalie[size_t(i - 1)], categoryTypeCode(CatKind::Goalie), i});
    }
    t.commit();
}

}  // namespace vh
