#include "reports/ScoresReport.h"

#include "platform/basic/Basic.h"
#include "shell/GameFilter.h"

#include <algorithm>

namespace vh {

namespace {

// One side's goals of a game: periods 1 to 4, overtime and total.
struct Side {
    QString name;
    long long period[4] = {};
    long long overtime = 0;
    long long total = 0;
};

struct Game {
    QString date, opponent, location, notes, typeText;
    int periods = 3;
    bool home = false, overtime = false;
    Side own, opp;
};

const char* const kSelect =
    "SELECT GameDate, coalesce(GameType, 0) AS GameType, coalesce(Periods, 0) AS Periods, "
    "coalesce(Location, '') AS Location, coalesce(HomeTeam, 0) <> 0 AS Home, coalesce(Opponent, '') AS Opponent, "
    "coalesce(Goals, 0) AS Goals, coalesce(GoalsPeriod1, 0) AS G1, coalesce(GoalsPeriod2, 0) AS G2, "
    "coalesce(GoalsPeriod3, 0) AS G3, coalesce(GoalsPeriod4, 0) AS G4, coalesce(GoalsOT, 0) AS GOT, "
    "coalesce(OppGoals, 0) AS OppGoals, coalesce(OppGoalsPeriod1, 0) AS O1, coalesce(OppGoalsPeriod2, 0) AS O2, "
    "coalesce(OppGoalsPeriod3, 0) AS O3, coalesce(OppGoalsPeriod4, 0) AS O4, coalesce(OppGoalsOT, 0) AS OOT, "
    "coalesce(Overtime, 0) <> 0 AS OT, coalesce(notes, '') AS Notes "
    "FROM GameStats WHERE TeamNumber = ? AND %1 ORDER BY GameNumber, rowid";

Game readGame(const Recordset& rs, const ScoresInput& in)
{
    const auto n = [&rs](const char* f) { return rs.value(QLatin1String(f)).toLongLong(); };
    Game g;
    g.date = ShortDate(rs.getDate(QStringLiteral("GameDate")));
    g.typeText = gameTypeName(in.gameTypes, int16_t(n("GameType"))).trimmed();
    g.periods = int(n("Periods"));
    g.location = rs.getText(QStringLiteral("Location"));
    g.home = n("Home") != 0;
    g.opponent = rs.getText(QStringLiteral("Opponent"));
    g.overtime = n("OT") != 0;
    g.notes = rs.getText(QStringLiteral("Notes"));
    g.own = {in.teamCaption, {n("G1"), n("G2"), n("G3"), n("G4")}, n("GOT"), n("Goals")};
    g.opp = {g.opponent, {n("O1"), n("O2"), n("O3"), n("O4")}, n("OOT"), n("OppGoals")};
    return g;
}

QString resultText(const Game& g)
{
    if (g.own.total > g.opp.total)
        return QStringLiteral("Won");
    if (g.own.total < g.opp.total)
        return QStringLiteral("Lost");
    return QStringLiteral("Tied");
}

// Col3 .. Col10 of a side's line: the name, the periods the game had, the
// overtime goals when it went to overtime, "-" and the total.
void fillSide(ScoresLine& line, const Side& side, const Game& g, const NumberStyle& s)
{
    line[2] = side.name;
    line[3] = wholeNumber(side.period[0], s);
    line[4] = wholeNumber(side.period[1], s);
    if (g.periods > 2)
        line[5] = wholeNumber(side.period[2], s);
    if (g.periods > 3)
        line[6] = wholeNumber(side.period[3], s);
    if (g.overtime)
        line[7] = wholeNumber(side.overtime, s);
    line[8] = QStringLiteral("-");
    line[9] = wholeNumber(side.total, s);
}

// The first 100 characters of a game's notes, for the one line they are
// given: a line break in them (CR LF, a lone CR or LF) shows as a blank, as a
// second line would be drawn over the next row.
QString cutNotes(const QString& notes)
{
    return UnifyLineBreaks(notes.left(100)).replace(QLatin1Char('\n'), QLatin1Char(' '));
}

void addLongLayout(ScoresReport& out, const Game& g, ScoresLine first, const ScoresInput& in)
{
    fillSide(first, g.home ? g.opp : g.own, g, in.style);
    first[10] = resultText(g);
    out.lines.push_back(first);

    const bool hasLocation = !g.location.trimmed().isEmpty();
    const bool hasNotes = !g.notes.trimmed().isEmpty();
    ScoresLine second;
    bool locationShown = false, notesShown = false;
    if (in.showGameType) {
        second[1] = g.typeText;
    } else if (in.showLocation) {
        second[1] = g.location.trimmed();
        locationShown = true;
    } else if (in.showNotes && hasNotes) {
        second[1] = cutNotes(g.notes);
        notesShown = true;
    }
    fillSide(second, g.home ? g.own : g.opp, g, in.style);
    out.lines.push_back(second);

    if (in.showLocation && !locationShown && hasLocation) {
        ScoresLine line;
        line[1] = g.location.trimmed();
        out.lines.push_back(line);
    }
    if (in.showNotes && !notesShown && hasNotes) {
        ScoresLine line;
        line[1] = cutNotes(g.notes);
        out.lines.push_back(line);
    }
    out.lines.push_back(ScoresLine{});
}

}  // namespace

ScoresReport ComputeScores(Database& db, const ScoresInput& in)
{
    const SqlCondition selected = gameSelection(in.criteria);
    QVariantList params{int(in.team)};
    params += selected.params;
    Recordset rs = db.openRecordset(QString::fromLatin1(kSelect).arg(selected.sql), params);

    ScoresReport out;
    long long count = 0;
    for (; !rs.eof(); rs.moveNext()) {
        const Game g = readGame(rs, in);
        out.anyGame = true;
        out.maxPeriods = std::max(out.maxPeriods, g.periods);
        out.anyOvertime = out.anyOvertime || g.overtime;

        ScoresLine first;
        first[0] = wholeNumber(++count, in.style) + QLatin1Char('.');
        first[1] = g.date;
        if (in.shortLayout) {
            first[2] = g.opponent;
            first[3] = wholeNumber(g.own.total, in.style) + QLatin1Char('-') + wholeNumber(g.opp.total, in.style);
            first[4] = resultText(g);
            out.lines.push_back(first);
        } else {
            addLongLayout(out, g, first, in);
        }
    }
    if (!out.anyGame) {
        ScoresLine none;
        none[1] = QStringLiteral("No Games");
        out.lines.push_back(none);
    }
    return out;
}

}  // namespace vh
