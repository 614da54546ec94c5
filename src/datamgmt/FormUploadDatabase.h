#pragma once
// The "Send Us Your Data" window: the user describes the problem, and the
// window sends the description and the closed database to support, showing
// progress, and says how it went. It is hidden, not destroyed, when it ends,
// so the typed texts are still there the next time within one run.

#include "datamgmt/SupportUpload.h"
#include "shell/Form.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace vh {

class FormUploadDatabase : public Dialog {
    Q_OBJECT
public:
    explicit FormUploadDatabase(QWidget* parent = nullptr);

    // The database to send; set before the window is shown.
    QString UploadDataPath;
    // Where the files go; the support service unless tests point it elsewhere.
    UploadSettings Settings = UploadSettings::fromEnvironment();

    QString BuildData() const;
    QString BuildSysData() const;

    void cmdUpload_Click();
    void cmdCancel_Click();
    void cmdHelp_Click();
    void CommandViewData_Click();

    QGroupBox* Frame1 = nullptr;
    QLineEdit* TextName = nullptr;
    QLineEdit* TextEmail = nullptr;
    QLineEdit* TextTelephone = nullptr;
    QLineEdit* TextHelpDeskTicket = nullptr;
    QPlainTextEdit* TextDescription = nullptr;
    QPushButton* CommandViewData = nullptr;
    QPushButton* cmdUpload = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdHelp = nullptr;
    QLabel* LabelInstructions = nullptr;
    QLabel* LabelStatus = nullptr;
    QProgressBar* ProgressBar1 = nullptr;

protected:
    void Form_Load() override;
    void placeOnOpen() override;
    void reject() override;

private:
    ProblemReport report() const;
    void setUploading(bool uploading);
    void ResetFields();
    void finish();

    bool loaded_ = false;
    bool UploadCancelled = false;
};

// The frame's opener: shows the one window of the run modally for the
// database at `dataPath`.
void ShowUploadDatabase(const QString& dataPath);

}  // namespace vh
