#pragma once
// Another program database looked at before anything of it reaches the
// user's: a team transfer file before import, a back-up before restore.

#include "platform/db/Database.h"

#include <QString>

namespace vh {

// Refuses a transfer file holding a value that the program's own field could
// not hold as it is (FieldMismatch), or none where the program needs one (a
// key, a number a window reads): in its game types, its category names or,
// team by team, any row import reads. `program` holds the program's own
// tables (OpenProgramTables). The RuntimeError names the team and the field;
// nothing has been written.
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
