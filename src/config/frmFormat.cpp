#include "config/frmFormat.h"

#include "platform/MsgBox.h"
#include "shell/Controls.h"
#include "shell/Globals.h"
#include "shell/Help.h"
#include "shell/Procedures.h"
#include "shell/Renumber.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace vh {

namespace {

const QString kEnd = QStringLiteral("end");

QString abbreviation(CatKind kind, int16_t number)
{
    const OneBased<FixedString<3>>& table = kind == CatKind::Player ? g.PlayerCatAbbrev : g.GoalieCatAbbrev;
    return number >= 1 && number <= table.size() ? table[number].str() : QString();
}

void addEntry(QListWidget* list, CatKind kind, int16_t number)
{
    auto* item = new QListWidgetItem(abbreviation(kind, number));
    item->setData(Qt::UserRole, int(number));
    list->addItem(item);
}

void addEnd(QListWidget* list)
{
    list->addItem(kEnd);
    list->item(list->count() - 1)->setData(Qt::UserRole, 0);
}

}  // namespace

frmFormat::frmFormat(const FormatEditInput& input) : input_(input)
{
    setObjectName(QStringLiteral("frmFormat"));
    setWindowTitle(QStringLiteral("Report Format"));
    setDesignSize(6840, 4920);

    QLabel* nameLabel = makeLabel(this, QStringLiteral("Label2"), QStringLiteral("Report Format Name:"), 240, 180, 2040);
    txtFormatName = makeTextBox(this, QStringLiteral("txtFormatName"), 25, 2400, 150, 3120);
    nameBoxByLabel(nameLabel, txtFormatName);
    selectAllOnTabFocus(txtFormatName);

    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    QLabel* l1 = makeLabel(this, QStringLiteral("l1"), QStringLiteral("Not On Report"), 240, 660, 1440);
    lstAll = makeListBox(this, QStringLiteral("lstAll"), 240, 900, 1440, 3840);
    nameBoxByLabel(l1, lstAll);
    cmdAdd = makeButton(this, QStringLiteral("cmdAdd"), QStringLiteral("===>"), 1830, 2040, 780);
    cmdDelete = makeButton(this, QStringLiteral("cmdDelete"), QStringLiteral("<==="), 1830, 2580, 780);
    QLabel* l2 = makeLabel(this, QStringLiteral("l2"), QStringLiteral("Report Line "), 2760, 660, 1440);
    lstSelCat = makeListBox(this, QStringLiteral("lstSelCat"), 2760, 900, 1440, 3840);
    nameBoxByLabel(l2, lstSelCat);
    for (QListWidget* list : {lstAll, lstSelCat})
        list->setFont(fixed);

    QGroupBox* frame = makeFrame(this, QStringLiteral("Frame1"), QStringLiteral("Sort Order"), 4440, 900, 2160, 1560);
    cmbSortCat = makeComboBox(frame, QStringLiteral("cmbSortCat"), 120, 300, 1920);
    cmbSortCat->setFont(fixed);
    nameBox(cmbSortCat, QStringLiteral("Sort Order"));
    optSortDesc = makeOption(frame, QStringLiteral("optSortDesc"), QStringLiteral("Descending"), 120, 780, 1920);
    optSortAsc = makeOption(frame, QStringLiteral("optSortAsc"), QStringLiteral("Ascending"), 120, 1140, 1920);
    // Both buttons can be off, for a format stored without a direction.
    auto* directions = new QButtonGroup(frame);
    directions->addButton(optSortDesc);
    directions->addButton(optSortAsc);

    cmdOK = makeButton(this, QStringLiteral("cmdOK"), QStringLiteral("OK"), 4980, 3000, 1080);
    cmdDefault = makeButton(this, QStringLiteral("cmdDefault"), QStringLiteral("&Default"), 4980, 3480, 1080);
    cmdCancel = makeButton(this, QStringLiteral("cmdCancel"), QStringLiteral("Cancel"), 4980, 3960, 1080);

    setTabOrder(txtFormatName, lstAll);
    setTabOrder(lstAll, cmdAdd);
    setTabOrder(cmdAdd, cmdDelete);
    setTabOrder(cmdDelete, lstSelCat);
    setTabOrder(lstSelCat, cmbSortCat);
    setTabOrder(cmbSortCat, optSortDesc);
    setTabOrder(optSortDesc, optSortAsc);
    setTabOrder(optSortAsc, cmdOK);
    setTabOrder(cmdOK, cmdDefault);
    setTabOrder(cmdDefault, cmdCancel);

    ButtonKeys::setDefaultButton(this, cmdOK);
    ButtonKeys::setCancelButton(this, cmdCancel);
    connect(cmdAdd, &QPushButton::clicked, this, [this] { cmdAdd_Click(); });
    connect(cmdDelete, &QPushButton::clicked, this, [this] { cmdDelete_Click(); });
    connect(lstAll, &QListWidget::itemDoubleClicked, this, [this] { cmdAdd_Click(); });
    connect(lstSelCat, &QListWidget::itemDoubleClicked, this, [this] { cmdDelete_Click(); });
    connect(cmdDefault, &QPushButton::clicked, this, [this] { cmdDefault_Click(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    InstallHelpKey(this, HelpTopic::ReportFormats);
}

std::optional<int16_t> frmFormat::run(const FormatEditInput& input)
{
    frmFormat dialog(input);
    dialog.showModal();
    return dialog.storedNumber();
}

void frmFormat::Form_Load()
{
    FormatDetails format = NewFormat(input_.kind);
    if (input_.reportNumber > 0) {
        std::optional<FormatDetails> stored;
        try {
            stored = ReadFormat(Db(), input_.kind, input_.reportNumber);
        } catch (...) {
            ShowDataError(QStringLiteral("The report format could not be read."), windowTitle(),
                              std::current_exception());
        }
        format = stored.value_or(FormatDetails{});
    }
    txtFormatName->setText(format.name);
    for (int16_t c : ReportableCategories(input_.kind)) {
        cmbSortCat->addItem(abbreviation(input_.kind, c), int(c));
    }
    fillLists(format.line);
    setSort(format.sortCategory, format.sortDirection);
    txtFormatName->setFocus();
}

void frmFormat::fillLists(const std::vector<int16_t>& line)
{
    lstAll->clear();
    lstSelCat->clear();
    for (int16_t c : line)
        addEntry(lstSelCat, input_.kind, c);
    for (int16_t c : ReportableCategories(input_.kind))
        if (std::find(line.begin(), line.end(), c) == line.end())
            addEntry(lstAll, input_.kind, c);
    addEnd(lstSelCat);
    addEnd(lstAll);
    lstAll->setCurrentRow(0);
    lstSelCat->setCurrentRow(0);
}

void frmFormat::setSort(int16_t category, const QString& direction)
{
    cmbSortCat->setCurrentIndex(cmbSortCat->findData(int(category)));
    optSortAsc->setChecked(direction == QLatin1String("A"));
    optSortDesc->setChecked(direction == QLatin1String("D"));
}

FormatDetails frmFormat::shownFormat() const
{
    FormatDetails f;
    f.name = txtFormatName->text();
    for (int r = 0; r + 1 < lstSelCat->count(); ++r)
        f.line.push_back(int16_t(lstSelCat->item(r)->data(Qt::UserRole).toInt()));
    f.sortCategory = cmbSortCat->currentIndex() >= 0 ? int16_t(cmbSortCat->currentData().toInt()) : int16_t(0);
    f.sortDirection = optSortAsc->isChecked() ? QStringLiteral("A")
                      : optSortDesc->isChecked() ? QStringLiteral("D")
                                                 : QString();
    return f;
}

void frmFormat::moveEntry(QListWidget* from, QListWidget* to)
{
    const int row = from->currentRow();
    if (row < 0 || row >= from->count() - 1)
        return;  // "end" or nothing chosen: nothing moves
    QListWidgetItem* item = from->takeItem(row);
    int at = to->currentRow();
    if (at < 0)
        at = to->count() - 1;
    QListWidgetItem* keep = to->item(at);
    to->insertItem(at, item);
    to->setCurrentItem(keep);
    from->setCurrentRow(row);
}

void frmFormat::cmdAdd_Click() { moveEntry(lstAll, lstSelCat); }
void frmFormat::cmdDelete_Click() { moveEntry(lstSelCat, lstAll); }

void frmFormat::cmdDefault_Click()
{
    const FormatDetails def = DefaultFormat(input_.kind);
    fillLists(def.line);
    setSort(def.sortCategory, def.sortDirection);
}

void frmFormat::cmdOK_Click()
{
    const FormatDetails format = shownFormat();
    if (const std::optional<FormatProblem> problem = CheckFormat(format)) {
        MsgBox(problem->message, g.MsgStyleWarn, problem->title);
        switch (problem->focus) {
        case FormatProblem::Name: txtFormatName->setFocus(); break;
        case FormatProblem::Line: lstAll->setFocus(); break;
        case FormatProblem::SortCategory: cmbSortCat->setFocus(); break;
        case FormatProblem::SortDirection: optSortDesc->setFocus(); break;
        }
        return;
    }
    try {
        stored_ = StoreFormat(Db(), input_.kind, input_.reportNumber, format);
    } catch (...) {
        ShowDataError(QStringLiteral("The report format could not be saved. Nothing has been changed."),
                          windowTitle(), std::current_exception());
        return;
    }
    if (!stored_) {
        ShowNoNumberLeft(KeyKind::ReportFormat);
        txtFormatName->setFocus();
        return;
    }
    g.EditReportNumber = *stored_;
    accept();
}

void frmFormat::cmdCancel_Click()
{
    stored_.reset();
    reject();
}

void frmFormat::done(int result)
{
    // Only a stored format counts as OK; Esc and every other way out cancel.
    QDialog::done(stored_ ? QDialog::Accepted : QDialog::Rejected);
    (void)result;
}

}  // namespace vh
