#pragma once
// The minimum that divides a statistics report into the persons who meet it
// and those who do not, in games or in minutes played.

#include "shell/Form.h"

#include <QString>
#include <cstdint>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vh {

struct MinimumChoice {
    int16_t value = 0;                         // 0 to 9999; 0 divides nothing
    QString basis = QStringLiteral("G");       // "G" games played, "O" minutes played
};

class frmMinimum : public Dialog {
    Q_OBJECT
public:
    explicit frmMinimum(MinimumChoice start);

    // The chosen minimum on OK or No Minimum; nothing on Cancel, so the basis
    // clicked before a Cancel is not kept either.
    static std::optional<MinimumChoice> ask(const MinimumChoice& start);
    const std::optional<MinimumChoice>& output() const { return output_; }

    void optGames_Click();
    void optOther_Click();
    void cmdOK_Click();
    void cmdNoMin_Click();
    void cmdCancel_Click();
    void done(int result) override;

    QLabel* lblMin = nullptr;
    QLineEdit* txtMin = nullptr;
    QRadioButton* optGames = nullptr;
    QRadioButton* optOther = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdNoMin = nullptr;

protected:
    void Form_Load() override;

private:
    MinimumChoice start_;
    QString basis_;
    std::optional<MinimumChoice> output_;
};

}  // namespace vh
