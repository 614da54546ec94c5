#pragma once
// The player entry screen: one stored game of the current team, its score
// board, the persons on the team's roster with a ball for each role they
// played, and 32 category boxes for the statistics of the person and role
// chosen in the grid. The records, rules, totals and the save live in
// PlayerEntry; this window keeps the controls, the focus and the messages.

#include "games/PlayerEntry.h"
#include "shell/Form.h"

#include <QPixmap>
#include <array>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace vh {

class frmPScreen : public Form {
    Q_OBJECT
public:
    frmPScreen();
    ~frmPScreen() override;

    // Grid and boxes.
    void tblPlayerList_Click();
    void tblPlayerList_GotFocus();
    void txtCat_Change(int index);
    void txtCat_GotFocus(int index);
    // Enter moves on to the next visible box; true when the key was used.
    bool txtCat_KeyDown(int index, int keyCode);
    void txtCat_LostFocus(int index);
    void chkPlayed_Click();

    // Commands.
    void cmdPlus_Click();
    void cmdMinus_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    bool Form_QueryUnload() override;
    void cmdGameScreen_Click();
    void cmdRoster_Click();
    void cmdTeam_Click();

    // The picture of the grid's current cell follows the current person's
    // Played mark in the current role.
    void SetPlayerBMP();
    void UpdatePlayedCounts();

    // The four cell pictures.
    enum class Picture { None, BallNH, NoBallNH, BallHL, NoBallHL };
    Picture cellPicture(int row, int col) const;

    const PlayerEntry& entry() const { return entry_; }
    // "P" while the boxes show the player record, "G" for the goalie record.
    QString currentRole() const { return CurrentRole; }
    int currentRow() const { return CurrentRow; }
    int currentCol() const { return CurrentCol; }
    bool personChanged() const { return PersonChanged; }
    bool gameChanged() const { return GameChanged; }
    bool totalsShown() const { return TotalsShown; }
    bool personView() const { return PersonView; }

    // Score board.
    QLabel* lblGameNumber = nullptr;
    std::array<QLabel*, 5> lblPer{};
    QLabel* lblFinal = nullptr;
    QLabel* lblVisitorName = nullptr;
    QLabel* lblHomeName = nullptr;
    std::array<QLabel*, 5> lblVisitorScore{};
    std::array<QLabel*, 5> lblHomeScore{};
    QLabel* lblVisitorTotal = nullptr;
    QLabel* lblHomeTotal = nullptr;

    // Person grid.
    QLabel* lblPlayerHeading = nullptr;
    QLabel* lblGoalieHeading = nullptr;
    QLabel* lblNameHeading = nullptr;
    QLabel* lblClickTable = nullptr;
    QTableWidget* tblPlayerList = nullptr;
    QLabel* lblPlayerCount = nullptr;
    QLabel* lblGoalieCount = nullptr;
    QLabel* picBallNH = nullptr;
    QLabel* picNoBallNH = nullptr;
    QLabel* picBallHL = nullptr;
    QLabel* picNoBallHL = nullptr;

    // Category boxes.
    QLabel* lblPlayerName = nullptr;
    QCheckBox* chkPlayed = nullptr;
    std::array<QLabel*, kCategoryBoxCount> lblCat{};
    std::array<QLineEdit*, kCategoryBoxCount> txtCat{};
    QLabel* lblMsg = nullptr;

    QPushButton* cmdPlus = nullptr;
    QPushButton* cmdMinus = nullptr;
    QPushButton* cmdTeam = nullptr;
    QPushButton* cmdRoster = nullptr;
    QPushButton* cmdGameScreen = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

protected:
    void Form_Load() override;
    void Form_Unload() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void showHeader(const EntryHeader& h);
    // Tells the user that the game could not be read and goes back to the
    // game list.
    void loadFailed(const RuntimeError& e);

    void RefreshPersonGrid();
    void SetPlayerBMPs(int row, const PersonRow& person);
    void ShowCategories();
    void ShowStats();
    BoxTexts boxTexts() const;
    // Checks the boxes of the person shown; on a broken rule shows its message
    // and puts the focus into the box concerned.
    QString ValidateEntries();
    void StoreEnteredStats();
    // The validate-and-store step the commands run before they leave the
    // person shown; false when a rule was broken.
    bool checkAndStorePerson();
    // The goal warnings, then the save; false when the save failed (the user
    // was told and the screen stays open).
    bool warnAndSave(bool save);
    // After the roster editor has closed.
    void AfterRoster();
    void enableEntry(bool enabled);
    void selectCell(int row, int col);
    void setCellPicture(int row, int col, Picture picture);
    void focusFirstVisibleBox();
    void setBoxText(int index, const QString& text);
    void stepBox(int delta);
    void setHelpLine(const QString& text);
    CatKind role() const;

    PlayerEntry entry_;
    std::vector<int16_t> RowPerson;  // RowPerson[r] is the person of grid row r
    int RowPersonCount = 0;
    int ListedCount = 0;
    QString CurrentRole = QStringLiteral("P");
    int CurrentRow = 0;
    int CurrentCol = 0;
    int PreviousRow = 0;
    int PreviousCol = 0;
    int CurrentCell = 0;
    int ErrorCell = 0;
    bool PersonChanged = false;
    bool GameChanged = false;
    bool PersonView = false;
    bool TotalsShown = false;
    bool SwitchingPerson = false;
    bool ClearingBoxes = false;
    bool SettingPlayed = false;
    bool PlayedChecked = false;
    // +1 and -1 write a box; their texts are counted as typing but need no
    // check of the typed text.
    bool SteppingBox = false;
    // Set by the roster editor's Close while it runs from here.
    bool rosterClosed_ = false;
    // The last text each box held that was let in, so that a refused edit
    // can be taken back.
    std::array<QString, kCategoryBoxCount> acceptedText_;
    std::array<QPixmap, 5> pictures_;
};

}  // namespace vh
