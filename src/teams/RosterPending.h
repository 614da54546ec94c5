#pragma once
// The roster editor's pending table: every person the window knows of for the
// current team, with a status letter telling what Close must write. Loading,
// the status changes of the commands, the checks that refuse taking a person
// off a roster or out of the database, and the writes live here, apart from
// the window.
//
// Status letters:
//   ' '  on the roster when the window opened, unchanged   (writes nothing)
//   'A'  new person entered with Add                       (People and Roster rows added)
//   'C'  a ' ' row whose data was changed                  (People and Roster rows updated)
//   'I'  an existing person put on the roster              (People updated, Roster added or updated)
//   'D'  a ' ' or 'C' row taken off the roster             (Roster row deleted)
//   'X'  an 'A' or 'I' row taken off again                 (writes nothing)
// Rows are never removed while the window is open; a person taken off and put
// on again has an earlier 'D' or 'X' row and a later live one.

#include "platform/db/Database.h"

#include <QChar>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace vh {

// The thirteen person fields, in the order of the window's boxes and its
// Enter ring.
namespace RosterField {
enum : int {
    FirstName,
    LastName,
    UniformNumber,
    BirthDate,
    Address1,
    Address2,
    City,
    State,
    Zip,
    HomePhone,
    WorkPhone,
    EmailAddress,
    Notes,  // the team's Roster.notes, not People.notes
};
constexpr int Count = 13;
// The most characters each field holds.
int width(int field);
}  // namespace RosterField

using RosterFields = std::array<QString, RosterField::Count>;

struct RosterRow {
    int16_t PersonNumber = 0;
    QChar Status = QLatin1Char(' ');
    RosterFields fields;  // each cut to its width; readers trim

    QString field(int f) const;  // trimmed
    bool isLive() const { return Status != QLatin1Char('D') && Status != QLatin1Char('X'); }
};

// Both lists show a person as trimmed first name, a blank, trimmed last name.
QString RosterDisplayName(const QString& firstName, const QString& lastName);

struct RosterListEntry {
    QString text;
    int16_t personNumber = 0;
};

// A refused command: the message and its title.
struct RosterRefusal {
    QString text;
    QString title;
};

class RosterPending {
public:
    int rowCount() const { return int(rows_.size()); }
    // Row i, 1 to rowCount().
    const RosterRow& row(int i) const;
    void clear() { rows_.clear(); }

    // Every person, in table order, for the All Players list.
    static std::vector<RosterListEntry> loadAllPeople(Database& db);
    // The team's roster: one unchanged row per roster row marked as a player
    // whose person exists; returns the roster list's entries.
    std::vector<RosterListEntry> loadRoster(Database& db, int16_t team);

    // A new person from the boxes; returns its row.
    int add(int16_t personNumber, const RosterFields& fields);
    // The boxes' values into an existing row; an unchanged row becomes 'C'.
    void change(int row, const RosterFields& fields);
    // An existing person put on the roster, with his stored data and an empty
    // uniform number and notes; returns its row, 0 when he is not stored.
    int insert(Database& db, int16_t personNumber);
    // Takes the row's person off the roster; returns the status it had.
    QChar remove(int row);

    // The row a roster entry stands for: the person's row not taken off.
    int liveRow(int16_t personNumber) const;

    // Writes every row's change for the team in one transaction: on a failure
    // nothing is written and the error is thrown.
    void write(Database& db, int16_t team) const;

private:
    int append(RosterRow r);
    std::vector<RosterRow> rows_;
};

// Refuses taking a person off the team's roster while he has player or goalie
// statistics in its games; the message lists the first game numbers.
std::optional<RosterRefusal> RosterRemoveRefusal(Database& db, int16_t team, int16_t person, const QString& name);

// Refuses deleting a person from the database while he has statistics in any
// team's games or stands on another team's roster (the current team's roster
// is the window's own list).
std::optional<RosterRefusal> RosterDeletePersonRefusal(Database& db, int16_t currentTeam, int16_t person,
                                                       const QString& name);

// Deletes the person and his remaining Roster rows (rows not marked as a
// player, and the current team's row already taken off) in one transaction.
void RosterDeletePerson(Database& db, int16_t person);

// The stored person's display name, empty when he is not stored.
QString RosterStoredName(Database& db, int16_t person);

}  // namespace vh
