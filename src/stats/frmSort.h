#pragma once
// The sort category and direction of the open statistics report.

#include "shell/Form.h"

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace vh {

struct SortChoice {
    int16_t category = 0;                     // -1 by name, else a category number of the kind
    QString direction = QStringLiteral("D");  // "D" descending, "A" ascending
};

struct SortInput {
    QString reportCode;                       // "P" players, "G" goalies
    SortChoice current;
    std::array<QString, 50> abbrev;           // the kind's abbreviations, category 1 at [0]
};

class frmSort : public Dialog {
    Q_OBJECT
public:
    explicit frmSort(SortInput input);

    // The chosen sort on OK or a double click; nothing on Cancel. With no
    // entry chosen (a category the list does not hold) the category stays.
    static std::optional<SortChoice> ask(const SortInput& input);
    const std::optional<SortChoice>& output() const { return output_; }

    void lstCat_DblClick();
    void cmdOK_Click();
    void cmdCancel_Click();
    void done(int result) override;

    QListWidget* lstCat = nullptr;
    QLabel* Label1 = nullptr;
    QRadioButton* optDesc = nullptr;
    QRadioButton* optAsc = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

protected:
    void Form_Load() override;

private:
    SortInput input_;
    std::optional<SortChoice> output_;
};

}  // namespace vh
