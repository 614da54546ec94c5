#pragma once
// Rows for the team tests, written straight into the open database.

#include "platform/db/Database.h"
#include "shell/Globals.h"
#include "support/Seed.h"
#include "support/TestEnv.h"
#include "support/Widgets.h"
#include "teams/frmSelectTeam.h"
#include "teams/frmTeamFilters.h"
#include "teams/frmTeamName.h"

#include <QCoreApplication>
#include <QEvent>
#include <QString>
#include <QWidget>
#include <initializer_list>
#include <memory>

namespace vh::test {

// A fresh program with a new database, filters shown, no window open.
inline std::unique_ptr<TestEnv> startWithNewDatabase()
{
    auto env = TestEnv::withNewDatabase();
    g.FormOpen.redim(19, False);
    g.ShowFiltersOption = True;
    g.MsgStyleWarn = 48;
    g.MsgStyleConfirm = 305;
    return env;
}

// Every team window unloaded and really gone.
inline void unloadTeamWindows()
{
    Unload<frmTeamName>();
    Unload<frmTeamFilters>();
    Unload<frmSelectTeam>();
    flushDeletes();
}

// The tables that hold rows under a team's number.
inline const char* const TeamTables[] = {"Teams", "TeamFilters", "Roster", "GameStats", "PlayerStats", "GoalieStats"};

using seed::addFilter;
using seed::addPerson;
using seed::addRoster;
using seed::addTeam;

// A person on the team's roster who played one game as player and goalie.
inline void addPlayedGame(int team, int person, int game)
{
    if (Db().scalar(QStringLiteral("select count(*) from People where PersonNumber = ?"), {person}).toInt() == 0)
        addPerson(person, QStringLiteral("Pat"), QStringLiteral("Player%1").arg(person));
    addRoster(team, person);
    Db().execute(QStringLiteral("insert into GameStats (TeamNumber, GStatNumber, GameNumber, Goals) values (?, ?, ?, 2)"),
                 {team, team * 100 + game, game});
    Db().execute(QStringLiteral("insert into PlayerStats (TeamNumber, GameNumber, PlayerNumber, G) values (?, ?, ?, 1)"),
                 {team, game, person});
    Db().execute(QStringLiteral("insert into GoalieStats (TeamNumber, GameNumber, PlayerNumber, W) values (?, ?, ?, 1)"),
                 {team, game, person});
}

inline int rowsOf(const QString& table, int team)
{
    return Db().scalar(QStringLiteral("select count(*) from %1 where TeamNumber = ?").arg(table), {team}).toInt();
}

inline int rowsOf(const QString& table) { return Db().scalar(QStringLiteral("select count(*) from %1").arg(table)).toInt(); }

// Teams 1 and 2 in filter 1; person 7 played two games for team 1 and one
// for team 2.
inline void twoTeamsWithGames()
{
    addTeam(1, QStringLiteral("Doomed"));
    addTeam(2, QStringLiteral("Other"));
    addFilter(1, QStringLiteral("Both"), {1, 2});
    addPlayedGame(1, 7, 1);
    addPlayedGame(1, 7, 2);
    addPlayedGame(2, 7, 1);
}

// Makes every later delete from `table` fail as a full disk would.
inline void failDeletesFrom(const QString& table)
{
    Db().execute(QStringLiteral("create trigger fail_%1 before delete on %1 begin select raise(abort, 'disk full'); end")
                     .arg(table));
}

inline void failInsertsInto(const QString& table)
{
    Db().execute(QStringLiteral("create trigger fail_ins_%1 before insert on %1 begin select raise(abort, 'disk full'); end")
                     .arg(table));
}

}  // namespace vh::test
