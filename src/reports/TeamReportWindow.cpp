#include "reports/TeamReportWindow.h"

#include "platform/basic/Basic.h"
#include "shell/Controls.h"
#include "shell/Globals.h"
#include "shell/Help.h"
#include "shell/Procedures.h"
#include "shell/ReportForm.h"
#include "shell/WorkTable.h"
#include "stats/frmCompute.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QPushButton>
#include <algorithm>

namespace vh {

TeamReportWindow::TeamReportWindow(int formNumber, const QString& workTable, int helpTopic)
    : ReportWindow(formNumber, workTable)
{
    InstallHelpKey(this, helpTopic);
}

void TeamReportWindow::placeGrid(int left, int top, int width, int height)
{
    place(grid(), left, top, width, height);
    grid()->setObjectName(QStringLiteral("tdbGrid"));
}

void TeamReportWindow::addCloseButtons(int left, int top, bool withCompute)
{
    if (withCompute) {
        cmdCompute = makeButton(this, QStringLiteral("cmdCompute"), QStringLiteral("&Compute"), left, top, 1215);
        cmdCompute->setToolTip(QStringLiteral("Compute report for any combination of games"));
        connect(cmdCompute, &QPushButton::clicked, this, [this] { cmdCompute_Click(); });
        left += 1335;
    }
    cmdClose = makeButton(this, QStringLiteral("cmdClose"), QStringLiteral("Close"), left, top, 1215);
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
}

QCheckBox* TeamReportWindow::optionBox(const char* name, const QString& caption, int left, int top, int width,
                                       std::function<void()> changed)
{
    QCheckBox* box = makeCheckBox(this, QLatin1String(name), caption, left, top, width);
    box->setChecked(true);
    // Connected once ticked, so the load's own computation is the only one;
    // from here the report follows the box however it changes (a click, a
    // key, a screen reader's action).
    connect(box, &QCheckBox::toggled, this, std::move(changed));
    return box;
}

QCheckBox* TeamReportWindow::columnBox(const char* name, const QString& caption, int left, int top, int width,
                                       std::initializer_list<int> columns)
{
    QCheckBox* box = makeCheckBox(this, QLatin1String(name), caption, left, top, width);
    box->setChecked(true);
    connect(box, &QCheckBox::toggled, this, [this, shown = std::vector<int>(columns)](bool checked) {
        for (int column : shown)
            setColumnVisible(column, checked);
    });
    return box;
}

ReportColumn TeamReportWindow::numberColumn(const char* field, const char* caption)
{
    return {QLatin1String(field), QLatin1String(caption), -1, Qt::AlignRight};
}

void TeamReportWindow::setColumnVisible(int column, bool visible)
{
    std::vector<ReportColumn> columns = grid()->columns();
    if (column < 0 || column >= int(columns.size()) || columns[size_t(column)].visible == visible)
        return;
    columns[size_t(column)].visible = visible;
    grid()->setColumns(std::move(columns));
}

bool TeamReportWindow::columnVisible(int column) const
{
    const auto& columns = grid()->columns();
    return column >= 0 && column < int(columns.size()) && columns[size_t(column)].visible;
}

void TeamReportWindow::hideHeadings()
{
    grid()->view()->horizontalHeader()->hide();
    grid()->frozenView()->horizontalHeader()->hide();
}

void TeamReportWindow::writeRows(const QStringList& fields, std::vector<QVariantList> rows)
{
    int sortKey = 0;
    for (QVariantList& row : rows)
        row.prepend(++sortKey);
    rewriteWorkTable(Db(), workTable(), QStringList{QStringLiteral("SortKey")} + fields, rows);
}

void TeamReportWindow::applyWidths(const std::vector<WidthRow>& table)
{
    for (const WidthRow& row : table) {
        if (std::find(row.sizes.begin(), row.sizes.end(), reportFontSize()) == row.sizes.end())
            continue;
        grid()->setColumnWidths(row.widths);
        return;
    }
}

void TeamReportWindow::loadReport(const QString& gridCaption, const QString& windowCaption)
{
    CenterForm(this);
    ShowHourglass();
    emptyWorkTable();
    showForm();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    // Size 10 and the report's font, shown in the frame's boxes too.
    setReportFontSize(10);
    applyLook();
    fontSizeChanged();
    SelectFontSize(10);
    SetFont(reportDesignFontName());
    SelectFontName(reportDesignFontName());
    runComputation([this] { computeReport(); }, false);
    showAlignmentOnToolbar();
    if (!gridCaption.isEmpty())
        grid()->setCaption(gridCaption);
    g.Criteria.title = grid()->caption().trimmed();
    setPlainWindowTitle(this, windowCaption);
    ShowArrowPointer();
}

void TeamReportWindow::recompute()
{
    runComputation([this] { computeReport(); });
}


void TeamReportWindow::cmdCompute_Click()
{
    g.CancelFlag = "N";
    if (!ShowComputeDialog())
        return;
    grid()->setCaption(g.Criteria.title);
    runComputation([this] {
        if (formatBeforeCompute_)
            Format();
        computeReport();
    });
}

PointsOptions PointsFromOptions()
{
    return {g.RegWinPointsOption, g.RegLossPointsOption, g.RegTiePointsOption,
            g.OTWinPointsOption,  g.OTLossPointsOption,  g.OTTiePointsOption};
}

NumberStyle NumberStyleFromOptions() { return {g.ShowCommasOption != 0, g.ShowNAOption != 0}; }

GameTypeNames GameTypeNamesFromState()
{
    GameTypeNames names;
    for (int i = 1; i <= g.NumberGameTypes && i <= g.GameTypeNumbers.upper(); ++i)
        names.emplace_back(g.GameTypeNumbers[i], g.GameTypeDescriptions[i].str());
    return names;
}

}  // namespace vh
