#pragma once
// The input-screen designer: the user drags categories between 32 cells that
// are not on the entry screen and the 32 cells of the entry screen, for
// players ("non-goalie") and goalies; OK stores each changed layout in
// InputOrder and in the project-wide input orders the entry screen follows.

#include "config/InputLayout.h"
#include "shell/Form.h"

#include <array>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace vh {

class frmDesign : public Form {
    Q_OBJECT
public:
    frmDesign();

    // A drop of the dragged cell `source` on cell `index` of each area; the
    // mouse's drop calls these, and tests call them directly.
    void lblAvail_DragDrop(int index, QLabel* source);
    void lblInput_DragDrop(int index, QLabel* source);
    void optPG_Click(int index);
    void cmdDefault_Click();
    void cmdClear_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

    // The kind shown: "P" players, "G" goalies.
    QString PGMode() const { return kind_ == CatKind::Player ? QStringLiteral("P") : QStringLiteral("G"); }
    const LayoutCells& cells(CatKind kind) const { return cells_[size_t(kind)]; }

    std::array<QLabel*, 32> lblAvail{};
    std::array<QLabel*, 32> lblInput{};
    QGroupBox* fraInput = nullptr;
    std::array<QRadioButton*, 2> optPG{};
    QPushButton* cmdDefault = nullptr;
    QPushButton* cmdClear = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

protected:
    void Form_Load() override;

private:
    void dropOn(CellArea target, int index, QLabel* source);
    void showCells();
    void finish();

    CatKind kind_ = CatKind::Player;
    std::array<LayoutCells, 2> cells_;  // by CatKind
};

}  // namespace vh
