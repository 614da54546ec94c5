#pragma once
// The one game selection every report applies: game range, home or away, game
// types and excluded games. It works on any row that carries GameNumber,
// HomeTeam and GameType (GameStats, PlayerStats, GoalieStats), as SQL with
// bound values or as a test of a row already read.

#include "shell/ReportCriteria.h"

#include <QString>
#include <QVariant>
#include <QVariantList>

namespace vh {

struct SqlCondition {
    QString sql;          // a condition to join with AND; never empty
    QVariantList params;  // its bound values, in order
};

// The condition over the columns of `alias` (e.g. "s" for s.GameNumber);
// an empty alias names the columns bare. A Null HomeTeam passes both the home
// and the away test, and a Null or unlisted GameType passes the type test.
SqlCondition gameSelection(const ReportCriteria& criteria, const QString& alias = {});

// The same test for one row; homeTeam may be Null.
bool gameSelected(const ReportCriteria& criteria, int gameNumber, const QVariant& homeTeam, int gameType);
// The same, with the stored GameType as read: a Null type passes the type test.
bool gameSelected(const ReportCriteria& criteria, int gameNumber, const QVariant& homeTeam, const QVariant& gameType);

}  // namespace vh
