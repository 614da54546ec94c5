#include "games/GameHeader.h"

#include "platform/basic/Basic.h"
#include "platform/db/Database.h"

#include <cmath>

namespace vh {

namespace {

// The whole number a text begins with, without a range limit worth noting.
long long leadingNumber(const QString& text)
{
    const double v = std::trunc(Val(text));
    if (v > 1e15)
        return 1000000000000000LL;
    if (v < -1e15)
        return -1000000000000000LL;
    return static_cast<long long>(v);
}

const QString InvalidGameNumber = QStringLiteral("Invalid Game Number");

qint64 sumOf(Database& db, const QString& expression, const char* table, int16_t team, int16_t gameNumber)
{
    const QVariant v = db.scalar(QStringLiteral("select sum(") + expression + QStringLiteral(") from ") +
                                     QLatin1String(table) + GameWhere,
                                 gameKey(team, gameNumber));
    return v.isValid() && !v.isNull() ? v.toLongLong() : 0;
}

}  // namespace

int16_t BoxNumber(const QString& text)
{
    const long long v = leadingNumber(text);
    return int16_t(v > 32767 ? 32767 : v < -32768 ? -32768 : v);
}

int16_t RowTotal(const std::array<QString, 10>& periodScores, int firstBox, int periodsIndex)
{
    const int periods = periodsIndex + 2;
    long long total = BoxNumber(periodScores[size_t(firstBox)]) + BoxNumber(periodScores[size_t(firstBox + 1)]) +
                      BoxNumber(periodScores[size_t(firstBox + 4)]);
    if (periods > 2)
        total += BoxNumber(periodScores[size_t(firstBox + 2)]);
    if (periods > 3)
        total += BoxNumber(periodScores[size_t(firstBox + 3)]);
    return CInt(double(total));
}

GameRecord FillGameRecord(const GameHeaderEntry& e, int16_t team, int16_t oldGameNumber)
{
    GameRecord r;
    r.teamNumber = team;
    // A number beyond the 16-bit range is refused by the checks; the record
    // keeps a value that fits meanwhile.
    const long long typed = leadingNumber(e.gameNumber);
    r.gameNumber = fitsInt16(typed) ? int16_t(typed) : oldGameNumber;
    r.gameType = e.gameType;
    r.periods = int16_t(e.periodsIndex + 2);
    r.gameDate = Trim(e.gameDate);
    r.location = Trim(e.location);
    r.homeTeam = e.homeTeam;
    r.opponent = Trim(e.opponent);
    for (const auto& [name, number] : e.opponentTeams)
        if (Trim(name) == r.opponent)
            r.opponentTeamNumber = number;
    r.goals = BoxNumber(e.goals);
    r.oppGoals = BoxNumber(e.oppGoals);
    const auto box = [&e](int i) { return BoxNumber(e.periodScores[size_t(i)]); };
    r.goalsPeriod1 = box(5);
    r.goalsPeriod2 = box(6);
    r.oppGoalsPeriod1 = box(0);
    r.oppGoalsPeriod2 = box(1);
    r.goalsPeriod3 = r.periods > 2 ? box(7) : int16_t(0);
    r.oppGoalsPeriod3 = r.periods > 2 ? box(2) : int16_t(0);
    r.goalsPeriod4 = r.periods > 3 ? box(8) : int16_t(0);
    r.oppGoalsPeriod4 = r.periods > 3 ? box(3) : int16_t(0);
    r.goalsOT = box(9);
    r.oppGoalsOT = box(4);
    r.pp = BoxNumber(e.pp);
    r.ppg = BoxNumber(e.ppg);
    r.sh = BoxNumber(e.sh);
    r.kills = BoxNumber(e.kills);
    r.notes = Trim(e.notes);
    return r;
}

std::vector<HeaderMessage> GoalWarnings(Database& db, int16_t team, int16_t statsGameNumber, const GameRecord& game,
                                        bool warnGoalsFor, bool warnGoalsAgainst)
{
    std::vector<HeaderMessage> out;
    const QString note = QStringLiteral("Note: You can turn off this warning in Options under Tools");
    if (warnGoalsFor) {
        const qint64 goalieGoals = sumOf(db, QStringLiteral("G"), "GoalieStats", team, statsGameNumber);
        const qint64 scored = sumOf(db, QStringLiteral("G"), "PlayerStats", team, statsGameNumber) + goalieGoals;
        if (scored != game.goals) {
            QString playerLine = NumText(scored) + QStringLiteral("  -   Player Screen goals scored");
            if (goalieGoals > 0)
                playerLine += QStringLiteral(" (") + NumText(goalieGoals) + QStringLiteral(" by goalie)");
            out.push_back({QStringLiteral("Goals scored do not equal goals entered on Player Screen!\r\r") +
                               NumText(game.goals) + QStringLiteral("  -   Game Screen goals scored\r") + playerLine +
                               QStringLiteral("\r\r") + note,
                           QStringLiteral("Goals Scored Do Not Match Player Screen")});
        }
    }
    if (warnGoalsAgainst) {
        const qint64 against =
            sumOf(db, QStringLiteral("GA1 + GA2 + GA3 + GA4 + GAO + EN"), "GoalieStats", team, statsGameNumber);
        if (against != game.oppGoals) {
            out.push_back({QStringLiteral("Goals against do not equal goals against on Player Screen!\r\r") +
                               NumText(game.oppGoals) + QStringLiteral("  -   Game Screen goals against\r") +
                               NumText(against) + QStringLiteral("  -   Player Screen goals against\r\r") + note,
                           QStringLiteral("Goals Against Do Not Match Player Screen")});
        }
    }
    return out;
}

HeaderStep CheckGameHeader(Database& db, const GameHeaderInput& in)
{
    HeaderStep step;
    step.game = FillGameRecord(in.entry, in.team, in.oldGameNumber);
    GameRecord& game = step.game;
    step.infoChanged = game.gameType != in.originalGameType || VbBool(game.homeTeam) != in.originalHomeTeam;

    const auto stop = [&step](HeaderMessage message, HeaderBox focus, bool restoreNumber = false) {
        step.kind = HeaderStep::Kind::Stop;
        step.message = std::move(message);
        step.focus = focus;
        step.restoreGameNumber = restoreNumber;
        return step;
    };
    const auto ask = [&step](HeaderQuestion question, HeaderMessage message) {
        step.kind = HeaderStep::Kind::Ask;
        step.question = question;
        step.message = std::move(message);
        return step;
    };
    const auto badNumber = [&stop](const QString& text) {
        return stop({text, InvalidGameNumber}, HeaderBox::GameNumber, true);
    };

    // Only a new game takes a serial number; once the largest is taken, none can.
    if (in.mode == QLatin1String("A")) {
        const std::optional<int16_t> serial = NextGStatNumber(db);
        if (!serial) {
            const NoNumberLeft none = NoNumberLeftMessage(KeyKind::GameSerial);
            return stop({none.text, none.title}, HeaderBox::None);
        }
        game.gStatNumber = *serial;
    }

    const long long typed = leadingNumber(in.entry.gameNumber);
    if (typed != in.oldGameNumber && (in.mode == QLatin1String("C") || in.mode == QLatin1String("A"))) {
        const bool changing = in.mode == QLatin1String("C");
        if (typed == 0)
            return badNumber(QStringLiteral("Game Number can not be zero!"));
        if (changing && typed > in.numGames)
            return badNumber(QStringLiteral("Game Number can not be greater than total games (") +
                             NumText(in.numGames) + QStringLiteral(")."));
        if (!changing && typed > in.oldGameNumber)
            return badNumber(QStringLiteral("Game Number can not be greater than the next game number (") +
                             NumText(in.oldGameNumber) + QStringLiteral(")!"));
        if (!in.insertAtNumber)
            return ask(HeaderQuestion::InsertAtNumber,
                       {changing ? QStringLiteral("Are you sure you want to change the game number?\r"
                                                  "If so, this game will be inserted at that spot!")
                                 : QStringLiteral("Game number is not the next game number.\rDo you want to insert game?"),
                        QStringLiteral("Game Number Changed!")});
        if (!*in.insertAtNumber)
            return stop({}, HeaderBox::None);
    }

    if (!game.gameDate.isEmpty() && !IsDate(game.gameDate))
        return stop({QStringLiteral("Game Date must be in ") + DateOrderMask() + QStringLiteral(" format or blank!"),
                     QStringLiteral("Invalid Game Date")},
                    HeaderBox::GameDate);
    if (game.ppg > game.pp)
        return stop({QStringLiteral("Power Play Goals (PPG) can NOT be > Power Plays (PP)"),
                     QStringLiteral("Power Play Goals Error")},
                    HeaderBox::PPG);
    if (game.kills > game.sh)
        return stop({QStringLiteral("Killed Penalties can NOT be > Short Handed Opportunities (SH)"),
                     QStringLiteral("Killed Penalties Error")},
                    HeaderBox::Kills);
    if (game.ppg > game.goals)
        return stop({QStringLiteral("Power Play Goals (PPG) can NOT be > Total Goals Scoresd"),
                     QStringLiteral("Power Play Goals Error")},
                    HeaderBox::PPG);

    if (game.goalsOT != 0 || game.oppGoalsOT != 0) {
        game.overtime = true;
    } else if (game.goals == game.oppGoals) {
        if (!in.overtime)
            return ask(HeaderQuestion::Overtime, {QStringLiteral("Was this an overtime game?"),
                                                  QStringLiteral("Overtime Game?")});
        game.overtime = *in.overtime;
    } else {
        game.overtime = false;
    }

    // A game being moved still has its statistics under the number it had
    // when the screen opened; the number in the box may be another game's.
    if (in.mode != QLatin1String("A"))
        step.warnings = GoalWarnings(db, in.team, in.mode == QLatin1String("C") ? in.oldGameNumber : game.gameNumber,
                                     game, in.warnGoalsFor, in.warnGoalsAgainst);
    step.kind = HeaderStep::Kind::Write;
    step.request = {in.mode, in.team, in.oldGameNumber, step.infoChanged, game};
    return step;
}

}  // namespace vh
