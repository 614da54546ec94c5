#include "stats/StatsReport.h"

#include "platform/basic/Basic.h"
#include "shell/GameFilter.h"
#include "shell/TextFormat.h"
#include "shell/WorkTable.h"

#include <QHash>
#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <set>
#include <tuple>

namespace vh {

namespace {

constexpr int kNameWidth = 25;

bool isPlayer(char kind) { return kind != 'G'; }

int32_t toLong(qint64 v)
{
    return int32_t(std::clamp<qint64>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// ------------------------------------------------------------------ sums

using SlotField = int32_t& (*)(StatsSlot&);
struct SumField {
    const char* expr;  // an aggregate over the kept rows
    SlotField field;
};

#define VH_SUM(expr, member) {expr, [](StatsSlot& s) -> int32_t& { return s.member; }}

// The sums both kinds share, then those of each kind. Minutes and seconds are
// the first two so that the seconds carry can follow them.
const std::vector<SumField>& sumFields(char kind)
{
    static const std::vector<SumField> player = {
        VH_SUM("SUM(Min)", minutesPlayed), VH_SUM("SUM(Sec)", secondsPlayed), VH_SUM("SUM(Per)", periodsPlayed),
        VH_SUM("SUM(U1)", userField[0]), VH_SUM("SUM(U2)", userField[1]), VH_SUM("SUM(U3)", userField[2]),
        VH_SUM("SUM(U4)", userField[3]), VH_SUM("SUM(U5)", userField[4]),
        VH_SUM("SUM(SOG)", shotsOnGoal), VH_SUM("SUM(G)", goalsScored), VH_SUM("SUM(PP)", powerPlayGoals),
        VH_SUM("SUM(SH)", shortHandedGoals), VH_SUM("SUM(GW)", gameWinningGoals), VH_SUM("SUM(GT)", gameTyingGoals),
        VH_SUM("SUM(EN)", emptyNetGoals), VH_SUM("SUM(OT)", overtimeGoals), VH_SUM("SUM(UA)", unassistedGoals),
        VH_SUM("SUM(Ast)", assists), VH_SUM("SUM(Pen)", penalties), VH_SUM("SUM(PIM)", penaltyMinutes),
        VH_SUM("SUM(FOW)", faceOffsWon), VH_SUM("SUM(FOL)", faceOffsLost),
        VH_SUM("SUM(CASE WHEN G > 2 THEN 1 ELSE 0 END)", hatTricks),
        VH_SUM("SUM(COALESCE(Plus, 0) - COALESCE(Minus, 0))", plusMinusSum),
    };
    static const std::vector<SumField> goalie = {
        VH_SUM("SUM(Min)", minutesPlayed), VH_SUM("SUM(Sec)", secondsPlayed), VH_SUM("SUM(Per)", periodsPlayed),
        VH_SUM("SUM(U1)", userField[0]), VH_SUM("SUM(U2)", userField[1]), VH_SUM("SUM(U3)", userField[2]),
        VH_SUM("SUM(U4)", userField[3]), VH_SUM("SUM(U5)", userField[4]),
        VH_SUM("SUM(W)", wins), VH_SUM("SUM(L)", losses), VH_SUM("SUM(T)", ties), VH_SUM("SUM(G)", goalsScored),
        VH_SUM("SUM(Ast)", assists), VH_SUM("SUM(Pen)", penalties), VH_SUM("SUM(PIM)", penaltyMinutes),
        VH_SUM("SUM(GA1)", goalsAgainst[0]), VH_SUM("SUM(GA2)", goalsAgainst[1]), VH_SUM("SUM(GA3)", goalsAgainst[2]),
        VH_SUM("SUM(GA4)", goalsAgainst[3]), VH_SUM("SUM(GAO)", goalsAgainstOT),
        VH_SUM("SUM(Sv1)", saves[0]), VH_SUM("SUM(Sv2)", saves[1]), VH_SUM("SUM(Sv3)", saves[2]),
        VH_SUM("SUM(Sv4)", saves[3]), VH_SUM("SUM(SvO)", savesOT), VH_SUM("SUM(EN)", emptyNetGoals),
    };
    return isPlayer(kind) ? player : goalie;
}

#undef VH_SUM

// Whole minutes out of the seconds: a stored row may hold 60 seconds or more.
void carrySeconds(StatsSlot& s)
{
    if (s.secondsPlayed >= 60) {
        s.minutesPlayed += s.secondsPlayed / 60;
        s.secondsPlayed %= 60;
    }
}

// One group of kept rows: a person on a team (and a game, in a game log).
struct Group {
    int teamIndex = 0;  // position in the selected teams
    int16_t team = 0;
    int32_t person = 0;
    int16_t firstGame = 0, lastGame = 0;
    int32_t gamesPlayed = 0;
    std::vector<qint64> sums;
};

// Who the second pass of a top-X report keeps: persons, or person and team pairs.
struct TopList {
    bool active = false;
    bool byTeam = false;
    std::vector<std::pair<int32_t, int16_t>> entries;  // (person, team)
};

QString marks(size_t n)
{
    QStringList m;
    for (size_t i = 0; i < n; ++i)
        m << QStringLiteral("?");
    return m.join(QStringLiteral(", "));
}

SqlCondition keptRows(const StatsInput& in, const TopList& top)
{
    SqlCondition c = gameSelection(in.criteria);
    QString teams = QStringLiteral("TeamNumber IN (%1)").arg(marks(in.teams.size()));
    QVariantList params;
    for (const SelectedTeam& t : in.teams)
        params << int(t.number);
    c.sql = teams + QStringLiteral(" AND ") + c.sql;
    params += c.params;
    if (in.criteria.playerScope == QLatin1String("Y")) {
        c.sql += QStringLiteral(" AND PlayerNumber = ?");
        params << int(in.selectedPlayer);
    }
    if (top.active) {
        if (top.entries.empty()) {
            c.sql += QStringLiteral(" AND 0");
        } else if (top.byTeam) {
            QStringList pairs;
            for (const auto& [person, team] : top.entries) {
                pairs << QStringLiteral("(?, ?)");
                params << int(person) << int(team);
            }
            c.sql += QStringLiteral(" AND (PlayerNumber, TeamNumber) IN (VALUES %1)").arg(pairs.join(QStringLiteral(", ")));
        } else {
            c.sql += QStringLiteral(" AND PlayerNumber IN (%1)").arg(marks(top.entries.size()));
            for (const auto& entry : top.entries)
                params << int(entry.first);
        }
    }
    c.params = params;
    return c;
}

QString statsTable(char kind) { return isPlayer(kind) ? QStringLiteral("PlayerStats") : QStringLiteral("GoalieStats"); }

std::vector<Group> readGroups(Database& db, const StatsInput& in, const SqlCondition& where, bool byGame)
{
    const auto& fields = sumFields(in.kind);
    QStringList cols = {QStringLiteral("TeamNumber"), QStringLiteral("PlayerNumber"),
                        QStringLiteral("COUNT(DISTINCT GameNumber)"), QStringLiteral("MIN(GameNumber)"),
                        QStringLiteral("MAX(GameNumber)")};
    for (const SumField& f : fields)
        cols << QString::fromLatin1(f.expr);
    for (int i = 0; i < cols.size(); ++i)
        cols[i] += QStringLiteral(" AS c%1").arg(i);
    const QString sql = QStringLiteral("SELECT %1 FROM %2 WHERE %3 GROUP BY TeamNumber, PlayerNumber%4")
                            .arg(cols.join(QStringLiteral(", ")), statsTable(in.kind), where.sql,
                                 byGame ? QStringLiteral(", GameNumber") : QString());
    QHash<int, int> teamIndex;
    for (int i = int(in.teams.size()) - 1; i >= 0; --i)
        teamIndex.insert(in.teams[size_t(i)].number, i);

    std::vector<Group> out;
    Recordset rs = db.openRecordset(sql, where.params);
    QStringList names;
    for (int i = 0; i < cols.size(); ++i)
        names << QStringLiteral("c%1").arg(i);
    for (; !rs.eof(); rs.moveNext()) {
        Group gr;
        gr.team = int16_t(rs.value(names[0]).toInt());
        gr.teamIndex = teamIndex.value(gr.team);
        gr.person = rs.value(names[1]).toInt();
        gr.gamesPlayed = toLong(rs.value(names[2]).toLongLong());
        gr.firstGame = int16_t(rs.value(names[3]).toInt());
        gr.lastGame = int16_t(rs.value(names[4]).toInt());
        gr.sums.reserve(fields.size());
        for (size_t k = 0; k < fields.size(); ++k)
            gr.sums.push_back(rs.value(names[int(k) + 5]).toLongLong());
        out.push_back(std::move(gr));
    }
    rs.close();
    // The order the rows would be met in: teams in list order, then by game and person.
    std::sort(out.begin(), out.end(), [](const Group& a, const Group& b) {
        return std::tie(a.teamIndex, a.firstGame, a.person) < std::tie(b.teamIndex, b.firstGame, b.person);
    });
    return out;
}

// Distinct games with a kept row, counted per team and added over the teams.
int32_t totalGamesPlayed(Database& db, const StatsInput& in, const SqlCondition& where)
{
    const QString sql = QStringLiteral("SELECT COUNT(*) FROM (SELECT DISTINCT TeamNumber, GameNumber FROM %1 WHERE %2)")
                            .arg(statsTable(in.kind), where.sql);
    return toLong(db.scalar(sql, where.params).toLongLong());
}

void addGroup(StatsSlot& s, const Group& gr, const std::vector<SumField>& fields)
{
    for (size_t k = 0; k < fields.size(); ++k)
        fields[k].field(s) = toLong(qint64(fields[k].field(s)) + gr.sums[k]);
    carrySeconds(s);
}

// ------------------------------------------------------------------ names

struct PersonName {
    QString first, last;
};

std::map<int32_t, PersonName> readPeople(Database& db, const std::vector<int32_t>& persons)
{
    std::map<int32_t, PersonName> out;
    constexpr size_t chunk = 500;
    for (size_t from = 0; from < persons.size(); from += chunk) {
        const size_t n = std::min(chunk, persons.size() - from);
        QVariantList params;
        for (size_t i = 0; i < n; ++i)
            params << int(persons[from + i]);
        Recordset rs = db.openRecordset(
            QStringLiteral("SELECT PersonNumber, FirstName, LastName FROM People WHERE PersonNumber IN (%1) ORDER BY rowid")
                .arg(marks(n)),
            params);
        for (; !rs.eof(); rs.moveNext())
            out.emplace(int32_t(rs.value(QStringLiteral("PersonNumber")).toInt()),
                      PersonName{rs.textOr(QStringLiteral("FirstName")), rs.textOr(QStringLiteral("LastName"))});
    }
    return out;
}

// Uniform numbers of the selected teams, the first roster row of each person.
std::map<std::pair<int16_t, int32_t>, QString> readUniforms(Database& db, const std::vector<SelectedTeam>& teams)
{
    std::map<std::pair<int16_t, int32_t>, QString> out;
    if (teams.empty())
        return out;
    QVariantList params;
    for (const SelectedTeam& t : teams)
        params << int(t.number);
    Recordset rs = db.openRecordset(
        QStringLiteral("SELECT TeamNumber, PersonNumber, UniformNumber FROM Roster WHERE TeamNumber IN (%1) ORDER BY rowid")
            .arg(marks(teams.size())),
        params);
    for (; !rs.eof(); rs.moveNext())
        out.emplace(std::pair<int16_t, int32_t>(int16_t(rs.value(QStringLiteral("TeamNumber")).toInt()),
                                                rs.value(QStringLiteral("PersonNumber")).toInt()),
                    rs.textOr(QStringLiteral("UniformNumber")));
    return out;
}

struct Namer {
    const StatsOptions& options;
    std::map<int32_t, PersonName> people;
    std::map<std::pair<int16_t, int32_t>, QString> uniforms;

    // The display name and the same without the uniform number appended to it;
    // false when the person has no People row.
    bool name(int32_t person, int16_t team, QString& full, QString& base) const
    {
        const auto p = people.find(person);
        if (p == people.end())
            return false;
        base = full = ComposePersonName(options.nameFormat, p->second.first, p->second.last);
        if (options.showPlayerNumber) {
            const auto u = uniforms.find({team, person});
            if (u != uniforms.end() && !u->second.isEmpty())
                full += QLatin1Char('-') + Trim(u->second);
        }
        return true;
    }
};

// ------------------------------------------------------------------ deriving

void derive(StatsSlot& s, char kind, bool totals, int16_t minutesPerGame)
{
    if (isPlayer(kind)) {
        s.playerPoints = s.goalsScored + s.assists;
        if (s.gamesPlayed > 0)
            s.pointsPerGame = float(double(s.playerPoints) / s.gamesPlayed);
        s.shootingPct = s.shotsOnGoal > 0 ? float(double(s.goalsScored) / s.shotsOnGoal) : -1.0f;
        const qint64 faceOffs = qint64(s.faceOffsWon) + s.faceOffsLost;
        if ((s.faceOffsWon == 0 && s.faceOffsLost == 0) || faceOffs == 0)
            s.faceOffPct = -1.0f;
        else if (s.faceOffsWon > 0)
            s.faceOffPct = float(double(s.faceOffsWon) / double(faceOffs));
        return;
    }
    qint64 ga = qint64(s.goalsAgainst[0]) + s.goalsAgainst[1] + s.goalsAgainst[2] + s.goalsAgainst[3] + s.goalsAgainstOT;
    if (totals)
        ga += s.emptyNetGoals;  // the team's goals against count empty-net goals; a goalie's do not
    s.totalGoalsAgainst = toLong(ga);
    s.totalSaves = toLong(qint64(s.saves[0]) + s.saves[1] + s.saves[2] + s.saves[3] + s.savesOT);
    const qint64 shots = qint64(s.totalSaves) + s.totalGoalsAgainst;
    // Stored values may be negative; a rate is never taken over no shots.
    if ((s.totalSaves <= 0 && s.totalGoalsAgainst <= 0) || shots == 0)
        s.savePct = -1.0f;
    else
        s.savePct = float(double(s.totalSaves) / double(shots));
    s.goalsAgainstAvg = 0;
    const float minutes = float(s.minutesPlayed + s.secondsPlayed / 60.0);
    const float games = minutesPerGame > 0 ? float(minutes / double(minutesPerGame)) : 0.0f;
    if (games > 0) {
        const double avg = s.totalGoalsAgainst / double(games);
        s.goalsAgainstAvg = avg > 99.99 ? 99.99f : float(avg);
    } else {
        s.goalsAgainstAvg = -1.0f;
    }
}

// One collection pass.
StatsReport collectPass(Database& db, const StatsInput& in, const TopList& top)
{
    StatsReport r;
    r.input = in;
    r.slotList.resize(1);
    const bool gameLog = r.gameLog();
    const bool career = in.teams.size() > 1 && in.criteria.playerScope == QLatin1String("A");
    const auto& fields = sumFields(in.kind);

    if (!in.teams.empty()) {
        const SqlCondition where = keptRows(in, top);
        const std::vector<Group> groups = readGroups(db, in, where, gameLog);
        std::map<std::pair<int32_t, int16_t>, size_t> slotOf;  // (person, team or 0) -> slot
        for (const Group& gr : groups) {
            size_t index;
            const std::pair<int32_t, int16_t> key(gr.person, career ? int16_t(0) : gr.team);
            const auto found = gameLog ? slotOf.end() : slotOf.find(key);
            if (found == slotOf.end()) {
                index = r.slotList.size();
                r.slotList.emplace_back();
                if (!gameLog)
                    slotOf.emplace(key, index);
            } else {
                index = found->second;
            }
            StatsSlot& s = r.slotList[index];
            s.gamesPlayed += gr.gamesPlayed;
            s.personNumber = gr.person;
            s.lastGameNumber = gr.lastGame;
            s.teamNumber = gr.team;
            addGroup(s, gr, fields);
            addGroup(r.slotList[0], gr, fields);
        }
        r.slotList[0].gamesPlayed = totalGamesPlayed(db, in, where);
    }

    for (size_t i = 0; i < r.slotList.size(); ++i) {
        r.sortOrder.push_back(int(i));
        derive(r.slotList[i], in.kind, i == 0, in.options.minutesPerGame);
    }
    r.slotList[0].name = FixedText(QStringLiteral("TOTALS"), kNameWidth);
    r.slotList[0].baseName = QStringLiteral("TOTALS");
    return r;
}

// Names the person slots and builds the player list from them.
void nameSlots(Database& db, StatsReport& r)
{
    const StatsInput& in = r.input;
    const bool gameLog = r.gameLog();
    std::vector<int32_t> persons;
    if (gameLog)
        persons.push_back(in.selectedPlayer);
    else
        for (size_t i = 1; i < r.slotList.size(); ++i)
            persons.push_back(r.slotList[i].personNumber);
    std::sort(persons.begin(), persons.end());
    persons.erase(std::unique(persons.begin(), persons.end()), persons.end());
    Namer namer{in.options, readPeople(db, persons), {}};
    if (in.options.showPlayerNumber)
        namer.uniforms = readUniforms(db, in.teams);

    if (in.teams.size() > 1) {
        r.playerList.push_back({QStringLiteral("All Players (NON-CAREER)"), -1});
        r.playerList.push_back({QStringLiteral("All Players (CAREER)"), 0});
    } else {
        r.playerList.push_back({QStringLiteral("ALL PLAYERS"), 0});
    }
    if (gameLog) {
        QString full, base;
        const int16_t team = in.teams.empty() ? int16_t(0) : in.teams.front().number;
        r.gameLogCaption = namer.name(in.selectedPlayer, team, full, base) ? full : QStringLiteral("Unknown");
        return;
    }
    std::set<int32_t> listed;
    for (size_t i = r.slotList.size() - 1; i >= 1; --i) {
        StatsSlot& s = r.slotList[i];
        QString full, base;
        if (namer.name(s.personNumber, s.teamNumber, full, base)) {
            s.name = FixedText(full, kNameWidth);
            s.baseName = base;
            if (listed.insert(s.personNumber).second)
                r.playerList.push_back({base, s.personNumber});
        } else {
            s.name = FixedText(QStringLiteral("Unknown"), kNameWidth);
            s.baseName = QStringLiteral("Unknown");
        }
    }
}

void readOpponents(Database& db, StatsReport& r)
{
    if (!r.gameLog() || r.input.teams.empty() || r.slotList.size() < 2)
        return;
    std::map<int16_t, QString> opponents;
    Recordset rs = db.openRecordset(
        QStringLiteral("SELECT GameNumber, Opponent FROM GameStats WHERE TeamNumber = ? ORDER BY rowid"),
        {int(r.input.teams.front().number)});
    for (; !rs.eof(); rs.moveNext())
        opponents.emplace(int16_t(rs.value(QStringLiteral("GameNumber")).toInt()),
                  Left(rs.textOr(QStringLiteral("Opponent")), kNameWidth));
    for (size_t i = 1; i < r.slotList.size(); ++i) {
        const auto o = opponents.find(r.slotList[i].lastGameNumber);
        if (o != opponents.end())
            r.slotList[i].opponent = o->second;
    }
}

// ------------------------------------------------------------------ sorting

// The value a category sorts by; false when the category has none.
bool sortValue(const StatsSlot& s, char kind, int category, float& out)
{
    auto whole = [&](int32_t v) { out = float(v); return true; };
    switch (category) {
    case 1: return whole(s.gamesPlayed);
    case 2: return whole(s.periodsPlayed);
    case 3: return whole(s.minutesPlayed);
    case 46: case 47: case 48: case 49: case 50: return whole(s.userField[size_t(category - 46)]);
    default: break;
    }
    if (isPlayer(kind)) {
        switch (category) {
        case 4: return whole(s.shotsOnGoal);
        case 5: return whole(s.goalsScored);
        case 6: return whole(s.powerPlayGoals);
        case 7: return whole(s.shortHandedGoals);
        case 8: return whole(s.gameWinningGoals);
        case 9: return whole(s.gameTyingGoals);
        case 10: return whole(s.emptyNetGoals);
        case 11: return whole(s.overtimeGoals);
        case 12: return whole(s.unassistedGoals);
        case 13: return whole(s.hatTricks);
        case 14: out = s.shootingPct; return true;
        case 15: return whole(s.assists);
        case 16: return whole(s.playerPoints);
        case 17: out = s.pointsPerGame; return true;
        case 18: return whole(s.penalties);
        case 19: return whole(s.penaltyMinutes);
        case 20: return whole(s.faceOffsWon);
        case 21: return whole(s.faceOffsLost);
        case 22: out = s.faceOffPct; return true;
        case 23: return whole(s.plusMinusSum);
        default: return false;
        }
    }
    switch (category) {
    case 4: return whole(s.wins);
    case 5: return whole(s.losses);
    case 6: return whole(s.ties);
    case 7: case 8: case 9: case 10: return whole(s.goalsAgainst[size_t(category - 7)]);
    case 11: return whole(s.goalsAgainstOT);
    case 12: return whole(s.totalGoalsAgainst);
    case 13: case 14: case 15: case 16: return whole(s.saves[size_t(category - 13)]);
    case 17: return whole(s.savesOT);
    case 18: return whole(s.totalSaves);
    case 19: return whole(s.goalsScored);
    case 20: return whole(s.assists);
    case 21: return whole(s.penalties);
    case 22: return whole(s.penaltyMinutes);
    case 23: return whole(s.emptyNetGoals);
    case 24: out = s.savePct; return true;
    case 25: out = s.goalsAgainstAvg; return true;
    default: return false;
    }
}

}  // namespace

bool StatsReport::gameLog() const { return input.teams.size() < 2 && input.criteria.playerScope == QLatin1String("Y"); }

StatsReport collectStats(Database& db, const StatsInput& input)
{
    StatsReport r = collectPass(db, input, {});
    nameSlots(db, r);
    const int topX = input.criteria.topX;
    if (topX < r.personCount()) {
        sortStats(r, input.format.sortCategory, input.format.sortDirection);
        TopList top;
        top.active = true;
        top.byTeam = input.teams.size() > 1 && input.criteria.playerScope != QLatin1String("A");
        for (int p = 1; p <= topX; ++p) {
            const StatsSlot& s = r.slotList[size_t(r.sortOrder[size_t(p)])];
            top.entries.emplace_back(s.personNumber, s.teamNumber);
        }
        const std::vector<PlayerListEntry> list = std::move(r.playerList);
        r = collectPass(db, input, top);
        nameSlots(db, r);
        r.playerList = list;
    }
    readOpponents(db, r);
    return r;
}

void sortStats(StatsReport& report, int16_t sortCategory, const QString& sortDirection)
{
    report.currentSortCategory = sortCategory;
    report.currentSortDirection = sortDirection;
    const int n = int(report.sortOrder.size());
    if (n < 2)
        return;
    const char kind = report.input.kind;
    const size_t count = size_t(n);
    std::vector<QString> nameKeys(count);
    std::vector<float> sortKeys(count), tieKeys(count);
    float probe;
    const bool byNumber = sortCategory != -1 && sortValue(report.slotList[0], kind, sortCategory, probe);
    for (int p = 1; p < n; ++p) {
        const StatsSlot& s = report.slotList[size_t(report.sortOrder[size_t(p)])];
        if (byNumber) {
            sortValue(s, kind, sortCategory, sortKeys[size_t(p)]);
            tieKeys[size_t(p)] = float(sortCategory == 3 ? s.secondsPlayed : s.minutesPlayed);
        } else {
            if (sortCategory == -1)
                nameKeys[size_t(p)] = s.name.toUpper();
            tieKeys[size_t(p)] = float(s.minutesPlayed);
        }
    }
    const bool descending = sortDirection == QLatin1String("D");
    auto outOfOrder = [&](size_t p, size_t q) {
        if (byNumber) {
            if (sortKeys[p] != sortKeys[q])
                return descending ? sortKeys[p] < sortKeys[q] : sortKeys[p] > sortKeys[q];
        } else {
            const int c = QString::compare(nameKeys[p], nameKeys[q], Qt::CaseSensitive);
            if (c != 0)
                return descending ? c < 0 : c > 0;
        }
        return tieKeys[p] < tieKeys[q];
    };
    // A shell sort over positions 1.., with its own gaps and passes: persons
    // equal on both keys come out in an order that depends on where they stood.
    const int persons = n - 1;
    for (int gap = persons / 2; gap >= 1; gap /= 2) {
        int limit = n - 1 - gap;  // last position compared, 0-based
        while (true) {
            int lastSwap = 0;
            for (int p = 1; p <= limit; ++p) {
                const size_t a = size_t(p), b = size_t(p + gap);
                if (outOfOrder(a, b)) {
                    std::swap(report.sortOrder[a], report.sortOrder[b]);
                    std::swap(nameKeys[a], nameKeys[b]);
                    std::swap(sortKeys[a], sortKeys[b]);
                    std::swap(tieKeys[a], tieKeys[b]);
                    lastSwap = p;
                }
            }
            if (lastSwap == 0)
                break;
            limit = lastSwap - gap;
        }
    }
}

void applyMinimum(StatsReport& report, const QString& basis, int16_t minimumValue)
{
    const bool games = basis == QLatin1String("G");
    report.minimumFootnote =
        QStringLiteral("* Min ") + Str(minimumValue) + (games ? QStringLiteral(" Games *") : QStringLiteral(" Minutes *"));
    auto meets = [&](int slot) {
        const StatsSlot& s = report.slotList[size_t(slot)];
        return (games ? s.gamesPlayed : s.minutesPlayed) >= minimumValue;
    };
    std::vector<int> order = {0};
    for (size_t p = 1; p < report.sortOrder.size(); ++p)
        if (meets(report.sortOrder[p]))
            order.push_back(report.sortOrder[p]);
    report.separatorPosition = int(order.size());
    for (size_t p = 1; p < report.sortOrder.size(); ++p)
        if (!meets(report.sortOrder[p]))
            order.push_back(report.sortOrder[p]);
    report.sortOrder = order;
}

void clearMinimum(StatsReport& report) { report.separatorPosition = 0; }

// ------------------------------------------------------------------ columns

namespace {

struct ColumnDef {
    int category;
    const char* caption;  // empty: the user's abbreviation
    const char* field;
};

const std::vector<ColumnDef>& columnDefs(char kind)
{
    static const std::vector<ColumnDef> player = {
        {1, "GP", "GP"},    {2, "Per", "Per"},    {3, "Min", "Min"},    {4, "SOG", "SOG"},
        {5, "G", "G"},      {6, "PP", "PP"},      {7, "SH", "SH"},      {8, "GW", "GW"},
        {9, "GT", "GT"},    {10, "EN", "EN"},     {11, "OT", "OT"},     {12, "UA", "UA"},
        {13, "Hat", "Hat"}, {14, "Sh%", "ShPct"}, {15, "Ast", "Ast"},   {16, "Pts", "Pts"},
        {17, "PPG", "PPG"}, {18, "Pen", "Pen"},   {19, "PIM", "PIM"},   {20, "FOW", "FOW"},
        {21, "FOL", "FOL"}, {22, "FO%", "FOPct"}, {23, "+/-", "PlusMinus"},
        {46, "", "User1"},  {47, "", "User2"},    {48, "", "User3"},    {49, "", "User4"}, {50, "", "User5"},
    };
    static const std::vector<ColumnDef> goalie = {
        {1, "GP", "GP"},    {2, "Per", "Per"},   {3, "Min", "Min"},   {4, "W", "W"},       {5, "L", "L"},
        {6, "T", "T"},      {7, "GA1", "GA1"},   {8, "GA2", "GA2"},   {9, "GA3", "GA3"},   {10, "GA4", "GA4"},
        {11, "GAO", "GAO"}, {12, "GA", "GA"},    {13, "Sv1", "Sv1"},  {14, "Sv2", "Sv2"},  {15, "Sv3", "Sv3"},
        {16, "Sv4", "Sv4"}, {17, "SvO", "SvO"},  {18, "Sv", "Sv"},    {19, "G", "G"},      {20, "Ast", "Ast"},
        {21, "Pen", "Pen"}, {22, "PIM", "PIM"},  {23, "EN", "EN"},    {24, "Sv%", "SvPct"}, {25, "GAA", "GAA"},
        {46, "", "User1"},  {47, "", "User2"},   {48, "", "User3"},   {49, "", "User4"},   {50, "", "User5"},
    };
    return isPlayer(kind) ? player : goalie;
}

// The totals figure a column's width is measured from.
float widthValue(const StatsSlot& t, char kind, int category, bool seconds)
{
    if (category == 3)
        return float(t.minutesPlayed) * (seconds ? 100.0f : 1.0f);
    if (isPlayer(kind)) {
        if (category == 14 || category == 22)
            return 1000;
        if (category == 17)
            return std::floor(t.pointsPerGame * 10.0f);
    } else {
        if (category == 24)
            return 1000;
        if (category == 25)
            return std::floor(t.goalsAgainstAvg * 100.0f);
    }
    float v = 0;
    sortValue(t, kind, category, v);
    return v;
}

int nameColumnWidth(int fontSize)
{
    switch (fontSize) {
    case 8: return 1700;
    case 10: return 1825;
    case 12: return 2050;
    case 14: return 2450;
    case 18: return 3100;
    case 24: return 4050;
    default: return -1;
    }
}

int secondColumnWidth(int fontSize)
{
    if (fontSize >= 24) return 4550;
    if (fontSize >= 18) return 3350;
    if (fontSize >= 14) return 2600;
    if (fontSize >= 12) return 2300;
    if (fontSize >= 10) return 1900;
    return 1500;
}

double widthFactor(qsizetype characters, bool commas)
{
    switch (characters) {
    case 1: return 1.7;
    case 2: return 1.5;
    case 3: return 1.4;
    case 4: return commas ? 1.4 : 1.3;
    default: return commas ? 1.3 : 1.25;
    }
}

bool showsSeconds(const StatsOptions& o, char kind) { return isPlayer(kind) ? o.showPlayerSeconds : o.showGoalieSeconds; }

}  // namespace

ColumnLayout buildColumns(const StatsReport& report, const StatsFormat& format, const ColumnStyle& style,
                          const TextMeasurer& measure)
{
    const StatsInput& in = report.input;
    const QString& scope = in.criteria.playerScope;
    ColumnLayout out;
    out.columns.push_back({QStringLiteral("Player"), QStringLiteral("PlayerName"), nameColumnWidth(style.fontSize), {}});
    if (in.teams.size() > 1 && (scope == QLatin1String("Y") || scope == QLatin1String("N"))) {
        out.columns.push_back({QStringLiteral("Team"), QStringLiteral("TeamName"), secondColumnWidth(style.fontSize), {}});
    } else if (in.teams.size() <= 1 && scope == QLatin1String("Y")) {
        out.columns[0].caption = report.gameLogCaption;
        out.columns.push_back({QStringLiteral("Opponent"), QStringLiteral("Opponent"), secondColumnWidth(style.fontSize), {}});
    }
    out.columnCount = int(out.columns.size());
    if (in.kind != 'P' && in.kind != 'G')
        return out;

    const StatsSlot empty;
    const StatsSlot& totals = report.slotList.empty() ? empty : report.slotList[0];
    const bool seconds = showsSeconds(in.options, in.kind);
    const QChar align = style.alignment == QLatin1Char('L') || style.alignment == QLatin1Char('C') ? style.alignment
                                                                                                   : QLatin1Char('R');
    for (int16_t category : format.line) {
        if (category <= 0)
            continue;
        StatsColumn col;
        const auto& defs = columnDefs(in.kind);
        const auto def = std::find_if(defs.begin(), defs.end(), [&](const ColumnDef& d) { return d.category == category; });
        if (def != defs.end()) {
            col.caption = *def->caption ? QString::fromLatin1(def->caption)
                                        : Trim(format.userAbbrev[size_t(category - 46)]);
            col.dataField = QString::fromLatin1(def->field);
            col.alignment = align;
            const float value = widthValue(totals, in.kind, category, seconds);
            const QString valueText = QString::number(qint64(value));
            const double captionWidth = measure(col.caption);
            const double valueWidth = measure(valueText);
            const QString& chosen = valueWidth > captionWidth ? valueText : col.caption;
            double width = std::max(captionWidth, valueWidth) * widthFactor(chosen.size(), in.options.showCommas);
            if (col.caption == QLatin1String("Min") && seconds)
                width *= 1.1;
            if (col.caption == QLatin1String("+/-"))
                width *= 1.1;
            col.width = int(width);
        }
        out.columns.push_back(col);
    }
    return out;
}

// ------------------------------------------------------------------ rows

QString statsReportTable(char kind) { return isPlayer(kind) ? QStringLiteral("RptPlayer") : QStringLiteral("RptGoalie"); }

QStringList statsReportFields(char kind)
{
    QStringList f = {QStringLiteral("SortKey"),    QStringLiteral("TeamNumber"), QStringLiteral("PlayerNumber"),
                     QStringLiteral("PlayerName"), QStringLiteral("TeamName"),   QStringLiteral("Opponent")};
    for (const ColumnDef& d : columnDefs(kind))
        f << QString::fromLatin1(d.field);
    return f;
}

namespace {

QString capped(float value, float cap, const char* capText, const QString& formatted)
{
    return double(value) > double(cap) ? QString::fromLatin1(capText) : formatted;
}

QString minutesText(const StatsSlot& s, bool seconds, const FigureStyle& fs)
{
    if (seconds)
        return FormatWholeNumber(s.minutesPlayed, fs) + QLatin1Char(':') + Format(s.secondsPlayed, QStringLiteral("00"));
    return FormatWholeNumber(s.minutesPlayed + (s.secondsPlayed > 29 ? 1 : 0), fs);
}

QString signedText(int32_t v, const FigureStyle& fs)
{
    if (v < 0)
        return QLatin1Char('-') + FormatWholeNumber(int32_t(-qint64(v)), fs);
    if (v == 0)
        return FormatWholeNumber(0, fs);
    return QLatin1Char('+') + FormatWholeNumber(v, fs);
}

// The category texts of a slot, in the order of statsReportFields after the first six.
QStringList categoryTexts(const StatsSlot& s, const StatsReport& r, bool totals)
{
    const StatsOptions& o = r.input.options;
    const FigureStyle fs{o.showCommas, o.showNA};
    const bool naRow = totals && r.input.criteria.playerScope == QLatin1String("Y");
    const auto whole = [&](int32_t v) { return FormatWholeNumber(v, fs); };
    const QString na = QStringLiteral("na");
    QStringList t;
    t << whole(s.gamesPlayed) << (naRow ? na : whole(s.periodsPlayed))
      << (naRow ? na : minutesText(s, showsSeconds(o, r.input.kind), fs));
    if (isPlayer(r.input.kind)) {
        t << whole(s.shotsOnGoal) << whole(s.goalsScored) << whole(s.powerPlayGoals) << whole(s.shortHandedGoals)
          << whole(s.gameWinningGoals) << whole(s.gameTyingGoals) << whole(s.emptyNetGoals) << whole(s.overtimeGoals)
          << whole(s.unassistedGoals) << whole(s.hatTricks)
          << capped(s.shootingPct, 9.999f, "9.999", FormatThreeDecimals(s.shootingPct, fs)) << whole(s.assists)
          << whole(s.playerPoints) << capped(s.pointsPerGame, 99.9f, "99.9", FormatOneDecimal(s.pointsPerGame, fs))
          << whole(s.penalties) << whole(s.penaltyMinutes) << whole(s.faceOffsWon) << whole(s.faceOffsLost)
          << capped(s.faceOffPct, 9.999f, "9.999", FormatThreeDecimals(s.faceOffPct, fs))
          << (naRow ? na : signedText(s.plusMinusSum, fs));
    } else {
        t << whole(s.wins) << whole(s.losses) << whole(s.ties);
        for (int32_t v : s.goalsAgainst)
            t << whole(v);
        t << whole(s.goalsAgainstOT) << whole(s.totalGoalsAgainst);
        for (int32_t v : s.saves)
            t << whole(v);
        t << whole(s.savesOT) << whole(s.totalSaves) << whole(s.goalsScored) << whole(s.assists) << whole(s.penalties)
          << whole(s.penaltyMinutes) << whole(s.emptyNetGoals)
          << capped(s.savePct, 9.999f, "9.999", FormatThreeDecimals(s.savePct, fs))
          << capped(s.goalsAgainstAvg, 99.99f, "99.99", FormatTwoDecimals(s.goalsAgainstAvg, fs));
    }
    for (int32_t v : s.userField)
        t << whole(v);
    return t;
}

QString shortTeamName(const std::vector<SelectedTeam>& teams, int16_t number)
{
    for (const SelectedTeam& t : teams)
        if (t.number == number)
            return t.shortName;
    return QStringLiteral("Team Name Unknown");
}

QString rowName(const StatsReport& r, int position, const StatsSlot& s)
{
    const bool several = r.input.teams.size() > 1;
    const QString& scope = r.input.criteria.playerScope;
    if (position == 0)
        return QStringLiteral("TOTALS");
    if (r.gameLog())
        return QStringLiteral("Game ") + NumText(s.lastGameNumber);
    // Career rows stand for every team, so the uniform number of one team is left off.
    if (several && scope == QLatin1String("A"))
        return Left(s.baseName, kNameWidth);
    return RTrim(s.name);
}

}  // namespace

std::vector<QVariantList> statsReportRows(const StatsReport& r)
{
    std::vector<QVariantList> rows;
    const int n = int(r.sortOrder.size());
    const int fieldCount = int(statsReportFields(r.input.kind).size());
    auto dataRow = [&](int position) {
        const int slot = r.sortOrder[size_t(position)];
        const StatsSlot& s = r.slotList[size_t(slot)];
        const bool totals = slot == 0;
        QVariantList row;
        row << int(rows.size() + 1) << (totals ? 99999 : int(s.teamNumber)) << (totals ? 0 : int(s.personNumber))
            << rowName(r, position, s)
            << (totals || r.input.teams.size() < 2 ? QString() : shortTeamName(r.input.teams, s.teamNumber))
            << (totals || !r.gameLog() ? QString() : s.opponent);
        for (const QString& t : categoryTexts(s, r, totals))
            row << t;
        rows.push_back(row);
    };
    for (int p = 1; p < n; ++p) {
        if (p == r.separatorPosition) {
            QVariantList sep;
            sep << int(rows.size() + 1) << 0 << 0 << r.minimumFootnote;
            while (sep.size() < fieldCount)
                sep << QStringLiteral("-----");
            rows.push_back(sep);
        }
        dataRow(p);
    }
    if (n > 0)
        dataRow(0);
    return rows;
}

void writeStatsReport(Database& db, const StatsReport& report)
{
    rewriteWorkTable(db, statsReportTable(report.input.kind), statsReportFields(report.input.kind),
                     statsReportRows(report));
}

}  // namespace vh
