#pragma once
// Another program database looked at before anything of it reaches the
// user's: a team transfer file before import, a back-up before restore.

#include "platform/db/Database.h"

#include <QString>

namespace vh {

// Refuses a transfer file holding a value that the main database's field could
// not hold as it is (FieldMismatch): in its game types, its category names or,
// team by team, any row import reads. The RuntimeError names the team and the
// field; nothing has been written.
void CheckTransferValues(Database& main, Database& file);

// The first value of the database file at `path` that the program's own
// field of that name in `main` could not hold as it is (FieldMismatch), in
// every table and field the two share, as a sentence, or the first table or
// field of `main` that the file lacks; empty when all fit. The file is only
// read.
QString BackupValueProblem(Database& main, const QString& path);

// Why the program could not start on the database file at `path`: start-up's
// loading and the team list's reading run on it, writing nothing. Empty when
// it can.
QString StartupProblem(const QString& path);

}  // namespace vh
