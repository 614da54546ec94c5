// Measures the start-up procedure on a database holding a full season of 30
// teams with 80 games each and 25 players in every game.

#include "SeasonDatabase.h"
#include "platform/MsgBox.h"
#include "platform/Runtime.h"
#include "shell/Globals.h"
#include "shell/Startup.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace vh;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString program = dir.path() + QStringLiteral("/program");
    QDir().mkpath(program + QStringLiteral("/Data"));
    qputenv("VELLORAN_PROGRAM_DIR", program.toUtf8());
    qputenv("VELLORAN_PROGRAM_FILES", (dir.path() + QStringLiteral("/opt")).toUtf8());
    bench::failOnMessageBox();
    setEndProgramHandler([](int) {});

    const QString shell = QStringLiteral(VH_BENCH_DATA_DIR "/qn20db.shell");
    const QString mdb = program + QStringLiteral("/Data/murqn.mdb");
    QFile::copy(shell, program + QStringLiteral("/Data/qn20db.shell"));
    QElapsedTimer build;
    build.start();
    bench::buildSeasonDatabase(shell, mdb, {});
    std::printf("built the season database in %lld ms (%lld bytes)\n", build.elapsed(), QFile(mdb).size());

    auto measure = [&](int counter) {
        Database::open(mdb, DatabaseConnect())
            ->execute(QStringLiteral("update CompactCount set CompactCounter = ?"), {counter});
        resetGlobals();
        QElapsedTimer t;
        t.start();
        Setup();
        const double ms = double(t.nsecsElapsed()) / 1e6;
        g.Db->close();
        return ms;
    };
    std::vector<double> normal;
    for (int i = 0; i < 15; ++i)
        normal.push_back(measure(1));
    std::sort(normal.begin(), normal.end());
    const double compacting = measure(8);
    std::printf("Setup, normal start: median %.2f ms, worst %.2f ms (15 runs)\n", normal[normal.size() / 2],
                normal.back());
    std::printf("Setup, compacting start (every eighth): %.2f ms\n", compacting);
    return 0;
}
