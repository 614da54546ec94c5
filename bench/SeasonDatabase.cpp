#include "SeasonDatabase.h"

#include "platform/db/Database.h"
#include "shell/Startup.h"

#include "platform/MsgBox.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>
#include <cstdlib>

namespace vh::bench {

void buildSeasonDatabase(const QString& shell, const QString& path, const seed::SeasonSize& size)
{
    QFile::remove(path);
    QFile::copy(shell, path);
    QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    auto db = Database::open(path, DatabaseConnect());
    seed::buildSeason(*db, size);
}

void failOnMessageBox()
{
    setMsgBoxHandler([](const MsgBoxCall& c) {
        std::fprintf(stderr, "unexpected message: %s\n", qPrintable(c.text));
        std::exit(1);
        return 0;
    });
}

std::unique_ptr<QTemporaryDir> leagueFolder()
{
    if (QDir(QStringLiteral("/dev/shm")).exists())
        return std::make_unique<QTemporaryDir>(QStringLiteral("/dev/shm/vh-bench-XXXXXX"));
    return std::make_unique<QTemporaryDir>();
}

void buildLeague(const QString& path, const SeasonSize& size)
{
    QElapsedTimer build;
    build.start();
    buildSeasonDatabase(QStringLiteral(VH_BENCH_DATA_DIR "/qn20db.shell"), path, size);
    std::printf("built the league (%d teams, %d games each, %d players a game) in %lld ms\n", size.teams,
                size.gamesPerTeam, size.playersPerGame, build.elapsed());
}

}  // namespace vh::bench
