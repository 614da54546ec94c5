#pragma once
// Help pages and web links. The help is a folder of HTML pages, one per topic
// number ("2070.html"), opened in the default browser.

#include <QString>

class QWidget;

namespace vh {

namespace HelpTopic {
constexpr int HelpTopics = 2070;
constexpr int SelectTeams = 2080;
constexpr int TeamEditor = 2090;
constexpr int TeamFilters = 2100;
constexpr int Roster = 2110;
constexpr int Statistics = 2120;
constexpr int GameList = 2130;
constexpr int GameScreen = 2140;
constexpr int ImportGame = 2150;
constexpr int PlayerScreen = 2160;
constexpr int BackUp = 2170;
constexpr int Restore = 2180;
constexpr int Options = 2190;
constexpr int GameScores = 2200;
constexpr int StatsReport = 2210;
constexpr int Record = 2220;
constexpr int ReportParameters = 2230;
constexpr int Standings = 2240;
constexpr int MinimumAndSort = 2250;
constexpr int NameYourOwn = 2310;
constexpr int DesignInput = 2320;
constexpr int FAQ = 2380;
constexpr int ReportFormats = 2400;
constexpr int ConvertOldData = 2520;
constexpr int RosterReport = 2530;
constexpr int ExportTeams = 2540;
constexpr int ImportTeams = 2550;
constexpr int TeamScoring = 2560;
constexpr int SendYourData = 2607;
}  // namespace HelpTopic

extern const char* const VendorWebSite;
extern const char* const VendorEmail;

// Sets HelpFilePath: the program folder's "help/", or a copy of it in the
// temporary folder when the program folder is on a network folder.
void LocateHelpFile();
// Opens the help at the topic (the text's leading number; 0 when none). When
// no program opens the page, the "Help Error" box names it, possibly once the
// opener has told so, after the call.
void ShowHelpTopic(const QString& topic);
// The page a topic opens.
QString HelpTopicPage(const QString& topic);
// F1 anywhere in the window opens the help at its topic.
void InstallHelpKey(QWidget* window, int topic);
// Opens a web page or mail link in the default program; when none opens it, a
// box names the address and the opener's status, as ShowHelpTopic does.
void WebPage(const QString& url);

}  // namespace vh
