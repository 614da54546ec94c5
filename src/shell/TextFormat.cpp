#include "shell/TextFormat.h"

#include "platform/basic/Basic.h"
#include "platform/db/Database.h"
#include "shell/Globals.h"

#include <array>

namespace vh {

QString PadText(QString& text, int16_t width, const QString& alignment)
{
    text = Trim(text);
    if (text.size() > width)
        return {};
    const int n = width - int(text.size());
    if (alignment == QLatin1String("L"))
        return QString(n, QLatin1Char(' ')) + text;
    if (alignment == QLatin1String("R"))
        return text + QString(n, QLatin1Char(' '));
    if (alignment == QLatin1String("M"))
        return QString(n / 2, QLatin1Char(' ')) + text + QString(n - n / 2, QLatin1Char(' '));
    return {};
}

QString PadText(const QString& text, int16_t width, const QString& alignment)
{
    QString copy = text;
    return PadText(copy, width, alignment);
}

QString FormatGameListLine(const Recordset& game)
{
    const auto number = [&](const char* field) -> QString {
        const QString name = QLatin1String(field);
        return game.isNull(name) ? QString() : NumText(game.getLong(name));
    };
    QString line = FixedText(number("GameNumber"), 3) + QLatin1Char(' ');
    const QDate date = game.getDate(QStringLiteral("GameDate"));
    line += date.isValid() ? PadText(ShortDate(date), 11, QStringLiteral("R")) : QString(11, QLatin1Char(' '));
    const int16_t type = game.isNull(QStringLiteral("GameType")) ? 0 : game.getInt(QStringLiteral("GameType"));
    line += PadText(Left(GetGameTypeDescription(type), 15), 15, QStringLiteral("R"));
    line += QLatin1Char(' ');
    line += PadText(Left(game.textOr(QStringLiteral("Opponent")), 25), 25, QStringLiteral("R"));
    line += PadText(number("Goals"), 4, QStringLiteral("L"));
    line += QLatin1Char('-');
    line += PadText(number("OppGoals"), 4, QStringLiteral("R"));
    const int32_t goals = game.isNull(QStringLiteral("Goals")) ? 0 : game.getLong(QStringLiteral("Goals"));
    const int32_t against = game.isNull(QStringLiteral("OppGoals")) ? 0 : game.getLong(QStringLiteral("OppGoals"));
    if (goals > against)
        line += QStringLiteral("WON ");
    else if (goals < against)
        line += QStringLiteral("lost");
    else
        line += QStringLiteral("tie ");
    return line;
}

QString DayName(const QString& dateText)
{
    static const std::array<const char*, 7> names = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                                     "Friday", "Saturday", "Sunday"};
    const auto d = ParseDate(dateText);
    return d ? QString::fromLatin1(names[size_t(d->dayOfWeek() - 1)]) : QString();
}

QString MonthName(const QString& dateText, const QString& form)
{
    static const std::array<const char*, 12> names = {"January", "February", "March",     "April",
                                                      "May",     "June",     "July",      "August",
                                                      "September", "October", "November", "December"};
    const auto d = ParseDate(dateText);
    if (!d)
        return {};
    const QString name = QString::fromLatin1(names[size_t(d->month() - 1)]);
    return form == QLatin1String("L") ? name : name.left(3);
}

QString GetGameTypeDescription(int16_t gameTypeNumber)
{
    for (int i = 1; i <= g.GameTypeNumbers.size() && i <= g.GameTypeDescriptions.size(); ++i)
        if (g.GameTypeNumbers[i] == gameTypeNumber)
            return g.GameTypeDescriptions[i].str();
    return QStringLiteral("No Game Type");
}

namespace {
// The index of a team in the program-wide team table, 0 when not listed.
int teamIndex(int16_t teamNumber)
{
    for (int k = 1; k <= g.NumTeams && k <= g.TeamNumbers.size(); ++k)
        if (g.TeamNumbers[k] == teamNumber)
            return k;
    return 0;
}
}  // namespace

QString GetLongTeamName(int16_t teamNumber)
{
    const int k = teamIndex(teamNumber);
    return k && k <= g.LongTeamNames.size() ? Trim(g.LongTeamNames[k]) : QStringLiteral("Team Name Unknown");
}

QString GetShortTeamName(int16_t teamNumber)
{
    const int k = teamIndex(teamNumber);
    return k && k <= g.ShortTeamNames.size() ? g.ShortTeamNames[k].str() : QStringLiteral("Team Name Unknown");
}

QString ComposePersonName(int16_t nameFormat, const QString& firstName, const QString& lastName)
{
    if (nameFormat == 0)
        return Trim(firstName) + QLatin1Char(' ') + Trim(lastName);
    if (nameFormat == 1)
        return Left(firstName, 1) + QLatin1Char(' ') + Trim(lastName);
    return Trim(lastName);
}

QString PersonDisplayName(int16_t personNumber, int16_t teamNumber, const QString& firstName, const QString& lastName)
{
    QString name = ComposePersonName(g.NameFormatOption, firstName, lastName);
    if (g.ShowPlayerNumberOption == True) {
        g.SqlText = QStringLiteral("Select * from Roster where TeamNumber =") + Str(teamNumber) +
                    QStringLiteral(" and PersonNumber =") + Str(personNumber);
        Recordset rs = Db().openRecordset(g.SqlText);
        if (!rs.eof()) {
            rs.moveFirst();
            const QString uniform = rs.textOr(QStringLiteral("UniformNumber"));
            if (!uniform.isEmpty())
                name += QLatin1Char('-') + Trim(uniform);
        }
        rs.close();
    }
    return name;
}

namespace {
QString formatFigure(double value, bool notApplicable, const char* withCommas, const char* withoutCommas,
                     const char* zeroForm, const FigureStyle& style)
{
    if (notApplicable)
        return style.showNA ? QStringLiteral("na") : QString::fromLatin1(zeroForm);
    return Format(value, QString::fromLatin1(style.showCommas ? withCommas : withoutCommas));
}

FigureStyle currentFigureStyle() { return {g.ShowCommasOption != 0, g.ShowNAOption != 0}; }
}  // namespace

QString FormatOneDecimal(float value, const FigureStyle& style)
{
    return formatFigure(value, value == -1.0f, "#,###,##0.0", "######0.0", "0.0", style);
}

QString FormatTwoDecimals(float value, const FigureStyle& style)
{
    return formatFigure(value, value == -1.0f, "#,##0.00", "###0.00", "0.00", style);
}

QString FormatThreeDecimals(float value, const FigureStyle& style)
{
    return formatFigure(value, value == -1.0f, "#,###.000", "####.000", ".000", style);
}

QString FormatWholeNumber(int32_t value, const FigureStyle& style)
{
    return formatFigure(value, value == -1, "#,###,##0", "######0", "0", style);
}

QString FormatOneDecimal(float value) { return FormatOneDecimal(value, currentFigureStyle()); }
QString FormatTwoDecimals(float value) { return FormatTwoDecimals(value, currentFigureStyle()); }
QString FormatThreeDecimals(float value) { return FormatThreeDecimals(value, currentFigureStyle()); }
QString FormatWholeNumber(int32_t value) { return FormatWholeNumber(value, currentFigureStyle()); }

}  // namespace vh
