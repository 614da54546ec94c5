#include "teams/RosterPending.h"

#include "platform/basic/Basic.h"

#include <QStringList>

namespace vh {

namespace {

const char* const PeopleFieldNames[RosterField::Count] = {
    "FirstName", "LastName", nullptr,  "BirthDate", "Address1",     "Address2", "City",
    "State",     "Zip",      "HomePhone", "WorkPhone", "EmailAddress", nullptr};

Recordset peopleRow(Database& db, int16_t person)
{
    return db.openRecordset(QStringLiteral("select * from People where PersonNumber = ?"), {int(person)});
}

Recordset rosterRow(Database& db, int16_t team, int16_t person)
{
    return db.openRecordset(QStringLiteral("Select * from Roster where TeamNumber = ? and PersonNumber = ?"),
                            {int(team), int(person)});
}

// A pending row from the current People row and, when given, Roster row.
RosterRow rowFrom(int16_t person, QChar status, const Recordset& people, const Recordset* roster)
{
    RosterRow r;
    r.PersonNumber = person;
    r.Status = status;
    for (int f = 0; f < RosterField::Count; ++f) {
        if (f == RosterField::BirthDate) {
            const QDate d = people.getDate(QStringLiteral("BirthDate"));
            r.fields[f] = d.isValid() ? ShortDate(d) : QString();
        } else if (PeopleFieldNames[f]) {
            r.fields[f] = people.textOr(QLatin1String(PeopleFieldNames[f]));
        } else if (roster) {
            r.fields[f] = roster->textOr(f == RosterField::Notes ? QStringLiteral("notes") : QStringLiteral("UniformNumber"));
        }
        r.fields[f] = Left(r.fields[f], RosterField::width(f));
    }
    return r;
}

// The fields this window edits. Country, FaxNumber and People.notes are only
// given (empty) when the person is new: changing a person keeps them.
void writePeopleFields(Recordset& rs, const RosterRow& r, bool adding)
{
    rs.setValue(QStringLiteral("PersonNumber"), int(r.PersonNumber));
    for (int f : {RosterField::FirstName, RosterField::LastName, RosterField::Address1, RosterField::Address2,
                  RosterField::City, RosterField::State, RosterField::Zip, RosterField::HomePhone,
                  RosterField::WorkPhone, RosterField::EmailAddress})
        rs.setValue(QLatin1String(PeopleFieldNames[f]), r.field(f));
    if (adding) {
        rs.setValue(QStringLiteral("Country"), QString());
        rs.setValue(QStringLiteral("FaxNumber"), QString());
        rs.setValue(QStringLiteral("notes"), QString());
    }
    const QString birth = r.field(RosterField::BirthDate);
    if (birth.isEmpty())
        rs.setNull(QStringLiteral("BirthDate"));
    else
        rs.setValue(QStringLiteral("BirthDate"), birth);
}

void writeRosterFields(Recordset& rs, const RosterRow& r, int16_t team)
{
    rs.setValue(QStringLiteral("TeamNumber"), int(team));
    rs.setValue(QStringLiteral("PersonNumber"), int(r.PersonNumber));
    rs.setValue(QStringLiteral("PlayerIndicator"), int(True));
    rs.setValue(QStringLiteral("UniformNumber"), r.field(RosterField::UniformNumber));
    rs.setValue(QStringLiteral("notes"), r.field(RosterField::Notes));
}

void updatePerson(Database& db, const RosterRow& r)
{
    Recordset people = peopleRow(db, r.PersonNumber);
    if (!people.eof()) {
        people.edit();
        writePeopleFields(people, r, false);
        people.update();
    }
    people.close();
}

void updateStored(Database& db, const RosterRow& r, int16_t team)
{
    updatePerson(db, r);
    Recordset roster = rosterRow(db, team, r.PersonNumber);
    if (!roster.eof()) {
        roster.edit();
        writeRosterFields(roster, r, team);
        roster.update();
    }
    roster.close();
}

void addRoster(Database& db, const RosterRow& r, int16_t team)
{
    Recordset roster = db.openRecordset(QStringLiteral("Roster"));
    roster.addNew();
    writeRosterFields(roster, r, team);
    roster.update();
    roster.close();
}

QString teamName(Database& db, int16_t team)
{
    const QVariant v = db.scalar(QStringLiteral("select LongTeamName from Teams where TeamNumber = ?"), {int(team)});
    const QString name = Trim(v.toString());
    return name.isEmpty() ? QStringLiteral("Team Name Unknown") : name;
}

// The statistics rows of a person, player rows first: the kind word of the
// messages ("player " or "goalie ") and the open rows, empty when he has none.
// `team` 0 looks at every team.
std::pair<QString, Recordset> statsRows(Database& db, int16_t team, int16_t person)
{
    const QString where = team ? QStringLiteral(" where TeamNumber = ? and PlayerNumber = ? Order by GameNumber")
                               : QStringLiteral(" where PlayerNumber = ? Order by GameNumber");
    const QVariantList params = team ? QVariantList{int(team), int(person)} : QVariantList{int(person)};
    Recordset rs = db.openRecordset(QStringLiteral("Select * from PlayerStats") + where, params);
    if (!rs.eof())
        return {QStringLiteral("player "), rs};
    rs.close();
    rs = db.openRecordset(QStringLiteral("Select * from GoalieStats") + where, params);
    if (!rs.eof())
        return {QStringLiteral("goalie "), rs};
    rs.close();
    return {};
}

}  // namespace

int RosterField::width(int field)
{
    static constexpr int widths[Count] = {20, 20, 3, 20, 40, 40, 20, 20, 20, 20, 20, 50, 3000};
    return field >= 0 && field < Count ? widths[field] : 0;
}

QString RosterRow::field(int f) const { return Trim(fields[size_t(f)]); }

QString RosterDisplayName(const QString& firstName, const QString& lastName)
{
    return Trim(firstName) + QLatin1Char(' ') + Trim(lastName);
}

const RosterRow& RosterPending::row(int i) const
{
    if (i < 1 || i > rowCount())
        throw RuntimeError(Err::SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
    return rows_[size_t(i - 1)];
}

int RosterPending::append(RosterRow r)
{
    rows_.push_back(std::move(r));
    return rowCount();
}

std::vector<RosterListEntry> RosterPending::loadAllPeople(Database& db)
{
    std::vector<RosterListEntry> entries;
    Recordset rs = db.openRecordset(QStringLiteral("People"));
    for (; !rs.eof(); rs.moveNext())
        entries.push_back({RosterDisplayName(rs.textOr(QStringLiteral("FirstName")), rs.textOr(QStringLiteral("LastName"))),
                           rs.getInt(QStringLiteral("PersonNumber"))});
    rs.close();
    return entries;
}

std::vector<RosterListEntry> RosterPending::loadRoster(Database& db, int16_t team)
{
    rows_.clear();
    std::vector<RosterListEntry> entries;
    Recordset roster = db.openRecordset(QStringLiteral("select * from roster where teamnumber = ?"), {int(team)});
    for (; !roster.eof(); roster.moveNext()) {
        if (roster.isNull(QStringLiteral("PlayerIndicator")) || !roster.getBool(QStringLiteral("PlayerIndicator")))
            continue;
        const int16_t person = roster.getInt(QStringLiteral("PersonNumber"));
        // Imported data can hold two rows of one person: he is listed once.
        if (liveRow(person) > 0)
            continue;
        Recordset people = peopleRow(db, person);
        if (!people.eof()) {
            const int i = append(rowFrom(person, QLatin1Char(' '), people, &roster));
            entries.push_back({RosterDisplayName(row(i).fields[RosterField::FirstName], row(i).fields[RosterField::LastName]),
                               person});
        }
        people.close();
    }
    roster.close();
    return entries;
}

int RosterPending::add(int16_t personNumber, const RosterFields& fields)
{
    RosterRow r;
    r.PersonNumber = personNumber;
    r.Status = QLatin1Char('A');
    const int i = append(std::move(r));
    change(i, fields);
    return i;
}

void RosterPending::change(int i, const RosterFields& fields)
{
    row(i);  // range check
    RosterRow& r = rows_[size_t(i - 1)];
    if (r.Status == QLatin1Char(' '))
        r.Status = QLatin1Char('C');
    for (int f = 0; f < RosterField::Count; ++f)
        r.fields[size_t(f)] = Left(fields[size_t(f)], RosterField::width(f));
}

int RosterPending::insert(Database& db, int16_t personNumber)
{
    Recordset people = peopleRow(db, personNumber);
    if (people.eof())
        return 0;
    const int i = append(rowFrom(personNumber, QLatin1Char('I'), people, nullptr));
    people.close();
    return i;
}

QChar RosterPending::remove(int i)
{
    row(i);
    RosterRow& r = rows_[size_t(i - 1)];
    const QChar old = r.Status;
    if (old == QLatin1Char('A') || old == QLatin1Char('I'))
        r.Status = QLatin1Char('X');
    else if (old == QLatin1Char(' ') || old == QLatin1Char('C'))
        r.Status = QLatin1Char('D');
    return old;
}

int RosterPending::liveRow(int16_t personNumber) const
{
    for (int i = rowCount(); i >= 1; --i) {
        const RosterRow& r = rows_[size_t(i - 1)];
        if (r.PersonNumber == personNumber && r.isLive())
            return i;
    }
    return 0;
}

void RosterPending::write(Database& db, int16_t team) const
{
    Transaction t(db);
    for (const RosterRow& r : rows_) {
        switch (r.Status.unicode()) {
        case 'A': {
            Recordset people = db.openRecordset(QStringLiteral("People"));
            people.addNew();
            writePeopleFields(people, r, true);
            people.update();
            people.close();
            addRoster(db, r, team);
            break;
        }
        case 'I': {
            Recordset roster = rosterRow(db, team, r.PersonNumber);
            const bool onRoster = !roster.eof();
            roster.close();
            if (onRoster) {
                // For instance a row not marked as a player: it becomes one.
                updateStored(db, r, team);
            } else {
                updatePerson(db, r);
                addRoster(db, r, team);
            }
            break;
        }
        case 'C':
            updateStored(db, r, team);
            break;
        case 'D':
            // Every row of the person on this team, so that none keeps him on it.
            db.execute(QStringLiteral("delete from Roster where TeamNumber = ? and PersonNumber = ?"),
                       {int(team), int(r.PersonNumber)});
            break;
        default:
            break;
        }
    }
    t.commit();
}

std::optional<RosterRefusal> RosterRemoveRefusal(Database& db, int16_t team, int16_t person, const QString& name)
{
    auto [kind, rs] = statsRows(db, team, person);
    if (kind.isEmpty())
        return std::nullopt;
    // The first game and each later one, at most six; a sixth only adds ", ...".
    std::vector<int16_t> games;
    for (; !rs.eof() && games.size() < 6; rs.moveNext()) {
        const int16_t game = rs.getInt(QStringLiteral("GameNumber"));
        if (games.empty() || game > games.back())
            games.push_back(game);
    }
    rs.close();
    games.resize(6, 0);
    QString text = name + QStringLiteral(" has ") + kind + QStringLiteral("stats entered in game(s)") + Str(games[0]);
    for (size_t k = 1; k < 5; ++k) {
        if (games[k] > 0)
            text += QStringLiteral(", ") + Str(games[k]);
    }
    text += games[5] > 0 ? QStringLiteral(", ...") : QStringLiteral(".");
    text += QStringLiteral("  Delete stats first!");
    return RosterRefusal{text, QStringLiteral("Can Not Delete Player")};
}

std::optional<RosterRefusal> RosterDeletePersonRefusal(Database& db, int16_t currentTeam, int16_t person,
                                                       const QString& name)
{
    auto [kind, rs] = statsRows(db, 0, person);
    if (!kind.isEmpty()) {
        const int16_t team = rs.getInt(QStringLiteral("TeamNumber"));
        rs.close();
        return RosterRefusal{name + QStringLiteral(" has ") + kind + QStringLiteral("stats entered for the ") +
                                 teamName(db, team) + QStringLiteral(".  Delete stats first!"),
                             QStringLiteral("Can Not Delete Player")};
    }
    // A later person given the same number would otherwise take this one's
    // place on that roster.
    Recordset roster = db.openRecordset(QStringLiteral("Select * from Roster where PersonNumber = ?"), {int(person)});
    for (; !roster.eof(); roster.moveNext()) {
        const int16_t team = roster.getInt(QStringLiteral("TeamNumber"));
        if (team == currentTeam || roster.isNull(QStringLiteral("PlayerIndicator")) ||
            !roster.getBool(QStringLiteral("PlayerIndicator")))
            continue;
        return RosterRefusal{name + QStringLiteral(" is on the roster of the ") + teamName(db, team) +
                                 QStringLiteral(".  Delete from that roster first!"),
                             QStringLiteral("Delete Player Not Allowed")};
    }
    return std::nullopt;
}

void RosterDeletePerson(Database& db, int16_t person)
{
    Transaction t(db);
    Recordset people = peopleRow(db, person);
    if (!people.eof())
        people.deleteRow();
    people.close();
    db.execute(QStringLiteral("delete from Roster where PersonNumber = ?"), {int(person)});
    t.commit();
}

QString RosterStoredName(Database& db, int16_t person)
{
    Recordset people = peopleRow(db, person);
    const QString name = people.eof() ? QString()
                                      : RosterDisplayName(people.textOr(QStringLiteral("FirstName")),
                                                          people.textOr(QStringLiteral("LastName")));
    people.close();
    return name;
}

}  // namespace vh
