#pragma once
// What the team-selection window and the team and filter editors share: the
// message for a failed read or write, the F1 key, and the ways back to the
// team-selection window.

#include <QString>
#include <exception>

class QWidget;

namespace vh {

class Database;

// Shows `text`, then the error's number and description, with a warning icon.
void ShowTeamDataError(const QString& text, const QString& title, std::exception_ptr error);

// The open main database, or nullptr while none is open (the team windows
// then show empty lists instead of failing).
Database* OpenDatabaseOrNull();

// An editor's Cancel: the team-selection window comes back as it was.
void ShowSelectTeamAgain();
// An editor's finished job: the team-selection window is unloaded and loaded
// again, so that it rebuilds its lists, the team table and the next numbers.
void ReloadSelectTeam();

}  // namespace vh
