#include "datamgmt/TeamImport.h"

#include "datamgmt/BackupCore.h"
#include "datamgmt/TransferChecks.h"
#include "datamgmt/TransferTables.h"
#include "platform/Runtime.h"
#include "shell/GameTypes.h"
#include "shell/Renumber.h"
#include "shell/Startup.h"
#include "teams/TeamStore.h"

#include <algorithm>
#include <map>
#include <set>

namespace vh {

using namespace transfer;

namespace {

QString nameKey(const QString& s) { return s.trimmed().toUpper(); }

bool isEmptyValue(const QVariant& v) { return !v.isValid() || v.isNull() || v.toString().trimmed().isEmpty(); }

// The game types of the file, each with the stored type of the same name.
struct FileGameType {
    int16_t number;
    QString description;
    std::optional<int16_t> known;
};
struct GameTypePlan {
    std::vector<FileGameType> types;
    int next = 1;  // the number the first new type takes
};

// Matches the file's game types by name with the stored ones; refuses the
// file when the new ones find no numbers, before anything is written.
GameTypePlan planGameTypes(Database& main, Database& file)
{
    const auto known = ReadGameTypes(main);
    GameTypePlan plan;
    int missing = 0;
    Recordset rs = file.openRecordset(QStringLiteral("GameTypes"));
    for (; !rs.eof(); rs.moveNext()) {
        FileGameType type{rs.isNull(QStringLiteral("GameTypeNumber")) ? int16_t(0)
                                                                      : rs.getInt(QStringLiteral("GameTypeNumber")),
                          rs.textOr(QStringLiteral("GameTypeDescription")), std::nullopt};
        // Compared with the types as they stood before the import.
        const auto found = std::find_if(known.begin(), known.end(), [&](const GameTypeRow& k) {
            return nameKey(k.name) == nameKey(type.description);
        });
        if (found != known.end())
            type.known = found->number;
        else
            ++missing;
        plan.types.push_back(std::move(type));
    }
    for (const GameTypeRow& type : known)
        plan.next = std::max(plan.next, type.number + 1);
    if (missing > 0 && plan.next + missing - 1 > LargestKey)
        throw ImportRefused(NoNumberLeftMessage(KeyKind::GameType).text, KeyKind::GameType);
    return plan;
}

// Adds the game types the database lacks; the file's numbers mapped to the
// database's.
std::map<int16_t, int16_t> importGameTypes(Database& main, const GameTypePlan& plan, ImportQuestions& ask, bool& added)
{
    std::map<int16_t, int16_t> map{{0, 0}};
    std::vector<QString> newNames;
    int next = plan.next;
    Transaction t(main);
    for (const FileGameType& type : plan.types) {
        if (type.known) {
            map.emplace(type.number, *type.known);
            continue;
        }
        main.execute(QStringLiteral("insert into GameTypes (GameTypeNumber, GameTypeDescription) values (?, ?)"),
                     {next, type.description});
        map.emplace(type.number, int16_t(next));
        newNames.push_back(type.description.trimmed());
        ++next;
    }
    t.commit();
    added = !newNames.empty();
    for (const QString& name : newNames)
        ask.gameTypeAdded(name);
    return map;
}

// The five user-named categories of each kind, offered one by one.
bool importCategoryNames(Database& main, Database& file, ImportQuestions& ask)
{
    QString current[2][6];  // [goalie][n]
    {
        Recordset rs = main.openRecordset(QStringLiteral("NameYourOwnCats"));
        for (; !rs.eof(); rs.moveNext()) {
            const QString type = rs.textOr(QStringLiteral("CategoryType"));
            const int n = rs.isNull(QStringLiteral("CategoryNumber")) ? 0 : rs.getInt(QStringLiteral("CategoryNumber"));
            if (n >= 1 && n <= 5 && (type == QLatin1String("H") || type == QLatin1String("G")))
                current[type == QLatin1String("G")][n] = rs.textOr(QStringLiteral("CategoryDescription"));
        }
    }
    std::set<std::pair<int, int>> changed;
    Recordset rs = file.openRecordset(QStringLiteral("NameYourOwnCats"));
    for (; !rs.eof(); rs.moveNext()) {
        const QString type = rs.textOr(QStringLiteral("CategoryType"));
        if (type != QLatin1String("H") && type != QLatin1String("G"))
            continue;
        const bool goalie = type == QLatin1String("G");
        const int n = rs.isNull(QStringLiteral("CategoryNumber")) ? 0 : rs.getInt(QStringLiteral("CategoryNumber"));
        const QString name = rs.textOr(QStringLiteral("CategoryDescription")).trimmed();
        // An empty name would only erase the user's own.
        if (n < 1 || n > 5 || name.isEmpty() || name.toUpper() == type + QString::number(n) ||
            name.toUpper() == nameKey(current[goalie][n]))
            continue;
        if (ask.changeCategory(goalie, name, current[goalie][n].left(3).leftJustified(3))) {
            current[goalie][n] = name.left(3);
            changed.insert({goalie, n});
        }
    }
    rs.close();
    if (changed.empty())
        return false;
    Transaction t(main);
    for (const auto& [goalie, n] : changed)
        main.execute(QStringLiteral("update NameYourOwnCats set CategoryDescription = ? where CategoryType = ? and "
                                    "CategoryNumber = ?"),
                     {current[goalie][n].leftJustified(3), goalie ? QStringLiteral("G") : QStringLiteral("H"), n});
    t.commit();
    return true;
}

// No number left for what a team brings: that team stops, and the import
// with it.
struct NumberRanOut : RuntimeError {
    explicit NumberRanOut(KeyKind k) : RuntimeError(NoNumberLeftError(k)), kind(k) {}
    KeyKind kind;
};

struct StoredTeam {
    int16_t number;
    QString longName;
};

// Finds or adds the main database's person for a person of the file.
class PersonMatcher {
public:
    PersonMatcher(Database& main, Database& file) : main_(main), file_(file)
    {
        const std::optional<int16_t> next = NextPersonNumber(main);
        next_ = next ? int(*next) : LargestKey + 1;
        // Names are told apart without regard to capitals, accented letters
        // included; the first person of a name is the one found.
        Recordset rs = main.openRecordset(QStringLiteral("select PersonNumber, FirstName, LastName from People where "
                                                         "PersonNumber is not null order by rowid"));
        for (; !rs.eof(); rs.moveNext())
            byName_.emplace(nameOf(rs.value(QStringLiteral("FirstName")), rs.value(QStringLiteral("LastName"))),
                            rs.getInt(QStringLiteral("PersonNumber")));
    }

    void startTeam() { map_ = {{0, 0}}; }

    // The main database's number of a person of the file; nothing when the
    // file has no row for that person.
    std::optional<int16_t> person(int16_t fileNumber)
    {
        if (const auto it = map_.find(fileNumber); it != map_.end())
            return it->second;
        Recordset src = file_.openRecordset(
            QStringLiteral("select * from People where PersonNumber = ? order by rowid limit 1"), {int(fileNumber)});
        if (src.eof())
            return std::nullopt;
        const QVariant first = src.value(QStringLiteral("FirstName"));
        const QVariant last = src.value(QStringLiteral("LastName"));
        std::optional<int16_t> found;
        // A person without any name cannot be told from others of that kind.
        const bool named = !isEmptyValue(first) || !isEmptyValue(last);
        if (named)
            if (const auto it = byName_.find(nameOf(first, last)); it != byName_.end())
                found = it->second;
        const QStringList fields = peopleFields().mid(1);
        if (found) {
            // A value the file leaves empty keeps what is stored.
            QStringList sets;
            QVariantList values;
            for (const QString& f : fields) {
                if (isEmptyValue(src.value(f)))
                    continue;
                sets << f + QStringLiteral(" = ?");
                values << src.value(f);
            }
            if (!sets.isEmpty()) {
                values << int(*found);
                main_.execute(QStringLiteral("update People set %1 where PersonNumber = ?")
                                  .arg(sets.join(QStringLiteral(", "))),
                              values);
            }
        } else {
            // The caller's transaction takes back what this team wrote.
            if (next_ > LargestKey)
                throw NumberRanOut(KeyKind::Person);
            found = int16_t(next_++);
            QVariantList values{int(*found)};
            for (const QString& f : fields)
                values << src.value(f);
            main_.execute(QStringLiteral("insert into People (%1) values (?%2)")
                              .arg(peopleFields().join(QStringLiteral(", ")),
                                   QStringLiteral(", ?").repeated(fields.size())),
                          values);
        }
        map_[fileNumber] = *found;
        if (named)
            byName_.emplace(nameOf(first, last), *found);
        return found;
    }


private:
    Database& main_;
    Database& file_;
    static QString nameOf(const QVariant& first, const QVariant& last)
    {
        return first.toString().toCaseFolded() + QChar(0x1f) + last.toString().toCaseFolded();
    }

    std::map<int16_t, int16_t> map_;
    std::map<QString, int16_t> byName_;
    int next_ = 1;  // passes the largest key once that is taken
};

int16_t mapped(const std::map<int16_t, int16_t>& map, const Recordset& rs, const char* field)
{
    if (rs.isNull(QLatin1String(field)))
        return 0;
    const auto it = map.find(rs.getInt(QLatin1String(field)));
    return it == map.end() ? 0 : it->second;
}

// One accepted team with its roster, people, games and statistics, inside the
// caller's transaction; the team it replaces goes first.
void writeTeam(Database& main, Database& file, const Recordset& team, int16_t oldNumber, int16_t newNumber,
               const std::map<int16_t, int16_t>& gameTypes, PersonMatcher& people)
{
    const QVariantList fileKey{team.value(QStringLiteral("TeamNumber"))};
    if (oldNumber > 0)
        for (const char* table : {"Teams", "Roster", "GameStats", "PlayerStats", "GoalieStats"})
            main.execute(QStringLiteral("delete from %1 where TeamNumber = ?").arg(QLatin1String(table)),
                         {int(oldNumber)});
    {
        QVariantList values{int(newNumber)};
        for (const QString& f : teamFields().mid(1))
            values << team.value(f);
        main.execute(QStringLiteral("insert into Teams (%1) values (?%2)")
                         .arg(teamFields().join(QStringLiteral(", ")),
                              QStringLiteral(", ?").repeated(teamFields().size() - 1)),
                     values);
    }
    if (oldNumber > 0)
        main.execute(QStringLiteral("update TeamFilters set TeamNumber = ? where TeamNumber = ?"),
                     {int(newNumber), int(oldNumber)});

    people.startTeam();
    Recordset roster = file.openRecordset(QStringLiteral("select * from Roster where TeamNumber = ?"), fileKey);
    for (; !roster.eof(); roster.moveNext()) {
        const auto person = roster.isNull(QStringLiteral("PersonNumber"))
                                ? std::nullopt
                                : people.person(roster.getInt(QStringLiteral("PersonNumber")));
        if (!person)
            continue;  // a roster row without its person names nobody
        main.execute(QStringLiteral("insert into Roster (TeamNumber, PersonNumber, PlayerIndicator, UniformNumber, "
                                    "notes) values (?, ?, ?, ?, ?)"),
                     {int(newNumber), int(*person), roster.value(QStringLiteral("PlayerIndicator")),
                      roster.value(QStringLiteral("UniformNumber")), roster.value(QStringLiteral("notes"))});
    }
    roster.close();

    copyRows(file, QStringLiteral("select * from GameStats where TeamNumber = ?"), fileKey, main,
             QStringLiteral("GameStats"), gameFields(), [&](const Recordset& rs, Overrides& o) {
                 o[QStringLiteral("TeamNumber")] = int(newNumber);
                 o[QStringLiteral("GameType")] = int(mapped(gameTypes, rs, "GameType"));
                 o[QStringLiteral("OpponentTeamNumber")] = 0;
                 o[QStringLiteral("OpponentGStatNumber")] = 0;
             });
    auto statRow = [&](const Recordset& rs, Overrides& o) {
        o[QStringLiteral("TeamNumber")] = int(newNumber);
        o[QStringLiteral("GameType")] = int(mapped(gameTypes, rs, "GameType"));
        // People the statistics name beyond the roster are found the same way.
        const auto person = rs.isNull(QStringLiteral("PlayerNumber"))
                                ? std::optional<int16_t>(0)
                                : people.person(rs.getInt(QStringLiteral("PlayerNumber")));
        o[QStringLiteral("PlayerNumber")] = int(person.value_or(0));
    };
    copyRows(file, QStringLiteral("select * from PlayerStats where TeamNumber = ?"), fileKey, main,
             QStringLiteral("PlayerStats"), playerStatFields(), statRow);
    copyRows(file, QStringLiteral("select * from GoalieStats where TeamNumber = ?"), fileKey, main,
             QStringLiteral("GoalieStats"), goalieStatFields(), statRow);
}

}  // namespace

OpenedTransferFile OpenTransferFile(const QString& path, const QString& dataFolder)
{
    OpenedTransferFile out;
    try {
        out.copy = std::make_unique<ReadingCopy>(path, dataFolder);
    } catch (const RuntimeError& e) {
        return {TransferFileCheck::CannotRead, e.description(), nullptr, nullptr};
    }
    try {
        // Import only reads the copy.
        out.db = Database::open(out.copy->path(), DatabaseConnect(), Database::Access::ReadOnly);
        if (QString damage = DamageOf(*out.db); !damage.isEmpty()) {
            out.db.reset();
            return {TransferFileCheck::CannotOpen, damage, nullptr, nullptr};
        }
        // Import only reads, so such code could not run; but no file the
        // program writes holds any.
        if (QString code = StoredCode(*out.db); !code.isEmpty()) {
            out.db.reset();
            return {TransferFileCheck::Foreign, code, nullptr, nullptr};
        }
        // What a table lacks of a transfer file's, or `fields` of it alone.
        const auto lacking = [&](const QString& table, const QStringList& fields) -> QString {
            if (!out.db->tableExists(table))
                return QStringLiteral("It lacks the table %1.").arg(table);
            // The program's tables keep their rows in the order written,
            // which import reads them in; one without that order was made
            // elsewhere.
            if (out.db->scalar(QStringLiteral("select wr from pragma_table_list where schema = 'main' and name = ? "
                                              "collate nocase"),
                               {table})
                    .toInt() != 0)
                return QStringLiteral("Its table %1 was not made by Velloran for Hockey.").arg(table);
            std::set<QString> have;
            for (const FieldInfo& f : out.db->tableFields(table))
                have.insert(f.name.toLower());
            for (const QString& f : fields)
                if (!have.count(f.toLower()))
                    return QStringLiteral("Its %1.%2 is missing.").arg(table, f);
            return {};
        };
        // The version comes first, as soon as it can be read: a file of
        // another version lacks fields for that reason alone.
        const QString versionTable = QStringLiteral("ProgramVersion");
        QString problem = lacking(versionTable, {versionTable});
        if (problem.isEmpty() && !HoldsVersion2(*out.db)) {
            out.db.reset();
            out.status = TransferFileCheck::WrongVersion;
            return out;
        }
        for (auto it = transferTables().begin(); problem.isEmpty() && it != transferTables().end(); ++it)
            problem = lacking(it->first, it->second);
        if (!problem.isEmpty()) {
            out.db.reset();
            return {TransferFileCheck::NotTransfer, problem, nullptr, nullptr};
        }
    } catch (const RuntimeError& e) {
        return {TransferFileCheck::CannotOpen, ReadingFailure(e, dataFolder), nullptr, nullptr};
    }
    return out;
}

ImportResult ImportTeams(Database& main, Database& file, Database& program, int16_t nextTeamNumber,
                         ImportQuestions& ask)
{
    CheckTransferValues(program, file);
    ImportResult result;
    result.nextTeamNumber = nextTeamNumber;
    int nextTeam = nextTeamNumber;  // passes the largest key once that is taken
    // A file that could bring no team at all is refused before its game
    // types are added; numbers that run out part-way stop at that team.
    if (file.scalar(QStringLiteral("select count(*) from Teams")).toInt() > 0 && !NewTeamNumber(main, nextTeam))
        throw ImportRefused(NoNumberLeftMessage(KeyKind::Team).text, KeyKind::Team);
    const GameTypePlan plan = planGameTypes(main, file);

    // From here on what is written stays; a failure says how far it came.
    QString current;  // the team being written
    const auto stopped = [&](const RuntimeError& e) {
        result.failure = e;
        result.failedTeam = current;
    };
    try {
        const auto gameTypes = importGameTypes(main, plan, ask, result.gameTypesAdded);
        result.categoryNamesChanged = importCategoryNames(main, file, ask);

        // Every team of the file is compared with the teams as they were when
        // the import started, by their full long names.
        std::vector<StoredTeam> stored;
        {
            Recordset rs = main.openRecordset(QStringLiteral("Teams"));
            for (; !rs.eof(); rs.moveNext())
                stored.push_back({rs.getInt(QStringLiteral("TeamNumber")), rs.textOr(QStringLiteral("LongTeamName"))});
        }
        PersonMatcher people(main, file);
        Recordset teams = file.openRecordset(QStringLiteral("Teams"));
        for (; !teams.eof(); teams.moveNext()) {
            const QString longName = teams.textOr(QStringLiteral("LongTeamName"));
            int16_t old = 0;
            const auto same = std::find_if(stored.begin(), stored.end(), [&](const StoredTeam& s) {
                return nameKey(s.longName) == nameKey(longName);
            });
            if (same != stored.end()) {
                if (!ask.replaceTeam(longName.trimmed()))
                    continue;
                old = same->number;
            }
            current = longName.trimmed();
            const std::optional<int16_t> number = NewTeamNumber(main, nextTeam);
            if (!number)
                throw NumberRanOut(KeyKind::Team);
            ask.importing(current);
            Transaction t(main);
            writeTeam(main, file, teams, old, *number, gameTypes, people);
            t.commit();
            current.clear();
            nextTeam = *number + 1;
            result.nextTeamNumber = int16_t(std::min(nextTeam, LargestKey));
            result.teamsImported += 1;
        }
    } catch (const NumberRanOut& e) {
        stopped(e);
        result.numberRanOut = e.kind;
    } catch (...) {
        stopped(describeException(std::current_exception()));
    }
    return result;
}

}  // namespace vh
