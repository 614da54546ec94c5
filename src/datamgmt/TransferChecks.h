#pragma once
// Another program database looked at before anything of it reaches the
// user's: a team transfer file before import, a back-up before restore.

#include "platform/RuntimeError.h"
#include "platform/db/Database.h"
#include "shell/Renumber.h"

#include <QString>
#include <optional>

namespace vh {

// A transfer file refused whole, before anything of it is written or asked:
// the description says what is wrong with it in a sentence about the file
// ("Its PlayerStats.TeamNumber is empty in one row."), so that the window
// can tell it from a failure while writing.
class ImportRefused : public RuntimeError {
public:
    explicit ImportRefused(const QString& why, std::optional<KeyKind> noNumberFor = {})
        : RuntimeError(noNumberFor ? Err::Overflow : Err::DataConversion, why), noNumberFor_(noNumberFor) {}
    // Set when the file is refused because the database has no number left
    // for what it would add, not for what the file holds.
    std::optional<KeyKind> noNumberFor() const { return noNumberFor_; }

private:
    std::optional<KeyKind> noNumberFor_;
};

// Refuses a transfer file (ImportRefused) unless each of its teams can come
// in whole, and import reads exactly the rows checked: no value of any row of
// its tables that the program's own field could not hold as it is
// (FieldMismatch), or none where the program needs one (a key, a number a
// window reads, a game type's name); no key that is not stored as a whole
// number, no person 0 in People or on a roster; no team, person, game type or
// game of a team twice; every roster, game and statistics row of a team the
// file holds; every roster row naming a person the file holds; every
// statistics row naming a game of its team in the file. A statistics row's
// person the file lacks is nobody to import (person 0), as export leaves out
// the people of no roster. `program` holds the program's own tables
// (OpenProgramTables). Nothing has been written. The file is read row by row.
void CheckTransferValues(Database& program, Database& file);

// Why the database file at `path` may not replace the user's, held to the
// program's own tables in `program` (OpenProgramTables), as a sentence: a
// table or field of the program that the file lacks, one the program does not
// have, or the first value that the program's field of that name could not
// hold as it is (FieldMismatch) or that is empty where the program needs one.
// Empty when all fit. The file is only read.
QString BackupValueProblem(Database& program, const QString& path);

// Why the program could not start on the database file at `path`, as a
// sentence naming what could not be read, in a user's words: start-up's
// loading and the team list's reading run on it, writing nothing. Empty when
// it can.
QString StartupProblem(const QString& path);

}  // namespace vh
