// The entry screen's records of one game: loading them from the game's rows
// and the roster, the views the window shows of them, and the save.

#include "games/PlayerEntry.h"

#include "games/GameStore.h"
#include "platform/basic/Basic.h"
#include "platform/db/Database.h"
#include "shell/Globals.h"

#include <QSet>
#include <QStringList>
#include <map>

namespace vh {

namespace {

// A stored number, Null (a row written by some other means) counting 0.
int16_t intOrZero(const Recordset& rs, const QString& field) { return rs.intOr(field); }

bool isSet(int16_t flag) { return flag != 0; }

QString statsTable(CatKind kind)
{
    return kind == CatKind::Player ? QStringLiteral("PlayerStats") : QStringLiteral("GoalieStats");
}


// The value slots of the game's stored rows of one kind, by person. When a
// person has several rows the last one in table order wins, as when they are
// read one after the other.
using StoredValues = std::map<int16_t, std::vector<int16_t>>;

StoredValues readStoredRows(Database& db, CatKind kind, const GameRecord& game)
{
    StoredValues out;
    Recordset rs = db.openRecordset(QStringLiteral("Select * from ") + statsTable(kind) + GameWhere,
                                    gameKey(game.teamNumber, game.gameNumber));
    const int count = recordSlotCount(kind);
    for (; !rs.eof(); rs.moveNext()) {
        std::vector<int16_t> values(size_t(count), 0);
        for (int s = FirstValueSlot; s < count; ++s)
            values[size_t(s)] = intOrZero(rs, QString::fromLatin1(recordFieldName(kind, s)));
        out[intOrZero(rs, QStringLiteral("PlayerNumber"))] = std::move(values);
    }
    rs.close();
    return out;
}

template <typename Record>
void fillFromStored(Record& rec, const std::optional<StoredValues>& stored, int16_t person)
{
    auto it = stored->find(person);
    if (it == stored->end())
        return;
    rec[SlotPlayed] = True;
    for (int s = FirstValueSlot; s < Record::SlotCount; ++s)
        rec[s] = it->second[size_t(s)];
}

// The columns of a stats row in the order the save writes them, each with
// where its value comes from: a record slot, or one of the fixed sources.
enum Source : int { FromTeam = -1, FromGame = -2, FromPerson = -3, FromEvent = -4, FromGameType = -5,
                    FromHomeTeam = -6, FromZero = -7, FromNotes = -8 };

struct Column {
    const char* name;
    int source;  // a record slot (>= FirstValueSlot) or a Source
};

std::vector<Column> rowColumns(CatKind kind)
{
    std::vector<Column> cols = {{"TeamNumber", FromTeam},   {"GameNumber", FromGame},
                                {"PlayerNumber", FromPerson}, {"EventNumber", FromEvent},
                                {"GameType", FromGameType}, {"HomeTeam", FromHomeTeam}};
    const char* const playerValues[] = {"Position", "Per", "Min", "Sec", "SOG", "G",   "PP",  "SH",   "GW",
                                        "GT",       "EN",  "OT",  "UA",  "Ast", "Pen", "PIM", "FOW",  "FOL",
                                        "Plus",     "Minus"};
    const char* const goalieValues[] = {"Per", "Min", "Sec", "W",   "L",   "T",   "GA1", "GA2", "GA3", "GA4",
                                        "GAO", "Sv1", "Sv2", "Sv3", "Sv4", "SvO", "G",   "Ast", "Pen", "PIM", "EN"};
    auto slotOf = [&](const char* name) {
        for (int s = FirstValueSlot; s < recordSlotCount(kind); ++s)
            if (QLatin1String(recordFieldName(kind, s)) == QLatin1String(name))
                return s;
        return int(FromZero);  // Position: always 0
    };
    if (kind == CatKind::Player)
        for (const char* n : playerValues)
            cols.push_back({n, slotOf(n)});
    else
        for (const char* n : goalieValues)
            cols.push_back({n, slotOf(n)});
    for (const char* n : {"Unused1", "Unused2", "Unused3"})
        cols.push_back({n, FromZero});
    for (const char* n : {"U1", "U2", "U3", "U4", "U5"})
        cols.push_back({n, slotOf(n)});
    for (const char* n : {"U6", "U7", "U8", "U9", "U10"})
        cols.push_back({n, FromZero});
    cols.push_back({"notes", FromNotes});
    return cols;
}

template <typename Record>
void rewriteRows(Database& db, const OneBased<Record>& records, const GameRecord& header)
{
    constexpr CatKind kind = Record::Kind;
    const QString table = statsTable(kind);
    const int16_t team = header.teamNumber;
    const int16_t game = header.gameNumber;

    // Only the persons held here: a stored row of anybody else stays.
    Statement remove = db.prepare(QStringLiteral("delete from ") + table +
                                  QStringLiteral(" where TeamNumber = ? and GameNumber = ? and PlayerNumber = ?"));
    for (int i = 2; i <= records.upper(); ++i)
        remove.run({team, game, records[i][SlotPersonNumber]});

    const std::vector<Column> cols = rowColumns(kind);
    QStringList names;
    for (const Column& c : cols)
        names << QString::fromLatin1(c.name);
    Statement insert = db.prepare(QStringLiteral("insert into %1 (%2) values (%3)")
                                      .arg(table, names.join(QStringLiteral(", ")),
                                           QStringList(names.size(), QStringLiteral("?")).join(QStringLiteral(", "))));
    for (int i = 2; i <= records.upper(); ++i) {
        const Record& rec = records[i];
        if (!isSet(rec[SlotPlayed]) || !isSet(rec[SlotOnRoster]))
            continue;
        QVariantList values;
        values.reserve(qsizetype(cols.size()));
        for (const Column& c : cols) {
            switch (c.source) {
            case FromTeam: values << team; break;
            case FromGame: values << game; break;
            case FromPerson: values << rec[SlotPersonNumber]; break;
            case FromEvent: values << 1; break;
            case FromGameType: values << header.gameType; break;
            case FromHomeTeam: values << VbBool(header.homeTeam); break;
            case FromZero: values << 0; break;
            case FromNotes: values << QString(); break;
            default: values << rec[c.source]; break;
            }
        }
        insert.run(values);
    }
}

// Score board columns for the game's periods and overtime.
void layOutScoreBoard(EntryHeader& h, int periods, bool overtime)
{
    h.periodCaptions = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
                        QStringLiteral("OT")};
    h.scoreCellLeft = {4680, 5280, 5880, 6480, 7080};
    h.finalLeft = 7800;
    auto hide = [&](std::initializer_list<int> captions, std::initializer_list<int> cells) {
        for (int c : captions)
            h.periodCaptionVisible[size_t(c)] = false;
        for (int c : cells)
            h.scoreCellVisible[size_t(c)] = false;
    };
    if (periods == 2 && !overtime) {
        hide({2, 3, 4}, {2, 3, 4});
        h.finalLeft = 6000;
    } else if (periods == 2) {
        hide({3, 4}, {2, 3});
        h.periodCaptions[2] = QStringLiteral("OT");
        h.scoreCellLeft[4] = 5880;
        h.finalLeft = 6600;
    } else if (periods == 3 && !overtime) {
        hide({3, 4}, {3, 4});
        h.finalLeft = 6600;
    } else if (periods == 3) {
        hide({4}, {3});
        h.periodCaptions[3] = QStringLiteral("OT");
        h.scoreCellLeft[4] = 6480;
        h.finalLeft = 7200;
    } else if (periods == 4 && !overtime) {
        hide({4}, {4});
        h.finalLeft = 7200;
    }
}

}  // namespace

PlayerEntry::PlayerEntry()
{
    PlayerRecords.redim(1);
    GoalieRecords.redim(1);
}

PlayerEntry::PlayerEntry(Database& db, EntryGame game) : PlayerEntry()
{
    db_ = &db;
    in_ = std::move(game);
    game_.teamNumber = in_.team;
    game_.gameNumber = in_.gameNumber;
}

EntryHeader PlayerEntry::LoadGame(const QString& teamLongName)
{
    const std::optional<GameRecord> stored = ReadGame(*db_, in_.team, in_.gameNumber);
    if (!stored)
        throw RuntimeError(Err::NoCurrentRecord, QStringLiteral("Game %1 of this team could not be found.")
                                                     .arg(NumText(in_.gameNumber)));
    game_ = *stored;
    game_.gameNumber = in_.gameNumber;

    EntryHeader h;
    h.caption = QStringLiteral("Player Entry Screen - ") + in_.teamName;
    h.gameNumberText = QStringLiteral("Game") + Str(game_.gameNumber);

    auto number = [](int16_t value) { return Trim(Str(value)); };
    const GameRecord& r = game_;
    const std::array<QString, 5> ours = {number(r.goalsPeriod1), number(r.goalsPeriod2), number(r.goalsPeriod3),
                                         number(r.goalsPeriod4), number(r.goalsOT)};
    const std::array<QString, 5> theirs = {number(r.oppGoalsPeriod1), number(r.oppGoalsPeriod2),
                                           number(r.oppGoalsPeriod3), number(r.oppGoalsPeriod4), number(r.oppGoalsOT)};
    const QString opponent = Left(r.opponent, 30);
    const QString team = Left(teamLongName, 30);
    if (r.homeTeam) {
        h.visitorName = opponent;
        h.visitorScores = theirs;
        h.visitorTotal = number(r.oppGoals);
        h.homeName = team;
        h.homeScores = ours;
        h.homeTotal = number(r.goals);
    } else {
        h.visitorName = team;
        h.visitorScores = ours;
        h.visitorTotal = number(r.goals);
        h.homeName = opponent;
        h.homeScores = theirs;
        h.homeTotal = number(r.oppGoals);
    }
    if (Trim(h.visitorName).isEmpty())
        h.visitorName = QStringLiteral("Opponent");
    else if (Trim(h.homeName).isEmpty())
        h.homeName = QStringLiteral("Opponent");
    layOutScoreBoard(h, r.periods, r.overtime);
    return h;
}

void PlayerEntry::LoadGameStats()
{
    for (int i = 1; i <= PlayerRecords.upper(); ++i) {
        PlayerRecords[i][SlotOnRoster] = False;
        GoalieRecords[i][SlotOnRoster] = False;
    }
    std::optional<StoredValues> storedPlayers;
    std::optional<StoredValues> storedGoalies;
    Recordset rs = db_->openRecordset(QStringLiteral("select * from roster where teamnumber = ?"), {int(in_.team)});
    for (; !rs.eof(); rs.moveNext()) {
        if (rs.isNull(QStringLiteral("PlayerIndicator")) || !rs.getBool(QStringLiteral("PlayerIndicator")))
            continue;
        const int16_t person = intOrZero(rs, QStringLiteral("PersonNumber"));
        // Person 0 is the placeholder's number and names nobody.
        if (person == 0)
            continue;
        if (const int k = StatIndex(person); k > 0) {
            PlayerRecords[k][SlotOnRoster] = True;
            GoalieRecords[k][SlotOnRoster] = True;
            continue;
        }
        addPerson(person);
        const int k = PlayerRecords.upper();
        // The game's rows are read once, when the first new person is met.
        if (!storedPlayers) {
            storedPlayers = readStoredRows(*db_, CatKind::Player, game_);
            storedGoalies = readStoredRows(*db_, CatKind::Goalie, game_);
        }
        fillFromStored(PlayerRecords[k], storedPlayers, person);
        fillFromStored(GoalieRecords[k], storedGoalies, person);
    }
    rs.close();
}

void PlayerEntry::addPerson(int16_t person)
{
    const int n = PlayerRecords.upper() + 1;
    PlayerRecords.redimPreserve(n);
    GoalieRecords.redimPreserve(n);
    PlayerRecords[n][SlotPersonNumber] = person;
    PlayerRecords[n][SlotOnRoster] = True;
    GoalieRecords[n][SlotPersonNumber] = person;
    GoalieRecords[n][SlotOnRoster] = True;
}

std::vector<PersonRow> PlayerEntry::LoadFromRoster() const
{
    std::vector<PersonRow> rows;
    QSet<int16_t> listed;
    Database& db = *db_;
    Recordset rs = db.openRecordset(QStringLiteral("select * from roster where teamnumber = ?"), {int(in_.team)});
    for (; !rs.eof(); rs.moveNext()) {
        if (rs.isNull(QStringLiteral("PlayerIndicator")) || !rs.getBool(QStringLiteral("PlayerIndicator")))
            continue;
        const int16_t person = intOrZero(rs, QStringLiteral("PersonNumber"));
        // Imported data can hold two rows of one person: he is listed once.
        if (listed.contains(person))
            continue;
        listed.insert(person);
        Recordset people = db.openRecordset(QStringLiteral("select * from People where PersonNumber = ?"), {int(person)});
        if (!people.eof()) {
            PersonRow row;
            row.person = person;
            row.name = Trim(people.textOr(QStringLiteral("FirstName"))) + QLatin1Char(' ') +
                       Trim(people.textOr(QStringLiteral("LastName")));
            const int k = StatIndex(person);
            row.playedAsPlayer = k > 0 && isSet(PlayerRecords[k][SlotPlayed]);
            row.playedAsGoalie = k > 0 && isSet(GoalieRecords[k][SlotPlayed]);
            rows.push_back(row);
        }
        people.close();
    }
    rs.close();
    return rows;
}

int PlayerEntry::StatIndex(int16_t person) const
{
    for (int i = 1; i <= PlayerRecords.upper(); ++i)
        if (PlayerRecords[i][SlotPersonNumber] == person)
            return i;
    return 0;
}

int16_t& PlayerEntry::slot(CatKind role, int index, int s)
{
    return role == CatKind::Player ? PlayerRecords[index][s] : GoalieRecords[index][s];
}

int16_t PlayerEntry::slot(CatKind role, int index, int s) const
{
    return role == CatKind::Player ? PlayerRecords[index][s] : GoalieRecords[index][s];
}

bool PlayerEntry::played(CatKind role, int16_t person) const { return isSet(slot(role, StatIndex(person), SlotPlayed)); }

void PlayerEntry::setPlayed(CatKind role, int16_t person, bool played)
{
    slot(role, StatIndex(person), SlotPlayed) = VbBool(played);
}

PlayedCounts PlayerEntry::UpdatePlayedCounts() const
{
    PlayedCounts c;
    for (int i = 1; i <= PlayerRecords.upper(); ++i) {
        if (!isSet(PlayerRecords[i][SlotOnRoster]))
            continue;
        c.players += isSet(PlayerRecords[i][SlotPlayed]) ? 1 : 0;
        c.goalies += isSet(GoalieRecords[i][SlotPlayed]) ? 1 : 0;
    }
    return c;
}

CategoryBoxesView PlayerEntry::ShowStats(CatKind role, int16_t person) const
{
    const OneBased<FixedString<3>>& abbrev = role == CatKind::Player ? g.PlayerCatAbbrev : g.GoalieCatAbbrev;
    const int index = StatIndex(person);
    CategoryBoxesView view;
    for (int k = 0; k < kCategoryBoxCount; ++k) {
        const int16_t category = InputCategory(role, k + 1);
        if (category <= 0)
            continue;
        view.visible[size_t(k)] = true;
        view.labels[size_t(k)] = category <= abbrev.size() ? abbrev[category].str() : QString();
        const int s = recordSlotOfCategory(role, category);
        view.texts[size_t(k)] = NumText(s >= 0 ? slot(role, index, s) : 0);
    }
    view.played = isSet(slot(role, index, SlotPlayed));
    return view;
}

void PlayerEntry::StoreEnteredStats(CatKind role, int16_t person, const BoxTexts& boxes)
{
    const int index = StatIndex(person);
    for (int k = 0; k < kCategoryBoxCount; ++k) {
        const int16_t category = InputCategory(role, k + 1);
        if (category <= 0)
            continue;
        const int s = recordSlotOfCategory(role, category);
        if (s >= 0)
            slot(role, index, s) = CInt(Val(boxes[size_t(k)]));
    }
}

std::vector<EntryMessage> PlayerEntry::EditGameScreenGoals(bool warnGoalsFor, bool warnGoalsAgainst) const
{
    std::vector<EntryMessage> out;
    const QString note = QStringLiteral("Note: You can turn off this warning in Options under Tools");
    const QString cr = QStringLiteral("\r");
    if (warnGoalsFor) {
        long total = 0;
        long byGoalie = 0;
        for (int i = 1; i <= PlayerRecords.upper(); ++i) {
            if (!isSet(PlayerRecords[i][SlotOnRoster]))
                continue;
            if (isSet(PlayerRecords[i][SlotPlayed]))
                total += PlayerRecords[i][PlayerGameRecord::G];
            if (isSet(GoalieRecords[i][SlotPlayed])) {
                total += GoalieRecords[i][GoalieGameRecord::G];
                byGoalie += GoalieRecords[i][GoalieGameRecord::G];
            }
        }
        if (total != game_.goals) {
            QString line = NumText(total) + QStringLiteral("  -   Player Screen goals scored");
            if (byGoalie > 0)
                line += QStringLiteral(" (") + NumText(byGoalie) + QStringLiteral(" by goalie)");
            const QStringList lines = {QStringLiteral("Goals scored do not equal goals scored on Game Screen!"),
                                       QString(), line,
                                       NumText(game_.goals) + QStringLiteral("  -   Game Screen goals scored"),
                                       QString(), note};
            out.push_back({QStringLiteral("Goals Scored Do Not Match Game Screen"), lines.join(cr)});
        }
    }
    if (warnGoalsAgainst) {
        long total = 0;
        for (int i = 1; i <= GoalieRecords.upper(); ++i) {
            const GoalieGameRecord& r = GoalieRecords[i];
            if (!isSet(r[SlotOnRoster]) || !isSet(r[SlotPlayed]))
                continue;
            total += long(r[GoalieGameRecord::GA1]) + r[GoalieGameRecord::GA2] + r[GoalieGameRecord::GA3] +
                     r[GoalieGameRecord::GA4] + r[GoalieGameRecord::GAO] + r[GoalieGameRecord::EN];
        }
        if (total != game_.oppGoals) {
            const QStringList lines = {QStringLiteral("Goals against do not equal goals against on Game Screen!"),
                                       QString(), NumText(total) + QStringLiteral("  -   Player Screen goals against"),
                                       NumText(game_.oppGoals) + QStringLiteral("  -   Game Screen goals against"),
                                       QString(), note};
            out.push_back({QStringLiteral("Goals Against Do Not Match Game Screen"), lines.join(cr)});
        }
    }
    return out;
}

TeamTotalsView PlayerEntry::TeamTotals(CatKind role) const
{
    constexpr int MinCategory = 3;
    constexpr int SecCategory = 45;
    TeamTotalsView view;
    int minutesCell = 0;
    for (int k = 1; k <= kCategoryBoxCount && minutesCell == 0; ++k)
        if (InputCategory(role, k) == MinCategory)
            minutesCell = k;
    auto total = [&](int cell) -> int32_t& { return view.totals[size_t(cell - 1)]; };
    for (int i = 1; i <= PlayerRecords.upper(); ++i) {
        if (!isSet(slot(role, i, SlotOnRoster)) || !isSet(slot(role, i, SlotPlayed)))
            continue;
        ++view.personCount;
        for (int k = 1; k <= kCategoryBoxCount; ++k) {
            const int16_t category = InputCategory(role, k);
            if (category <= 0)
                continue;
            const int s = recordSlotOfCategory(role, category);
            if (s < 0)
                continue;
            total(k) += slot(role, i, s);
            if (category == SecCategory && total(k) > 59 && minutesCell > 0) {
                total(minutesCell) += 1;
                total(k) -= 60;
            }
        }
    }
    view.helpLine = (role == CatKind::Player ? QStringLiteral("Players Recorded -") : QStringLiteral("Goalies Recorded -")) +
                    QLatin1Char(' ') + NumText(view.personCount);
    for (int k = 0; k < kCategoryBoxCount; ++k)
        view.texts[size_t(k)] = NumText(view.totals[size_t(k)]);
    return view;
}

void PlayerEntry::SaveGameStats() const
{
    Database& db = *db_;
    Transaction t(db);
    rewriteRows(db, PlayerRecords, game_);
    rewriteRows(db, GoalieRecords, game_);
    t.commit();
}

QString SaveFailedMessage(const RuntimeError& error)
{
    return QStringLiteral("The player statistics could not be saved: ") + error.description() +
           QStringLiteral("\rThe game's stored statistics were left as they were.");
}

}  // namespace vh
