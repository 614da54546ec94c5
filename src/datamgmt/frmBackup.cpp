#include "datamgmt/frmBackup.h"

#include "datamgmt/BackupCore.h"
#include "datamgmt/TeamExport.h"
#include "datamgmt/TeamImport.h"
#include "datamgmt/TransferChecks.h"
#include "platform/FileLists.h"
#include "platform/Folders.h"
#include "platform/MsgBox.h"
#include "platform/Runtime.h"
#include "shell/Categories.h"
#include "shell/Common.h"
#include "shell/Controls.h"
#include "shell/Globals.h"
#include "shell/Help.h"
#include "shell/MenuState.h"
#include "shell/Procedures.h"
#include "shell/Startup.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace vh {

namespace {

QString errorLines(std::exception_ptr e)
{
    const RuntimeError err = describeException(e);
    return QStringLiteral("\r\rError ") + QString::number(err.number()) + QStringLiteral(": ") + err.description();
}

// The import's questions and notices as message boxes and the progress line.
class WindowQuestions : public ImportQuestions {
public:
    explicit WindowQuestions(QLabel* message) : message_(message) {}
    bool replaceTeam(const QString& longName) override
    {
        return MsgBox(longName + QStringLiteral(" already on database.\r\rDo you want to replace all current team "
                                                "data for the above team?"),
                      g.MsgStyleYesNo, QStringLiteral("Import Teams")) == vbYes;
    }
    bool changeCategory(bool goalie, const QString& newName, const QString& currentName) override
    {
        const QString kind = goalie ? QStringLiteral("goalie") : QStringLiteral("non-goalie");
        return MsgBox(QStringLiteral("Do you want to change the following %1 category?\r\rNew category name: ").arg(kind) +
                          newName + QStringLiteral("\rCurrent category name: ") + currentName + QStringLiteral("\r"),
                      g.MsgStyleYesNo,
                      goalie ? QStringLiteral("Change Name Your Own Goalie Category")
                             : QStringLiteral("Change Name Your Own Non-Goalie Category")) == vbYes;
    }
    void gameTypeAdded(const QString& description) override
    {
        MsgBox(QStringLiteral("Game type has been added: ") + description, g.MsgStyleWarn,
               QStringLiteral("Game Type Added"));
    }
    void importing(const QString& longName) override
    {
        message_->setText(QStringLiteral("Importing ") + longName + QStringLiteral(" ..."));
        message_->repaint();
    }

private:
    QLabel* message_;
};

// What an import that stopped while writing leaves in the database, and why
// it stopped, in a user's words.
QString importFailure(const ImportResult& result)
{
    QString what = result.failedTeam.isEmpty()
                       ? QStringLiteral("The teams could not be imported; none of them was written.")
                       : QStringLiteral("The team ") + result.failedTeam +
                             QStringLiteral(" could not be imported; nothing of it was written. ") +
                             QString::number(result.teamsImported) + QStringLiteral(" team(s) were imported before it.");
    if (result.gameTypesAdded)
        what += QStringLiteral(" The file's new game types were added.");
    if (result.categoryNamesChanged)
        what += QStringLiteral(" The category names you accepted were changed.");
    QString why;
    if (result.failure->number() == Err::DiskFull)
        why = NoRoomOnDisk(g.DataFolder);
    else if (result.numberRanOut)
        why = NoNumberLeftMessage(*result.numberRanOut).text;
    else
        why = QStringLiteral("The file could not be read, or your database could not be written.");
    return what + QStringLiteral("\r\r") + why;
}

// A message about a file that cannot stand in for the database.
void showDatabaseCheck(const QString& path, DatabaseCheckResult check)
{
    if (check.status == DatabaseCheck::WrongVersion)
        MsgBox(path + QStringLiteral(" is not a database of this version of Velloran for Hockey."), g.MsgStyleWarn,
               QStringLiteral("Wrong Database Version"));
    else if (check.status == DatabaseCheck::Foreign)
        MsgBox(path + QStringLiteral(" cannot be restored. ") + check.detail +
                   QStringLiteral("\r\rYour database has not been changed."),
               g.MsgStyleWarn, QStringLiteral("Database Not Valid"));
    else if (check.status == DatabaseCheck::NotMain)
        MsgBox(path + QStringLiteral(" is not a Velloran for Hockey database."), g.MsgStyleWarn,
               QStringLiteral("Database Not Valid"));
    else
        MsgBox(path + QStringLiteral(" can not be opened as a Velloran for Hockey database.\r\r") + check.detail,
               g.MsgStyleWarn, QStringLiteral("Database Not Valid"));
}

// The program's own tables, which every file taken in is held to; says so and
// gives nothing when the shipped empty database cannot be read.
std::unique_ptr<Database> programTablesOrSay()
{
    try {
        return OpenProgramTables(g.DataFolder);
    } catch (const RuntimeError&) {
        MsgBox(QStringLiteral("The empty database that comes with Velloran for Hockey is missing from ") +
                   QDir::toNativeSeparators(QDir::cleanPath(g.DataFolder)) +
                   QStringLiteral(" or damaged. Reinstall Velloran for Hockey!"),
               g.MsgStyleWarn, QStringLiteral("Database Shell Not Found"));
        return nullptr;
    }
}

// A restore that failed while it wrote: the full disk named, anything else
// in one plain sentence. A restore writes into the data folder only; its
// copies there are the program's own, and the engine's text names them.
void showRestoreFailed(std::exception_ptr failure)
{
    const bool full = describeException(failure).number() == Err::DiskFull;
    MsgBox(QStringLiteral("The database could not be restored. Your database has not been changed.") +
               (full ? QStringLiteral("\r\r") + NoRoomOnDisk(g.DataFolder) : QString()),
           g.MsgStyleWarn, QStringLiteral("Restore Failed"));
}

// Reads the back-up at `source`, holds it to the program's own tables and
// values and builds the database it would become, which start-up must then
// be able to load; says why and gives false when it may not replace the
// user's database.
bool prepareRestore(const QString& source, std::optional<ReadingCopy>& reading,
                    std::optional<RestoredDatabase>& restored)
{
    const std::unique_ptr<Database> program = programTablesOrSay();
    if (!program)
        return false;
    try {
        reading.emplace(source, g.DataFolder);
    } catch (...) {
        MsgBox(source + QStringLiteral(" could not be read.\r\r") +
                   describeException(std::current_exception()).description() +
                   QStringLiteral("\r\rYour database has not been changed."),
               g.MsgStyleWarn, QStringLiteral("Restore Failed"));
        return false;
    }
    // Only a sound database of this version may replace the user's.
    if (const DatabaseCheckResult check = CheckMainDatabaseFile(reading->path(), program.get());
        check.status != DatabaseCheck::Ok) {
        showDatabaseCheck(source, check);
        return false;
    }
    // A table, field or value the program's own could not hold is named
    // here; later it would fail in whatever window reads it.
    if (const QString problem = BackupValueProblem(*program, reading->path()); !problem.isEmpty()) {
        showDatabaseCheck(source, {DatabaseCheck::Foreign, problem});
        return false;
    }
    try {
        restored.emplace(reading->path(), g.DataFolder);
    } catch (...) {
        showRestoreFailed(std::current_exception());
        return false;
    }
    // Start-up reads what would be put in place, not how the back-up's file was made.
    const QString problem = StartupProblem(restored->path());
    if (!problem.isEmpty()) {
        MsgBox(source + QStringLiteral(" cannot be restored: Velloran for Hockey could not start with it.\r\r") +
                   problem + QStringLiteral("\r\rYour database has not been changed."),
               g.MsgStyleWarn, QStringLiteral("Database Not Valid"));
        return false;
    }
    return true;
}

}  // namespace

frmBackup::frmBackup() : Form(FormNo::Backup)
{
    setObjectName(QStringLiteral("frmBackup"));
    setWindowTitle(QStringLiteral("Back Up Database"));
    setDesignSize(6720, 4920);

    lblFrom = makeLabel(this, QStringLiteral("lblFrom"), QStringLiteral("Back up Velloran for Hockey Database from:"),
                        240, 120, 6240);
    lblPathDesc = makeLabel(this, QStringLiteral("lblPathDesc"), QString(), 480, 420, 6000);
    txtFileName = makeTextBox(this, QStringLiteral("txtFileName"), 0, 480, 420, 3000, 300);
    txtFileName->setText(QStringLiteral("HockeyTeams.mdb"));
    selectAllOnTabFocus(txtFileName);
    lblDatabase = makeLabel(this, QStringLiteral("lblDatabase"), QStringLiteral("Database File:"), 240, 840, 2880);
    lstDatabase = makeListBox(this, QStringLiteral("lstDatabase"), 240, 1100, 2880, 2500);
    File1 = new FileListBox(this);
    File1->setObjectName(QStringLiteral("File1"));
    File1->setPattern(QStringLiteral("*.mdb"));
    place(File1, 240, 1100, 2880, 2500);
    lblTeamsToExport =
        makeLabel(this, QStringLiteral("lblTeamsToExport"), QStringLiteral("Teams Selected To Export"), 240, 840, 2880);
    for (int i = 0; i < 11; ++i) {
        lblExportTeam[size_t(i)] =
            makeLabel(this, QStringLiteral("lblExportTeam%1").arg(i),
                      i < 10 ? QStringLiteral("Team %1").arg(i + 1) : QStringLiteral("more..."), 360, 1100 + i * 225,
                      2760, 225);
    }
    lblTo = makeLabel(this, QStringLiteral("lblTo"), QStringLiteral("To Drive:"), 3480, 840, 3000);
    Drive1 = new DriveListBox(this);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    place(Drive1, 3480, 1100, 3000, 315);
    showEntriesWhole(Drive1);
    Label1 = makeLabel(this, QStringLiteral("Label1"), QStringLiteral("Directory:"), 3480, 1500, 3000);
    Dir1 = new DirListBox(this);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    place(Dir1, 3480, 1760, 3000, 1840);
    lblMessage = makeLabel(this, QStringLiteral("lblMessage"), QString(), 240, 3780, 6240);
    cmdOK = makeButton(this, QStringLiteral("cmdOK"), QStringLiteral("OK"), 4140, 4260, 1080);
    cmdCancel = makeButton(this, QStringLiteral("cmdCancel"), QStringLiteral("Cancel"), 5400, 4260, 1080);

    ButtonKeys::setDefaultButton(this, cmdOK);
    ButtonKeys::setCancelButton(this, cmdCancel);
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(Drive1, &DriveListBox::driveChanged, this, [this] { Drive1_Change(); });
    connect(Drive1, &DriveListBox::lostFocus, this, [this] { Drive1_LostFocus(); });
    connect(Dir1, &DirListBox::pathChanged, this, [this] { Dir1_Change(); });
    connect(Dir1, &DirListBox::lostFocus, this, [this] { Dir1_LostFocus(); });
    connect(File1, &FileListBox::pathChanged, this, [this] { File1_PathChange(); });
}

void frmBackup::Form_Load()
{
    CenterForm(this);
    mode_ = g.BackupMode;
    applyMode();
    // The default folder is "backup" under the data folder, made when missing.
    const QString backup = g.DataFolder + QStringLiteral("backup");
    QDir().mkpath(backup);
    Drive1->setDriveOf(g.DataFolder);
    if (!Dir1->setPath(backup))
        Dir1->setPath(g.DataFolder);
    Dir1_Change();
    if (mode_ == QLatin1String("E"))
        txtFileName->setFocus();
    else
        Dir1->setFocus();
}

void frmBackup::applyMode()
{
    int topic = HelpTopic::BackUp;
    auto hideExportTeams = [this] {
        for (QLabel* l : lblExportTeam)
            l->hide();
    };
    if (mode_ == QLatin1String("B")) {
        txtFileName->hide();
        lblTeamsToExport->hide();
        File1->hide();
        hideExportTeams();
        lblPathDesc->setText(g.DataFolder + MainDatabaseFileName);
        lstDatabase->addItem(MainDatabaseFileName);
        lstDatabase->setCurrentRow(0);
    } else if (mode_ == QLatin1String("R")) {
        setWindowTitle(QStringLiteral("Restore Database"));
        topic = HelpTopic::Restore;
        txtFileName->hide();
        lblTeamsToExport->hide();
        lstDatabase->hide();
        hideExportTeams();
        lblFrom->setText(QStringLiteral("Restore Velloran for Hockey Database to:"));
        lblTo->setText(QStringLiteral("From Drive:"));
        lblPathDesc->setText(g.DataFolder);
        File1->setPattern(MainDatabaseFileName);
    } else if (mode_ == QLatin1String("E")) {
        setWindowTitle(QStringLiteral("Export Teams"));
        topic = HelpTopic::ExportTeams;
        File1->hide();
        lstDatabase->hide();
        lblDatabase->hide();
        lblPathDesc->hide();
        lblFrom->setText(QStringLiteral("Export the selected teams to the following database:"));
        int selected = 0;
        for (QLabel* l : lblExportTeam)
            l->clear();
        for (int i = 1; i <= g.NumTeams; ++i) {
            if (g.TeamSelected[i] != True)
                continue;
            ++selected;
            if (selected <= 10)
                lblExportTeam[size_t(selected - 1)]->setText(QString(g.LongTeamNames[i]).trimmed());
            else if (selected == 11)
                lblExportTeam[10]->setText(QStringLiteral("more..."));
        }
        nameBoxByLabel(lblFrom, txtFileName);
    } else if (mode_ == QLatin1String("I")) {
        setWindowTitle(QStringLiteral("Import Teams"));
        topic = HelpTopic::ImportTeams;
        lblTeamsToExport->hide();
        txtFileName->hide();
        lstDatabase->hide();
        hideExportTeams();
        lblFrom->setText(QStringLiteral("Import team database to:"));
        lblTo->setText(QStringLiteral("From Drive:"));
        lblPathDesc->setText(g.DataFolder + MainDatabaseFileName);
    }
    nameBoxByLabel(lblDatabase, lstDatabase->isHidden() ? static_cast<QWidget*>(File1) : lstDatabase);
    nameBoxByLabel(lblTo, Drive1);
    nameBoxByLabel(Label1, Dir1);
    InstallHelpKey(this, topic);
}

// ---------------------------------------------------------------- folder and file lists

void frmBackup::Drive1_Change()
{
    if (!Drive1->drive().isEmpty())
        openDriveFolder(*Drive1, *Dir1, Drive1->drive());
}

void frmBackup::Drive1_LostFocus() { Dir1->setPath(Dir1->highlightedPath()); }

void frmBackup::Dir1_Change()
{
    Dir1->setPath(Dir1->highlightedPath());
    File1->setPath(Dir1->path());
}

void frmBackup::Dir1_LostFocus() { Dir1->setPath(Dir1->highlightedPath()); }

void frmBackup::File1_PathChange()
{
    if (File1->count() > 0)
        File1->setCurrentRow(0);
}

// ---------------------------------------------------------------- OK and Cancel

void frmBackup::cmdOK_Click()
{
    // Every mode reads, checks or writes whole files from here on; the arrow
    // is back when the command returns, however it ends.
    const HourglassPointer working;
    if (mode_ == QLatin1String("E"))
        ExportTeamDatabase();
    else if (mode_ == QLatin1String("I"))
        ImportTeamDatabase();
    else if (mode_ == QLatin1String("B") || mode_ == QLatin1String("R"))
        backUpOrRestore();
}

void frmBackup::cmdCancel_Click() { finish(false); }

void frmBackup::finish(bool rebuild)
{
    unloadForm();
    if (!rebuild) {
        ShowSelectTeamAgain();
        return;
    }
    if (Form* editor = openForm(FormNo::TeamName))
        editor->unloadForm();
    g.CurrentTeam = 0;
    ReloadSelectTeam();
    SetMenus(g.SelectedTeamCount, QStringLiteral("Select"));
}

void frmBackup::backUpOrRestore()
{
    const bool restore = mode_ == QLatin1String("R");
    const QString chosen = File1->fileName();
    if (restore && chosen.isEmpty()) {
        MsgBox(QStringLiteral("Velloran database (murqn.mdb) not found in directory!"), g.MsgStyleWarn,
               QStringLiteral("Database Not Found"));
        return;
    }
    const QString folder = WithTrailingSlash(Dir1->path());
    if (SamePath(folder, g.DataFolder)) {
        MsgBox(restore ? QStringLiteral("Can not restore from data directory!")
                       : QStringLiteral("Can not back up to data directory!"),
               g.MsgStyleWarn, QStringLiteral("Invalid Directory"));
        return;
    }
    const QString live = g.DataFolder + MainDatabaseFileName;
    const QString source = restore ? folder + chosen : live;
    const QString target = restore ? live : folder + MainDatabaseFileName;
    // What is checked: the back-up with the changes its side files hold, as
    // a copy of the program's own; what is restored: its rows in the
    // program's own tables. Both are made, and every refusal said, before
    // the question.
    std::optional<ReadingCopy> reading;
    std::optional<RestoredDatabase> restored;
    if (restore) {
        if (!prepareRestore(source, reading, restored))
            return;
        if (MsgBox(QStringLiteral("Are you sure you want to replace your Database?"), g.MsgStyleYesNo,
                   QStringLiteral("Replace Database")) != vbYes)
            return;
    } else if (QFileInfo::exists(target)) {
        if (MsgBox(target + QStringLiteral("\rThis file already exists.\r\rReplace existing file?"), g.MsgStyleYesNo,
                   QStringLiteral("Back Up Database")) != vbYes)
            return;
    }

    std::exception_ptr failure;
    try {
        if (!restore)
            ClearReportTables();
        // The options changed in this session go into the file first: a
        // back-up carries them, and a restore that fails keeps them when
        // start-up loads them again.
        CloseMainDatabase();
        if (!restore)
            CompactMainDatabase();
        // A back-up cut off in the user's folder is removed at the next start.
        std::optional<PartialCopyMark> mark;
        if (!restore)
            mark.emplace(g.DataFolder, target);
        // A back-up, like the restored database, takes the live database's mode.
        CopyDatabaseChecked(restore ? restored->path() : source, target, fileMode(live));
    } catch (...) {
        failure = std::current_exception();
    }
    // Setup keeps the open-window flags of the windows still loaded, and
    // opens the database in the object they hold.
    Setup();
    if (ProgramEnding())
        return;

    if (failure) {
        if (restore)
            showRestoreFailed(failure);
        else
            MsgBox(QStringLiteral("The database could not be backed up to ") + folder + QLatin1Char('.') +
                       errorLines(failure),
                   g.MsgStyleWarn, QStringLiteral("Back Up Failed"));
        return;
    }
    if (restore)
        MsgBox(QStringLiteral("Database successfully restored!"), g.MsgStyleWarn, QStringLiteral("Restore Complete"));
    else
        MsgBox(QStringLiteral("Database successfully backed up!"), g.MsgStyleWarn, QStringLiteral("Back Up Complete"));
    finish(restore);
}

// ---------------------------------------------------------------- export

void frmBackup::ExportTeamDatabase()
{
    const QString folder = WithTrailingSlash(Dir1->path());
    const QString name = txtFileName->text().trimmed();
    switch (CheckExportName(folder, name, g.DataFolder)) {
    case ExportNameCheck::Empty:
        MsgBox(QStringLiteral("Must enter database name!"), g.MsgStyleWarn, QStringLiteral("Database Name Not Entered"));
        return;
    case ExportNameCheck::NoMdbEnding:
        MsgBox(QStringLiteral("Database name must end with '.mdb'."), g.MsgStyleWarn,
               QStringLiteral("Database Name Invalid"));
        return;
    case ExportNameCheck::MainDatabaseName:
        MsgBox(QStringLiteral("Can not use main database name!"), g.MsgStyleWarn,
               QStringLiteral("Database Name Invalid"));
        return;
    case ExportNameCheck::ProgramFile:
        MsgBox(QStringLiteral("Can not replace a database file of Velloran for Hockey!"), g.MsgStyleWarn,
               QStringLiteral("Database Name Invalid"));
        return;
    case ExportNameCheck::Ok:
        break;
    }
    const QString target = folder + name;
    if (QFileInfo::exists(target) &&
        MsgBox(QStringLiteral("Database exists. Do you want to replace the database?"), g.MsgStyleYesNo,
               QStringLiteral("Database Exists")) != vbYes)
        return;
    if (!FileExists(g.DataFolder + ExportShellFileName)) {
        MsgBox(QStringLiteral("Export database shell not found. Reinstall Velloran!"), g.MsgStyleWarn,
               QStringLiteral("Export Database Shell Not Found"));
        return;
    }

    std::vector<ExportTeam> teams;
    for (int i = 1; i <= g.NumTeams; ++i)
        if (g.TeamSelected[i] == True)
            teams.push_back({g.TeamNumbers[i], g.LongTeamNames[i]});
    int count = 0;
    try {
        count = ExportTeamFile(Db(), g.DataFolder, target, teams, [this](const QString& team) {
            lblMessage->setText(QStringLiteral("Exporting ") + team + QStringLiteral(" ..."));
            lblMessage->repaint();
        });
    } catch (...) {
        lblMessage->clear();
        MsgBox(QStringLiteral("The teams could not be exported to ") + target +
                   QStringLiteral(". No file was written.") + errorLines(std::current_exception()),
               g.MsgStyleWarn, QStringLiteral("Export Failed"));
        return;
    }
    lblMessage->clear();
    MsgBox(QString::number(count) + QStringLiteral(" database team(s) successfully exported!"), g.MsgStyleWarn,
           QStringLiteral("Export Complete"));
    finish(false);
}

// ---------------------------------------------------------------- import

void frmBackup::ImportTeamDatabase()
{
    const QString folder = WithTrailingSlash(Dir1->path());
    const QString file = File1->fileName();
    if (file.isEmpty()) {
        MsgBox(QStringLiteral("Must select database to import!"), g.MsgStyleWarn,
               QStringLiteral("Database Not Selected"));
        return;
    }
    if (file.toUpper() == MainDatabaseFileName.toUpper() || SamePath(folder + file, g.DataFolder + MainDatabaseFileName)) {
        MsgBox(QStringLiteral("Can not import main database!"), g.MsgStyleWarn, QStringLiteral("Database Name Invalid"));
        return;
    }
    const std::unique_ptr<Database> program = programTablesOrSay();
    if (!program)
        return;
    OpenedTransferFile opened = OpenTransferFile(folder + file, g.DataFolder);
    if (opened.status == TransferFileCheck::CannotRead) {
        MsgBox(file + QStringLiteral(" could not be read.\r\r") + opened.detail +
                   QStringLiteral("\r\rNothing was imported."),
               g.MsgStyleWarn, QStringLiteral("Import Failed"));
        return;
    }
    if (opened.status == TransferFileCheck::WrongVersion) {
        MsgBox(QStringLiteral("Import database version not 2.x."), g.MsgStyleWarn,
               QStringLiteral("Wrong Database Version"));
        return;
    }
    if (opened.status == TransferFileCheck::Foreign) {
        MsgBox(file + QStringLiteral(" cannot be imported. ") + opened.detail +
                   QStringLiteral("\r\rNothing was imported."),
               g.MsgStyleWarn, QStringLiteral("Database Not Valid"));
        return;
    }
    if (opened.status != TransferFileCheck::Ok) {
        MsgBox(file + QStringLiteral(" is not a team database of Velloran for Hockey, or it is damaged.\r\r") +
                   opened.detail,
               g.MsgStyleWarn, QStringLiteral("Database Not Valid"));
        return;
    }

    WindowQuestions ask(lblMessage);
    ImportResult result;
    std::optional<ImportRefused> refusal;
    try {
        result = ImportTeams(Db(), *opened.db, *program, g.NextTeamNumber, ask);
    } catch (const ImportRefused& e) {
        refusal = e;
    } catch (...) {
        // Anything else before the first write: the file could not be read.
        result.failure = describeException(std::current_exception());
    }
    if (result.nextTeamNumber > g.NextTeamNumber)
        g.NextTeamNumber = result.nextTeamNumber;
    try {
        if (result.gameTypesAdded)
            LoadGameTypes();
        if (result.categoryNamesChanged) {
            LoadNameYourOwnCats();
            BuildCatAbbrev(CatKind::Player);
            BuildCatAbbrev(CatKind::Goalie);
        }
    } catch (...) {
    }
    lblMessage->clear();
    opened.db->close();
    if (refusal) {
        MsgBox(file + QStringLiteral(" cannot be imported. ") + refusal->description() +
                   QStringLiteral("\r\rNothing was imported."),
               g.MsgStyleWarn,
               refusal->noNumberFor() ? NoNumberLeftMessage(*refusal->noNumberFor()).title
                                      : QStringLiteral("Database Not Valid"));
        return;
    }
    if (result.failure) {
        MsgBox(importFailure(result), g.MsgStyleWarn, QStringLiteral("Import Failed"));
    } else {
        MsgBox(QString::number(result.teamsImported) + QStringLiteral(" database team(s) successfully imported!"),
               g.MsgStyleWarn, QStringLiteral("Import Complete"));
    }
    finish(true);
}

}  // namespace vh
