#include "SeasonDatabase.h"

#include "platform/db/Database.h"
#include "shell/Startup.h"

#include <QFile>

namespace vh::bench {

void buildSeasonDatabase(const QString& shell, const QString& path, const seed::SeasonSize& size)
{
    QFile::remove(path);
    QFile::copy(shell, path);
    QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    auto db = Database::open(path, DatabaseConnect());
    seed::buildSeason(*db, size);
}

}  // namespace vh::bench
