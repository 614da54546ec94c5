#include "datamgmt/TransferChecks.h"

#include "datamgmt/TransferTables.h"
#include "platform/Runtime.h"
#include "platform/basic/Basic.h"
#include "shell/Globals.h"
#include "shell/Startup.h"
#include "teams/TeamStore.h"

#include <algorithm>

namespace vh {

namespace {

enum class Scope { AllRows, CurrentRow, AnyTextLength };

// Throws for the first of `fields` that cannot hold its value in one row as
// it is (FieldMismatch); `valueAt` reads the value of the field at an index,
// `sentence` turns "its Table.Field ..." into the whole message.
void refuseMisfit(const QString& table, const std::vector<FieldInfo>& fields,
                  const std::function<QVariant(size_t)>& valueAt,
                  const std::function<QString(const QString&)>& sentence)
{
    for (size_t i = 0; i < fields.size(); ++i) {
        const FieldInfo& f = fields[i];
        const QVariant value = valueAt(i);
        const QString why = FieldMismatch(f, value);
        if (why.isEmpty())
            continue;
        const bool tooLong =
            (f.type == FieldType::Text || f.type == FieldType::Memo) && value.typeId() != QMetaType::QByteArray;
        throw RuntimeError(tooLong ? Err::FieldTooSmall : Err::DataConversion,
                           sentence(QStringLiteral("its %1.%2 %3").arg(table, f.name, why)));
    }
}

// Every transferred field of `table` in each row of `rows` against the main
// database's field of that name; the first that does not fit refuses the file.
void checkRows(Database& main, const QString& table, Recordset& rows, const QString& owner, Scope which = Scope::AllRows)
{
    std::vector<FieldInfo> fields;
    for (FieldInfo f : main.tableFields(table)) {
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

void CheckTransferValues(Database& main, Database& file)
{
    Recordset types = file.openRecordset(QStringLiteral("GameTypes"));
    checkRows(main, QStringLiteral("GameTypes"), types, QStringLiteral("The file's GameTypes"));
    // Import holds category names in three characters itself; their length
    // does not matter.
    Recordset names = file.openRecordset(QStringLiteral("NameYourOwnCats"));
    checkRows(main, QStringLiteral("NameYourOwnCats"), names, QStringLiteral("The file's NameYourOwnCats"),
              Scope::AnyTextLength);
    Recordset teams = file.openRecordset(QStringLiteral("Teams"));
    for (; !teams.eof(); teams.moveNext()) {
        const QString owner = teamCalled(teams.textOr(QStringLiteral("LongTeamName")));
        checkRows(main, QStringLiteral("Teams"), teams, owner, Scope::CurrentRow);
        // The rows import reads for this team: its roster, games and
        // statistics, and the people they name.
        const QVariant key = teams.value(QStringLiteral("TeamNumber"));
        for (const char* table : {"Roster", "GameStats", "PlayerStats", "GoalieStats"}) {
            Recordset rows = file.openRecordset(
                QStringLiteral("select * from %1 where TeamNumber = ?").arg(QLatin1String(table)), {key});
            checkRows(main, QLatin1String(table), rows, owner);
        }
        Recordset people = file.openRecordset(
            QStringLiteral("select * from People where PersonNumber in (select PersonNumber from Roster where "
                           "TeamNumber = ?) or PersonNumber in (select PlayerNumber from PlayerStats where TeamNumber "
                           "= ?) or PersonNumber in (select PlayerNumber from GoalieStats where TeamNumber = ?)"),
            {key, key, key});
        checkRows(main, QStringLiteral("People"), people, owner);
    }
}

QString BackupValueProblem(Database& main, const QString& path)
{
    try {
        const std::unique_ptr<Database> db = Database::open(path, DatabaseConnect(), Database::Access::ReadOnly);
        QStringList tables;
        main.forEachRow(QStringLiteral("select name from sqlite_master where type = 'table' and name not like "
                                       "'sqlite\\_%' escape '\\' and name <> '_DbInfo' order by name"),
                        {}, [&](const RowView& row) { tables << row.text(0); });
        for (const QString& table : tables) {
            // A table or field the program reads and the file lacks would
            // fail later, in the window that reads it.
            if (!db->tableExists(table))
                return QStringLiteral("It lacks the table %1.").arg(table);
            // The back-up's columns, in the order "select *" gives them, each
            // against the program's own field of that name.
            std::vector<int> columns;
            std::vector<FieldInfo> fields;
            const std::vector<FieldInfo>& theirs = db->tableFields(table);
            for (const FieldInfo& own : main.tableFields(table)) {
                const auto match = std::find_if(theirs.begin(), theirs.end(), [&own](const FieldInfo& f) {
                    return f.name.compare(own.name, Qt::CaseInsensitive) == 0;
                });
                if (match == theirs.end())
                    return QStringLiteral("Its %1.%2 is missing.").arg(table, own.name);
                columns.push_back(int(match - theirs.begin()));
                fields.push_back(own);
            }
            // Read row by row: a large back-up is never held whole.
            db->forEachRow(QStringLiteral("select * from [%1]").arg(table), {}, [&](const RowView& row) {
                refuseMisfit(
                    table, fields, [&](size_t i) { return row.value(columns[i], fields[i].type); },
                    [](const QString& what) { return QLatin1Char('I') + what.mid(1) + QLatin1Char('.'); });
            });
        }
    } catch (const RuntimeError& e) {
        return e.description();
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
        return e.description();
    }
    QString problem;
    const LoadStepRunner run = [&](const QString& what, const std::function<void()>& step) {
        if (!problem.isEmpty())
            return;
        try {
            step();
        } catch (...) {
            const RuntimeError e = describeException(std::current_exception());
            problem = QStringLiteral("Its %1 cannot be read (Error %2: %3).")
                          .arg(what, QString::number(e.number()), e.description());
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
