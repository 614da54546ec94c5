#include "stats/frmSort.h"

#include "shell/Controls.h"
#include "shell/Help.h"
#include "stats/ComputeParameters.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace vh {

frmSort::frmSort(SortInput input) : input_(std::move(input))
{
    setObjectName(QStringLiteral("frmSort"));
    setWindowTitle(QStringLiteral("Select Sort"));
    setDesignSize(3840, 4080);

    lstCat = makeListBox(this, QStringLiteral("lstCat"), 240, 240, 1500, 3120);
    lstCat->setSelectionMode(QAbstractItemView::SingleSelection);
    nameBox(lstCat, QStringLiteral("Sort category"));
    Label1 = makeLabel(this, QStringLiteral("Label1"), QStringLiteral("Double-Click to Quick Select"), 240, 3480,
                       3400);
    Label1->setStyleSheet(QStringLiteral("color: gray;"));
    optDesc = makeOption(this, QStringLiteral("optDesc"), QStringLiteral("&Descending"), 2040, 300, 1600);
    optAsc = makeOption(this, QStringLiteral("optAsc"), QStringLiteral("&Ascending"), 2040, 620, 1600);
    optDesc->setChecked(true);
    cmdOK = makeButton(this, QStringLiteral("cmdOK"), QStringLiteral("OK"), 2040, 2400, 1500);
    cmdCancel = makeButton(this, QStringLiteral("cmdCancel"), QStringLiteral("Cancel"), 2040, 2880, 1500);
    ButtonKeys::setDefaultButton(this, cmdOK);
    ButtonKeys::setCancelButton(this, cmdCancel);
    InstallHelpKey(this, HelpTopic::MinimumAndSort);

    connect(lstCat, &QListWidget::itemDoubleClicked, this, &frmSort::lstCat_DblClick);
    connect(cmdOK, &QPushButton::clicked, this, &frmSort::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmSort::cmdCancel_Click);
}

std::optional<SortChoice> frmSort::ask(const SortInput& input)
{
    frmSort dialog(input);
    dialog.showModal();
    return dialog.output();
}

void frmSort::Form_Load()
{
    output_.reset();
    lstCat->clear();
    const auto entries = sortListEntries(input_.reportCode, input_.abbrev);
    for (const auto& [text, category] : entries) {
        auto* item = new QListWidgetItem(text, lstCat);
        item->setData(Qt::UserRole, int(category));
        if (category == input_.current.category) {
            lstCat->setCurrentItem(item);
            item->setSelected(true);
        }
    }
    if (!entries.empty())
        (input_.current.direction == QLatin1String("D") ? optDesc : optAsc)->setChecked(true);
    if (lstCat->currentItem())
        lstCat->scrollToItem(lstCat->currentItem());
    lstCat->setFocus();
}

void frmSort::cmdOK_Click()
{
    SortChoice choice = input_.current;
    const QList<QListWidgetItem*> chosen = lstCat->selectedItems();
    if (!chosen.isEmpty())
        choice.category = int16_t(chosen.first()->data(Qt::UserRole).toInt());
    choice.direction = optDesc->isChecked() ? QStringLiteral("D") : QStringLiteral("A");
    output_ = choice;
    accept();
}

void frmSort::lstCat_DblClick() { cmdOK_Click(); }

void frmSort::cmdCancel_Click() { reject(); }

void frmSort::done(int result)
{
    if (result != Accepted)
        output_.reset();
    Dialog::done(result);
}

}  // namespace vh
