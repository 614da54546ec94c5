#pragma once
// The older version's record files written byte by byte from their layouts,
// for the tests and the fuzzing loop of the conversion. Texts are given as
// bytes (cp1252), blank-padded; whole numbers as 16-bit little-endian.
// Also any file's bytes, read and written whole.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <utility>

namespace vh::test {

inline void putText(QByteArray& r, int offset, int width, const QByteArray& bytes)
{
    for (int i = 0; i < width; ++i)
        r[offset + i] = i < bytes.size() ? bytes[i] : ' ';
}

inline void putInt(QByteArray& r, int offset, int16_t v)
{
    r[offset] = char(uint16_t(v) & 0xFF);
    r[offset + 1] = char(uint16_t(v) >> 8);
}

// A record of `length` blanks, the state the older version padded texts to.
inline QByteArray blankRecord(int length) { return QByteArray(length, ' '); }

// The team list: 100 records of 40 bytes; teams not given are blank.
inline QByteArray oldTeamList(std::initializer_list<std::pair<int, std::pair<QByteArray, QByteArray>>> teams)
{
    QByteArray file;
    std::map<int, std::pair<QByteArray, QByteArray>> byNumber(teams.begin(), teams.end());
    for (int k = 1; k <= 100; ++k) {
        QByteArray r = blankRecord(40);
        if (auto it = byNumber.find(k); it != byNumber.end()) {
            putText(r, 0, 25, it->second.first);
            putText(r, 25, 10, it->second.second);
        }
        file += r;
    }
    return file;
}

struct OldSettingsSpec {
    QByteArray gameTypes[7] = {"GAME TYPE1", "GAME TYPE2", "GAME TYPE3", "GAME TYPE4",
                               "GAME TYPE5", "GAME TYPE6", "GAME TYPE7"};
    QByteArray player[5] = {"H1", "H2", "H3", "H4", "H5"};
    QByteArray goalie[5] = {"G1", "G2", "G3", "G4", "G5"};
};

inline QByteArray oldSettings(const OldSettingsSpec& s)
{
    QByteArray r = blankRecord(1067);
    putInt(r, 0, 7);
    for (int k = 0; k < 7; ++k)
        putText(r, 292 + 10 * k, 10, s.gameTypes[k]);
    for (int k = 0; k < 5; ++k) {
        putText(r, 512 + 3 * k, 3, s.player[k]);
        putText(r, 577 + 3 * k, 3, s.goalie[k]);
    }
    return r;
}

inline QByteArray oldName(int16_t slot, const QByteArray& name)
{
    QByteArray r = blankRecord(201);
    putInt(r, 0, slot);
    putText(r, 2, 17, name);
    return r;
}

struct OldInfoSpec {
    int16_t slot = 1;
    QByteArray homePhone, address1, address2, city, state, zip, note;
};

inline QByteArray oldInfo(const OldInfoSpec& p)
{
    QByteArray r = blankRecord(500);
    putInt(r, 0, p.slot);
    putText(r, 2, 20, p.homePhone);
    putText(r, 22, 40, p.address1);
    putText(r, 62, 40, p.address2);
    putText(r, 102, 20, p.city);
    putText(r, 122, 20, "not read");
    putText(r, 142, 5, p.state);
    putText(r, 167, 10, p.zip);
    putText(r, 197, 70, p.note);
    return r;
}

struct OldGameSpec {
    int16_t number = 1;
    char code = 'A';
    QByteArray date = "120398";
    QByteArray location = "Home Rink", opponent = "Rivals", notes;
    int16_t goals[5] = {1, 1, 1, 0, 0};     // periods 1 to 4, overtime
    int16_t oppGoals[5] = {0, 1, 0, 0, 0};
    int16_t pp = 4, ppg = 1, sh = 3, kills = 2;
    char gameType = '1';
    char home = '1';
    int16_t overtime = 0;
};

inline QByteArray oldGame(const OldGameSpec& g)
{
    QByteArray r = blankRecord(195);
    putInt(r, 0, g.number);
    r[2] = g.code;
    putText(r, 3, 6, g.date);
    putText(r, 9, 20, g.location);
    putText(r, 29, 25, g.opponent);
    for (int p = 0; p < 5; ++p) {
        putInt(r, 54 + 4 * p, g.oppGoals[p]);
        putInt(r, 56 + 4 * p, g.goals[p]);
    }
    putInt(r, 74, g.pp);
    putInt(r, 76, g.ppg);
    putInt(r, 78, g.sh);
    putInt(r, 80, g.kills);
    putText(r, 82, 58, g.notes);
    r[140] = g.gameType;
    r[141] = g.home;
    r[142] = 'x';
    putInt(r, 143, g.overtime);
    return r;
}

// A statistics record; counter k = value for each pair given, others 0.
inline QByteArray oldStat(int16_t game, int16_t slot, char kind, std::initializer_list<std::pair<int, int16_t>> counters,
                          char gameType = '1', char code = 'A')
{
    QByteArray r = blankRecord(134);
    putInt(r, 0, game);
    putInt(r, 2, slot);
    r[4] = kind;
    r[5] = code;
    r[6] = gameType;
    for (int k = 0; k < 38; ++k)
        putInt(r, 8 + 2 * k, 0);
    for (const auto& [k, v] : counters)
        putInt(r, 8 + 2 * k, v);
    return r;
}

inline void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// A file's bytes; none when it cannot be read.
inline QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace vh::test

namespace vh::test {

// One old team's four files.
struct OldTeamBytes {
    QByteArray names, info, games, stats;
};

// A sample team of the older version: four people (one with a middle name,
// one with a single name, two with cp1252 letters and an apostrophe), games 1,
// 2 and 5 (game 2 with fourth-period and overtime goals, game 5 with no valid date), a
// deleted game 3, and player and goalie rows.
inline OldTeamBytes sampleOldTeam()
{
    OldTeamBytes t;
    t.names = oldName(7, "Mary Ann Smith") + oldName(9, "Smith") + oldName(12, "Se\xe1n O'Brien") +
              oldName(14, "Zo\xeb \xc5ngstr\xf6m");
    t.info = oldInfo({7, "555-0107", "1 Main St", "Apt 2", "Springfield", "IL", "62701", "Captain"}) +
             oldInfo({12, "555-0112", "9 Rue d'Or", "", "Qu\xe9" "bec", "QC", "G1A", "Left shot \x96 fast"});
    OldGameSpec g1;  // 3-1 home win, league
    OldGameSpec g2;
    g2.number = 2;
    g2.date = "010599";
    g2.gameType = '2';
    g2.home = '2';
    g2.goals[0] = 0, g2.goals[1] = 0, g2.goals[2] = 1, g2.goals[3] = 1, g2.goals[4] = 3;
    g2.oppGoals[0] = 0, g2.oppGoals[1] = 0, g2.oppGoals[2] = 1, g2.oppGoals[3] = 0, g2.oppGoals[4] = 2;
    g2.overtime = -1;  // any value but 0 means overtime
    g2.opponent = "Blue Lines";
    OldGameSpec g3;
    g3.number = 3;
    g3.code = 'D';
    OldGameSpec g5;
    g5.number = 5;
    g5.date = "999999";
    g5.gameType = '5';
    g5.notes = "  Snow day  ";
    g5.goals[0] = 2, g5.goals[1] = 0, g5.goals[2] = 2;
    g5.oppGoals[0] = 1, g5.oppGoals[1] = 1, g5.oppGoals[2] = 1;
    t.games = oldGame(g1) + oldGame(g2) + oldGame(g3) + oldGame(g5);
    t.stats = oldStat(1, 7, 'P', {{0, 3}, {1, 45}, {2, 12}, {3, 2}, {11, 1}, {13, 4}, {14, 2}, {15, 1}, {33, 5}, {37, 9}}) +
              oldStat(1, 9, 'G', {{0, 3}, {1, 60}, {2, 12}, {3, 1}, {7, 1}, {8, 10}, {10, 0}, {11, 8}, {13, 0}, {14, 7}, {16, 1}, {17, 2}}) +
              oldStat(1, 12, 'P', {{3, 1}, {11, 2}}, '2') +
              oldStat(2, 7, 'P', {{3, 1}}, '2') + oldStat(2, 9, 'G', {{5, 1}}, '2') +
              oldStat(3, 7, 'P', {{3, 4}}, '1', 'D') +
              oldStat(5, 7, 'P', {{3, 3}}, '5') + oldStat(5, 14, 'P', {{3, 1}, {11, 3}}, '5');
    return t;
}

inline OldSettingsSpec sampleOldSettings()
{
    OldSettingsSpec s;
    s.gameTypes[0] = "League";
    s.gameTypes[1] = "Playoff";
    s.gameTypes[2] = "game type3";
    s.gameTypes[3] = "GAME TYPES";
    s.gameTypes[4] = "GAMETYPE 5";
    s.player[0] = "Blk";
    s.player[1] = "Hit";
    s.player[2] = "Tk";
    s.goalie[0] = "Scr";
    return s;
}

// The sample as the older version left it: the team list and team 1's files
// in `folder` (names in mixed case), a second team with no files, and the
// settings file in "Windows/muqn.ini" under `driveRoot` when that is given.
inline void writeSampleOldData(const QString& folder, const QString& driveRoot = QString())
{
    QDir().mkpath(folder);
    writeBytes(folder + QStringLiteral("/qnteams.dat"),
               oldTeamList({{1, {"Ice Hawks", "Hawks"}}, {2, {"Blue Lines", "Blues"}}, {3, {"O'Neill's Stars", "Stars"}}}));
    const OldTeamBytes t = sampleOldTeam();
    writeBytes(folder + QStringLiteral("/QNPN1.DAT"), t.names);
    writeBytes(folder + QStringLiteral("/qnpi1.dat"), t.info);
    writeBytes(folder + QStringLiteral("/QnGs1.Dat"), t.games);
    writeBytes(folder + QStringLiteral("/QNPS1.DAT"), t.stats);
    if (!driveRoot.isEmpty()) {
        QDir().mkpath(driveRoot + QStringLiteral("/Windows"));
        writeBytes(driveRoot + QStringLiteral("/Windows/muqn.ini"), oldSettings(sampleOldSettings()));
    }
}

}  // namespace vh::test
