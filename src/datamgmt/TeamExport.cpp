#include "datamgmt/TeamExport.h"

#include "datamgmt/BackupCore.h"
#include "datamgmt/TransferTables.h"
#include "platform/Folders.h"
#include "shell/Startup.h"

#include <QFileInfo>

namespace vh {

using namespace transfer;

ExportNameCheck CheckExportName(const QString& folder, const QString& name, const QString& dataFolder)
{
    if (name.isEmpty())
        return ExportNameCheck::Empty;
    if (!name.toUpper().endsWith(QLatin1String(".MDB")))
        return ExportNameCheck::NoMdbEnding;
    if (name.toUpper() == MainDatabaseFileName.toUpper())
        return ExportNameCheck::MainDatabaseName;
    const QString target = WithTrailingSlash(folder) + name;
    const QString data = WithTrailingSlash(dataFolder);
    for (const QString& own : {MainDatabaseFileName, ExportShellFileName, ExportTemporaryFileName}) {
        if (SamePath(target, data + own))
            return ExportNameCheck::ProgramFile;
        // The program names its files without regard to letter case.
        if (SamePath(folder, dataFolder) && name.compare(own, Qt::CaseInsensitive) == 0)
            return ExportNameCheck::ProgramFile;
    }
    return ExportNameCheck::Ok;
}

namespace {

bool hasPerson(Database& db, const QVariant& person)
{
    return db.scalar(QStringLiteral("select count(*) from People where PersonNumber = ?"), {person}).toInt() > 0;
}

void copyPerson(Database& source, Database& target, const QVariant& person)
{
    if (person.isNull() || hasPerson(target, person))
        return;
    copyRows(source, QStringLiteral("select * from People where PersonNumber = ? order by rowid limit 1"), {person},
             target, QStringLiteral("People"), peopleFields());
}

void exportTeam(Database& source, Database& target, int16_t team)
{
    const QVariantList key{int(team)};
    copyRows(source, QStringLiteral("select * from Teams where TeamNumber = ?"), key, target, QStringLiteral("Teams"),
             teamFields());
    Recordset roster = source.openRecordset(QStringLiteral("select * from Roster where TeamNumber = ?"), key);
    for (; !roster.eof(); roster.moveNext())
        copyPerson(source, target, roster.value(QStringLiteral("PersonNumber")));
    roster.close();
    copyRows(source, QStringLiteral("select * from Roster where TeamNumber = ?"), key, target, QStringLiteral("Roster"),
             rosterFields());
    copyRows(source, QStringLiteral("select * from GameStats where TeamNumber = ?"), key, target,
             QStringLiteral("GameStats"), gameFields());
    copyRows(source, QStringLiteral("select * from PlayerStats where TeamNumber = ?"), key, target,
             QStringLiteral("PlayerStats"), playerStatFields());
    copyRows(source, QStringLiteral("select * from GoalieStats where TeamNumber = ?"), key, target,
             QStringLiteral("GoalieStats"), goalieStatFields());
    // Statistics of people no longer on the roster keep their person, so that
    // an import can still tell whose they are.
    Recordset played = source.openRecordset(
        QStringLiteral("select PlayerNumber from PlayerStats where TeamNumber = ? union "
                       "select PlayerNumber from GoalieStats where TeamNumber = ?"),
        {int(team), int(team)});
    for (; !played.eof(); played.moveNext())
        copyPerson(source, target, played.value(QStringLiteral("PlayerNumber")));
    played.close();
}

}  // namespace

int ExportTeams(Database& source, Database& target, const std::vector<ExportTeam>& teams,
                const ExportProgress& progress)
{
    Transaction t(target);
    copyRows(source, QStringLiteral("select * from ProgramVersion order by rowid limit 1"), {}, target,
             QStringLiteral("ProgramVersion"), programVersionFields());
    copyRows(source, QStringLiteral("GameTypes"), {}, target, QStringLiteral("GameTypes"), gameTypeFields());
    copyRows(source, QStringLiteral("NameYourOwnCats"), {}, target, QStringLiteral("NameYourOwnCats"),
             categoryNameFields());
    int count = 0;
    for (const ExportTeam& team : teams) {
        if (progress)
            progress(team.name.trimmed());
        ++count;
        exportTeam(source, target, team.number);
    }
    t.commit();
    return count;
}

int ExportTeamFile(Database& source, const QString& dataFolder, const QString& targetPath,
                   const std::vector<ExportTeam>& teams, const ExportProgress& progress)
{
    const QString data = WithTrailingSlash(dataFolder);
    const QString temporary = data + ExportTemporaryFileName;
    // Whatever happens, no filled temporary file (or its journal, which would
    // be played into the next one) is left for a later export; one that a
    // killed export left goes first.
    struct RemoveTemporary {
        QString path;
        ~RemoveTemporary() { removeScratchFile(path); }
    } cleanup{temporary};

    removeScratchFile(temporary);
    // Half copies a killed export left take room this one may need.
    removeScratchFile(copyingName(temporary));
    removeScratchFile(copyingName(targetPath));
    // One cut off in the user's folder is removed at the next start.
    const PartialCopyMark mark(data, targetPath);
    // The file holds the rosters' addresses: it is as private as the database.
    std::optional<QFile::Permissions> mode;
    if (QFileInfo(source.path()).isFile())
        mode = fileMode(source.path());
    copyFileChecked(data + ExportShellFileName, temporary, {}, mode);
    int count = 0;
    {
        std::unique_ptr<Database> file = Database::open(temporary, DatabaseConnect());
        count = ExportTeams(source, *file, teams, progress);
        file->close();
    }
    copyFileChecked(temporary, targetPath, {}, mode);
    return count;
}

}  // namespace vh
