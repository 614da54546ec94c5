#pragma once
// Games, players and goalies written straight into the test database, and the
// project-wide state the game windows expect after start-up.

#include "app/FrmMDI.h"
#include "games/frmGameMenu.h"
#include "games/frmGameScreen.h"
#include "games/frmPScreen.h"
#include "platform/basic/Basic.h"
#include "platform/db/Database.h"
#include "shell/Categories.h"
#include "shell/Globals.h"
#include "support/Seed.h"
#include "support/TestEnv.h"
#include "teams/frmSelectTeam.h"

#include <QStringList>
#include <initializer_list>
#include <memory>
#include <utility>

namespace vh::test {

// "No Game Type" and the user's game types, as start-up loads them.
inline void setGameTypes(std::initializer_list<std::pair<int16_t, const char*>> gameTypes)
{
    g.NumberGameTypes = int16_t(1 + gameTypes.size());
    g.GameTypeNumbers.redim(g.NumberGameTypes, 0);
    g.GameTypeDescriptions.redim(g.NumberGameTypes);
    g.GameTypeDescriptions[1] = QStringLiteral("No Game Type");
    int i = 1;
    for (const auto& [number, name] : gameTypes) {
        ++i;
        g.GameTypeNumbers[i] = number;
        g.GameTypeDescriptions[i] = QString::fromUtf8(name);
    }
}

// The message styles, the game types and the team table as start-up and the
// team-selection window leave them.
inline void setGameState(std::initializer_list<std::pair<int16_t, const char*>> teams,
                         std::initializer_list<std::pair<int16_t, const char*>> gameTypes = {})
{
    g.MsgStyleYesNo = 292;
    g.MsgStyleWarn = 48;
    g.MsgStyleConfirm = 305;
    g.PeriodsOption = 3;
    g.FormOpen.redim(19, False);
    setGameTypes(gameTypes);
    g.NumTeams = int16_t(teams.size());
    g.TeamNumbers.redim(g.NumTeams, 0);
    g.LongTeamNames.redim(g.NumTeams);
    g.ShortTeamNames.redim(g.NumTeams);
    g.TeamSelected.redim(g.NumTeams, False);
    int k = 0;
    for (const auto& [number, name] : teams) {
        ++k;
        g.TeamNumbers[k] = number;
        g.LongTeamNames[k] = QString::fromUtf8(name);
        g.ShortTeamNames[k] = QString::fromUtf8(name);
        seed::addTeam(number, QString::fromUtf8(name), QString::fromUtf8(name));
    }
    if (teams.size() > 0) {
        g.CurrentTeam = teams.begin()->first;
        g.SelectedTeamName = QString::fromUtf8(teams.begin()->second);
        g.SelectedTeamCount = 1;
    }
}

// The category names, input orders and abbreviations the entry screen shows,
// as start-up loads them.
inline void loadEntryCategories()
{
    LoadNameYourOwnCats();
    for (CatKind kind : {CatKind::Player, CatKind::Goalie}) {
        LoadInputOrder(kind);
        BuildCatAbbrev(kind);
    }
}

// The frame the game windows open in, with the toolbar option on.
inline std::unique_ptr<FrmMDI> openGameFrame()
{
    auto frame = std::make_unique<FrmMDI>();
    frame->resize(1100, 800);
    g.Frame = frame.get();
    g.ShowToolBarOption = True;
    return frame;
}

// Every game window and the team selection unloaded, then the frame gone.
inline void closeGameFrame(std::unique_ptr<FrmMDI>& frame)
{
    Unload<frmPScreen>();
    Unload<frmGameScreen>();
    Unload<frmGameMenu>();
    Unload<frmSelectTeam>();
    flushDeletes();
    frame.reset();
    g.Frame = nullptr;
}

// Game `number` of `team` against the opponent "G<marker>", with `players`
// player rows numbered marker*100+j and `goalies` goalie rows numbered
// marker*100+50+j, so that a test can tell where each game's rows went.
inline void addStoredGame(int16_t team, int16_t number, int marker, int players = 2, int goalies = 1,
                          int goals = 3, int oppGoals = 1)
{
    Db().execute(QStringLiteral("insert into GameStats (TeamNumber, GStatNumber, GameNumber, GameDate, GameType, "
                                "Periods, Location, HomeTeam, Opponent, OpponentTeamNumber, OpponentGStatNumber, "
                                "Goals, GoalsPeriod1, GoalsPeriod2, GoalsPeriod3, GoalsPeriod4, GoalsOT, OppGoals, "
                                "OppGoalsPeriod1, OppGoalsPeriod2, OppGoalsPeriod3, OppGoalsPeriod4, OppGoalsOT, PP, "
                                "PPG, SH, Kills, Overtime, notes) values (?, ?, ?, '2026-10-01', 0, 3, 'Rink', -1, ?, "
                                "0, 0, ?, ?, 0, 0, 0, 0, ?, ?, 0, 0, 0, 0, 2, 1, 2, 1, 0, 'note')"),
                 {int(team), marker, int(number), QStringLiteral("G%1").arg(marker), goals, goals, oppGoals, oppGoals});
    for (int j = 0; j < players; ++j)
        Db().execute(QStringLiteral("insert into PlayerStats (TeamNumber, GameNumber, PlayerNumber, GameType, "
                                    "HomeTeam, G) values (?, ?, ?, 0, -1, 1)"),
                     {int(team), int(number), marker * 100 + j});
    for (int j = 0; j < goalies; ++j)
        Db().execute(QStringLiteral("insert into GoalieStats (TeamNumber, GameNumber, PlayerNumber, GameType, "
                                    "HomeTeam, G, GA1) values (?, ?, ?, 0, -1, 0, 1)"),
                     {int(team), int(number), marker * 100 + 50 + j});
}

// Team 2's game 1 against "Oaks" as that team stored it: 4 to 2 over three
// periods at home, 5 power plays with 2 goals, 3 short-handed with 2 kills.
inline void addOpponentsGame()
{
    Db().execute(QStringLiteral(
        "insert into GameStats (TeamNumber, GameNumber, GameDate, GameType, Periods, Location, HomeTeam, Opponent, "
        "Goals, GoalsPeriod1, GoalsPeriod2, GoalsPeriod3, GoalsPeriod4, GoalsOT, OppGoals, OppGoalsPeriod1, "
        "OppGoalsPeriod2, OppGoalsPeriod3, OppGoalsPeriod4, OppGoalsOT, PP, PPG, SH, Kills, notes) values (2, 1, "
        "'2026-11-20', 4, 3, ' North Rink ', -1, 'Oaks', 4, 1, 2, 1, 0, 0, 2, 2, 0, 0, 0, 0, 5, 2, 3, 2, 'their notes ')"));
}

// A person's statistics row of a game, with these further columns.
inline void addStatsRow(const char* table, int team, int game, int person, const QVariantMap& values = {})
{
    QVariantMap row{{QStringLiteral("TeamNumber"), team}, {QStringLiteral("GameNumber"), game},
                    {QStringLiteral("PlayerNumber"), person}};
    row.insert(values);
    seed::insertRow(Db(), QLatin1String(table), row);
}

// The team's games in game-number order, by opponent name.
inline QStringList gameOrder(int16_t team)
{
    QStringList out;
    Recordset rs = Db().openRecordset(QStringLiteral("select GameNumber, Opponent from GameStats where TeamNumber = ? "
                                                     "order by GameNumber"),
                                      {int(team)});
    while (!rs.eof()) {
        out << rs.textOr(QStringLiteral("Opponent"));
        rs.moveNext();
    }
    return out;
}

inline QList<int> gameNumbers(int16_t team)
{
    QList<int> out;
    Recordset rs = Db().openRecordset(
        QStringLiteral("select GameNumber from GameStats where TeamNumber = ? order by GameNumber"), {int(team)});
    while (!rs.eof()) {
        out << rs.getInt(QStringLiteral("GameNumber"));
        rs.moveNext();
    }
    return out;
}

// The markers of the player (or goalie) rows stored under a game number.
inline QList<int> statMarkers(const char* table, int16_t team, int16_t number)
{
    QList<int> out;
    Recordset rs = Db().openRecordset(QStringLiteral("select PlayerNumber from ") + QLatin1String(table) +
                                          QStringLiteral(" where TeamNumber = ? and GameNumber = ? order by PlayerNumber"),
                                      {int(team), int(number)});
    while (!rs.eof()) {
        out << rs.getInt(QStringLiteral("PlayerNumber")) / 100;
        rs.moveNext();
    }
    return out;
}

}  // namespace vh::test
