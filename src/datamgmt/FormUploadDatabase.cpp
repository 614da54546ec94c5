#include "datamgmt/FormUploadDatabase.h"

#include "platform/MsgBox.h"
#include "shell/Controls.h"
#include "shell/Globals.h"
#include "shell/Help.h"
#include "shell/Frame.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>

namespace vh {

namespace {

QString stageText(UploadStage s)
{
    switch (s) {
    case UploadStage::Connecting:
        return QStringLiteral("Connecting to Brisvel Software");
    case UploadStage::UploadingDescription:
        return QStringLiteral("Uploading Problem Description");
    case UploadStage::UploadingDatabase:
        return QStringLiteral("Uploading Database");
    case UploadStage::Complete:
        return QStringLiteral("Upload Complete");
    }
    return {};
}

}  // namespace

FormUploadDatabase::FormUploadDatabase(QWidget* parent) : Dialog(parent)
{
    setObjectName(QStringLiteral("FormUploadDatabase"));
    setWindowTitle(QStringLiteral("Send Us Your Data"));
    setDesignSize(7020, 7020);

    LabelInstructions = makeLabel(
        this, QStringLiteral("LabelInstructions"),
        QStringLiteral("If you need assistance from Brisvel in resolving a problem, please enter your contact "
                       "information and click Send Your Data.  This information and your program data file will be "
                       "submitted to Brisvel Software's Helpdesk."),
        240, 120, 6540, 1020);
    LabelInstructions->setWordWrap(true);
    LabelStatus = makeLabel(this, QStringLiteral("LabelStatus"), QStringLiteral("Uploading Data: "), 240, 120, 6540);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    place(ProgressBar1, 240, 450, 6540, 300);

    Frame1 = makeFrame(this, QStringLiteral("Frame1"), QString(), 240, 1260, 6540, 4140);
    const auto field = [this](const char* labelName, const QString& caption, const char* boxName, int top) {
        QLabel* l = makeLabel(Frame1, QLatin1String(labelName), caption, 120, top + 30, 3060);
        QLineEdit* box = makeTextBox(Frame1, QLatin1String(boxName), 0, 3240, top, 3180);
        nameBoxByLabel(l, box);
        selectAllOnTabFocus(box);
        return box;
    };
    TextName = field("Label1", QStringLiteral("Name:"), "TextName", 240);
    TextEmail = field("Label2", QStringLiteral("Email:"), "TextEmail", 660);
    TextTelephone = field("Label3", QStringLiteral("Phone (optional):"), "TextTelephone", 1080);
    TextHelpDeskTicket = field("Label4", QStringLiteral("Helpdesk Problem ID (optional):"), "TextHelpDeskTicket", 1500);
    QLabel* label5 = makeLabel(Frame1, QStringLiteral("Label5"), QStringLiteral("Description of the problem:"), 120,
                               1950, 6300);
    TextDescription = makeMemoBox(Frame1, QStringLiteral("TextDescription"), 120, 2220, 6300, 1200);
    nameBoxByLabel(label5, TextDescription);
    QLabel* label6 = makeLabel(Frame1, QStringLiteral("Label6"),
                               QStringLiteral("Please include specific error messages and numbers or a full "
                                              "description of the problem."),
                               120, 3480, 6300, 540);
    label6->setWordWrap(true);

    CommandViewData = makeButton(this, QStringLiteral("CommandViewData"), QStringLiteral("View Data to be Sent"), 240,
                                 6480, 2280);
    cmdUpload = makeButton(this, QStringLiteral("cmdUpload"), QStringLiteral("Send Your Data"), 2640, 6480, 1680);
    cmdCancel = makeButton(this, QStringLiteral("cmdCancel"), QStringLiteral("Cancel"), 4440, 6480, 1080);
    cmdHelp = makeButton(this, QStringLiteral("cmdHelp"), QStringLiteral("Help"), 5640, 6480, 1140);
    connect(CommandViewData, &QPushButton::clicked, this, &FormUploadDatabase::CommandViewData_Click);
    connect(cmdUpload, &QPushButton::clicked, this, &FormUploadDatabase::cmdUpload_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &FormUploadDatabase::cmdCancel_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &FormUploadDatabase::cmdHelp_Click);
    InstallHelpKey(this, HelpTopic::SendYourData);
}

void FormUploadDatabase::Form_Load()
{
    if (loaded_)
        return;  // the window is kept for the run; its load runs once
    loaded_ = true;
    UploadCancelled = false;
    ResetFields();
}

// This window is not placed by the frame's rule (which sets windows higher
// than the middle): it opens in the middle of the frame.
void FormUploadDatabase::placeOnOpen()
{
    if (const QWidget* frame = parentWidget() ? parentWidget()->window() : nullptr)
        move(frame->frameGeometry().center() - QPoint(width() / 2, height() / 2));
}

ProblemReport FormUploadDatabase::report() const
{
    return {TextName->text(), TextEmail->text(), TextTelephone->text(), TextHelpDeskTicket->text(),
            TextDescription->toPlainText()};
}

QString FormUploadDatabase::BuildSysData() const { return vh::BuildSysData(SystemFacts::current(UploadDataPath)); }

QString FormUploadDatabase::BuildData() const { return vh::BuildData(report(), SystemFacts::current(UploadDataPath)); }

void FormUploadDatabase::setUploading(bool uploading)
{
    Frame1->setEnabled(!uploading);
    CommandViewData->setEnabled(!uploading);
    cmdUpload->setEnabled(!uploading);
    cmdHelp->setEnabled(!uploading);
    LabelInstructions->setVisible(!uploading);
    LabelStatus->setVisible(uploading);
    ProgressBar1->setVisible(uploading);
    ProgressBar1->setValue(0);
    QCoreApplication::processEvents();
}

void FormUploadDatabase::ResetFields() { setUploading(false); }

void FormUploadDatabase::finish()
{
    QCoreApplication::processEvents();
    hide();
    done(QDialog::Accepted);
    UploadCancelled = false;
    ResetFields();
}

void FormUploadDatabase::cmdUpload_Click()
{
    const ProblemReport r = report();
    if (!r.complete()) {
        MsgBox(QStringLiteral("You must enter Name, Email and Description before uploading your data"),
               vbOKOnly | vbCritical, QStringLiteral("Missing Information"));
        return;
    }
    setUploading(true);
    UploadCallbacks cb;
    cb.stage = [this](UploadStage s) {
        LabelStatus->setText(stageText(s));
        ProgressBar1->setValue(s == UploadStage::Complete ? 100 : 0);
        QCoreApplication::processEvents();
    };
    cb.progress = [this](int percent) { ProgressBar1->setValue(percent); };
    cb.cancelled = [this] { return UploadCancelled; };

    const UploadOutcome out =
        SendToSupport(Settings, r, SystemFacts::current(UploadDataPath), QDateTime::currentDateTime(), cb);
    switch (out.kind) {
    case UploadOutcome::Sent:
        MsgBox(QStringLiteral("File was uploaded successfully to Brisvel Software"), vbOKOnly,
               QStringLiteral("Upload Complete"));
        break;
    case UploadOutcome::NotConnected:
        MsgBox(QStringLiteral("Unable to Connect to Brisvel Software.  You may have a firewall which is preventing "
                              "access to the Internet from the software."),
               vbOKOnly, QStringLiteral("Connection Error"));
        break;
    case UploadOutcome::Failed:
        MsgBox(QStringLiteral("Error Uploading Database.  ") +
                   (out.code ? QStringLiteral("Error Code: %1 ").arg(out.code) : QString()) +
                   QStringLiteral("Error Message: ") + out.message,
               vbOKOnly | vbCritical, QStringLiteral("Upload Error"));
        break;
    case UploadOutcome::NotNotified:
        MsgBox(QStringLiteral("Your data was uploaded to Brisvel Software but the Helpdesk could not be notified, so "
                              "please contact the Helpdesk and give them the name of your uploaded file, %1.")
                   .arg(out.uploadedAs),
               vbOKOnly | vbExclamation, QStringLiteral("Notification Error"));
        break;
    case UploadOutcome::Cancelled:
        break;
    }
    finish();
}

void FormUploadDatabase::cmdCancel_Click()
{
    if (cmdUpload->isEnabled()) {
        finish();
        return;
    }
    // The running transfer sees the flag at its next wait and stops; the
    // upload then ends through its own way out.
    UploadCancelled = true;
    LabelStatus->setText(QStringLiteral("Cancelling Upload"));
    QCoreApplication::processEvents();
}

void FormUploadDatabase::reject()
{
    // Esc and the close box act as Cancel, never cutting an upload short
    // without stopping the transfer first.
    cmdCancel_Click();
}

void FormUploadDatabase::cmdHelp_Click() { ShowHelpTopic(QString::number(HelpTopic::SendYourData)); }

void FormUploadDatabase::CommandViewData_Click()
{
    MsgBox(QStringLiteral("The following information will be sent to Brisvel Software in addition to your database:") +
               QStringLiteral("\r\n\r\n") + BuildData(),
           vbOKOnly, QStringLiteral("View Data"));
}

void ShowUploadDatabase(const QString& dataPath)
{
    static QPointer<FormUploadDatabase> window;
    if (!window)
        window = new FormUploadDatabase(g.Frame ? g.Frame->frameWidget() : nullptr);
    window->UploadDataPath = dataPath;
    window->showModal();
}

}  // namespace vh
