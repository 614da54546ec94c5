#include "reports/frmRosterRpt.h"

#include "reports/RosterReport.h"
#include "shell/Globals.h"
#include "shell/Help.h"

#include <QCheckBox>

namespace vh {

frmRosterRpt::frmRosterRpt()
    : TeamReportWindow(FormNo::RosterRpt, QStringLiteral("RptRoster"), HelpTopic::RosterReport)
{
    setObjectName(QStringLiteral("frmRosterRpt"));
    setWindowTitle(QStringLiteral("Roster"));
    setDesignSize(8160, 6000);
    placeGrid(120, 120, 5400, 5760);
    // Room for a notes line of 50 characters at the larger sizes.
    grid()->setColumns({{QStringLiteral("Text"), QString(), 5000, Qt::AlignLeft}});
    grid()->setCaption(QStringLiteral("Roster"));
    setPrintTitle(QStringLiteral("Roster Report"));
    hideHeadings();

    const auto rewrite = [this] { recompute(); };
    chkPlayerNumber = optionBox("chkPlayerNumber", QStringLiteral("Show Player Number"), 5700, 240, 2340, rewrite);
    chkAddress = optionBox("chkAddress", QStringLiteral("Show Address"), 5700, 600, 2340, rewrite);
    chkShowPhoneNumbers =
        optionBox("chkShowPhoneNumbers", QStringLiteral("Show Phone Numbers"), 5700, 960, 2340, rewrite);
    chkShowEmail = optionBox("chkShowEmail", QStringLiteral("Show Email Address"), 5700, 1320, 2340, rewrite);
    chkShowBirthDate = optionBox("chkShowBirthDate", QStringLiteral("Show Birth Date"), 5700, 1680, 2340, rewrite);
    chkShowNotes = optionBox("chkShowNotes", QStringLiteral("Show Notes"), 5700, 2040, 2340, rewrite);
    addCloseButtons(6240, 5400, false);
}

void frmRosterRpt::Form_Load()
{
    resetLookFlags();
    // The roster opens without grid lines; the frame leaves its button up.
    GridLines();
    loadReport(QStringLiteral("Roster - ") + g.SelectedTeamCaption, QStringLiteral("Roster"));
}

void frmRosterRpt::computeReport()
{
    RosterInput in;
    in.team = g.CurrentTeam;
    in.showPlayerNumber = chkPlayerNumber->isChecked();
    in.showAddress = chkAddress->isChecked();
    in.showPhoneNumbers = chkShowPhoneNumbers->isChecked();
    in.showEmail = chkShowEmail->isChecked();
    in.showBirthDate = chkShowBirthDate->isChecked();
    in.showNotes = chkShowNotes->isChecked();
    std::vector<QVariantList> rows;
    for (const QString& line : ComputeRoster(Db(), in))
        rows.push_back({line});
    writeRows({QStringLiteral("Text")}, std::move(rows));
}

}  // namespace vh
