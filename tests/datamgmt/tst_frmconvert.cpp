// The conversion window over a folder of old files the test writes: where it
// looks, what it shows, the messages of a Convert press and what its Close
// rebuilds. VH_OLD_DATA_DIR, when set, keeps a copy of the sample folder to
// try the window by hand.

#include "datamgmt/frmConvert.h"
#include "games/GameTestData.h"
#include "shell/Categories.h"
#include "shell/Globals.h"
#include "support/OldDataWriter.h"
#include "support/TestEnv.h"
#include "support/TestMain.h"
#include "teams/TeamTestData.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

using namespace vh;
using namespace vh::test;

class TestFrmConvert : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env_;

    QString drive(const char* letter) const { return env_->root() + QLatin1Char('/') + QLatin1String(letter); }
    void useDrives(std::initializer_list<const char*> letters)
    {
        QStringList roots;
        for (const char* l : letters) {
            QDir().mkpath(drive(l));
            roots << drive(l);
        }
        qputenv("VELLORAN_OLD_DRIVES", roots.join(QLatin1Char(':')).toUtf8());
    }
    static void select(frmConvert* f, std::initializer_list<int> rows)
    {
        auto* list = control<QListWidget>(f, "lstTeams");
        list->clearSelection();
        for (int r : rows)
            list->item(r)->setSelected(true);
    }
    static void convert(frmConvert* f) { control<QPushButton>(f, "cmdConvert")->click(); }
    static QString gameTypes(int team)
    {
        return Db().scalar(QStringLiteral("select group_concat(GameType, ',') from GameStats where TeamNumber = ?"), {team})
            .toString();
    }

private slots:
    void init()
    {
        env_ = startWithNewDatabase();
        g.DataFolder = env_->appDataDir() + QStringLiteral("/Data/");
        QDir().mkpath(g.DataFolder);
        LoadNameYourOwnCats();
        BuildCatAbbrev(CatKind::Player);
        BuildCatAbbrev(CatKind::Goalie);
        setGameState({}, {{3, "PLAYOFF"}});
        seed::insertRow(Db(), QStringLiteral("GameTypes"), {{"GameTypeNumber", 3}, {"GameTypeDescription", "PLAYOFF"}});
    }
    void cleanup()
    {
        Unload<frmConvert>();
        unloadTeamWindows();
        qunsetenv("VELLORAN_OLD_DRIVES");
        env_.reset();
    }

    void convertsTheOldFolderFoundOnItsOwn()
    {
        useDrives({"c", "d"});
        writeSampleOldData(drive("c") + QStringLiteral("/muqnwin"), drive("d"));
        if (qEnvironmentVariableIsSet("VH_OLD_DATA_DIR"))
            writeSampleOldData(qEnvironmentVariable("VH_OLD_DATA_DIR"), qEnvironmentVariable("VH_OLD_DATA_DIR"));
        addTeam(5, QStringLiteral("Blue Lines"));
        Load<frmSelectTeam>();
        CloseOpenForms();
        QCOMPARE(g.NextTeamNumber, int16_t(6));

        frmConvert* f = Load<frmConvert>();
        QCOMPARE(f->oldDataFolder(), drive("c") + QStringLiteral("/muqnwin/"));
        auto* list = control<QListWidget>(f, "lstTeams");
        QCOMPARE(list->count(), 100);
        QCOMPARE(list->item(0)->text(), QStringLiteral("Ice Hawks"));
        // The old settings shown: a placeholder game type name as none.
        QVERIFY(!control<QGroupBox>(f, "fraGameTypes")->isHidden());
        QCOMPARE(control<QLabel>(f, "lblGameType2")->text(), QStringLiteral("3. "));
        QCOMPARE(control<QLabel>(f, "lblGameType4")->text(), QStringLiteral("5. GAMETYPE 5"));
        grab(f, "frmConvert");

        env_->expectMsgBox(QStringLiteral("Must select at least one team!"), vbOK, QStringLiteral("No Teams Selected"));
        convert(f);
        QCOMPARE(Db().scalar(QStringLiteral("select count(*) from Teams")).toInt(), 1);

        // Three teams of which one is on the database already.
        select(f, {0, 1, 2});
        env_->expectMsgBox(QStringLiteral("Blue Lines already on database!"), vbOK,
                           QStringLiteral("Team Already on Database"));
        env_->expectMsgBox(QStringLiteral("2 Teams Added"), vbOK, QStringLiteral("Convert Complete"));
        convert(f);
        QCOMPARE(env_->pendingExpectations(), 0);
        QCOMPARE(Db().scalar(QStringLiteral("select TeamNumber from Teams where LongTeamName = 'Ice Hawks'")).toInt(), 6);
        QCOMPARE(g.NextTeamNumber, int16_t(8));
        // League and GAMETYPE 5 are new; the old Playoff is the known PLAYOFF.
        // The program knows the new types and names at once.
        QCOMPARE(gameTypes(6), QStringLiteral("4,3,5"));
        QCOMPARE(g.NumberGameTypes, int16_t(4));
        QCOMPARE(g.GameTypeNumbers[4], int16_t(5));
        QCOMPARE(g.PlayerCatAbbrev[48].str(), QStringLiteral("Tk "));
        QCOMPARE(g.GoalieCatAbbrev[46].str(), QStringLiteral("Scr"));
        QCOMPARE(Db().scalar(QStringLiteral("select UniformNumber from Roster where TeamNumber = 6 and notes = 'Captain'"))
                     .toString(),
                 QStringLiteral("7"));

        // Again: every team is refused by name, no game type is added twice.
        env_->expectMsgBox(QStringLiteral("Ice Hawks already on database!"));
        env_->expectMsgBox(QStringLiteral("Blue Lines already on database!"));
        env_->expectMsgBox(QStringLiteral("O'Neill's Stars already on database!"));
        env_->expectMsgBox(QStringLiteral("0 Teams Added"));
        convert(f);
        QCOMPARE(Db().scalar(QStringLiteral("select count(*) from GameTypes")).toInt(), 3);

        // Close rebuilds the team selection with the new teams.
        control<QPushButton>(f, "cmdClose")->click();
        flushDeletes();
        QVERIFY(!Loaded<frmConvert>());
        QVERIFY(Loaded<frmSelectTeam>());
        QCOMPARE(g.NumTeams, int16_t(3));
    }

    void withoutSettingsTheUserPicksFolderAndFile()
    {
        useDrives({"e"});
        // The test's own folder is one more drive, and "z" one that can't be read.
        qputenv("VELLORAN_OLD_DRIVES", (drive("e") + QLatin1Char(':') + env_->root() + QLatin1Char(':') + drive("z")).toUtf8());
        // An empty settings file can't be read: as good as none.
        QDir().mkpath(drive("e") + QStringLiteral("/WINDOWS"));
        writeBytes(drive("e") + QStringLiteral("/WINDOWS/MUQN.INI"), QByteArray());
        const QString old = env_->root() + QStringLiteral("/copied/Old Files");
        writeSampleOldData(old);
        // One statistics record of a game the old files don't have.
        QFile stats(old + QStringLiteral("/QNPS1.DAT"));
        QVERIFY(stats.open(QIODevice::Append));
        stats.write(oldStat(44, 7, 'P', {{3, 1}}));
        stats.close();
        const QString cut = env_->root() + QStringLiteral("/copied/cut");
        QDir().mkpath(cut);
        writeBytes(cut + QStringLiteral("/QNTEAMS.DAT"), oldTeamList({{1, {"Cut", "Cut"}}}).left(3999));

        env_->expectMsgBox(QStringLiteral("Couldn't Find MUQN.INI File!"), vbOK, QStringLiteral("Couldn't Find MUQN.INI File"));
        frmConvert* f = Load<frmConvert>();
        QCOMPARE(env_->pendingExpectations(), 0);
        QVERIFY(control<QGroupBox>(f, "fraGameTypes")->isHidden());
        QVERIFY(control<QGroupBox>(f, "fraNameYourOwn")->isHidden());
        // No old folder on the drive: the data folder is shown, with no list.
        QCOMPARE(f->oldDataFolder(), g.DataFolder);
        auto* list = control<QListWidget>(f, "lstTeams");
        QCOMPARE(list->count(), 0);

        // The folder list: the folders down to the open one, then its subfolders.
        f->setDirPath(env_->root() + QStringLiteral("/copied"));
        auto* dirs = control<QListWidget>(f, "Dir1");
        QCOMPARE(dirs->item(dirs->count() - 2)->text().trimmed(), QStringLiteral("cut"));
        QCOMPARE(dirs->item(dirs->count() - 1)->text().trimmed(), QStringLiteral("Old Files"));
        // A folder only highlighted is taken when the focus leaves the list.
        dirs->setCurrentRow(dirs->count() - 2);
        f->Dir1_LostFocus();
        QCOMPARE(f->oldDataFolder(), cut + QLatin1Char('/'));
        QCOMPARE(list->count(), 0);  // a team list one byte short is not read
        emit dirs->itemDoubleClicked(dirs->item(dirs->count() - 2));
        QCOMPARE(f->oldDataFolder(), env_->root() + QStringLiteral("/copied/"));
        f->setDirPath(old);
        QCOMPARE(list->count(), 100);
        // A drive that can't be read leaves the folder and goes back to its drive.
        auto* drives = control<QComboBox>(f, "Drive1");
        QCOMPARE(drives->currentText(), env_->root());
        drives->setCurrentIndex(drives->findText(drive("e")));
        QCOMPARE(f->oldDataFolder(), drive("e") + QLatin1Char('/'));
        drives->setCurrentIndex(drives->findText(drive("z")));
        QCOMPARE(drives->currentText(), drive("e"));
        // Back on a drive, the folder last shown on it opens again.
        drives->setCurrentIndex(drives->findText(env_->root()));
        QCOMPARE(f->oldDataFolder(), old + QLatin1Char('/'));
        QCOMPARE(list->count(), 100);
        f->setDirPath(old);

        select(f, {0});
        env_->expectMsgBox(QStringLiteral("1 Team Added\r\r1 damaged record was skipped."), vbOK,
                           QStringLiteral("Convert Complete"));
        convert(f);
        QCOMPARE(gameTypes(1), QStringLiteral("0,0,0"));
        QCOMPARE(g.PlayerNyoAbbrev[1].str(), QStringLiteral("H1 "));

        // A settings file picked by the user brings the frames back.
        writeBytes(old + QStringLiteral("/MUQN.INI"), oldSettings(sampleOldSettings()));
        f->GetOldIni(old + QStringLiteral("/MUQN.INI"));
        QVERIFY(!control<QGroupBox>(f, "fraGameTypes")->isHidden());
        QCOMPARE(control<QLabel>(f, "lblGameType1")->text(), QStringLiteral("2. Playoff"));
    }
};

VH_TEST_MAIN(TestFrmConvert)
#include "tst_frmconvert.moc"
