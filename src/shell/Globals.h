#pragma once
// The project-wide state: the one channel between windows. A window sets these
// values, opens the next window, and that window reads them.
//
// Integer values are signed 16-bit; an Integer used as a Boolean holds -1 (True)
// or 0 (False). Arrays have the lower bound 1. Fixed-length texts are
// FixedString<n>.

#include "platform/basic/FixedString.h"
#include "platform/basic/OneBased.h"
#include "platform/db/Database.h"
#include "shell/GameRecord.h"
#include "shell/ReportCriteria.h"

#include <QString>
#include <cstdint>
#include <memory>

namespace vh {

class IFrame;

struct Globals {
    // A. Database objects
    std::unique_ptr<Database> Db;
    std::unique_ptr<Database> ExportDb;
    std::unique_ptr<Database> ImportDb;

    // B. The nineteen options, in option-number order.
    int16_t ShowFiltersOption = 0;        // 1
    int16_t PeriodsOption = 0;            // 2
    int16_t ShowToolBarOption = 0;        // 3
    int16_t NameFormatOption = 0;         // 4
    int16_t ShowPlayerNumberOption = 0;   // 5
    int16_t ShowCommasOption = 0;         // 6
    int16_t ShowNAOption = 0;             // 7
    int16_t StatsHintOption = 0;          // 8
    int16_t EditGoalsForOption = 0;       // 9
    int16_t EditGoalsAgainstOption = 0;   // 10
    int16_t RegWinPointsOption = 0;       // 11
    int16_t RegLossPointsOption = 0;      // 12
    int16_t RegTiePointsOption = 0;       // 13
    int16_t OTWinPointsOption = 0;        // 14
    int16_t OTLossPointsOption = 0;       // 15
    int16_t OTTiePointsOption = 0;        // 16
    int16_t ShowPlayerSecondsOption = 0;  // 17
    int16_t ShowGoalieSecondsOption = 0;  // 18
    int16_t MinutesPerGameOption = 0;     // 19
    static constexpr int OptionCount = 19;
    // Option n (1 to 19) by number; error 9 for any other number.
    int16_t& option(int n);
    // The options were read from the database in full, so writing them back at
    // the end cannot overwrite stored values with ones never loaded.
    bool OptionsLoaded = false;

    // C. The game being edited: the header screen fills it, the player
    // entry screen reads its game number and scores.
    GameRecord GameRec;

    // D. Single values
    QString ProgramCode;
    QString DataFolder;     // ends in "/"
    QString ProgramFolder;  // ends in "/"
    QString HelpFilePath;
    QString DbPath;
    QString SqlText;
    int16_t MsgStyleYesNo = 0;
    int16_t MsgStyleWarn = 0;
    int16_t MsgStyleConfirm = 0;
    int16_t StartingUp = 0;
    int16_t SelectedTeamCount = 0;
    int16_t CurrentTeam = 0;
    QString SelectedTeamCaption;
    QString SelectedTeamName;
    int16_t NumTeams = 0;
    int16_t NextTeamNumber = 0;
    int16_t CurrentFilter = 0;
    int16_t NextFilterNumber = 0;
    int16_t CurrentPerson = 0;
    int16_t OldGameNumber = 0;
    int16_t NumGames = 0;
    int16_t ReselectGame = 0;
    int16_t ImportOpponentTeam = 0;
    int16_t ImportGameNumber = 0;
    int16_t NumberGameTypes = 0;
    // The criteria the next report reads: games, home or away, types, top X,
    // player scope, minimum and title.
    ReportCriteria Criteria;
    int16_t PlayerReportNumber = 0;
    int16_t GoalieReportNumber = 0;
    FixedString<25> PlayerRptDescription;
    FixedString<25> GoalieRptDescription;
    int16_t PlayerSortCategory = 0;
    int16_t GoalieSortCategory = 0;
    int16_t EditReportNumber = 0;
    int16_t ReportBold = 0;
    int16_t ReportItalic = 0;
    int16_t ReportUnderline = 0;
    int16_t ReportGridLines = 0;

    // E. Arrays
    OneBased<FixedString<3>> PlayerCatAbbrev;  // 1 To 50
    OneBased<FixedString<3>> GoalieCatAbbrev;  // 1 To 50
    OneBased<FixedString<3>> PlayerNyoAbbrev;  // 1 To 5
    OneBased<FixedString<3>> GoalieNyoAbbrev;  // 1 To 5
    OneBased<int16_t> PlayerInputOrder;        // 1 To 32
    OneBased<int16_t> GoalieInputOrder;        // 1 To 32
    OneBased<int16_t> PlayerReportLine;        // 1 To 28
    OneBased<int16_t> GoalieReportLine;        // 1 To 30
    OneBased<FixedString<25>> GameTypeDescriptions;
    OneBased<int16_t> GameTypeNumbers;
    OneBased<int16_t> TeamSelected;
    OneBased<int16_t> TeamNumbers;
    OneBased<FixedString<30>> LongTeamNames;
    OneBased<FixedString<20>> ShortTeamNames;
    OneBased<int16_t> FormOpen;  // 1 To 19

    // F. One-letter codes
    FixedString<1> BackupMode;
    FixedString<1> GameEditMode;
    FixedString<1> ReportCode;
    FixedString<1> CancelFlag;
    FixedString<1> TeamMode;
    FixedString<1> FilterMode;
    FixedString<1> ImportNotes;
    FixedString<1> GameInfoChanged;
    FixedString<1> PlayerSortDirection;
    FixedString<1> GoalieSortDirection;

    // The frame window, when one is open (start-up shows or hides its toolbar).
    IFrame* Frame = nullptr;
};

extern Globals g;

// Numbers of the open-window flags (FormOpen).
namespace FormNo {
constexpr int SelectTeam = 1, Stats = 2, Scores = 3, Record = 4, TeamScores = 5, Standings = 6, GameMenu = 7,
              GameScreen = 8, PScreen = 9, TeamName = 10, TeamFilters = 11, RosterRpt = 12, NameYourOwn = 13,
              Convert = 14, Backup = 15, Design = 17, Options = 18;
constexpr int Count = 19;
}  // namespace FormNo

// A fresh state, as at program start (tests that start the program again).
void resetGlobals();

// The open main database, or error 91 when it is not open.
Database& Db();

}  // namespace vh
