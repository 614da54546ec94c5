#include "datamgmt/TransferTables.h"

namespace vh::transfer {

namespace {

QStringList split(const char* names) { return QString::fromLatin1(names).split(QLatin1Char(' '), Qt::SkipEmptyParts); }

QStringList withUserFields(const char* names)
{
    QStringList out = split(names);
    for (int i = 1; i <= 10; ++i)
        out << QStringLiteral("U%1").arg(i);
    out << QStringLiteral("notes");
    return out;
}

}  // namespace

const QStringList& programVersionFields()
{
    static const QStringList f = split("ProgramVersion VersionDate");
    return f;
}

const QStringList& gameTypeFields()
{
    static const QStringList f = split("GameTypeNumber GameTypeDescription");
    return f;
}

const QStringList& categoryNameFields()
{
    static const QStringList f = split("CategoryType CategoryNumber CategoryDescription");
    return f;
}

const QStringList& teamFields()
{
    static const QStringList f = split("TeamNumber LongTeamName ShortTeamName ContactPerson PhoneNumber Email notes");
    return f;
}

const QStringList& rosterFields()
{
    static const QStringList f = split("TeamNumber PersonNumber PlayerIndicator UniformNumber notes");
    return f;
}

const QStringList& peopleFields()
{
    static const QStringList f = split("PersonNumber FirstName LastName Address1 Address2 City State Zip Country "
                                       "HomePhone WorkPhone FaxNumber EmailAddress notes BirthDate");
    return f;
}

const QStringList& gameFields()
{
    static const QStringList f =
        split("TeamNumber GameNumber GStatNumber GameDate GameType Periods Location HomeTeam Opponent "
              "OpponentTeamNumber OpponentGStatNumber Goals GoalsPeriod1 GoalsPeriod2 GoalsPeriod3 GoalsPeriod4 "
              "GoalsOT OppGoals OppGoalsPeriod1 OppGoalsPeriod2 OppGoalsPeriod3 OppGoalsPeriod4 OppGoalsOT PP PPG SH "
              "Kills Overtime notes");
    return f;
}

const QStringList& playerStatFields()
{
    static const QStringList f =
        withUserFields("TeamNumber GameNumber PlayerNumber EventNumber GameType HomeTeam Per Min Sec SOG G PP SH GW GT "
                       "EN OT UA Ast Pen PIM FOW FOL Plus Minus Unused1 Unused2 Unused3");
    return f;
}

const QStringList& goalieStatFields()
{
    static const QStringList f =
        withUserFields("TeamNumber GameNumber PlayerNumber EventNumber GameType HomeTeam Per Min Sec W L T G Ast Pen "
                       "PIM GA1 GA2 GA3 GA4 GAO Sv1 Sv2 Sv3 Sv4 SvO EN Unused1 Unused2 Unused3");
    return f;
}

const std::map<QString, QStringList>& transferTables()
{
    static const std::map<QString, QStringList> t = {
        {QStringLiteral("ProgramVersion"), programVersionFields()},
        {QStringLiteral("GameTypes"), gameTypeFields()},
        {QStringLiteral("NameYourOwnCats"), categoryNameFields()},
        {QStringLiteral("Teams"), teamFields()},
        {QStringLiteral("Roster"), rosterFields()},
        {QStringLiteral("People"), peopleFields()},
        {QStringLiteral("GameStats"), gameFields()},
        {QStringLiteral("PlayerStats"), playerStatFields()},
        {QStringLiteral("GoalieStats"), goalieStatFields()},
    };
    return t;
}

int copyRows(Database& from, const QString& select, const QVariantList& params, Database& to, const QString& table,
             const QStringList& fields, const std::function<void(const Recordset&, Overrides&)>& adjust)
{
    QStringList marks;
    for (qsizetype i = 0; i < fields.size(); ++i)
        marks << QStringLiteral("?");
    Statement insert = to.prepare(QStringLiteral("insert into %1 (%2) values (%3)")
                                      .arg(table, fields.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))));
    int written = 0;
    Recordset rs = from.openRecordset(select, params);
    for (; !rs.eof(); rs.moveNext()) {
        Overrides changed;
        if (adjust)
            adjust(rs, changed);
        QVariantList values;
        values.reserve(fields.size());
        for (const QString& f : fields) {
            const auto it = changed.find(f);
            values << (it != changed.end() ? it->second : rs.value(f));
        }
        insert.run(values);
        ++written;
    }
    rs.close();
    return written;
}

}  // namespace vh::transfer
