#include "games/GameHeader.h"

#include "platform/MsgBox.h"
#include "platform/basic/Basic.h"
#include "shell/Globals.h"
#include "shell/Renumber.h"

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

HeaderSaveResult stop(HeaderBox focus, bool restoreNumber = false) { return {false, focus, restoreNumber}; }

qint64 sumOf(const QString& expression, const char* table, int16_t gameNumber)
{
    g.SqlText = QStringLiteral("select sum(") + expression + QStringLiteral(") from ") + QLatin1String(table) +
                QStringLiteral(" where TeamNumber =") + Str(g.CurrentTeam) + QStringLiteral(" and GameNumber =") +
                Str(gameNumber);
    const QVariant v = Db().scalar(g.SqlText);
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

void FillGameRecord(const GameHeaderEntry& e)
{
    g.GameRecTeamNumber = g.CurrentTeam;
    g.GameRecGStatNumber = NextGStatNumber();
    // A number beyond the 16-bit range is refused by the checks; the buffer
    // keeps a value that fits meanwhile.
    const long long typed = leadingNumber(e.gameNumber);
    g.GameRecGameNumber = fitsInt16(typed) ? int16_t(typed) : g.OldGameNumber;
    g.GameRecGameType = e.gameType;
    g.GameRecPeriods = int16_t(e.periodsIndex + 2);
    g.GameRecGameDate = Trim(e.gameDate);
    g.GameRecLocation = Trim(e.location);
    g.GameRecHomeTeam = VbBool(e.homeTeam);
    g.GameRecOpponent = Trim(e.opponent);
    g.GameRecOpponentTeamNumber = 0;
    for (const auto& [name, team] : e.opponentTeams)
        if (Trim(name) == g.GameRecOpponent)
            g.GameRecOpponentTeamNumber = team;
    g.GameRecOpponentGStatNumber = 0;
    g.GameRecGoals = BoxNumber(e.goals);
    g.GameRecOppGoals = BoxNumber(e.oppGoals);
    const auto box = [&e](int i) { return BoxNumber(e.periodScores[size_t(i)]); };
    g.GameRecGoalsPeriod1 = box(5);
    g.GameRecGoalsPeriod2 = box(6);
    g.GameRecOppGoalsPeriod1 = box(0);
    g.GameRecOppGoalsPeriod2 = box(1);
    g.GameRecGoalsPeriod3 = g.GameRecPeriods > 2 ? box(7) : int16_t(0);
    g.GameRecOppGoalsPeriod3 = g.GameRecPeriods > 2 ? box(2) : int16_t(0);
    g.GameRecGoalsPeriod4 = g.GameRecPeriods > 3 ? box(8) : int16_t(0);
    g.GameRecOppGoalsPeriod4 = g.GameRecPeriods > 3 ? box(3) : int16_t(0);
    g.GameRecGoalsOT = box(9);
    g.GameRecOppGoalsOT = box(4);
    g.GameRecPP = BoxNumber(e.pp);
    g.GameRecPPG = BoxNumber(e.ppg);
    g.GameRecSH = BoxNumber(e.sh);
    g.GameRecKills = BoxNumber(e.kills);
    g.GameRecNotes = Trim(e.notes);
}

void WarnGoalsAgainstStatistics(int16_t statsGameNumber)
{
    const QString note = QStringLiteral("Note: You can turn off this warning in Options under Tools");
    if (g.EditGoalsForOption) {
        const qint64 goalieGoals = sumOf(QStringLiteral("G"), "GoalieStats", statsGameNumber);
        const qint64 scored = sumOf(QStringLiteral("G"), "PlayerStats", statsGameNumber) + goalieGoals;
        if (scored != g.GameRecGoals) {
            QString playerLine = NumText(scored) + QStringLiteral("  -   Player Screen goals scored");
            if (goalieGoals > 0)
                playerLine += QStringLiteral(" (") + NumText(goalieGoals) + QStringLiteral(" by goalie)");
            MsgBox(QStringLiteral("Goals scored do not equal goals entered on Player Screen!\r\r") +
                       NumText(g.GameRecGoals) + QStringLiteral("  -   Game Screen goals scored\r") + playerLine +
                       QStringLiteral("\r\r") + note,
                   g.MsgStyleWarn, QStringLiteral("Goals Scored Do Not Match Player Screen"));
        }
    }
    if (g.EditGoalsAgainstOption) {
        const qint64 against =
            sumOf(QStringLiteral("GA1 + GA2 + GA3 + GA4 + GAO + EN"), "GoalieStats", statsGameNumber);
        if (against != g.GameRecOppGoals) {
            MsgBox(QStringLiteral("Goals against do not equal goals against on Player Screen!\r\r") +
                       NumText(g.GameRecOppGoals) + QStringLiteral("  -   Game Screen goals against\r") +
                       NumText(against) + QStringLiteral("  -   Player Screen goals against\r\r") + note,
                   g.MsgStyleWarn, QStringLiteral("Goals Against Do Not Match Player Screen"));
        }
    }
}

HeaderSaveResult SaveGameHeader(const GameHeaderEntry& e, int16_t originalGameType, int16_t originalHomeTeam)
{
    FillGameRecord(e);

    if (g.GameRecGameType != originalGameType || g.GameRecHomeTeam != originalHomeTeam)
        g.GameInfoChanged = "Y";

    const QString mode = g.GameEditMode.str();
    const long long typed = leadingNumber(e.gameNumber);
    if (typed != g.OldGameNumber) {
        if (mode == QLatin1String("C")) {
            if (typed == 0) {
                MsgBox(QStringLiteral("Game Number can not be zero!"), g.MsgStyleWarn, InvalidGameNumber);
                return stop(HeaderBox::GameNumber, true);
            }
            if (typed > g.NumGames) {
                MsgBox(QStringLiteral("Game Number can not be greater than total games (") + NumText(g.NumGames) +
                           QStringLiteral(")."),
                       g.MsgStyleWarn, InvalidGameNumber);
                return stop(HeaderBox::GameNumber, true);
            }
            if (MsgBox(QStringLiteral("Are you sure you want to change the game number?\r"
                                      "If so, this game will be inserted at that spot!"),
                       g.MsgStyleYesNo, QStringLiteral("Game Number Changed!")) != vbYes)
                return stop(HeaderBox::None);
        } else if (mode == QLatin1String("A")) {
            if (typed == 0) {
                MsgBox(QStringLiteral("Game Number can not be zero!"), g.MsgStyleWarn, InvalidGameNumber);
                return stop(HeaderBox::GameNumber, true);
            }
            if (typed > g.OldGameNumber) {
                MsgBox(QStringLiteral("Game Number can not be greater than the next game number (") +
                           NumText(g.OldGameNumber) + QStringLiteral(")!"),
                       g.MsgStyleWarn, InvalidGameNumber);
                return stop(HeaderBox::GameNumber, true);
            }
            if (MsgBox(QStringLiteral("Game number is not the next game number.\rDo you want to insert game?"),
                       g.MsgStyleYesNo, QStringLiteral("Game Number Changed!")) != vbYes)
                return stop(HeaderBox::None);
        }
    }

    if (!g.GameRecGameDate.isEmpty() && !IsDate(g.GameRecGameDate)) {
        MsgBox(QStringLiteral("Game Date must be in mm/dd/yy format or blank!"), g.MsgStyleWarn,
               QStringLiteral("Invalid Game Date"));
        return stop(HeaderBox::GameDate);
    }

    if (g.GameRecPPG > g.GameRecPP) {
        MsgBox(QStringLiteral("Power Play Goals (PPG) can NOT be > Power Plays (PP)"), g.MsgStyleWarn,
               QStringLiteral("Power Play Goals Error"));
        return stop(HeaderBox::PPG);
    }
    if (g.GameRecKills > g.GameRecSH) {
        MsgBox(QStringLiteral("Killed Penalties can NOT be > Short Handed Opportunities (SH)"), g.MsgStyleWarn,
               QStringLiteral("Killed Penalties Error"));
        return stop(HeaderBox::Kills);
    }
    if (g.GameRecPPG > g.GameRecGoals) {
        MsgBox(QStringLiteral("Power Play Goals (PPG) can NOT be > Total Goals Scoresd"), g.MsgStyleWarn,
               QStringLiteral("Power Play Goals Error"));
        return stop(HeaderBox::PPG);
    }

    if (g.GameRecGoalsOT != 0 || g.GameRecOppGoalsOT != 0)
        g.GameRecOvertime = True;
    else if (g.GameRecGoals == g.GameRecOppGoals)
        g.GameRecOvertime = VbBool(MsgBox(QStringLiteral("Was this an overtime game?"), g.MsgStyleYesNo,
                                          QStringLiteral("Overtime Game?")) == vbYes);
    else
        g.GameRecOvertime = False;

    if (mode != QLatin1String("A")) {
        // A game being moved still has its statistics under the number it had
        // when the screen opened; the number in the box may be another game's.
        WarnGoalsAgainstStatistics(mode == QLatin1String("C") ? g.OldGameNumber : g.GameRecGameNumber);
    }

    if (!RenumberGames())
        return stop(HeaderBox::None);
    return {true, HeaderBox::None, false};
}

}  // namespace vh
