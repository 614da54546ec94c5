#pragma once
// One game's header: number, date, location, game type, periods, home or
// away, the opponent, the goals of both teams by period, power plays and
// penalties killed, and notes. Adds a new game (mode "A") or changes a stored
// one (mode "C").

#include "games/GameHeader.h"
#include "shell/Form.h"

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace vh {

struct MirroredGame;

struct HeaderSaveResult {
    bool saved = false;
    HeaderBox focus = HeaderBox::None;
    // The number box shows OldGameNumber again.
    bool restoreGameNumber = false;
};

// The header screen's OK without the screen: runs the checks of the game in
// the boxes, shows each stop, asks each question, shows the goal warnings and
// writes the game. Leaves the screen's values in GameRec and sets
// GameInfoChanged when the type or home flag differs from the stored game's;
// once the game is written, OldGameNumber and ReselectGame are the number it
// is stored under.
HeaderSaveResult SaveGameHeader(const GameHeaderEntry& entry, int16_t originalGameType, int16_t originalHomeTeam);

class frmGameScreen : public Form {
    Q_OBJECT
public:
    frmGameScreen();

    void cmdOK_Click();
    void cmdPlayers_Click();
    void cmdCancel_Click();
    bool Form_QueryUnload() override;
    void cmdImport_Click();
    void cmbPeriods_Click();
    void chkHomeTeam_Click();

    // Lays out the period columns by the number of periods.
    void FormatPeriods();
    // The visitor in the upper row, the home team in the lower row.
    void FormatHomeTeam();
    // The long form of the date under the date box.
    void DisplayDate();
    void DisplayTotalGoals();
    // Fills the boxes from the opponent's copy of the game.
    void FillFromOpponentGame(const MirroredGame& game, bool withNotes);

    // What the boxes hold, as the save reads them.
    GameHeaderEntry entry() const;
    bool screenChanged() const { return ScreenChanged; }

    QLabel* Label1 = nullptr;
    QLineEdit* txtGameNumber = nullptr;
    QLabel* lblGameDate = nullptr;
    QLineEdit* txtGameDate = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* lblDisplayDate = nullptr;
    QLabel* lblGameLocation = nullptr;
    QLineEdit* txtGameLoc = nullptr;
    QLabel* Label8 = nullptr;
    QComboBox* cmbPeriods = nullptr;
    QCheckBox* chkHomeTeam = nullptr;
    QLabel* lblGameType = nullptr;
    QListWidget* lstGameTypes = nullptr;
    QLabel* lblAddGameTypes = nullptr;
    QGroupBox* Frame1 = nullptr;
    QComboBox* cmbOpponents = nullptr;
    QLabel* lblTeamName = nullptr;
    std::array<QLabel*, 5> lblPeriod{};
    QLabel* lblFinal = nullptr;
    std::array<QLineEdit*, 10> txtPeriodScore{};
    std::array<QLabel*, 2> lblGoals{};
    QGroupBox* Frame2 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* txtPP = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* txtPPG = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* txtSH = nullptr;
    QLabel* Label7 = nullptr;
    QLineEdit* txtKills = nullptr;
    QLabel* Label2 = nullptr;
    QPlainTextEdit* txtNotes = nullptr;
    QPushButton* cmdPlayers = nullptr;
    QPushButton* cmdImport = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

protected:
    void Form_Load() override;
    void Form_Unload() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void markChanged();
    void setPeriodsIndex(int index);
    void setTabChain();
    void focusBox(HeaderBox box);

    bool ScreenChanged = false;
    bool LoadingScreen = false;
    int16_t OriginalGameType = -1;
    int16_t OriginalHomeTeam = 777;
    bool SaveFailed = false;
    bool SaveFromPlayerScreen = false;
};

}  // namespace vh
