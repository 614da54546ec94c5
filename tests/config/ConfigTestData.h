#pragma once
// A started program for the configuration tests, and the stored rows they
// compare against.

#include "platform/db/Database.h"
#include "shell/Categories.h"
#include "shell/Globals.h"
#include "shell/Startup.h"
#include "shell/Procedures.h"
#include "support/TestEnv.h"
#include "support/Widgets.h"
#include "teams/frmSelectTeam.h"

#include <QList>
#include <QPair>
#include <memory>

namespace vh::test {

// The program as start-up leaves it on a new database.
inline std::unique_ptr<TestEnv> startProgram()
{
    auto env = std::make_unique<TestEnv>();
    env->runSetup();
    return env;
}

// The program ended normally and started again on the same database.
inline void restartProgram(TestEnv& env)
{
    SaveOptionsAndCloseDatabase();
    env.clearEnded();
    resetGlobals();
    env.runSetup();
}

// The kind's InputOrder rows as (cell, category), in cell order.
inline QList<QPair<int, int>> inputRows(CatKind kind)
{
    QList<QPair<int, int>> rows;
    Recordset rs = Db().openRecordset(QStringLiteral("select OrderNumber, CategoryNumber from InputOrder where "
                                                     "CategoryType = ? order by OrderNumber"),
                                      {categoryTypeCode(kind)});
    for (; !rs.eof(); rs.moveNext())
        rows.append({rs.getInt(QStringLiteral("OrderNumber")), rs.getInt(QStringLiteral("CategoryNumber"))});
    return rows;
}

// The rows a layout of 32 cells stores.
template <class Cells>
QList<QPair<int, int>> rowsOf(const Cells& cells)
{
    QList<QPair<int, int>> rows;
    for (int i = 0; i < 32; ++i)
        if (cells[size_t(i)] > 0)
            rows.append({i + 1, int(cells[size_t(i)])});
    return rows;
}

// A window opened as the frame's command does: the team selection hidden.
template <class T>
T* openFromSelection()
{
    Load<frmSelectTeam>();
    CloseOpenForms();
    return Load<T>();
}

inline void nameUserCategory(CatKind kind, int position, const QString& name)
{
    (kind == CatKind::Player ? g.PlayerNyoAbbrev : g.GoalieNyoAbbrev)[position] = name;
    (kind == CatKind::Player ? g.PlayerCatAbbrev : g.GoalieCatAbbrev)[45 + position] = name;
}

}  // namespace vh::test
