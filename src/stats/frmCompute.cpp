#include "stats/frmCompute.h"

#include "platform/MsgBox.h"
#include "shell/Controls.h"
#include "shell/Globals.h"
#include "shell/Help.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

namespace vh {

namespace {

QFont fixedPitchFont()
{
    QFont f(QStringLiteral("Liberation Mono"));
    f.setStyleHint(QFont::Monospace);
    f.setPointSize(9);
    return f;
}

QLineEdit* numberBox(QWidget* parent, const char* name, int left, int top)
{
    QLineEdit* box = makeTextBox(parent, QLatin1String(name), 4, left, top, 700);
    installNumericKeyFilter(box);
    keepPastedDigitsOnly(box);
    selectAllOnFocus(box);
    return box;
}

}  // namespace

frmCompute::frmCompute(ComputeInput input) : input_(std::move(input))
{
    setObjectName(QStringLiteral("frmCompute"));
    setWindowTitle(QStringLiteral("Compute"));
    setDesignSize(9840, 6180);

    Frame3D1 = makeFrame(this, QStringLiteral("Frame3D1"), QStringLiteral("Game Range:"), 120, 60, 2880, 780);
    lblFromGame = makeLabel(Frame3D1, QStringLiteral("lblFromGame"), QStringLiteral("From"), 150, 330, 480);
    txtLowGame = numberBox(Frame3D1, "txtLowGame", 650, 300);
    lblToGame = makeLabel(Frame3D1, QStringLiteral("lblToGame"), QStringLiteral("To"), 1500, 330, 330);
    txtHighGame = numberBox(Frame3D1, "txtHighGame", 1850, 300);
    nameBoxByLabel(lblFromGame, txtLowGame);
    nameBoxByLabel(lblToGame, txtHighGame);

    fraHomeAway = makeFrame(this, QStringLiteral("fraHomeAway"), QStringLiteral("Home/Away:"), 120, 900, 2880, 660);
    chkHome = makeCheckBox(fraHomeAway, QStringLiteral("chkHome"), QStringLiteral("Home"), 200, 280, 1100);
    chkAway = makeCheckBox(fraHomeAway, QStringLiteral("chkAway"), QStringLiteral("Away"), 1500, 280, 1100);

    Frame3D2 = makeFrame(this, QStringLiteral("Frame3D2"), QStringLiteral("Game Types:"), 120, 1620, 2880, 2940);
    lstGameTypes = makeListBox(Frame3D2, QStringLiteral("lstGameTypes"), 120, 280, 2640, 2100);
    lstGameTypes->setSelectionMode(QAbstractItemView::MultiSelection);
    nameBox(lstGameTypes, QStringLiteral("Game Types"));
    cmdClearGT = makeButton(Frame3D2, QStringLiteral("cmdClearGT"), QStringLiteral("Clear"), 120, 2460, 900);

    fraSpecialSelect = makeFrame(this, QStringLiteral("fraSpecialSelect"), QStringLiteral("Games:"), 3120, 60, 6600, 4500);
    const QFont mono = fixedPitchFont();
    const int numberWidth = QFontMetrics(mono).horizontalAdvance(QStringLiteral("0000")) * 15;
    Label1 = makeLabel(fraSpecialSelect, QStringLiteral("Label1"),
                       QStringLiteral("Date           Opponents                 Score"), 150 + numberWidth, 270, 6000);
    Label1->setFont(mono);
    lstSpecialSelect = makeListBox(fraSpecialSelect, QStringLiteral("lstSpecialSelect"), 120, 520, 6360, 3420);
    lstSpecialSelect->setFont(mono);
    lstSpecialSelect->setSelectionMode(QAbstractItemView::MultiSelection);
    nameBox(lstSpecialSelect, QStringLiteral("Games"));
    cmdClearGameList = makeButton(fraSpecialSelect, QStringLiteral("cmdClearGameList"), QStringLiteral("Clear"), 120,
                                  4020, 900);
    Label3 = makeLabel(fraSpecialSelect, QStringLiteral("Label3"), QStringLiteral("Games Selected"), 1200, 4080, 1700);
    lblGamesSelected = makeLabel(fraSpecialSelect, QStringLiteral("lblGamesSelected"), QString(), 2900, 4080, 700);
    lblGamesSelected->setFont(mono);

    lblTopXPlayers = makeLabel(this, QStringLiteral("lblTopXPlayers"), QStringLiteral("# Players:"), 120, 4740, 900);
    txtTopXPlayers = numberBox(this, "txtTopXPlayers", 1050, 4700);
    nameBoxByLabel(lblTopXPlayers, txtTopXPlayers);
    lblSort = makeLabel(this, QStringLiteral("lblSort"), QStringLiteral("Sort:"), 1950, 4740, 520);
    cmbSortCat = makeComboBox(this, QStringLiteral("cmbSortCat"), 2500, 4690, 1000);
    nameBoxByLabel(lblSort, cmbSortCat);
    optDesc = makeOption(this, QStringLiteral("optDesc"), QStringLiteral("Desc"), 3650, 4705, 800);
    optAsc = makeOption(this, QStringLiteral("optAsc"), QStringLiteral("Asc"), 4500, 4705, 800);

    lblReportTitle = makeLabel(this, QStringLiteral("lblReportTitle"), QStringLiteral("Title:"), 120, 5200, 900);
    txtReportTitle = makeTextBox(this, QStringLiteral("txtReportTitle"), 50, 1050, 5160, 2900);
    nameBoxByLabel(lblReportTitle, txtReportTitle);
    selectAllOnTabFocus(txtReportTitle);

    cmdAll = makeButton(this, QStringLiteral("cmdAll"), QStringLiteral("&All"), 120, 5640, 1000);
    cmdAll->setToolTip(QStringLiteral("Reset Screen To All Games"));
    cmdCompute = makeButton(this, QStringLiteral("cmdCompute"), QStringLiteral("OK"), 6600, 5640, 1400);
    cmdCancel = makeButton(this, QStringLiteral("cmdCancel"), QStringLiteral("Cancel"), 8160, 5640, 1400);
    ButtonKeys::setDefaultButton(this, cmdCompute);
    ButtonKeys::setCancelButton(this, cmdCancel);
    InstallHelpKey(this, HelpTopic::ReportParameters);

    connect(cmdCompute, &QPushButton::clicked, this, &frmCompute::cmdCompute_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmCompute::cmdCancel_Click);
    connect(cmdAll, &QPushButton::clicked, this, &frmCompute::cmdAll_Click);
    connect(cmdClearGT, &QPushButton::clicked, this, &frmCompute::cmdClearGT_Click);
    connect(cmdClearGameList, &QPushButton::clicked, this, &frmCompute::cmdClearGameList_Click);
    connect(lstSpecialSelect, &QListWidget::itemSelectionChanged, this, &frmCompute::lstSpecialSelect_Click);
}

std::optional<ComputeOutput> frmCompute::ask(const ComputeInput& input)
{
    frmCompute dialog(input);
    dialog.showModal();
    return dialog.output();
}

void frmCompute::Form_Load()
{
    output_.reset();
    UpdatingGameList = false;
    const ReportCriteria& c = input_.criteria;
    txtReportTitle->setText(c.title);
    txtTopXPlayers->setText(QString::number(c.topX));

    cmbSortCat->clear();
    for (const auto& [text, category] : sortListEntries(input_.reportCode, input_.categoryAbbrev)) {
        cmbSortCat->addItem(text, category);
        if (category == input_.sortCategory)
            cmbSortCat->setCurrentIndex(cmbSortCat->count() - 1);
    }
    if (cmbSortCat->count() > 0 && cmbSortCat->itemData(cmbSortCat->currentIndex()).toInt() != input_.sortCategory)
        cmbSortCat->setCurrentIndex(-1);  // a category the list does not hold: nothing chosen
    if (cmbSortCat->count() > 0)
        (input_.sortDirection == QLatin1String("D") ? optDesc : optAsc)->setChecked(true);

    txtLowGame->setText(QString::number(c.lowGame));
    txtHighGame->setText(QString::number(c.highGame));
    chkHome->setChecked(c.includeHome);
    chkAway->setChecked(c.includeAway);

    if (!computeShowsTopXAndSort(input_)) {
        for (QWidget* w : std::initializer_list<QWidget*>{lblTopXPlayers, txtTopXPlayers, cmbSortCat, lblSort, optDesc,
                                                          optAsc})
            w->hide();
        txtReportTitle->resize(tw(4000), txtReportTitle->height());
    }
    if (input_.reportCode == QLatin1String("S"))
        fraHomeAway->hide();

    lstGameTypes->clear();
    for (size_t i = 0; i < c.gameTypes.size(); ++i) {
        auto* item = new QListWidgetItem(i < input_.gameTypeNames.size() ? input_.gameTypeNames[i] : QString(),
                                         lstGameTypes);
        item->setSelected(c.gameTypes[i].second);
    }
    if (lstGameTypes->count() > 0)
        lstGameTypes->setCurrentRow(0, QItemSelectionModel::NoUpdate);

    FillGameList();
    UpdatingGameList = true;
    for (int i = 0; i < lstSpecialSelect->count(); ++i) {
        QListWidgetItem* item = lstSpecialSelect->item(i);
        const int16_t game = int16_t(item->data(Qt::UserRole).toInt());
        item->setSelected(std::find(c.excludedGames.begin(), c.excludedGames.end(), game) == c.excludedGames.end());
    }
    UpdatingGameList = false;
    lstSpecialSelect_Click();
}

void frmCompute::FillGameList()
{
    lstSpecialSelect->clear();
    if (input_.selectedTeamCount != 1) {
        fraSpecialSelect->hide();
        // The dialog closes up over the room the list leaves.
        setDesignSize(5520, 6180);
        place(cmdCompute, 2520, 5640, 1400, 375);
        place(cmdCancel, 3990, 5640, 1400, 375);
        return;
    }
    for (const GameLine& line : computeGameLines(Db(), input_.currentTeam))
        (new QListWidgetItem(line.text, lstSpecialSelect))->setData(Qt::UserRole, int(line.number));
    if (lstSpecialSelect->count() > 0)
        lstSpecialSelect->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    showGamesSelected(0);
}

void frmCompute::showGamesSelected(int count)
{
    lblGamesSelected->setText(QString::number(count).rightJustified(3, QLatin1Char(' ')));
}

void frmCompute::lstSpecialSelect_Click()
{
    if (!UpdatingGameList)
        showGamesSelected(int(lstSpecialSelect->selectedItems().size()));
}

void frmCompute::cmdCompute_Click()
{
    ComputeChoices choices;
    choices.lowGame = txtLowGame->text();
    choices.highGame = txtHighGame->text();
    choices.topX = txtTopXPlayers->text();
    choices.title = txtReportTitle->text();
    choices.home = chkHome->isChecked();
    choices.away = chkAway->isChecked();
    for (int i = 0; i < lstGameTypes->count(); ++i)
        choices.gameTypesSelected.push_back(lstGameTypes->item(i)->isSelected());
    for (int i = 0; i < lstSpecialSelect->count(); ++i) {
        const QListWidgetItem* item = lstSpecialSelect->item(i);
        choices.games.emplace_back(int16_t(item->data(Qt::UserRole).toInt()), item->isSelected());
    }
    if (cmbSortCat->currentIndex() >= 0)
        choices.sortCategory = int16_t(cmbSortCat->currentData().toInt());
    choices.descending = optDesc->isChecked();

    auto outcome = checkComputeChoices(input_, choices);
    if (const auto* problem = std::get_if<ComputeProblem>(&outcome)) {
        MsgBox(problem->message, g.MsgStyleWarn, QStringLiteral("Compute Parameter Error"));
        QWidget* back = problem->control == ComputeProblem::Home        ? static_cast<QWidget*>(chkHome)
                        : problem->control == ComputeProblem::GameTypes ? static_cast<QWidget*>(lstGameTypes)
                                                                        : static_cast<QWidget*>(lstSpecialSelect);
        back->setFocus();
        return;
    }
    txtTopXPlayers->setText(choices.topX);
    txtLowGame->setText(choices.lowGame);
    txtHighGame->setText(choices.highGame);
    output_ = std::get<ComputeOutput>(std::move(outcome));
    accept();
}

void frmCompute::cmdCancel_Click()
{
    output_.reset();
    reject();
}

void frmCompute::done(int result)
{
    if (result != Accepted)
        output_.reset();
    Dialog::done(result);
}

void frmCompute::cmdAll_Click()
{
    txtLowGame->setText(QStringLiteral("1"));
    txtHighGame->setText(QStringLiteral("9999"));
    txtTopXPlayers->setText(QStringLiteral("9999"));
    chkHome->setChecked(true);
    chkAway->setChecked(true);
    lstGameTypes->selectAll();
    lstSpecialSelect->selectAll();
    txtReportTitle->setFocus();
}

void frmCompute::cmdClearGT_Click() { lstGameTypes->clearSelection(); }

void frmCompute::cmdClearGameList_Click()
{
    UpdatingGameList = true;
    showGamesSelected(0);
    lstSpecialSelect->clearSelection();
    UpdatingGameList = false;
}

// ---------------------------------------------------------------- project-wide state

namespace {
bool statisticsReport(const QString& code) { return code == QLatin1String("P") || code == QLatin1String("G"); }
}  // namespace

ComputeInput ComputeInputFromState()
{
    ComputeInput in;
    in.reportCode = g.ReportCode.str();
    in.criteria = g.Criteria;
    for (int i = 1; i <= int(g.Criteria.gameTypes.size()); ++i)
        in.gameTypeNames.push_back(i <= g.GameTypeDescriptions.upper() ? g.GameTypeDescriptions[i].str().trimmed()
                                                                        : QString());
    const bool goalies = in.reportCode == QLatin1String("G");
    in.sortCategory = goalies ? g.GoalieSortCategory : g.PlayerSortCategory;
    in.sortDirection = (goalies ? g.GoalieSortDirection : g.PlayerSortDirection).str();
    in.categoryAbbrev = ReportCategoryAbbrev();
    in.selectedTeamCount = g.SelectedTeamCount;
    in.currentTeam = g.CurrentTeam;
    return in;
}

std::array<QString, 50> ReportCategoryAbbrev()
{
    std::array<QString, 50> out;
    const auto& abbrev = g.ReportCode == "G" ? g.GoalieCatAbbrev : g.PlayerCatAbbrev;
    for (int c = 1; c <= 50 && c <= abbrev.upper(); ++c)
        out[size_t(c - 1)] = abbrev[c].str();
    return out;
}

void StoreComputeOutput(const ComputeOutput& out)
{
    g.Criteria = out.criteria;
    if (!out.sortCategory || !statisticsReport(g.ReportCode.str()))
        return;
    if (g.ReportCode == "G") {
        g.GoalieSortCategory = *out.sortCategory;
        g.GoalieSortDirection = out.sortDirection;
    } else {
        g.PlayerSortCategory = *out.sortCategory;
        g.PlayerSortDirection = out.sortDirection;
    }
}

bool ShowComputeDialog()
{
    const std::optional<ComputeOutput> out = frmCompute::ask(ComputeInputFromState());
    if (!out) {
        g.CancelFlag = "Y";
        return false;
    }
    StoreComputeOutput(*out);
    return true;
}

}  // namespace vh
