#include "datamgmt/TransferChecks.h"

#include "datamgmt/BackupCore.h"
#include "datamgmt/TransferTables.h"
#include "platform/Runtime.h"
#include "platform/basic/Basic.h"
#include "shell/Globals.h"
#include "shell/Startup.h"
#include "teams/TeamStore.h"

#include <QFileInfo>
#include <algorithm>
#include <functional>
#include <set>

namespace vh {

namespace {

enum class Scope { AllRows, AnyTextLength };

// The fields rows are found and joined by, and those the windows read as
// numbers that must be there: a window reading an empty one fails ("Invalid
// use of Null"), and a row without its key belongs to nothing. Import matches
// game types by their names, which are keys too.
bool mayNotBeEmpty(const QString& table, const QString& field)
{
    static const std::set<QString> fields = [] {
        std::set<QString> out;
        const std::pair<const char*, const char*> keys[] = {
            {"Teams", "TeamNumber"},
            {"People", "PersonNumber"},
            {"Roster", "TeamNumber PersonNumber"},
            {"GameStats", "TeamNumber GameNumber"},
            {"PlayerStats", "TeamNumber GameNumber PlayerNumber"},
            {"GoalieStats", "TeamNumber GameNumber PlayerNumber"},
            {"GameTypes", "GameTypeNumber GameTypeDescription"},
            {"Filters", "FilterNumber"},
            {"TeamFilters", "FilterNumber TeamNumber"},
            {"PlayerRptFormat", "ReportNumber"},
            {"GoalieRptFormat", "ReportNumber"},
            {"PlayerRptCats", "ReportNumber ReportOrder CategoryNumber"},
            {"GoalieRptCats", "ReportNumber ReportOrder CategoryNumber"}};
        for (const auto& [t, names] : keys)
            for (const QString& f : QString::fromLatin1(names).split(QLatin1Char(' ')))
                out.insert((QLatin1String(t) + QLatin1Char('.') + f).toUpper());
        return out;
    }();
    return fields.count((table + QLatin1Char('.') + field).toUpper()) > 0;
}

// What else a value of a field may not be, as "is ..." (empty when it may
// be that); given the field's index and its value.
using FurtherRule = std::function<QString(size_t, const QVariant&)>;

// Throws for the first of `fields` that cannot hold its value in one row as
// it is (FieldMismatch), or is empty where it may not be, or breaks `further`;
// `valueAt` reads the value of the field at an index, `sentence` turns "its
// Table.Field ..." into the whole message.
void refuseMisfit(const QString& table, const std::vector<FieldInfo>& fields,
                  const std::function<QVariant(size_t)>& valueAt,
                  const std::function<QString(const QString&)>& sentence, const FurtherRule& further = {})
{
    for (size_t i = 0; i < fields.size(); ++i) {
        const FieldInfo& f = fields[i];
        const QVariant value = valueAt(i);
        QString why = FieldMismatch(f, value);
        int number = Err::DataConversion;
        if ((!value.isValid() || value.isNull()) && mayNotBeEmpty(table, f.name)) {
            why = QStringLiteral("is empty");
            number = Err::InvalidUseOfNull;
        } else if ((f.type == FieldType::Text || f.type == FieldType::Memo) &&
                   value.typeId() != QMetaType::QByteArray) {
            number = Err::FieldTooSmall;
        }
        if (why.isEmpty() && further)
            why = further(i, value);
        if (!why.isEmpty())
            throw RuntimeError(number, sentence(QStringLiteral("its %1.%2 %3").arg(table, f.name, why)));
    }
}

// A team's long name as messages quote it; a name too long for its field is
// shown cut.
QString quoted(const QString& longName)
{
    const QString name = longName.trimmed();
    return QLatin1Char('"') + (CharCount(name) > 50 ? Left(name, 50) + QStringLiteral("...") : name) + QLatin1Char('"');
}

// The long name of the file's team of that number; Null when it holds none.
QVariant longNameOf(Database& file, const QVariant& team)
{
    return file.scalar(QStringLiteral("select LongTeamName from Teams where TeamNumber = ? limit 1"), {team});
}

// Where in the file a row of `table` sits, for a message: with the team it
// belongs to when the file holds that team under a readable name (its own
// `longName` for a row of Teams, else the team numbered `team`), else as
// "one row".
QString whereIs(Database& file, const QString& table, const QVariant& longName, const QVariant& team)
{
    QVariant name = longName;
    if (table != QLatin1String("Teams") && team.isValid() && !team.isNull())
        name = longNameOf(file, team);
    if (name.typeId() != QMetaType::QString || name.toString().trimmed().isEmpty())
        return QStringLiteral(" in one row");
    return QStringLiteral(" for the team ") + quoted(name.toString());
}

// The numbers import selects a team's rows by and the checks join and group
// them by. Bound as a number, a key finds only a whole number stored as one:
// a text or a real that the field check reads as that number is not found,
// or found only as the file's own column type happens to compare it.
bool isStoredKey(const QString& table, const QString& field)
{
    static const std::set<QString> keys = {
        QStringLiteral("Teams.TeamNumber"),        QStringLiteral("Roster.TeamNumber"),
        QStringLiteral("Roster.PersonNumber"),     QStringLiteral("People.PersonNumber"),
        QStringLiteral("GameStats.TeamNumber"),    QStringLiteral("GameStats.GameNumber"),
        QStringLiteral("PlayerStats.TeamNumber"),  QStringLiteral("PlayerStats.GameNumber"),
        QStringLiteral("PlayerStats.PlayerNumber"), QStringLiteral("GoalieStats.TeamNumber"),
        QStringLiteral("GoalieStats.GameNumber"),  QStringLiteral("GoalieStats.PlayerNumber"),
        QStringLiteral("GameTypes.GameTypeNumber")};
    return keys.count(table + QLatin1Char('.') + field) > 0;
}

// What a transfer file may not hold beyond what the program's field cannot:
// a key not stored as a whole number, person 0 (nobody) in People or on a
// roster, a game type without a name (import matches game types by name).
QString transferRule(const QString& table, const FieldInfo& f, const QVariant& value)
{
    if (isStoredKey(table, f.name)) {
        if (value.typeId() != QMetaType::Int && value.typeId() != QMetaType::LongLong)
            return QStringLiteral("is not stored as a whole number");
        if (f.name == QLatin1String("PersonNumber") && value.toInt() == 0)
            return QStringLiteral("is 0");
    }
    if (table == QLatin1String("GameTypes") && f.name == QLatin1String("GameTypeDescription") &&
        value.toString().trimmed().isEmpty())
        return QStringLiteral("is empty");
    return {};
}

// Every transferred field of every row of `table` against the program's own
// field of that name: a row import would not read (its team number empty)
// is lost as surely as one it cannot write. The first that does not fit
// refuses the file. Read row by row: a large file is never held whole.
void checkRows(Database& program, Database& file, const QString& table, Scope which = Scope::AllRows)
{
    std::vector<FieldInfo> fields;
    QStringList columns;
    int teamColumn = -1;
    int nameColumn = -1;
    for (FieldInfo f : program.tableFields(table)) {
        if (!transfer::transferTables().at(table).contains(f.name, Qt::CaseInsensitive))
            continue;
        if (which == Scope::AnyTextLength && (f.type == FieldType::Text || f.type == FieldType::Memo))
            f.size = 0;
        if (f.name == QLatin1String("TeamNumber"))
            teamColumn = int(fields.size());
        if (table == QLatin1String("Teams") && f.name == QLatin1String("LongTeamName"))
            nameColumn = int(fields.size());
        columns << QLatin1Char('[') + f.name + QLatin1Char(']');
        fields.push_back(f);
    }
    // Table order, as import reads the tables: the first row that does not
    // fit is the one named.
    file.forEachRow(
        QStringLiteral("select %1 from [%2] order by rowid").arg(columns.join(QStringLiteral(", ")), table), {},
        [&](const RowView& row) {
            const auto valueAt = [&](int i) { return i < 0 ? QVariant() : row.value(i, fields[size_t(i)].type); };
            try {
                refuseMisfit(
                    table, fields, [&](size_t i) { return valueAt(int(i)); },
                    [&](const QString& what) {
                        return QLatin1Char('I') + what.mid(1) +
                               whereIs(file, table, valueAt(nameColumn), valueAt(teamColumn)) +
                               QLatin1Char('.');
                    },
                    [&](size_t i, const QVariant& value) { return transferRule(table, fields[i], value); });
            } catch (const RuntimeError& e) {
                throw ImportRefused(e.description());
            }
        });
}

// Refuses the file with `sentence` made of the values of the first row that
// the set-based `sql` finds, if it finds one.
void refuseFirst(Database& file, const QString& sql, const std::function<QString(const QVariantList&)>& sentence)
{
    QVariantList row;
    {
        Recordset rs = file.openRecordset(sql);
        if (rs.eof())
            return;
        for (const FieldInfo& f : rs.fields())
            row << rs.value(f.name);
    }
    throw ImportRefused(sentence(row));
}

// Rows that import would leave behind, take twice or bring in belonging to
// nothing: of a team, a game or a roster's person the file does not hold, or
// holds more than once.
void checkReferences(Database& file)
{
    const auto team = [&file](const QVariant& number) {
        const QString name = longNameOf(file, number).toString().trimmed();
        return name.isEmpty() ? QStringLiteral("Team number %1").arg(number.toString())
                              : QStringLiteral("The team ") + quoted(name);
    };
    // A number two rows share would give one team's rows to both, one
    // person's place to two, or the games of one game type to another.
    for (const char* key : {"Teams.TeamNumber", "People.PersonNumber", "GameTypes.GameTypeNumber"}) {
        const QStringList part = QString::fromLatin1(key).split(QLatin1Char('.'));
        refuseFirst(file,
                    QStringLiteral("select %2 from %1 group by %2 having count(*) > 1 limit 1").arg(part[0], part[1]),
                    [&](const QVariantList& row) {
                        return QStringLiteral("Its %1 is %2 in more than one row.")
                            .arg(QLatin1String(key), row[0].toString());
                    });
    }
    refuseFirst(file,
                QStringLiteral("select TeamNumber, GameNumber from GameStats group by TeamNumber, GameNumber having "
                               "count(*) > 1 limit 1"),
                [&](const QVariantList& row) {
                    return team(row[0]) + QStringLiteral(" has more than one game %1.").arg(row[1].toString());
                });
    for (const char* table : {"Roster", "GameStats", "PlayerStats", "GoalieStats"})
        refuseFirst(file,
                    QStringLiteral("select x.TeamNumber from %1 x where not exists (select 1 from Teams t where "
                                   "t.TeamNumber = x.TeamNumber) limit 1")
                        .arg(QLatin1String(table)),
                    [&](const QVariantList& row) {
                        return QStringLiteral("Its %1 holds rows of team number %2, but the file holds no such team.")
                            .arg(QLatin1String(table), row[0].toString());
                    });
    refuseFirst(file,
                QStringLiteral("select r.TeamNumber, r.PersonNumber from Roster r where not exists (select 1 from "
                               "People p where p.PersonNumber = r.PersonNumber) limit 1"),
                [&](const QVariantList& row) {
                    return team(row[0]) + QStringLiteral(" has player %1 on its roster, but the file holds no such "
                                                         "person.")
                                              .arg(row[1].toString());
                });
    const std::pair<const char*, const char*> statistics[] = {{"PlayerStats", "player statistics"},
                                                              {"GoalieStats", "goalie statistics"}};
    for (const auto& [table, kind] : statistics)
        refuseFirst(file,
                    QStringLiteral("select s.TeamNumber, s.GameNumber from %1 s where not exists (select 1 from "
                                   "GameStats g where g.TeamNumber = s.TeamNumber and g.GameNumber = s.GameNumber) "
                                   "limit 1")
                        .arg(QLatin1String(table)),
                    [&](const QVariantList& row) {
                        return team(row[0]) + QStringLiteral(" has %1 for game %2, but the file holds no game %2 of "
                                                             "that team.")
                                                  .arg(QLatin1String(kind), row[1].toString());
                    });
}

}  // namespace

void CheckTransferValues(Database& program, Database& file)
{
    checkRows(program, file, QStringLiteral("GameTypes"));
    // Import holds category names in three characters itself; their length
    // does not matter.
    checkRows(program, file, QStringLiteral("NameYourOwnCats"), Scope::AnyTextLength);
    for (const char* table : {"Teams", "People", "Roster", "GameStats", "PlayerStats", "GoalieStats"})
        checkRows(program, file, QLatin1String(table));
    checkReferences(file);
}

QString BackupValueProblem(Database& program, const QString& path)
{
    QString misfit;  // the value check's sentence
    try {
        const std::unique_ptr<Database> db = Database::open(path, DatabaseConnect(), Database::Access::ReadOnly);
        const QStringList tables = DataTableNames(program);
        // Restore takes the file whole: what the program does not have would
        // stay in the database, and later back-ups would carry it.
        if (const QString foreign = ForeignTable(program, *db); !foreign.isEmpty())
            return foreign;
        for (const QString& table : tables) {
            // A table or field the program reads and the file lacks would
            // fail later, in the window that reads it.
            if (!db->tableExists(table))
                return QStringLiteral("It lacks the table %1.").arg(table);
            const auto named = [](const std::vector<FieldInfo>& in, const QString& name) {
                return std::find_if(in.begin(), in.end(), [&name](const FieldInfo& f) {
                    return f.name.compare(name, Qt::CaseInsensitive) == 0;
                });
            };
            // The back-up's columns, in the order "select *" gives them, each
            // against the program's own field of that name.
            std::vector<int> columns;
            std::vector<FieldInfo> fields;
            const std::vector<FieldInfo>& theirs = db->tableFields(table);
            const std::vector<FieldInfo>& own = program.tableFields(table);
            for (const FieldInfo& f : own) {
                const auto match = named(theirs, f.name);
                if (match == theirs.end())
                    return QStringLiteral("Its %1.%2 is missing.").arg(table, f.name);
                columns.push_back(int(match - theirs.begin()));
                fields.push_back(f);
            }
            for (const FieldInfo& f : theirs)
                if (named(own, f.name) == own.end())
                    return QStringLiteral("Its %1.%2 is not a field of Velloran for Hockey.").arg(table, f.name);
            // Read row by row: a large back-up is never held whole.
            db->forEachRow(QStringLiteral("select * from [%1]").arg(table), {}, [&](const RowView& row) {
                try {
                    refuseMisfit(
                        table, fields, [&](size_t i) { return row.value(columns[i], fields[i].type); },
                        [](const QString& what) { return QLatin1Char('I') + what.mid(1) + QLatin1Char('.'); });
                } catch (const RuntimeError& e) {
                    misfit = e.description();
                    throw;
                }
            });
        }
    } catch (const RuntimeError& e) {
        // The engine's own texts name the copy, not the user's file.
        return misfit.isEmpty() ? ReadingFailure(e, QFileInfo(path).absolutePath()) : misfit;
    }
    return {};
}

QString StartupProblem(const QString& path)
{
    std::unique_ptr<Database> db;
    try {
        // Restore only reads its source, which may sit on read-only media.
        db = Database::open(path, DatabaseConnect(), Database::Access::ReadOnly);
    } catch (const RuntimeError& e) {
        return ReadingFailure(e, QFileInfo(path).absolutePath());
    }
    QString problem;
    const LoadStepRunner run = [&](const QString& what, const std::function<void()>& step) {
        if (!problem.isEmpty())
            return;
        try {
            step();
        } catch (...) {
            // Said of what the user keeps in the file, not of the engine.
            switch (describeException(std::current_exception()).number()) {
            case Err::InvalidUseOfNull:
                problem = QStringLiteral("Its %1 cannot be read: a value Velloran for Hockey needs there is empty.");
                break;
            case Err::Overflow:
            case Err::SubscriptOutOfRange:
                problem = QStringLiteral("Its %1 cannot be read: a number there is out of range.");
                break;
            default:
                problem = QStringLiteral("Its %1 cannot be read.");
            }
            problem = problem.arg(what);
        }
    };
    run(QStringLiteral("start counter"), [&] { ReadCompactCounter(*db); });
    Globals state;
    LoadDatabaseState(*db, state, false, run);
    run(QStringLiteral("teams and team filters"), [&] {
        int16_t next = 0;
        TeamsInFilter(*db, 0, next);
        for (const FilterRow& filter : ReadFilters(*db))
            FilterMembers(*db, filter.number);
    });
    return problem;
}

}  // namespace vh
