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
#include <set>

namespace vh {

namespace {

enum class Scope { AllRows, CurrentRow, AnyTextLength };

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

// Throws for the first of `fields` that cannot hold its value in one row as
// it is (FieldMismatch), or is empty where it may not be; `valueAt` reads the
// value of the field at an index, `sentence` turns "its Table.Field ..." into
// the whole message.
void refuseMisfit(const QString& table, const std::vector<FieldInfo>& fields,
                  const std::function<QVariant(size_t)>& valueAt,
                  const std::function<QString(const QString&)>& sentence)
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
        if (!why.isEmpty())
            throw RuntimeError(number, sentence(QStringLiteral("its %1.%2 %3").arg(table, f.name, why)));
    }
}

// Every transferred field of `table` in each row of `rows` against the
// program's own field of that name; the first that does not fit refuses the file.
void checkRows(Database& program, const QString& table, Recordset& rows, const QString& owner,
               Scope which = Scope::AllRows)
{
    std::vector<FieldInfo> fields;
    for (FieldInfo f : program.tableFields(table)) {
        if (!transfer::transferTables().at(table).contains(f.name, Qt::CaseInsensitive))
            continue;
        if (which == Scope::AnyTextLength && (f.type == FieldType::Text || f.type == FieldType::Memo))
            f.size = 0;
        fields.push_back(f);
    }
    const auto sentence = [&owner](const QString& what) {
        return QStringLiteral("%1 cannot be imported: %2. Nothing was imported.").arg(owner, what);
    };
    for (; !rows.eof(); rows.moveNext()) {
        refuseMisfit(table, fields, [&](size_t i) { return rows.value(fields[i].name); }, sentence);
        if (which == Scope::CurrentRow)
            return;
    }
}

// A team as messages name it; a name too long for its field is shown cut.
QString teamCalled(const QString& longName)
{
    const QString name = longName.trimmed();
    return QStringLiteral("The team \"%1\"").arg(CharCount(name) > 50 ? Left(name, 50) + QStringLiteral("...") : name);
}

}  // namespace

void CheckTransferValues(Database& program, Database& file)
{
    Recordset types = file.openRecordset(QStringLiteral("GameTypes"));
    checkRows(program, QStringLiteral("GameTypes"), types, QStringLiteral("The file's GameTypes"));
    // Import holds category names in three characters itself; their length
    // does not matter.
    Recordset names = file.openRecordset(QStringLiteral("NameYourOwnCats"));
    checkRows(program, QStringLiteral("NameYourOwnCats"), names, QStringLiteral("The file's NameYourOwnCats"),
              Scope::AnyTextLength);
    Recordset teams = file.openRecordset(QStringLiteral("Teams"));
    for (; !teams.eof(); teams.moveNext()) {
        const QString owner = teamCalled(teams.textOr(QStringLiteral("LongTeamName")));
        checkRows(program, QStringLiteral("Teams"), teams, owner, Scope::CurrentRow);
        // The rows import reads for this team: its roster, games and
        // statistics, and the people they name.
        const QVariant key = teams.value(QStringLiteral("TeamNumber"));
        for (const char* table : {"Roster", "GameStats", "PlayerStats", "GoalieStats"}) {
            Recordset rows = file.openRecordset(
                QStringLiteral("select * from %1 where TeamNumber = ?").arg(QLatin1String(table)), {key});
            checkRows(program, QLatin1String(table), rows, owner);
        }
        Recordset people = file.openRecordset(
            QStringLiteral("select * from People where PersonNumber in (select PersonNumber from Roster where "
                           "TeamNumber = ?) or PersonNumber in (select PlayerNumber from PlayerStats where TeamNumber "
                           "= ?) or PersonNumber in (select PlayerNumber from GoalieStats where TeamNumber = ?)"),
            {key, key, key});
        checkRows(program, QStringLiteral("People"), people, owner);
    }
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
