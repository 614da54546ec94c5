#pragma once
// Games and roster rows for the team report tests, written straight into the
// open test database.

#include "platform/db/Database.h"
#include "shell/Globals.h"
#include "support/Seed.h"

#include <QDate>
#include <QString>
#include <QVariant>
#include <array>

namespace vh::test {

// One stored game; what a test does not set is a plain 3-period home game.
struct GameSpec {
    int goals = 0, oppGoals = 0;
    bool overtime = false;
    int gameType = 0;
    bool home = true;
    int periods = 3;
    std::array<int, 5> byPeriod{};     // periods 1 to 4, then overtime
    std::array<int, 5> oppByPeriod{};  // the same for the opponent
    QString opponent = QStringLiteral("Rivals");
    QDate date = QDate(2026, 10, 1);
    QString location{}, notes{};
    int pp = 0, ppg = 0, sh = 0, kills = 0;
};

inline void addGame(int team, int number, const GameSpec& s)
{
    QVariantList v{team, team * 1000 + number, number, s.date.isValid() ? QVariant(s.date) : QVariant(),
                   s.gameType, s.periods, s.location, s.home ? -1 : 0, s.opponent, s.goals};
    for (int x : s.byPeriod)
        v << x;
    v << s.oppGoals;
    for (int x : s.oppByPeriod)
        v << x;
    v << s.pp << s.ppg << s.sh << s.kills << (s.overtime ? -1 : 0) << s.notes;
    Db().execute(QStringLiteral(
                     "insert into GameStats (TeamNumber, GStatNumber, GameNumber, GameDate, GameType, Periods, "
                     "Location, HomeTeam, Opponent, Goals, GoalsPeriod1, GoalsPeriod2, GoalsPeriod3, GoalsPeriod4, "
                     "GoalsOT, OppGoals, OppGoalsPeriod1, OppGoalsPeriod2, OppGoalsPeriod3, OppGoalsPeriod4, "
                     "OppGoalsOT, PP, PPG, SH, Kills, Overtime, notes) "
                     "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                 v);
}

// A game with only its score (and whether it went to overtime).
inline void addScore(int team, int number, int goals, int oppGoals, bool overtime = false, int gameType = 0)
{
    addGame(team, number, {.goals = goals, .oppGoals = oppGoals, .overtime = overtime, .gameType = gameType});
}

struct PersonSpec {
    QString first{}, last{}, address1{}, address2{}, city{}, state{}, zip{}, homePhone{}, workPhone{}, email{};
    QDate birthDate{};
};

inline void addRosterPlayer(int team, int person, const PersonSpec& p, const QString& uniform = {},
                            const QString& notes = {}, bool player = true)
{
    const auto text = [](const QString& s) { return s.isNull() ? QVariant() : QVariant(s); };
    seed::addPerson(person, p.first, p.last,
                    {{"Address1", text(p.address1)}, {"Address2", text(p.address2)}, {"City", text(p.city)},
                     {"State", text(p.state)}, {"Zip", text(p.zip)}, {"HomePhone", text(p.homePhone)},
                     {"WorkPhone", text(p.workPhone)}, {"EmailAddress", text(p.email)},
                     {"BirthDate", p.birthDate.isValid() ? QVariant(p.birthDate) : QVariant()}});
    seed::insertRow(Db(), QStringLiteral("Roster"), {{"TeamNumber", team}, {"PersonNumber", person},
                                                     {"PlayerIndicator", player ? -1 : 0},
                                                     {"UniformNumber", text(uniform)}, {"notes", text(notes)}});
}

}  // namespace vh::test
