#pragma once
// The roster report's computation: a block of text lines per player on a
// team's roster (name and uniform number, address, phones, e-mail, birth date,
// notes, each by its switch); the lines of work table RptRoster.

#include "platform/db/Database.h"

#include <QString>
#include <QStringList>
#include <cstdint>

namespace vh {

struct RosterInput {
    int16_t team = 0;
    bool showPlayerNumber = true;
    bool showAddress = true;
    bool showPhoneNumbers = true;
    bool showEmail = true;
    bool showBirthDate = true;
    bool showNotes = true;
};

// The report's lines in order: "No Players on Roster" alone when the team has
// no roster row; each player's block ends with an empty line.
QStringList ComputeRoster(Database& db, const RosterInput& input);

// "Notes: " and the notes cut into lines of at most 50 characters, each cut
// after the last blank within the first 50 characters (hard after 50 when
// there is none); a line break in the notes also ends a line, and counts as
// a cut. After 1000 cuts the rest is left out.
QStringList WrapNotes(const QString& notes);

}  // namespace vh
