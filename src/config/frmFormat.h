#pragma once
// The report format editor: a new or stored format of the player or goalie
// statistics report, with its name, the categories of its report line in
// column order, and its sort. OK stores it; the caller learns its number.

#include "config/ReportFormats.h"
#include "shell/Form.h"

#include <optional>

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace vh {

struct FormatEditInput {
    CatKind kind = CatKind::Player;
    int16_t reportNumber = 0;  // 0 for a new format
};

class frmFormat : public Dialog {
    Q_OBJECT
public:
    explicit frmFormat(const FormatEditInput& input);

    // Runs the editor; the stored format's number, nothing when cancelled.
    static std::optional<int16_t> run(const FormatEditInput& input);

    void cmdAdd_Click();
    void cmdDelete_Click();
    void cmdDefault_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

    // The format as the dialog shows it.
    FormatDetails shownFormat() const;
    std::optional<int16_t> storedNumber() const { return stored_; }

    QLineEdit* txtFormatName = nullptr;
    QListWidget* lstAll = nullptr;
    QListWidget* lstSelCat = nullptr;
    QComboBox* cmbSortCat = nullptr;
    QRadioButton* optSortDesc = nullptr;
    QRadioButton* optSortAsc = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdDelete = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdDefault = nullptr;
    QPushButton* cmdCancel = nullptr;

    void done(int result) override;

protected:
    void Form_Load() override;

private:
    void fillLists(const std::vector<int16_t>& line);
    void setSort(int16_t category, const QString& direction);
    static void moveEntry(QListWidget* from, QListWidget* to);

    FormatEditInput input_;
    std::optional<int16_t> stored_;
};

}  // namespace vh
