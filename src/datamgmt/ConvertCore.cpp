#include "datamgmt/ConvertCore.h"

#include "platform/basic/Basic.h"
#include "shell/Renumber.h"
#include "teams/TeamStore.h"

#include <QDir>
#include <map>
#include <set>

namespace vh {

namespace {

// Digit '1' to '7' as a game type slot index 0 to 6; -1 for any other code.
int gameTypeSlot(char digit) { return digit >= '1' && digit <= '7' ? digit - '1' : -1; }

// What the old team's files say of each roster slot 1 to 99.
struct Slot {
    QString homePhone, address1, address2, city, state, zip, note;
    int16_t person = 0;
    bool named = false;
};

class TeamConverter {
public:
    TeamConverter(Database& db, const OldTeamInput& in, OldTeamOutcome& out) : db_(db), in_(in), out_(out) {}

    void run()
    {
        addTeam();
        addPlayers();
        addGames();
        addStats();
    }

private:
    void addTeam()
    {
        const std::optional<int16_t> free = NewTeamNumber(db_, in_.teamNumber);
        if (!free)
            throw NoNumberLeftError(KeyKind::Team);
        team_ = *free;
        db_.execute(QStringLiteral("insert into Teams (TeamNumber, LongTeamName, ShortTeamName, ContactPerson, "
                                   "PhoneNumber, Email, notes) values (?, ?, ?, '', '', '', '')"),
                    {int(team_), in_.longName, in_.shortName});
        out_.teamNumber = team_;
    }

    void addPlayers()
    {
        if (in_.files.names.isEmpty())
            return;
        for (const OldPlayerInfo& p : ReadOldPlayerInfo(in_.files.info)) {
            if (p.slot < 1 || p.slot > OldSlotCount) {
                ++out_.skipped;
                continue;
            }
            Slot& s = slots_[size_t(p.slot)];
            s.homePhone = p.homePhone;
            s.address1 = p.address1;
            s.address2 = p.address2;
            s.city = p.city;
            s.state = p.state;
            s.zip = p.zip;
            s.note = p.note;
        }
        const auto names = ReadOldPlayerNames(in_.files.names);
        if (!names) {
            out_.skipped += int(OldRecordCount(in_.files.names.size(), OldRecordLength::PlayerName));
            return;
        }
        std::set<int16_t> onRoster;
        for (const OldPlayerName& n : *names) {
            if (n.slot < 1 || n.slot > OldSlotCount || slots_[size_t(n.slot)].named || n.name.isEmpty()) {
                ++out_.skipped;
                continue;
            }
            Slot& s = slots_[size_t(n.slot)];
            s.named = true;
            // First name before the first blank, last name after it; a single
            // word is both.
            const qsizetype blank = n.name.indexOf(QLatin1Char(' '));
            const QString first = blank < 0 ? n.name : n.name.left(blank);
            const QString last = blank < 0 ? n.name : Trim(n.name.mid(blank + 1));
            s.person = findOrAddPerson(first, last, s);
            // Two slots that find one person still give one roster row.
            if (!onRoster.insert(s.person).second)
                continue;
            db_.execute(QStringLiteral("insert into Roster (TeamNumber, PersonNumber, PlayerIndicator, UniformNumber, "
                                       "notes) values (?, ?, -1, ?, ?)"),
                        {int(team_), int(s.person), in_.keepPlayerNumbers ? QString::number(n.slot) : QString(),
                         s.note});
            ++out_.rosterRows;
        }
    }

    int16_t findOrAddPerson(const QString& first, const QString& last, const Slot& s)
    {
        static const char* const kAddress[] = {"Address1", "Address2", "City", "State", "Zip", "HomePhone"};
        const QString values[] = {s.address1, s.address2, s.city, s.state, s.zip, s.homePhone};
        Recordset rs = db_.openRecordset(
            QStringLiteral("select * from People where FirstName = ? and LastName = ?"), {first, last});
        if (!rs.eof()) {
            rs.moveFirst();
            const int16_t person = rs.getInt(QStringLiteral("PersonNumber"));
            // What the person's row already holds wins over the old files.
            bool changed = false;
            rs.edit();
            for (size_t i = 0; i < std::size(kAddress); ++i) {
                const QString field = QLatin1String(kAddress[i]);
                if (Trim(rs.textOr(field)).isEmpty() && !values[i].isEmpty()) {
                    rs.setValue(field, values[i]);
                    changed = true;
                }
            }
            if (changed)
                rs.update();
            else
                rs.cancelUpdate();
            return person;
        }
        const std::optional<int16_t> next = NextPersonNumber(db_);
        if (!next)
            throw NoNumberLeftError(KeyKind::Person);
        const int16_t person = *next;
        db_.execute(QStringLiteral("insert into People (PersonNumber, FirstName, LastName, Address1, Address2, City, "
                                   "State, Zip, Country, HomePhone, WorkPhone, FaxNumber, EmailAddress, notes, "
                                   "BirthDate) values (?, ?, ?, ?, ?, ?, ?, ?, '', ?, '', '', '', '', NULL)"),
                    {int(person), first, last, s.address1, s.address2, s.city, s.state, s.zip, s.homePhone});
        ++out_.peopleAdded;
        return person;
    }

    void addGames()
    {
        Statement insert = db_.prepare(QStringLiteral(
            "insert into GameStats (TeamNumber, GStatNumber, GameNumber, GameDate, GameType, Periods, Location, "
            "HomeTeam, Opponent, OpponentTeamNumber, OpponentGStatNumber, Goals, GoalsPeriod1, GoalsPeriod2, "
            "GoalsPeriod3, GoalsPeriod4, GoalsOT, OppGoals, OppGoalsPeriod1, OppGoalsPeriod2, OppGoalsPeriod3, "
            "OppGoalsPeriod4, OppGoalsOT, PP, PPG, SH, Kills, Overtime, notes) "
            "values (?, ?, ?, ?, ?, ?, ?, ?, ?, 0, 0, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        for (const OldGame& game : ReadOldGames(in_.files.games)) {
            if (game.code != 'A')
                continue;
            const int slot = gameTypeSlot(game.gameTypeCode);
            long long goals = 0, oppGoals = 0;
            for (size_t p = 0; p < 5; ++p) {
                goals += game.goals[p];
                oppGoals += game.oppGoals[p];
            }
            if (slot < 0 || game.gameNumber < 1 || homeOfGame_.count(game.gameNumber) || !fitsInt16(goals) ||
                !fitsInt16(oppGoals)) {
                ++out_.skipped;
                continue;
            }
            const bool home = game.homeCode == '1';
            // Goals in the fourth period mean the game had four.
            const int periods = game.goals[3] != 0 || game.oppGoals[3] != 0 ? 4 : 3;
            const auto date = OldGameDate(game.dateDigits);
            QVariantList row = {int(team_), int(game.gameNumber), int(game.gameNumber),
                                date ? QVariant(*date) : QVariant(), int(in_.gameTypeMap[size_t(slot)]), periods,
                                game.location, home, game.opponent, int(goals)};
            for (size_t p = 0; p < 5; ++p)
                row << int(game.goals[p]);
            row << int(oppGoals);
            for (size_t p = 0; p < 5; ++p)
                row << int(game.oppGoals[p]);
            row << int(game.pp) << int(game.ppg) << int(game.sh) << int(game.kills) << (game.overtime != 0)
                << game.notes;
            insert.run(row);
            homeOfGame_[game.gameNumber] = home;
            ++out_.games;
        }
    }

    void addStats()
    {
        // Counter k of the old record fills these fields; nullptr: not read.
        static const char* const kPlayer[] = {"Per", "Min", "SOG", "G",   "PP",    "SH",   "GW",  "EN",
                                              "OT",  "UA",  nullptr, "Ast", "Pen", "PIM", "Plus", "Minus",
                                              "FOW", "FOL"};
        static const char* const kGoalie[] = {"Per", "Min", "Sec", "W",   "L",     "T",   nullptr, "GA1",
                                              "Sv1", nullptr, "GA2", "Sv2", nullptr, "GA3", "Sv3",  nullptr,
                                              "GAO", "SvO"};
        constexpr int kUserFirst = 33;  // counters 33 to 37: U1 to U5
        const auto insertText = [](const char* table, const char* const* fields, bool player) {
            QString names = QStringLiteral("TeamNumber, GameNumber, PlayerNumber, EventNumber, GameType, HomeTeam");
            QString marks = QStringLiteral("?, ?, ?, 1, ?, ?");
            if (player) {
                names += QStringLiteral(", Position");
                marks += QStringLiteral(", 0");
            }
            for (int k = 0; k < 18; ++k)
                if (fields[k]) {
                    names += QStringLiteral(", ") + QLatin1String(fields[k]);
                    marks += QStringLiteral(", ?");
                }
            for (int u = 1; u <= 5; ++u) {
                names += QStringLiteral(", U") + QString::number(u);
                marks += QStringLiteral(", ?");
            }
            // Every other number takes its default 0.
            return QStringLiteral("insert into ") + QLatin1String(table) + QStringLiteral(" (") + names +
                   QStringLiteral(", notes) values (") + marks + QStringLiteral(", '')");
        };
        Statement players = db_.prepare(insertText("PlayerStats", kPlayer, true));
        Statement goalies = db_.prepare(insertText("GoalieStats", kGoalie, false));
        for (const OldStatRow& s : ReadOldStats(in_.files.stats)) {
            if (s.code != 'A' || (s.kind != 'P' && s.kind != 'G'))
                continue;
            const int slot = gameTypeSlot(s.gameTypeCode);
            const auto game = homeOfGame_.find(s.gameNumber);
            if (s.slot < 1 || s.slot > OldSlotCount || slot < 0 || game == homeOfGame_.end()) {
                ++out_.skipped;
                continue;
            }
            const bool player = s.kind == 'P';
            QVariantList row = {int(team_), int(s.gameNumber), int(slots_[size_t(s.slot)].person),
                                int(in_.gameTypeMap[size_t(slot)]), game->second};
            const char* const* fields = player ? kPlayer : kGoalie;
            for (int k = 0; k < 18; ++k)
                if (fields[k])
                    row << int(s.counters[size_t(k)]);
            for (int u = 0; u < 5; ++u)
                row << int(s.counters[size_t(kUserFirst + u)]);
            (player ? players : goalies).run(row);
            ++(player ? out_.playerRows : out_.goalieRows);
        }
    }

    Database& db_;
    const OldTeamInput& in_;
    OldTeamOutcome& out_;
    int16_t team_ = 0;
    std::array<Slot, OldSlotCount + 1> slots_{};
    std::map<int16_t, bool> homeOfGame_;  // converted games and their home flag
};

}  // namespace

OldGameTypesOutcome AddOldGameTypes(Database& db, const std::array<QString, OldGameTypeCount>& oldNames,
                                    const std::vector<GameTypeEntry>& known)
{
    OldGameTypesOutcome out;
    std::vector<GameTypeEntry> all = known;
    Transaction t(db);
    for (size_t k = 0; k < oldNames.size(); ++k) {
        const QString name = Trim(oldNames[k]);
        if (name.isEmpty())
            continue;
        const auto match = std::find_if(all.begin(), all.end(), [&name](const GameTypeEntry& e) {
            return Trim(e.description).toUpper() == name.toUpper();
        });
        if (match != all.end()) {
            out.map[k] = match->number;
            continue;
        }
        int highest = 0;
        for (const GameTypeEntry& e : all)
            highest = std::max(highest, int(e.number));
        if (highest >= LargestKey)
            throw NoNumberLeftError(KeyKind::GameType);
        const GameTypeEntry added{int16_t(highest + 1), name};
        db.execute(QStringLiteral("insert into GameTypes (GameTypeNumber, GameTypeDescription) values (?, ?)"),
                   {int(added.number), added.description});
        all.push_back(added);
        out.added.push_back(added);
        out.map[k] = added.number;
    }
    t.commit();
    return out;
}

void NameOldCategories(Database& db, const std::array<QString, OldUserCatCount>& player,
                       const std::array<QString, OldUserCatCount>& goalie)
{
    Transaction t(db);
    for (int k = 1; k <= OldUserCatCount; ++k) {
        const auto set = [&](const char* type, const QString& name) {
            db.execute(QStringLiteral("update NameYourOwnCats set CategoryDescription = ? "
                                      "where CategoryType = ? collate binary and CategoryNumber = ?"),
                       {name.left(3), QLatin1String(type), k});
        };
        set("H", player[size_t(k - 1)]);
        set("G", goalie[size_t(k - 1)]);
    }
    t.commit();
}

OldTeamFiles ReadOldTeamFiles(const QString& folder, int oldTeamNumber)
{
    const auto read = [&](const char* prefix) {
        return ReadFileBytes(FindFileNoCase(folder, OldTeamFileName(prefix, oldTeamNumber)));
    };
    return {read("QNPN"), read("QNPI"), read("QNGS"), read("QNPS")};
}

OldTeamOutcome ConvertOldTeam(Database& db, const OldTeamInput& in)
{
    OldTeamOutcome out;
    // Upper and lower case count here: "Hawks" and "HAWKS" are two teams.
    const QVariant stored = db.scalar(
        QStringLiteral("select trim(LongTeamName) from Teams where trim(LongTeamName) = ? collate binary"),
        {in.longName});
    if (stored.isValid() && !stored.isNull()) {
        out.storedName = stored.toString();
        return out;
    }
    Transaction t(db);
    TeamConverter(db, in, out).run();
    t.commit();
    out.added = true;
    return out;
}

QString ConvertCompleteText(int teamsAdded, int skipped)
{
    QString text = NumText(teamsAdded) + (teamsAdded == 1 ? QStringLiteral(" Team Added") : QStringLiteral(" Teams Added"));
    if (skipped > 0)
        text += QStringLiteral("\r\r") + NumText(skipped) +
                (skipped == 1 ? QStringLiteral(" damaged record was skipped.")
                              : QStringLiteral(" damaged records were skipped."));
    return text;
}

}  // namespace vh
