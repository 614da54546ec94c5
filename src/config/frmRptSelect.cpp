#include "config/frmRptSelect.h"

#include "config/frmFormat.h"
#include "platform/MsgBox.h"
#include "shell/Categories.h"
#include "shell/Controls.h"
#include "shell/Globals.h"
#include "shell/Help.h"
#include "shell/Procedures.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace vh {

namespace {

int16_t& currentFormatNumber(CatKind kind)
{
    return kind == CatKind::Player ? g.PlayerReportNumber : g.GoalieReportNumber;
}

void loadCurrentFormat(CatKind kind, int16_t number)
{
    if (kind == CatKind::Player)
        LoadPlayerReportFormat(number);
    else
        LoadGoalieReportFormat(number);
}

}  // namespace

frmRptSelect::frmRptSelect(const RptSelectInput& input)
    : kind_(FormatKind(input.reportCode)), numberInUse_(currentFormatNumber(kind_))
{
    setObjectName(QStringLiteral("frmRptSelect"));
    setWindowTitle(QStringLiteral("Select Report Format"));
    setDesignSize(6000, 3480);

    QLabel* label = makeLabel(this, QStringLiteral("Label1"), QStringLiteral("Report Formats"), 240, 150, 3600);
    lstReports = makeListBox(this, QStringLiteral("lstReports"), 240, 420, 3720, 2820);
    nameBoxByLabel(label, lstReports);
    QGroupBox* frame = makeFrame(this, QStringLiteral("Frame1"), QStringLiteral("Report Format"), 4200, 360, 1560, 1740);
    cmdAdd = makeButton(frame, QStringLiteral("cmdAdd"), QStringLiteral("&Add"), 240, 300, 1080);
    cmdChange = makeButton(frame, QStringLiteral("cmdChange"), QStringLiteral("&Change"), 240, 780, 1080);
    cmdDelete = makeButton(frame, QStringLiteral("cmdDelete"), QStringLiteral("&Delete"), 240, 1260, 1080);
    cmdOK = makeButton(this, QStringLiteral("cmdOK"), QStringLiteral("OK"), 4440, 2340, 1080);
    cmdCancel = makeButton(this, QStringLiteral("cmdCancel"), QStringLiteral("Cancel"), 4440, 2820, 1080);

    setTabOrder(lstReports, cmdAdd);
    setTabOrder(cmdAdd, cmdChange);
    setTabOrder(cmdChange, cmdDelete);
    setTabOrder(cmdDelete, cmdOK);
    setTabOrder(cmdOK, cmdCancel);

    ButtonKeys::setDefaultButton(this, cmdOK);
    ButtonKeys::setCancelButton(this, cmdCancel);
    connect(lstReports, &QListWidget::itemDoubleClicked, this, [this] { cmdOK_Click(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(cmdAdd, &QPushButton::clicked, this, [this] { cmdAdd_Click(); });
    connect(cmdChange, &QPushButton::clicked, this, [this] { cmdChange_Click(); });
    connect(cmdDelete, &QPushButton::clicked, this, [this] { cmdDelete_Click(); });
    InstallHelpKey(this, HelpTopic::ReportFormats);
}

std::optional<RptSelectResult> frmRptSelect::run(const RptSelectInput& input)
{
    frmRptSelect dialog(input);
    dialog.showModal();
    return dialog.result();
}

void frmRptSelect::Form_Load()
{
    std::vector<FormatEntry> formats;
    try {
        formats = ListFormats(Db(), kind_);
    } catch (...) {
        ShowDataError(QStringLiteral("The report formats could not be read."), windowTitle(),
                          std::current_exception());
    }
    for (const FormatEntry& f : formats)
        addEntry(f);
    for (int r = 0; r < lstReports->count(); ++r)
        if (lstReports->item(r)->data(Qt::UserRole).toInt() == currentFormatNumber(kind_))
            lstReports->setCurrentRow(r);
    if (lstReports->count() > 0 && lstReports->currentRow() < 0)
        lstReports->setCurrentRow(0);
    enableChoice();
    lstReports->setFocus();
}

void frmRptSelect::addEntry(const FormatEntry& entry)
{
    auto* item = new QListWidgetItem(entry.name.trimmed());
    item->setData(Qt::UserRole, int(entry.number));
    lstReports->addItem(item);
}

void frmRptSelect::enableChoice()
{
    const bool any = lstReports->count() > 0;
    cmdOK->setEnabled(any);
    cmdChange->setEnabled(any);
    cmdDelete->setEnabled(any);
}

int16_t frmRptSelect::currentNumber() const
{
    QListWidgetItem* item = lstReports->currentItem();
    return item ? int16_t(item->data(Qt::UserRole).toInt()) : int16_t(0);
}

void frmRptSelect::cmdOK_Click()
{
    if (!lstReports->currentItem())
        return;
    const int16_t number = currentNumber();
    try {
        ChooseFormat(Db(), kind_, number);
        loadCurrentFormat(kind_, number);
    } catch (...) {
        ShowDataError(QStringLiteral("The report format could not be chosen."), windowTitle(),
                          std::current_exception());
        return;
    }
    g.EditReportNumber = number;
    result_ = RptSelectResult{number};
    accept();
}

void frmRptSelect::cmdCancel_Click()
{
    result_.reset();
    reject();
}

void frmRptSelect::done(int result)
{
    // Only a chosen format counts as OK; Esc and every other way out cancel,
    // unless the format in use was deleted meanwhile: the one that took its
    // place is the report's now, as if chosen.
    if (!result_ && currentFormatNumber(kind_) != numberInUse_)
        result_ = RptSelectResult{currentFormatNumber(kind_)};
    QDialog::done(result_ ? QDialog::Accepted : QDialog::Rejected);
    (void)result;
}

void frmRptSelect::cmdAdd_Click()
{
    g.EditReportNumber = 0;
    const std::optional<int16_t> stored = frmFormat::run({kind_, 0});
    if (!stored)
        return;
    std::optional<FormatEntry> entry;
    try {
        entry = ReadFormatEntry(Db(), kind_, *stored);
    } catch (...) {
        ShowDataError(QStringLiteral("The report format could not be read."), windowTitle(),
                          std::current_exception());
    }
    if (entry) {
        addEntry(*entry);
        lstReports->setCurrentRow(lstReports->count() - 1);
    }
    enableChoice();
    cmdOK->setFocus();
}

void frmRptSelect::cmdChange_Click()
{
    QListWidgetItem* item = lstReports->currentItem();
    if (!item)
        return;
    g.EditReportNumber = currentNumber();
    const std::optional<int16_t> stored = frmFormat::run({kind_, g.EditReportNumber});
    if (!stored)
        return;
    try {
        if (std::optional<FormatEntry> entry = ReadFormatEntry(Db(), kind_, *stored))
            item->setText(entry->name.trimmed());
    } catch (...) {
        ShowDataError(QStringLiteral("The report format could not be read."), windowTitle(),
                          std::current_exception());
    }
    cmdOK->setFocus();
}

void frmRptSelect::cmdDelete_Click()
{
    QListWidgetItem* item = lstReports->currentItem();
    if (!item)
        return;
    if (lstReports->count() == 1) {
        MsgBox(QStringLiteral("Cannot Delete Only Report Format"), g.MsgStyleWarn, QStringLiteral("Only Report"));
        return;
    }
    if (MsgBox(QStringLiteral("Are you sure?"), g.MsgStyleYesNo, QStringLiteral("Delete Report Format")) != vbYes)
        return;
    const int row = lstReports->currentRow();
    const int16_t number = currentNumber();
    // The entry that is selected after the deletion also takes over the
    // choice when the deleted format was the one in use.
    const int nextRow = row + 1 < lstReports->count() ? row + 1 : row - 1;
    const int16_t replacement = int16_t(lstReports->item(nextRow)->data(Qt::UserRole).toInt());
    try {
        DeleteFormat(Db(), kind_, number, replacement);
        if (currentFormatNumber(kind_) == number)
            loadCurrentFormat(kind_, replacement);
    } catch (...) {
        ShowDataError(QStringLiteral("The report format could not be deleted. Nothing has been changed."),
                          windowTitle(), std::current_exception());
        return;
    }
    delete lstReports->takeItem(row);
    lstReports->setCurrentRow(std::min(row, lstReports->count() - 1));
}

}  // namespace vh
