#include "teams/TeamStore.h"

#include "platform/basic/Basic.h"
#include "shell/Globals.h"
#include "shell/NameOrder.h"
#include "shell/Renumber.h"

#include <algorithm>

namespace vh {

std::vector<TeamRow> ReadTeams(Database& db)
{
    std::vector<TeamRow> teams;
    Recordset rs = db.openRecordset(QStringLiteral("Teams"));
    for (; !rs.eof(); rs.moveNext())
        teams.push_back({rs.getInt(QStringLiteral("TeamNumber")), rs.textOr(QStringLiteral("LongTeamName")),
                         rs.textOr(QStringLiteral("ShortTeamName"))});
    return teams;
}

std::vector<FilterRow> ReadFilters(Database& db)
{
    std::vector<FilterRow> filters;
    Recordset rs = db.openRecordset(QStringLiteral("Filters"));
    for (; !rs.eof(); rs.moveNext())
        filters.push_back({rs.getInt(QStringLiteral("FilterNumber")), rs.textOr(QStringLiteral("FilterName"))});
    return filters;
}

std::set<int16_t> FilterMembers(Database& db, int16_t filterNumber)
{
    std::set<int16_t> members;
    Recordset rs = db.openRecordset(QStringLiteral("select TeamNumber from TeamFilters where FilterNumber = ?"),
                                    {int(filterNumber)});
    for (; !rs.eof(); rs.moveNext())
        if (!rs.isNull(QStringLiteral("TeamNumber")))
            members.insert(rs.getInt(QStringLiteral("TeamNumber")));
    return members;
}

void RaiseNextNumber(int16_t& next, int16_t seen)
{
    // The largest number a key can hold has no successor; leave it there
    // rather than wrap round to a negative key.
    const int candidate = std::min(int(seen) + 1, LargestKey);
    if (candidate > next)
        next = int16_t(candidate);
}

std::optional<int16_t> NewTeamNumber(Database& db, int next)
{
    return NextNumberFromMax(db, QStringLiteral("select max([TeamNumber]) as [result] from Teams"), {}, next);
}

std::optional<int16_t> NewFilterNumber(Database& db, int next)
{
    return NextNumberFromMax(db, QStringLiteral("select max([FilterNumber]) as [result] from Filters"), {}, next);
}

std::vector<TeamRow> TeamsInFilter(Database& db, int16_t filterNumber, int16_t& nextTeamNumber)
{
    std::set<int16_t> members;
    if (filterNumber != 0)
        members = FilterMembers(db, filterNumber);
    std::vector<TeamRow> listed;
    for (TeamRow& team : ReadTeams(db)) {
        RaiseNextNumber(nextTeamNumber, team.number);
        if (filterNumber == 0 || members.count(team.number))
            listed.push_back(std::move(team));
    }
    if (nextTeamNumber == 0)
        nextTeamNumber = 1;
    return listed;
}

void BuildTeamTable(const std::vector<TeamRow>& listed)
{
    const int n = int(listed.size());
    g.NumTeams = int16_t(n);
    g.TeamNumbers.redim(n);
    g.LongTeamNames.redim(n);
    g.ShortTeamNames.redim(n);
    g.TeamSelected.redim(n, False);
    for (int k = 1; k <= n; ++k) {
        const TeamRow& team = listed[size_t(k - 1)];
        g.TeamNumbers[k] = team.number;
        g.LongTeamNames[k] = team.longName;
        g.ShortTeamNames[k] = team.shortName;
    }
}

void SortByName(std::vector<TeamRow>& teams)
{
    std::stable_sort(teams.begin(), teams.end(), [](const TeamRow& a, const TeamRow& b) {
        return CompareNames(a.longName, b.longName) < 0;
    });
}

QString TeamsSelectedText(int count)
{
    if (count == 1)
        return QStringLiteral("1 Team Selected");
    return NumText(count) + QStringLiteral(" Teams Selected");
}

// ---------------------------------------------------------------- teams

namespace {

Recordset teamRows(Database& db, int16_t teamNumber)
{
    return db.openRecordset(QStringLiteral("select * from Teams where TeamNumber = ?"), {int(teamNumber)});
}

void writeTeamFields(Recordset& rs, const TeamDetails& d)
{
    rs.setValue(QStringLiteral("LongTeamName"), d.longName);
    rs.setValue(QStringLiteral("ShortTeamName"), d.shortName);
    rs.setValue(QStringLiteral("ContactPerson"), d.contactPerson);
    rs.setValue(QStringLiteral("PhoneNumber"), d.phoneNumber);
    rs.setValue(QStringLiteral("Email"), d.email);
    rs.setValue(QStringLiteral("notes"), d.notes);
}

}  // namespace

std::optional<TeamDetails> ReadTeamDetails(Database& db, int16_t teamNumber)
{
    Recordset rs = teamRows(db, teamNumber);
    if (rs.eof())
        return std::nullopt;
    TeamDetails d;
    d.longName = rs.textOr(QStringLiteral("LongTeamName"));
    d.shortName = rs.textOr(QStringLiteral("ShortTeamName"));
    d.contactPerson = rs.textOr(QStringLiteral("ContactPerson"));
    d.phoneNumber = rs.textOr(QStringLiteral("PhoneNumber"));
    d.email = rs.textOr(QStringLiteral("Email"));
    d.notes = rs.textOr(QStringLiteral("notes"));
    return d;
}

bool PrepareTeamDetails(TeamDetails& d)
{
    d.longName = Trim(d.longName);
    d.shortName = Trim(d.shortName);
    d.contactPerson = Trim(d.contactPerson);
    d.phoneNumber = Trim(d.phoneNumber);
    d.email = Trim(d.email);
    d.notes = Trim(d.notes);
    if (d.longName.isEmpty())
        return false;
    // Cutting may leave a blank at the end, which no stored text carries.
    if (d.shortName.isEmpty())
        d.shortName = RTrim(Left(d.longName, 20));
    return true;
}

void AddTeam(Database& db, int16_t teamNumber, const TeamDetails& details)
{
    Recordset rs = db.openRecordset(QStringLiteral("Teams"));
    rs.addNew();
    rs.setValue(QStringLiteral("TeamNumber"), teamNumber);
    writeTeamFields(rs, details);
    rs.update();
}

bool ChangeTeam(Database& db, int16_t teamNumber, const TeamDetails& details)
{
    Recordset rs = teamRows(db, teamNumber);
    if (rs.eof())
        return false;
    rs.edit();
    writeTeamFields(rs, details);
    rs.update();
    return true;
}

void DeleteTeam(Database& db, int16_t teamNumber)
{
    Transaction trans(db);
    Recordset rs = teamRows(db, teamNumber);
    if (!rs.eof())
        rs.deleteRow();
    for (const char* table : {"TeamFilters", "Roster", "GameStats", "PlayerStats", "GoalieStats"})
        db.execute(QStringLiteral("delete from %1 where TeamNumber = ?").arg(QLatin1String(table)), {int(teamNumber)});
    trans.commit();
}

// ---------------------------------------------------------------- filters

namespace {

Recordset filterRows(Database& db, int16_t filterNumber)
{
    return db.openRecordset(QStringLiteral("select * from Filters where filternumber = ?"), {int(filterNumber)});
}

void removeMembers(Database& db, int16_t filterNumber)
{
    db.execute(QStringLiteral("delete from TeamFilters where FilterNumber = ?"), {int(filterNumber)});
}

void writeMembers(Database& db, int16_t filterNumber, const std::vector<int16_t>& members)
{
    Statement insert = db.prepare(QStringLiteral("insert into TeamFilters (FilterNumber, TeamNumber) values (?, ?)"));
    for (int16_t team : members)
        insert.run({filterNumber, team});
}

}  // namespace

std::optional<QString> ReadFilterName(Database& db, int16_t filterNumber)
{
    Recordset rs = filterRows(db, filterNumber);
    if (rs.eof())
        return std::nullopt;
    return rs.textOr(QStringLiteral("FilterName"));
}

void AddFilter(Database& db, int16_t filterNumber, const QString& name, const std::vector<int16_t>& members)
{
    Transaction trans(db);
    Recordset rs = db.openRecordset(QStringLiteral("Filters"));
    rs.addNew();
    rs.setValue(QStringLiteral("FilterNumber"), filterNumber);
    rs.setValue(QStringLiteral("FilterName"), name);
    rs.update();
    writeMembers(db, filterNumber, members);
    trans.commit();
}

bool ChangeFilter(Database& db, int16_t filterNumber, const QString& name, const std::vector<int16_t>& members)
{
    Transaction trans(db);
    Recordset rs = filterRows(db, filterNumber);
    if (rs.eof())
        return false;
    rs.edit();
    rs.setValue(QStringLiteral("FilterName"), name);
    rs.update();
    removeMembers(db, filterNumber);
    writeMembers(db, filterNumber, members);
    trans.commit();
    return true;
}

void DeleteFilter(Database& db, int16_t filterNumber)
{
    Transaction trans(db);
    Recordset rs = filterRows(db, filterNumber);
    if (!rs.eof())
        rs.deleteRow();
    removeMembers(db, filterNumber);
    trans.commit();
}

}  // namespace vh
