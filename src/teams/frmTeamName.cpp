#include "teams/frmTeamName.h"

#include "platform/MsgBox.h"
#include "platform/basic/Basic.h"
#include "shell/Controls.h"
#include "shell/Globals.h"
#include "shell/Help.h"
#include "shell/MenuState.h"
#include "shell/Procedures.h"
#include "shell/Renumber.h"
#include "teams/TeamStore.h"

#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace vh {

namespace {

// The notes box, like the one-line boxes, selects its text when Tab brings
// the focus to it and leaves the caret alone when the mouse does.
class NotesTabSelect : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::FocusIn) {
            const auto reason = static_cast<QFocusEvent*>(e)->reason();
            if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)
                if (auto* box = qobject_cast<QPlainTextEdit*>(o))
                    QMetaObject::invokeMethod(box, &QPlainTextEdit::selectAll, Qt::QueuedConnection);
        }
        return false;
    }
};

// A caption right-aligned left of its box.
QLabel* fieldLabel(QWidget* parent, const QString& caption, int top)
{
    QLabel* label = makeLabel(parent, QString(), caption, 120, top, 1440, 285);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QLineEdit* fieldBox(QWidget* parent, const QString& caption, const char* name, int maxLength, int top, int width)
{
    QLineEdit* box = makeTextBox(parent, QLatin1String(name), maxLength, 1680, top, width, 315);
    nameBoxByLabel(fieldLabel(parent, caption, top), box);
    selectAllOnTabFocus(box);
    return box;
}

}  // namespace

frmTeamName::frmTeamName() : Form(FormNo::TeamName)
{
    setObjectName(QStringLiteral("frmTeamName"));
    setDesignSize(6255, 4695);

    txtTeamName = fieldBox(this, QStringLiteral("Long Name:"), "txtTeamName", 50, 240, 4335);
    txtShortTeamName = fieldBox(this, QStringLiteral("Short Name:"), "txtShortTeamName", 20, 645, 2415);
    txtContactPerson = fieldBox(this, QStringLiteral("Contact Person:"), "txtContactPerson", 50, 1050, 4335);
    txtPhoneNumber = fieldBox(this, QStringLiteral("Phone Number:"), "txtPhoneNumber", 30, 1455, 2415);
    txtEmail = fieldBox(this, QStringLiteral("Email:"), "txtEmail", 70, 1860, 4335);

    QLabel* lblNotes = fieldLabel(this, QStringLiteral("Notes:"), 2265);
    txtNotes = makeMemoBox(this, QStringLiteral("txtNotes"), 1680, 2265, 4335, 1215);
    nameBoxByLabel(lblNotes, txtNotes);
    txtNotes->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtNotes->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtNotes->installEventFilter(new NotesTabSelect(txtNotes));

    lblDeleteMsg = makeLabel(this, QStringLiteral("lblDeleteMsg"),
                             QStringLiteral("The roster, game scores and player statistics will ALSO BE DELETED!"), 120,
                             3555, 6015, 480);
    lblDeleteMsg->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold;"));
    lblDeleteMsg->setAlignment(Qt::AlignCenter);
    lblDeleteMsg->setWordWrap(true);

    cmdOK = makeButton(this, QStringLiteral("cmdOK"), QString(), 3675, 4110, 1080, 375);
    cmdCancel = makeButton(this, QStringLiteral("cmdCancel"), QStringLiteral("Cancel"), 4935, 4110, 1080, 375);

    setTabOrder(txtTeamName, txtShortTeamName);
    setTabOrder(txtShortTeamName, txtContactPerson);
    setTabOrder(txtContactPerson, txtPhoneNumber);
    setTabOrder(txtPhoneNumber, txtEmail);
    setTabOrder(txtEmail, txtNotes);
    setTabOrder(txtNotes, cmdOK);
    setTabOrder(cmdOK, cmdCancel);

    ButtonKeys::setDefaultButton(this, cmdOK);
    ButtonKeys::setCancelButton(this, cmdCancel);
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    InstallHelpKey(this, HelpTopic::TeamEditor);
}

void frmTeamName::Form_Load()
{
    CenterForm(this);
    mode_ = g.TeamMode;
    if (mode_ == QLatin1String("A")) {
        lblDeleteMsg->hide();
        setWindowTitle(QStringLiteral("Add Team"));
        for (QLineEdit* box : {txtTeamName, txtShortTeamName, txtContactPerson, txtPhoneNumber, txtEmail})
            box->clear();
        txtNotes->clear();
        cmdOK->setText(QStringLiteral("&Add"));
    } else if (mode_ == QLatin1String("D")) {
        lblDeleteMsg->show();
        setWindowTitle(QStringLiteral("Delete Team"));
        cmdOK->setText(QStringLiteral("&Delete"));
    } else {
        lblDeleteMsg->hide();
        setWindowTitle(QStringLiteral("Change Team"));
        cmdOK->setText(QStringLiteral("&Change"));
    }

    if (mode_ != QLatin1String("A")) {
        std::optional<TeamDetails> team;
        bool readOk = true;
        try {
            team = ReadTeamDetails(Db(), g.CurrentTeam);
        } catch (...) {
            readOk = false;
            ShowDataError(QStringLiteral("The team could not be read."), windowTitle(), std::current_exception());
        }
        if (!readOk) {
            cmdOK->setEnabled(false);
        } else if (team) {
            txtTeamName->setText(team->longName);
            txtShortTeamName->setText(team->shortName);
            txtContactPerson->setText(team->contactPerson);
            txtPhoneNumber->setText(team->phoneNumber);
            txtEmail->setText(team->email);
            txtNotes->setPlainText(team->notes);
        } else {
            // Nothing to change or delete: only Cancel leads on.
            MsgBox(QStringLiteral("The selected team could not be found!"), g.MsgStyleWarn,
                   QStringLiteral("Team Not Found"));
            cmdOK->setEnabled(false);
        }
    }
    txtTeamName->setFocus();
}

void frmTeamName::Form_Unload() {}

void frmTeamName::cmdCancel_Click()
{
    unloadForm();
    ShowSelectTeamAgain();
}

void frmTeamName::cmdOK_Click()
{
    if (mode_ == QLatin1String("D"))
        deleteTeam();
    else
        saveTeam();
}

void frmTeamName::deleteTeam()
{
    if (MsgBox(QStringLiteral("Are you sure? The roster and ALL team and player results will be permanently deleted!"),
               g.MsgStyleConfirm, QStringLiteral("Delete Team, Roster and Results")) == vbCancel) {
        txtTeamName->setFocus();
        return;
    }
    try {
        DeleteTeam(Db(), g.CurrentTeam);
    } catch (...) {
        ShowDataError(QStringLiteral("The team could not be deleted. Nothing has been changed."),
                          QStringLiteral("Delete Team"), std::current_exception());
        return;
    }
    g.CurrentTeam = 0;
    finish(QStringLiteral("Select"));
}

void frmTeamName::saveTeam()
{
    TeamDetails team;
    team.longName = txtTeamName->text();
    team.shortName = txtShortTeamName->text();
    team.contactPerson = txtContactPerson->text();
    team.phoneNumber = txtPhoneNumber->text();
    team.email = txtEmail->text();
    team.notes = txtNotes->toPlainText();
    if (!PrepareTeamDetails(team)) {
        MsgBox(QStringLiteral("Long Name can not be blank!"), g.MsgStyleWarn, QStringLiteral("Invalid Team Name"));
        txtTeamName->setFocus();
        return;
    }
    try {
        if (mode_ == QLatin1String("A")) {
            const std::optional<int16_t> number = NewTeamNumber(Db(), g.NextTeamNumber);
            if (!number) {
                ShowNoNumberLeft(KeyKind::Team);
                txtTeamName->setFocus();
                return;
            }
            AddTeam(Db(), *number, team);
            RaiseNextNumber(g.NextTeamNumber, *number);
        } else if (!ChangeTeam(Db(), g.CurrentTeam, team)) {
            MsgBox(QStringLiteral("The selected team could not be found!"), g.MsgStyleWarn,
                   QStringLiteral("Team Not Found"));
            return;
        }
    } catch (...) {
        ShowDataError(QStringLiteral("The team could not be saved. Nothing has been changed."), windowTitle(),
                          std::current_exception());
        return;
    }
    finish(QStringLiteral("TeamName"));
}

void frmTeamName::finish(const QString& menuMode)
{
    unloadForm();
    ReloadSelectTeam();
    SetMenus(g.SelectedTeamCount, menuMode);
}

}  // namespace vh
