#pragma once
// The older version's data files: fixed-length records without header or
// separator, read here as pure functions over the file's bytes. Whole numbers
// are signed 16-bit, least significant byte first; texts are one byte per
// character in the Windows Western code page (cp1252), blank-padded.
//
// A file holds as many records as its length divided by the record length,
// rounded half to even; a partial last record reads as if filled with zero
// bytes, and a zero byte in a text reads as a blank. The team list and the
// player name file must have an exact length instead.
//
// Finding the files (their names compared without regard to case) and reading
// them from disk is here too, apart from the pure readers.

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace vh {

namespace OldRecordLength {
constexpr int TeamList = 40;
constexpr int Settings = 1067;
constexpr int PlayerName = 201;
constexpr int PlayerInfo = 500;
constexpr int Game = 195;
constexpr int PlayerStats = 134;
}  // namespace OldRecordLength

// The team list holds exactly this many records.
constexpr int OldTeamCount = 100;
// Old roster slots are numbered 1 to 99; settings name 7 game types and 5
// user categories of each kind; a statistics record carries 38 counters.
constexpr int OldSlotCount = 99;
constexpr int OldGameTypeCount = 7;
constexpr int OldUserCatCount = 5;
constexpr int OldCounterCount = 38;

// cp1252 bytes as text; a zero byte becomes a blank.
QString DecodeOldText(QByteArrayView bytes);
// The number of records of a file: length / record length, half to even.
qsizetype OldRecordCount(qsizetype fileLength, int recordLength);
// Record n (from 1), zero-filled where the file ends early.
QByteArray OldRecord(const QByteArray& file, int recordLength, qsizetype n);

struct OldTeam {
    QString longName;   // trimmed
    QString shortName;  // trimmed
};
// The 100 teams in record order (record k is old team k), blank ones included;
// nothing unless the file is exactly 4,000 bytes.
std::optional<std::vector<OldTeam>> ReadOldTeamList(const QByteArray& file);

struct OldSettings {
    // Game type k's name as stored; empty for a slot not in use (one whose
    // first nine characters read "GAME TYPE" in any case).
    std::array<QString, OldGameTypeCount> gameTypeNames;
    // The user categories' names with all three characters, blanks included.
    std::array<QString, OldUserCatCount> playerCategories;
    std::array<QString, OldUserCatCount> goalieCategories;
};
// Record 1 of the settings file; nothing when the file has no record.
std::optional<OldSettings> ReadOldSettings(const QByteArray& file);

struct OldPlayerName {
    int16_t slot = 0;
    QString name;  // trimmed
};
// Every name record; nothing when the length is no whole multiple of 201.
std::optional<std::vector<OldPlayerName>> ReadOldPlayerNames(const QByteArray& file);

struct OldPlayerInfo {
    int16_t slot = 0;
    QString homePhone, address1, address2, city, state, zip, note;  // trimmed
};
std::vector<OldPlayerInfo> ReadOldPlayerInfo(const QByteArray& file);

struct OldGame {
    int16_t gameNumber = 0;
    char code = 0;              // 'A' marks a game to convert
    QString dateDigits;         // six digits, three pairs, as stored
    QString location, opponent, notes;  // trimmed
    // Periods 1 to 4 and overtime.
    std::array<int16_t, 5> goals{};
    std::array<int16_t, 5> oppGoals{};
    int16_t pp = 0, ppg = 0, sh = 0, kills = 0;
    char gameTypeCode = 0;      // '1' to '7'
    char homeCode = 0;          // '1' home, anything else away
    int16_t overtime = 0;       // non-zero when the game went to overtime
};
std::vector<OldGame> ReadOldGames(const QByteArray& file);

struct OldStatRow {
    int16_t gameNumber = 0;
    int16_t slot = 0;
    char kind = 0;          // 'P' player, 'G' goalie
    char code = 0;          // 'A' marks a row to convert
    char gameTypeCode = 0;  // '1' to '7'
    std::array<int16_t, OldCounterCount> counters{};
};
std::vector<OldStatRow> ReadOldStats(const QByteArray& file);

// The game date of the digit pairs "aabbcc": the last pair is the year, the
// first two are day and month in the order of the region's short date (month
// first without a region). A two-digit year 30 to 99 falls in the 1900s and
// 00 to 29 in the 2000s, as typed dates do. Nothing when it is no valid date.
std::optional<QDate> OldGameDate(const QString& dateDigits);

// The older version's file names.
QString OldTeamListFileName();  // "QNTEAMS.DAT"
QString OldSettingsFileName();  // "MUQN.INI"
// "QNPN", "QNPI", "QNGS" or "QNPS" with the old team number and ".DAT".
QString OldTeamFileName(const char* prefix, int oldTeamNumber);

// The path of `name` in `folder` whatever the case of the stored name (an
// exact match first); empty when there is none.
QString FindFileNoCase(const QString& folder, const QString& name);
// A file's bytes, empty when it is missing or can't be read.
QByteArray ReadFileBytes(const QString& path);

// The roots the older system's drives are sought on: the ':'-separated
// folders of VELLORAN_OLD_DRIVES when set, else "/" and every mounted volume.
QStringList OldDriveRoots();
// Where the settings file is looked for: "WINDOWS/MUQN.INI" (any case) on each
// drive root in turn, as the older system kept it in its Windows folder.
QString FindOldSettingsFile(const QStringList& driveRoots);

}  // namespace vh
