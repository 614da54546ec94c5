// Measures the player entry screen's work on a database holding a full season
// of 30 teams with 80 games each and 25 players in every game: loading one
// game into the records (header, roster merge with the stored rows, the person
// list) and saving it back, first through the records alone, then as the
// user meets them: the entry screen's window opening on the game, and its OK
// saving a change and going back to the game list. All must stay well under
// 100 ms.

#include "SeasonDatabase.h"
#include "games/PlayerEntry.h"
#include "games/frmGameMenu.h"
#include "games/frmPScreen.h"
#include "platform/MsgBox.h"
#include "shell/Categories.h"
#include "shell/Globals.h"
#include "shell/Startup.h"

#include <QApplication>
#include <QLineEdit>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace vh;

namespace {

struct Figures {
    std::vector<double> ms;
    double median() const { return ms[ms.size() / 2]; }
    double worst() const { return ms.back(); }
};

double elapsedMs(const QElapsedTimer& t) { return double(t.nsecsElapsed()) / 1e6; }

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bench::failOnMessageBox();
    QTemporaryDir dir;
    const QString mdb = dir.path() + QStringLiteral("/murqn.mdb");
    const bench::SeasonSize size;
    QElapsedTimer build;
    build.start();
    bench::buildSeasonDatabase(QStringLiteral(VH_BENCH_DATA_DIR "/qn20db.shell"), mdb, size);
    std::printf("built the season database in %lld ms (%lld bytes)\n", build.elapsed(), QFile(mdb).size());

    g.Db = Database::open(mdb, DatabaseConnect());
    LoadNameYourOwnCats();
    for (CatKind kind : {CatKind::Player, CatKind::Goalie}) {
        LoadInputOrder(kind);
        BuildCatAbbrev(kind);
    }

    Figures load;
    Figures save;
    int persons = 0;
    int played = 0;
    const int runs = 15;
    for (int run = 0; run < runs; ++run) {
        // A different game of a team in the middle of the table each time.
        g.CurrentTeam = int16_t(size.teams / 2);
        g.GameRec.gameNumber = int16_t(1 + run * (size.gamesPerTeam / runs));

        QElapsedTimer t;
        t.start();
        PlayerEntry entry(Db(), {g.CurrentTeam, g.GameRec.gameNumber, QStringLiteral("Team")});
        entry.LoadGame(QStringLiteral("Team"));
        entry.LoadGameStats();
        const std::vector<PersonRow> rows = entry.LoadFromRoster();
        load.ms.push_back(elapsedMs(t));
        persons = int(rows.size());
        played = entry.UpdatePlayedCounts().players;

        // One person's value changed, as after a visit to the screen.
        entry.PlayerRecords[2][PlayerGameRecord::Ast] += 1;
        t.restart();
        entry.SaveGameStats();
        save.ms.push_back(elapsedMs(t));
    }

    // The same through the window, as the game list opens it.
    g.MsgStyleWarn = 48;
    g.MsgStyleYesNo = 292;
    g.FormOpen.redim(19, False);
    g.SelectedTeamCount = 1;
    g.SelectedTeamName = QStringLiteral("Team");
    // The season's rows have penalty minutes without penalties, which the
    // entry rules refuse once a person's boxes change: a penalty is typed too.
    const auto boxOf = [](int category) {
        int k = 0;
        while (g.PlayerInputOrder[k + 1] != category)
            ++k;
        return size_t(k);
    };
    const size_t astBox = boxOf(15);
    const size_t penBox = boxOf(18);
    Figures open;
    Figures ok;
    for (int run = 0; run < runs; ++run) {
        g.CurrentTeam = int16_t(size.teams / 2);
        g.GameRec.gameNumber = int16_t(1 + run * (size.gamesPerTeam / runs));
        QElapsedTimer t;
        t.start();
        frmPScreen* screen = Load<frmPScreen>();
        open.ms.push_back(elapsedMs(t));
        screen->txtCat[astBox]->setText(QString::number(run + 2));
        screen->txtCat[penBox]->setText(QStringLiteral("1"));
        t.restart();
        screen->cmdOK_Click();
        ok.ms.push_back(elapsedMs(t));
        Unload<frmGameMenu>();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    for (Figures* f : {&load, &save, &open, &ok})
        std::sort(f->ms.begin(), f->ms.end());
    std::printf("one game: %d persons listed, %d played as player\n", persons, played);
    std::printf("load into the records: median %.2f ms, worst %.2f ms (%d runs)\n", load.median(), load.worst(), runs);
    std::printf("save the game's rows:  median %.2f ms, worst %.2f ms (%d runs)\n", save.median(), save.worst(), runs);
    std::printf("open the entry screen: median %.2f ms, worst %.2f ms (%d runs)\n", open.median(), open.worst(), runs);
    std::printf("OK, save to game list: median %.2f ms, worst %.2f ms (%d runs)\n", ok.median(), ok.worst(), runs);
    g.Db->close();
    const bool fast = load.worst() < 100 && save.worst() < 100 && open.worst() < 100 && ok.worst() < 100;
    std::printf("%s\n", fast ? "all under 100 ms" : "OVER 100 ms");
    return fast ? 0 : 1;
}
