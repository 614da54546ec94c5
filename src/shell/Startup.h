#pragma once
// Bringing the program up and taking it down.

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

namespace vh {

class Database;
struct Globals;

// The connect string of the program's databases, built when needed.
QString DatabaseConnect();
// Opens murqn.mdb of the data folder as the database, in the database object
// already there when there is one; a damaged file is refused.
void OpenMainDatabase();
// Writes the options back and closes the database, before the file is copied
// or sent; the database is closed even when the options could not be written
// (that error is thrown afterwards).
void CloseMainDatabase();

// Finds the folders, claims the data folder (one copy of the program at a
// time), makes sure the database exists, compacts it every eighth start, opens
// it and loads the project-wide state; a database that cannot be used is
// explained in one message and the program ends. The database must be closed
// when it is called.
void Setup();
// Rebuilds the game-type table (entry 1 "No Game Type", then the GameTypes
// rows in table order).
void LoadGameTypes();
void LoadGameTypes(Database& db, Globals& state);
// The options of the NumberOptions rows numbered 1 to 19.
void LoadOptions(Database& db, Globals& state);
// The start counter: the first CompactCount row's CompactCounter; nothing
// when the table has no row.
std::optional<int16_t> ReadCompactCounter(Database& db);

// Runs one loading step; `what` names what the step reads ("game types").
using LoadStepRunner = std::function<void(const QString& what, const std::function<void()>& step)>;
// What start-up loads from `db` into `state`, step by step in its order: the
// options, the user-named categories, the game types, the input orders with
// the abbreviation tables and the current report formats. With
// `writeDefaults` the missing default rows are written, and a report choice
// that names no format is moved to the first one. Restore runs the same steps
// on a file before it lets it replace the database, so that what start-up
// cannot read never gets in.
void LoadDatabaseState(Database& db, Globals& state, bool writeDefaults, const LoadStepRunner& run);
// Compacts the closed database: the live file takes a compacted copy that
// opened (with `startCounter` as its start counter, when given), the previous
// murqn.bak becomes murqn.bak2 and the new copy murqn.bak. Cut off at any
// step, the live file is whole and the older copy kept; the next start
// finishes or repeats the compaction.
void CompactMainDatabase(std::optional<int16_t> startCounter = std::nullopt);
// Test seam: called after each step of a compaction (1 the copy is whole, 2 the
// live file holds it, 3 the older copy is murqn.bak2, 4 the new one murqn.bak).
void setCompactionStepHook(std::function<void(int step)> hook);
// Empties the seven report work tables.
void ClearReportTables();
// Claims the data folder for this copy of the program. False, after saying so
// once, when the folder cannot be written or another copy runs on it (a second
// copy could compact the database under the first). A lock that a copy which
// ended without letting go left behind does not count, and taking it needs no
// room on the disk.
bool ClaimDataFolder(const QString& folder);
// Lets go of the data folder that Setup claimed for this copy of the program
// (another copy may start on it afterwards).
void ReleaseDataFolder();
// A copy written into a folder the user chose (a back-up, an export) is named
// in a marker in the data folder while it is written, so that a start after
// a cut-off run removes its partial copy (copyingName) there as well, with
// that copy's side files, and nothing else of that folder. The marker names
// one copy at a time.
void MarkPartialCopy(const QString& dataFolder, const QString& target);
// The partial copy the data folder's marker names, when it holds a name the
// program wrote: an absolute path ending in the partial copies' ending.
std::optional<QString> MarkedPartialCopy(const QString& dataFolder);
// Marks the copy of `target` while it lives; the marker goes with it.
class PartialCopyMark {
public:
    PartialCopyMark(const QString& dataFolder, const QString& target);
    ~PartialCopyMark();
    PartialCopyMark(const PartialCopyMark&) = delete;
    PartialCopyMark& operator=(const PartialCopyMark&) = delete;

private:
    QString dataFolder_;
};
// Writes the options back, closes the database and ends the program.
void SaveOptionsAndCloseDatabase();
// Writes the options back in one transaction (rows missing for an option are
// added); nothing when the options were never loaded in full.
void SaveOptions();

// The report work tables, one procedure each.
void ClearRptPlayer();
void ClearRptGoalie();
void ClearRptRecord();
void ClearRptScores();
void ClearRptTeamScores();
void ClearRptStandings();
void ClearRptRoster();

}  // namespace vh
