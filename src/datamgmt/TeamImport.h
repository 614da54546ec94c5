#pragma once
// Team import: merges the teams of a team transfer file into the main
// database. Game types are matched by name and added when missing, category
// names offered for change, teams of the same long name replaced after a
// question, people matched by first and last name; games and statistics come
// in under each team's new number.

#include "datamgmt/BackupCore.h"
#include "platform/RuntimeError.h"
#include "platform/db/Database.h"
#include "shell/Renumber.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace vh {

// What the import asks and tells the user; the window answers with message
// boxes, tests from a script.
class ImportQuestions {
public:
    virtual ~ImportQuestions() = default;
    // A team of the file has the long name of a stored team: replace it?
    virtual bool replaceTeam(const QString& longName) = 0;
    // Take a category name of the file? `currentName` is held in three
    // characters, as the program holds it.
    virtual bool changeCategory(bool goalie, const QString& newName, const QString& currentName) = 0;
    virtual void gameTypeAdded(const QString& description) = 0;
    virtual void importing(const QString& longName) = 0;
};

enum class TransferFileCheck {
    Ok,
    CannotRead,    // could not be copied into the data folder to be read (ReadingCopy)
    CannotOpen,    // damaged (DamageOf), another password or no database at all (ReadingFailure)
    NotTransfer,   // opens, but lacks tables or fields of a transfer file
    WrongVersion,  // "Import database version not 2.x."
    Foreign,       // holds code that runs inside the database (StoredCode)
};
struct OpenedTransferFile {
    TransferFileCheck status = TransferFileCheck::Ok;
    QString detail;
    std::unique_ptr<ReadingCopy> copy;  // what `db` reads; declared first, so it goes last
    std::unique_ptr<Database> db;       // open only when the status is Ok
};
// Opens the transfer file at `path` as a ReadingCopy in `dataFolder`, so
// that the changes its side files hold come in with it and its indexes list
// its tables' rows; the details say why in sentences about the user's file.
// The version is read as soon as its table and field are there, before the
// other tables and fields are looked for.
OpenedTransferFile OpenTransferFile(const QString& path, const QString& dataFolder);

struct ImportResult {
    int teamsImported = 0;
    int16_t nextTeamNumber = 0;
    bool gameTypesAdded = false;
    bool categoryNamesChanged = false;
    // Set when the import stopped while writing: nothing of `failedTeam` is
    // in the database, the teams before it are, and so are the game types
    // and category names the flags above report. `failedTeam` is empty when
    // it stopped before any team (its game types or category names).
    std::optional<RuntimeError> failure;
    QString failedTeam;
    // Set when that team stopped because no team or person number was left.
    std::optional<KeyKind> numberRanOut;
};

// Imports every team of `file` into `main`. New teams take numbers from
// `nextTeamNumber` on (raised above any stored team number). Each team, with
// the delete of the team it replaces, is written in one transaction. A file
// whose teams cannot come in whole (CheckTransferValues, held to the
// program's own tables in `program`, OpenProgramTables), or one whose new
// game types or first team find no number left, is refused with an
// ImportRefused before anything is written or asked. Tables and fields that
// no transfer file carries are left out.
ImportResult ImportTeams(Database& main, Database& file, Database& program, int16_t nextTeamNumber,
                         ImportQuestions& ask);


}  // namespace vh
