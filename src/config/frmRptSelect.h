#pragma once
// The report format chooser of the player and goalie statistics reports: the
// user picks the format the report uses from now on (also after a restart),
// and adds, changes and deletes formats of that kind through the editor.
//
// The statistics window's Format button runs it:
//     g.CancelFlag = "N";
//     if (!frmRptSelect::run({g.ReportCode})) g.CancelFlag = "Y";
// On OK the chosen format is already the current one (report line, name and
// sort in the project-wide state) and stored in table ReportNumber. Deleting
// the format in use moves both to its neighbour at once, so a Cancel after
// that still returns the format the report must now show.

#include "config/ReportFormats.h"
#include "shell/Form.h"

#include <optional>

class QListWidget;
class QPushButton;

namespace vh {

struct RptSelectInput {
    QString reportCode;  // "P" player formats, "G" goalie formats
};

struct RptSelectResult {
    int16_t reportNumber = 0;  // the chosen format, now the current one
};

class frmRptSelect : public Dialog {
    Q_OBJECT
public:
    explicit frmRptSelect(const RptSelectInput& input);

    // Runs the chooser; the format the report now uses, nothing when
    // cancelled with the format in use left as it was.
    static std::optional<RptSelectResult> run(const RptSelectInput& input);

    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdAdd_Click();
    void cmdChange_Click();
    void cmdDelete_Click();

    std::optional<RptSelectResult> result() const { return result_; }

    QListWidget* lstReports = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdChange = nullptr;
    QPushButton* cmdDelete = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    void done(int result) override;

protected:
    void Form_Load() override;

private:
    void addEntry(const FormatEntry& entry);
    void enableChoice();
    int16_t currentNumber() const;

    CatKind kind_;
    int16_t numberInUse_;  // the report's format when the chooser opened
    std::optional<RptSelectResult> result_;
};

}  // namespace vh
