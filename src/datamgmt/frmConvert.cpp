#include "datamgmt/frmConvert.h"

#include "platform/FileLists.h"
#include "platform/ModalRun.h"
#include "platform/MsgBox.h"
#include "platform/basic/Basic.h"
#include "shell/Controls.h"
#include "shell/Globals.h"
#include "shell/Help.h"
#include "shell/MenuState.h"
#include "shell/Procedures.h"
#include "shell/Renumber.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace vh {

namespace {

QString withSlash(const QString& folder) { return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/'); }

// `name` in `folder` whatever its case; empty when there is none.
QString findFolderNoCase(const QString& folder, const QString& name)
{
    const QDir dir(folder);
    for (const QString& e : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        if (e.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(e);
    return {};
}

void showConvertError(const QString& text, const RuntimeError& e)
{
    ShowArrowPointer();
    MsgBox(text + QStringLiteral("\r\r") + e.details(), g.MsgStyleWarn, QStringLiteral("Convert Error"));
}

}  // namespace

frmConvert::frmConvert() : Form(FormNo::Convert)
{
    setObjectName(QStringLiteral("frmConvert"));
    setWindowTitle(QStringLiteral("Convert Old Data Files"));
    setDesignSize(9135, 5760);

    lblTo = makeLabel(this, QStringLiteral("lblTo"), QStringLiteral("Drive:"), 120, 120, 2900);
    Drive1 = new DriveListBox(this);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    place(Drive1, 120, 375, 2900, 315);
    showEntriesWhole(Drive1);
    nameBoxByLabel(lblTo, Drive1);
    Label1 = makeLabel(this, QStringLiteral("Label1"), QStringLiteral("Directory:"), 120, 810, 2900);
    Dir1 = new DirListBox(this);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    Dir1->setDriveList(Drive1);
    place(Dir1, 120, 1065, 2900, 2550);
    nameBoxByLabel(Label1, Dir1);
    lblSettingsFile = makeLabel(this, QStringLiteral("lblSettingsFile"), QStringLiteral("Settings File:"), 120, 3720, 2900);
    txtSettingsFile = makeTextBox(this, QStringLiteral("txtSettingsFile"), 0, 120, 3975, 2000);
    txtSettingsFile->setReadOnly(true);
    nameBoxByLabel(lblSettingsFile, txtSettingsFile);
    cmdSettingsFile = makeButton(this, QStringLiteral("cmdSettingsFile"), QStringLiteral("Browse..."), 2160, 3945, 860, 345);
    chkPlayerNumbers = makeCheckBox(this, QStringLiteral("chkPlayerNumbers"), QStringLiteral("Keep Player Numbers"), 120,
                                    4440, 2900);

    Label5 = makeLabel(this, QStringLiteral("Label5"), QStringLiteral("Select Teams"), 3180, 120, 2850);
    lstTeams = makeListBox(this, QStringLiteral("lstTeams"), 3180, 375, 2850, 4365);
    lstTeams->setSelectionMode(QAbstractItemView::ExtendedSelection);
    nameBoxByLabel(Label5, lstTeams);

    fraGameTypes = makeFrame(this, QStringLiteral("fraGameTypes"), QStringLiteral("Game Types:"), 6180, 60, 2835, 2610);
    for (int k = 0; k < OldGameTypeCount; ++k)
        lblGameType[size_t(k)] = makeLabel(fraGameTypes, QStringLiteral("lblGameType%1").arg(k), QStringLiteral("GT"),
                                           150, 300 + 255 * k, 2200);
    chkGameTypes = makeCheckBox(fraGameTypes, QStringLiteral("chkGameTypes"), QStringLiteral(" Add Game Types"), 150,
                                2160, 2200);

    fraNameYourOwn = makeFrame(this, QStringLiteral("fraNameYourOwn"), QStringLiteral("Name Your Own Categories:"), 6180,
                               2760, 2835, 1980);
    makeLabel(fraNameYourOwn, QStringLiteral("Label2"), QStringLiteral("Non-Goalie"), 150, 300, 1050);
    makeLabel(fraNameYourOwn, QStringLiteral("Label3"), QStringLiteral("Goalie"), 1320, 300, 1000);
    for (int k = 0; k < OldUserCatCount; ++k) {
        lblNonGoalie[size_t(k)] = makeLabel(fraNameYourOwn, QStringLiteral("lblNonGoalie%1").arg(k),
                                            QStringLiteral("---"), 150, 555 + 225 * k, 1050, 225);
        lblGoalie[size_t(k)] = makeLabel(fraNameYourOwn, QStringLiteral("lblGoalie%1").arg(k), QStringLiteral("---"),
                                         1320, 555 + 225 * k, 1000, 225);
    }
    chkNameCategories = makeCheckBox(fraNameYourOwn, QStringLiteral("chkNameCategories"), QStringLiteral(" Name Categories"),
                                     150, 1680, 2200);

    auto* label4 = makeLabel(this, QStringLiteral("Label4"), QStringLiteral("Check player names on roster after you convert!"),
                             120, 4920, 6000);
    label4->setStyleSheet(QStringLiteral("font-weight: bold;"));
    makeLabel(this, QStringLiteral("Label6"), QStringLiteral("Press F1 to read Convert Help before you begin."), 120, 5220,
              6000);
    cmdConvert = makeButton(this, QStringLiteral("cmdConvert"), QStringLiteral("Convert"), 6480, 5100, 1140);
    cmdClose = makeButton(this, QStringLiteral("cmdClose"), QStringLiteral("Close"), 7800, 5100, 1140);

    // Converting old data is what the window is opened for.
    chkGameTypes->setChecked(true);
    chkNameCategories->setChecked(true);
    chkPlayerNumbers->setChecked(true);

    setTabOrder(Drive1, Dir1);
    setTabOrder(Dir1, cmdSettingsFile);
    setTabOrder(cmdSettingsFile, chkPlayerNumbers);
    setTabOrder(chkPlayerNumbers, lstTeams);
    setTabOrder(lstTeams, chkGameTypes);
    setTabOrder(chkGameTypes, chkNameCategories);
    setTabOrder(chkNameCategories, cmdConvert);
    setTabOrder(cmdConvert, cmdClose);

    ButtonKeys::setCancelButton(this, cmdClose);
    connect(cmdConvert, &QPushButton::clicked, this, [this] { cmdConvert_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    connect(cmdSettingsFile, &QPushButton::clicked, this, [this] { cmdSettingsFile_Click(); });
    connect(Drive1, &DriveListBox::driveChanged, this, [this] { Drive1_Change(); });
    connect(Dir1, &DirListBox::pathChanged, this, [this] { Dir1_Change(); });
    // A folder only highlighted is taken when the focus leaves either list.
    connect(Drive1, &DriveListBox::lostFocus, this, [this] { Dir1_LostFocus(); });
    connect(Dir1, &DirListBox::lostFocus, this, [this] { Dir1_LostFocus(); });
    InstallHelpKey(this, HelpTopic::ConvertOldData);
}

void frmConvert::Form_Load()
{
    CenterForm(this);
    oldTeams_.clear();
    OldGameTypeNames = {};
    OldGameTypeMap_ = {};
    GetOldIni();

    Drive1->setDrives(OldDriveRoots());
    // The older version's folder "MUQNWIN" on the drive of the data folder.
    QString dataDrive = Drive1->driveOf(g.DataFolder);
    if (dataDrive.isEmpty())
        dataDrive = Drive1->itemData(0).toString();
    const QString oldFolder = findFolderNoCase(dataDrive, QStringLiteral("MUQNWIN"));
    if (oldFolder.isEmpty() || !setDirPath(oldFolder)) {
        setDirPath(QDir::cleanPath(g.DataFolder));
        OldDataFolder = withSlash(QDir::cleanPath(g.DataFolder));
    }
    lstTeams->setFocus();
}

void frmConvert::GetOldIni(const QString& path)
{
    const QString file = path.isEmpty() ? FindOldSettingsFile(OldDriveRoots()) : path;
    const auto settings = ReadOldSettings(ReadFileBytes(file));
    if (!settings) {
        fraGameTypes->hide();
        fraNameYourOwn->hide();
        txtSettingsFile->clear();
        MsgBox(QStringLiteral("Couldn't Find MUQN.INI File!"), g.MsgStyleWarn, QStringLiteral("Couldn't Find MUQN.INI File"));
        return;
    }
    txtSettingsFile->setText(QDir::toNativeSeparators(file));
    txtSettingsFile->setCursorPosition(0);
    fraGameTypes->show();
    fraNameYourOwn->show();
    OldGameTypeNames = settings->gameTypeNames;
    for (int k = 0; k < OldGameTypeCount; ++k)
        lblGameType[size_t(k)]->setText(QString::number(k + 1) + QStringLiteral(". ") +
                                        Trim(OldGameTypeNames[size_t(k)]));
    for (int k = 0; k < OldUserCatCount; ++k) {
        lblNonGoalie[size_t(k)]->setText(settings->playerCategories[size_t(k)]);
        lblGoalie[size_t(k)]->setText(settings->goalieCategories[size_t(k)]);
    }
}

void frmConvert::cmdSettingsFile_Click()
{
    const QString start = txtSettingsFile->text().isEmpty() ? OldDataFolder : txtSettingsFile->text();
    // The file chooser may be the desktop's own window, which Qt does not see as modal.
    ModalRun run;
    const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("Settings File"), start,
                                                      QStringLiteral("Settings (*.ini *.INI);;All Files (*)"));
    if (!file.isEmpty())
        GetOldIni(file);
}

// ---------------------------------------------------------------- folders

void frmConvert::Drive1_Change()
{
    // The folder last shown on the chosen drive, as the old drive list kept one per drive.
    openDriveFolder(*Drive1, *Dir1, Drive1->folder());
}

void frmConvert::Dir1_LostFocus() { Dir1->setPath(Dir1->highlightedPath()); }

bool frmConvert::setDirPath(const QString& folder)
{
    {
        const QSignalBlocker block(Dir1);
        if (!Dir1->setPath(folder))
            return false;
    }
    Dir1_Change();
    return true;
}

void frmConvert::Dir1_Change()
{
    const QSignalBlocker block(Drive1);
    Drive1->setDriveOf(Dir1->path());
    OldDataFolder = withSlash(Dir1->path());
    LoadTeams();
}

void frmConvert::LoadTeams()
{
    lstTeams->clear();
    oldTeams_.clear();
    const auto teams = ReadOldTeamList(ReadFileBytes(FindFileNoCase(OldDataFolder, OldTeamListFileName())));
    if (!teams)
        return;
    oldTeams_ = *teams;
    // Blank teams stay as empty entries, so that entry k - 1 is old team k.
    for (const OldTeam& t : oldTeams_)
        lstTeams->addItem(t.longName);
}

// ---------------------------------------------------------------- converting

void frmConvert::cmdConvert_Click()
{
    std::vector<int> selected;
    for (int i = 0; i < lstTeams->count(); ++i)
        if (lstTeams->item(i)->isSelected())
            selected.push_back(i);
    if (selected.empty()) {
        MsgBox(QStringLiteral("Must select at least one team!"), g.MsgStyleWarn, QStringLiteral("No Teams Selected"));
        return;
    }
    ShowHourglass();
    int teamsAdded = 0;
    int skipped = 0;
    if (!fraGameTypes->isHidden() && chkGameTypes->isChecked() && !AddGameTypes())
        return;
    if (!fraNameYourOwn->isHidden() && chkNameCategories->isChecked() && !NameCategories())
        return;
    for (int index : selected)
        if (!AddTeam(index, teamsAdded, skipped))
            break;
    ShowArrowPointer();
    MsgBox(ConvertCompleteText(teamsAdded, skipped), g.MsgStyleWarn, QStringLiteral("Convert Complete"));
}

bool frmConvert::AddGameTypes()
{
    std::vector<GameTypeEntry> known;
    for (int i = 2; i <= g.NumberGameTypes; ++i)
        known.push_back({g.GameTypeNumbers[i], Trim(g.GameTypeDescriptions[i])});
    OldGameTypesOutcome out;
    try {
        out = AddOldGameTypes(Db(), OldGameTypeNames, known);
    } catch (const RuntimeError& e) {
        showConvertError(QStringLiteral("The game types could not be added; nothing was converted."), e);
        return false;
    }
    OldGameTypeMap_ = out.map;
    for (const GameTypeEntry& e : out.added) {
        g.NumberGameTypes += 1;
        g.GameTypeDescriptions.redimPreserve(g.NumberGameTypes);
        g.GameTypeNumbers.redimPreserve(g.NumberGameTypes, 0);
        g.GameTypeDescriptions[g.NumberGameTypes] = e.description;
        g.GameTypeNumbers[g.NumberGameTypes] = e.number;
    }
    return true;
}

bool frmConvert::NameCategories()
{
    std::array<QString, OldUserCatCount> player, goalie;
    for (int k = 0; k < OldUserCatCount; ++k) {
        player[size_t(k)] = Left(lblNonGoalie[size_t(k)]->text(), 3);
        goalie[size_t(k)] = Left(lblGoalie[size_t(k)]->text(), 3);
    }
    try {
        NameOldCategories(Db(), player, goalie);
    } catch (const RuntimeError& e) {
        showConvertError(QStringLiteral("The category names could not be changed; nothing was converted."), e);
        return false;
    }
    g.PlayerNyoAbbrev.redimPreserve(OldUserCatCount);
    g.GoalieNyoAbbrev.redimPreserve(OldUserCatCount);
    for (int k = 1; k <= OldUserCatCount; ++k) {
        g.PlayerNyoAbbrev[k] = player[size_t(k - 1)];
        g.GoalieNyoAbbrev[k] = goalie[size_t(k - 1)];
        if (g.PlayerCatAbbrev.size() >= 45 + k)
            g.PlayerCatAbbrev[45 + k] = player[size_t(k - 1)];
        if (g.GoalieCatAbbrev.size() >= 45 + k)
            g.GoalieCatAbbrev[45 + k] = goalie[size_t(k - 1)];
    }
    return true;
}

bool frmConvert::AddTeam(int oldTeamIndex, int& teamsAdded, int& skipped)
{
    OldTeamInput in;
    in.longName = Trim(lstTeams->item(oldTeamIndex)->text());
    in.shortName = size_t(oldTeamIndex) < oldTeams_.size() ? oldTeams_[size_t(oldTeamIndex)].shortName : QString();
    in.files = ReadOldTeamFiles(OldDataFolder, oldTeamIndex + 1);
    in.gameTypeMap = OldGameTypeMap_;
    in.keepPlayerNumbers = chkPlayerNumbers->isChecked();
    in.teamNumber = std::max<int16_t>(g.NextTeamNumber, 1);
    OldTeamOutcome out;
    try {
        out = ConvertOldTeam(Db(), in);
    } catch (const RuntimeError& e) {
        showConvertError(QStringLiteral("The team \"") + in.longName +
                             QStringLiteral("\" could not be converted; nothing of it was stored."),
                         e);
        return false;
    }
    if (!out.added) {
        MsgBox(out.storedName + QStringLiteral(" already on database!"), g.MsgStyleWarn,
               QStringLiteral("Team Already on Database"));
        return true;
    }
    // The largest key stays the next number; the next add then says none is left.
    g.NextTeamNumber = int16_t(std::min(out.teamNumber + 1, LargestKey));
    ++teamsAdded;
    skipped += out.skipped;
    return true;
}

void frmConvert::cmdClose_Click()
{
    unloadForm();
    ReloadSelectTeam();
    SetMenus(g.SelectedTeamCount, QStringLiteral("TeamName"));
}

}  // namespace vh
