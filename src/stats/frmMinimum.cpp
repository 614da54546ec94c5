#include "stats/frmMinimum.h"

#include "platform/basic/Basic.h"
#include "shell/Controls.h"
#include "shell/Help.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

namespace vh {

frmMinimum::frmMinimum(MinimumChoice start) : start_(std::move(start))
{
    setObjectName(QStringLiteral("frmMinimum"));
    setWindowTitle(QStringLiteral("Minimum"));
    setDesignSize(4680, 2340);

    lblMin = makeLabel(this, QStringLiteral("lblMin"), QStringLiteral("Minimum Games Played"), 240, 300, 2400);
    txtMin = makeTextBox(this, QStringLiteral("txtMin"), 4, 2700, 260, 800);
    nameBoxByLabel(lblMin, txtMin);
    installNumericKeyFilter(txtMin);
    keepPastedDigitsOnly(txtMin);
    selectAllOnFocus(txtMin);
    optGames = makeOption(this, QStringLiteral("optGames"), QStringLiteral("&Games Played"), 240, 800, 2200);
    optOther = makeOption(this, QStringLiteral("optOther"), QStringLiteral("&Minutes Played"), 240, 1120, 2200);
    optGames->setChecked(true);
    cmdNoMin = makeButton(this, QStringLiteral("cmdNoMin"), QStringLiteral("&No Minimum"), 240, 1700, 1800);
    cmdOK = makeButton(this, QStringLiteral("cmdOK"), QStringLiteral("OK"), 3120, 800, 1320);
    cmdCancel = makeButton(this, QStringLiteral("cmdCancel"), QStringLiteral("Cancel"), 3120, 1250, 1320);
    ButtonKeys::setDefaultButton(this, cmdOK);
    ButtonKeys::setCancelButton(this, cmdCancel);
    InstallHelpKey(this, HelpTopic::MinimumAndSort);

    // Toggled fires for a click and for a check made by code alike.
    connect(optGames, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optGames_Click();
    });
    connect(optOther, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optOther_Click();
    });
    connect(cmdOK, &QPushButton::clicked, this, &frmMinimum::cmdOK_Click);
    connect(cmdNoMin, &QPushButton::clicked, this, &frmMinimum::cmdNoMin_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmMinimum::cmdCancel_Click);
}

std::optional<MinimumChoice> frmMinimum::ask(const MinimumChoice& start)
{
    frmMinimum dialog(start);
    dialog.showModal();
    return dialog.output();
}

void frmMinimum::Form_Load()
{
    output_.reset();
    basis_ = start_.basis;
    txtMin->setText(QString::number(start_.value));
    if (start_.basis == QLatin1String("G")) {
        optGames->setChecked(true);
        optGames_Click();
    } else {
        optOther->setChecked(true);
        optOther_Click();
    }
    txtMin->setFocus();
}

void frmMinimum::optGames_Click()
{
    basis_ = QStringLiteral("G");
    lblMin->setText(QStringLiteral("Minimum Games Played"));
}

void frmMinimum::optOther_Click()
{
    basis_ = QStringLiteral("O");
    lblMin->setText(QStringLiteral("Minimum Minutes Played"));
}

void frmMinimum::cmdOK_Click()
{
    // The box holds at most four digits; an empty box means no minimum.
    output_ = MinimumChoice{int16_t(std::clamp(Val(txtMin->text()), 0.0, 9999.0)), basis_};
    accept();
}

void frmMinimum::cmdNoMin_Click()
{
    output_ = MinimumChoice{0, basis_};
    accept();
}

void frmMinimum::cmdCancel_Click() { reject(); }

void frmMinimum::done(int result)
{
    if (result != Accepted)
        output_.reset();
    Dialog::done(result);
}

}  // namespace vh
