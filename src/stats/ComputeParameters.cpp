#include "stats/ComputeParameters.h"

#include "platform/basic/Basic.h"
#include "platform/db/Database.h"
#include "shell/TextFormat.h"

#include <algorithm>

namespace vh {

bool computeShowsTopXAndSort(const ComputeInput& input)
{
    const bool stats = input.reportCode == QLatin1String("P") || input.reportCode == QLatin1String("G");
    const bool gameLog = input.criteria.playerScope == QLatin1String("Y") && input.selectedTeamCount == 1;
    return stats && !gameLog;
}

std::vector<std::pair<QString, int16_t>> sortListEntries(const QString& reportCode,
                                                         const std::array<QString, 50>& abbrev)
{
    std::vector<std::pair<QString, int16_t>> entries;
    int last = 0;
    if (reportCode == QLatin1String("P"))
        last = 23;
    else if (reportCode == QLatin1String("G"))
        last = 25;
    else
        return entries;
    entries.emplace_back(QStringLiteral("Name"), int16_t(-1));
    for (int c = 1; c <= 50; ++c) {
        if (c <= last || c >= 46)
            entries.emplace_back(abbrev[size_t(c - 1)], int16_t(c));
    }
    return entries;
}

std::vector<GameLine> computeGameLines(Database& db, int16_t team)
{
    std::vector<GameLine> lines;
    Recordset rs = db.openRecordset(
        QStringLiteral("select * from GameStats where TeamNumber = ? order by GameNumber"), {team});
    const auto number = [&rs](const char* field) {
        const QString name = QLatin1String(field);
        return rs.isNull(name) ? QString() : NumText(rs.getLong(name));
    };
    while (!rs.eof()) {
        QString line = PadText(number("GameNumber"), 4, QStringLiteral("R"));
        const QDate date = rs.getDate(QStringLiteral("GameDate"));
        if (date.isValid()) {
            line += MonthName(date.toString(Qt::ISODate), QStringLiteral("S")) +
                    PadText(QString::number(date.day()), 3, QStringLiteral("L")) + QLatin1Char(',') +
                    PadText(QString::number(date.year()), 4, QStringLiteral("L")) + QStringLiteral("  ");
        } else {
            line += QString(13, QLatin1Char(' '));
        }
        line += PadText(Left(rs.textOr(QStringLiteral("Opponent")), 27), 28, QStringLiteral("R"));
        line += PadText(number("Goals"), 4, QStringLiteral("L")) + QStringLiteral(" - ") +
                PadText(number("OppGoals"), 3, QStringLiteral("R"));
        lines.push_back({int16_t(rs.getLong(QStringLiteral("GameNumber"))), line});
        rs.moveNext();
    }
    rs.close();
    return lines;
}

namespace {

// The number a box's text starts with; an empty or zero box takes its default.
int16_t boxNumber(QString& text, int16_t fallback)
{
    const double v = Val(text);
    if (v == 0) {
        text = QString::number(fallback);
        return fallback;
    }
    return int16_t(std::min(v, 9999.0));
}

}  // namespace

std::variant<ComputeOutput, ComputeProblem> checkComputeChoices(const ComputeInput& input, ComputeChoices& choices)
{
    if (!choices.home && !choices.away)
        return ComputeProblem{QStringLiteral("Must select Home and/or Away!"), ComputeProblem::Home};
    if (std::find(choices.gameTypesSelected.begin(), choices.gameTypesSelected.end(), true) ==
        choices.gameTypesSelected.end())
        return ComputeProblem{QStringLiteral("Must select at least one Game Type!"), ComputeProblem::GameTypes};
    // A team without games has nothing to choose from, so no choice is asked.
    if (!choices.games.empty() &&
        std::none_of(choices.games.begin(), choices.games.end(), [](const auto& game) { return game.second; }))
        return ComputeProblem{QStringLiteral("Must select at least one game from list!"), ComputeProblem::GameList};

    ComputeOutput out;
    ReportCriteria& c = out.criteria;
    c = input.criteria;
    c.topX = boxNumber(choices.topX, 9999);
    c.lowGame = boxNumber(choices.lowGame, 1);
    c.highGame = boxNumber(choices.highGame, 9999);
    if (!choices.title.trimmed().isEmpty())
        c.title = choices.title.trimmed();
    if (input.reportCode == QLatin1String("P") || input.reportCode == QLatin1String("G")) {
        // With no entry chosen (a category the list does not hold), the sort
        // stays as it was.
        out.sortCategory = choices.sortCategory.value_or(input.sortCategory);
        out.sortDirection = choices.descending ? QStringLiteral("D") : QStringLiteral("A");
    }
    c.includeHome = choices.home;
    c.includeAway = choices.away;
    if (c.lowGame > c.highGame)
        std::swap(c.lowGame, c.highGame);
    c.allGameTypes = true;
    for (size_t i = 0; i < c.gameTypes.size(); ++i) {
        const bool included = i < choices.gameTypesSelected.size() && choices.gameTypesSelected[i];
        c.gameTypes[i].second = included;
        if (!included)
            c.allGameTypes = false;
    }
    c.excludedGames.clear();
    for (const auto& [number, selected] : choices.games) {
        if (!selected)
            c.excludedGames.push_back(number);
    }
    return out;
}

}  // namespace vh
