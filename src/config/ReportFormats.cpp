#include "config/ReportFormats.h"

#include "platform/db/Database.h"
#include "shell/Renumber.h"

namespace vh {

namespace {

QString formatTable(CatKind kind)
{
    return kind == CatKind::Player ? QStringLiteral("PlayerRptFormat") : QStringLiteral("GoalieRptFormat");
}
QString catsTable(CatKind kind)
{
    return kind == CatKind::Player ? QStringLiteral("PlayerRptCats") : QStringLiteral("GoalieRptCats");
}
QString reportType(CatKind kind) { return kind == CatKind::Player ? QStringLiteral("P") : QStringLiteral("G"); }

}  // namespace

CatKind FormatKind(const QString& reportCode)
{
    return reportCode == QLatin1String("G") ? CatKind::Goalie : CatKind::Player;
}

std::vector<int16_t> ReportableCategories(CatKind kind)
{
    std::vector<int16_t> out;
    const int last = kind == CatKind::Player ? 23 : 25;
    for (int16_t c = 1; c <= last; ++c)
        out.push_back(c);
    for (int16_t c = 46; c <= 50; ++c)
        out.push_back(c);
    return out;
}

FormatDetails DefaultFormat(CatKind kind)
{
    FormatDetails f;
    if (kind == CatKind::Player) {
        f.line = {1, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13, 14, 15, 18, 19, 16, 17};
        f.sortCategory = 17;
        f.sortDirection = QStringLiteral("D");
    } else {
        f.line = {1, 2, 3, 4, 5, 6, 7, 13, 8, 14, 9, 15, 11, 17, 12, 18, 24, 25};
        f.sortCategory = 25;
        f.sortDirection = QStringLiteral("A");
    }
    return f;
}

FormatDetails NewFormat(CatKind kind)
{
    FormatDetails f = DefaultFormat(kind);
    f.line.clear();
    return f;
}

std::vector<FormatEntry> ListFormats(Database& db, CatKind kind)
{
    std::vector<FormatEntry> out;
    Recordset rs = db.openRecordset(QStringLiteral("select ReportNumber, ReportDescription from %1 order by "
                                                   "ReportNumber")
                                        .arg(formatTable(kind)));
    for (; !rs.eof(); rs.moveNext())
        out.push_back({rs.getInt(QStringLiteral("ReportNumber")), rs.textOr(QStringLiteral("ReportDescription"))});
    return out;
}

std::optional<FormatEntry> ReadFormatEntry(Database& db, CatKind kind, int16_t number)
{
    Recordset rs = db.openRecordset(
        QStringLiteral("select ReportDescription from %1 where ReportNumber = ?").arg(formatTable(kind)), {number});
    if (rs.eof())
        return std::nullopt;
    return FormatEntry{number, rs.textOr(QStringLiteral("ReportDescription"))};
}

std::optional<FormatDetails> ReadFormat(Database& db, CatKind kind, int16_t number)
{
    Recordset rs = db.openRecordset(
        QStringLiteral("select * from %1 where ReportNumber = ?").arg(formatTable(kind)), {number});
    if (rs.eof())
        return std::nullopt;
    FormatDetails f;
    f.name = rs.textOr(QStringLiteral("ReportDescription")).trimmed();
    f.sortCategory = rs.isNull(QStringLiteral("SortCategory")) ? int16_t(0) : rs.getInt(QStringLiteral("SortCategory"));
    f.sortDirection = rs.textOr(QStringLiteral("SortDirection"));
    rs.close();
    rs = db.openRecordset(
        QStringLiteral("select CategoryNumber from %1 where ReportNumber = ? order by ReportOrder").arg(catsTable(kind)),
        {number});
    for (; !rs.eof(); rs.moveNext())
        f.line.push_back(rs.getInt(QStringLiteral("CategoryNumber")));
    return f;
}

std::optional<FormatProblem> CheckFormat(const FormatDetails& format)
{
    if (format.name.trimmed().isEmpty())
        return FormatProblem{QStringLiteral("Must enter Report Format Name!"), QStringLiteral("Report Format Name Blank"),
                             FormatProblem::Name};
    if (format.line.empty())
        return FormatProblem{QStringLiteral("Must add at least one category to Report Line!"),
                             QStringLiteral("No Categories Selected"), FormatProblem::Line};
    if (format.sortCategory <= 0)
        return FormatProblem{QStringLiteral("Must select sort category!"), QStringLiteral("No Sort Category Selected"),
                             FormatProblem::SortCategory};
    if (format.sortDirection != QLatin1String("A") && format.sortDirection != QLatin1String("D"))
        return FormatProblem{QStringLiteral("Must select Descending or Ascending sort direction!"),
                             QStringLiteral("No Sort Direction Selected"), FormatProblem::SortDirection};
    return std::nullopt;
}

std::optional<int16_t> StoreFormat(Database& db, CatKind kind, int16_t number, const FormatDetails& format)
{
    Transaction t(db);
    if (number <= 0) {
        const std::optional<int16_t> next = NextNumberFromMax(
            db, QStringLiteral("select max([ReportNumber]) as [result] from %1").arg(formatTable(kind)));
        if (!next)
            return std::nullopt;
        number = *next;
    }
    const QVariantList values{format.name.trimmed(), format.sortCategory, format.sortDirection, number};
    if (db.execute(QStringLiteral("update %1 set ReportDescription = ?, SortCategory = ?, SortDirection = ? where "
                                  "ReportNumber = ?")
                       .arg(formatTable(kind)),
                   values) == 0)
        db.execute(QStringLiteral("insert into %1 (ReportDescription, SortCategory, SortDirection, ReportNumber) "
                                  "values (?, ?, ?, ?)")
                       .arg(formatTable(kind)),
                   values);
    db.execute(QStringLiteral("delete from %1 where ReportNumber = ?").arg(catsTable(kind)), {number});
    Statement add = db.prepare(
        QStringLiteral("insert into %1 (ReportNumber, ReportOrder, CategoryNumber) values (?, ?, ?)").arg(catsTable(kind)));
    for (size_t i = 0; i < format.line.size(); ++i)
        add.run({number, int(i + 1), format.line[i]});
    t.commit();
    return number;
}

std::optional<int16_t> ChosenFormat(Database& db, CatKind kind)
{
    const QVariant v =
        db.scalar(QStringLiteral("select ReportNumber from ReportNumber where ReportType = ?"), {reportType(kind)});
    if (!v.isValid() || v.isNull())
        return std::nullopt;
    return int16_t(v.toInt());
}

bool ChooseFormat(Database& db, CatKind kind, int16_t number)
{
    return db.execute(QStringLiteral("update ReportNumber set ReportNumber = ? where ReportType = ?"),
                      {number, reportType(kind)}) > 0;
}

void DeleteFormat(Database& db, CatKind kind, int16_t number, int16_t replacement)
{
    Transaction t(db);
    db.execute(QStringLiteral("delete from %1 where ReportNumber = ?").arg(formatTable(kind)), {number});
    db.execute(QStringLiteral("delete from %1 where ReportNumber = ?").arg(catsTable(kind)), {number});
    db.execute(QStringLiteral("update ReportNumber set ReportNumber = ? where ReportType = ? and ReportNumber = ?"),
               {replacement, reportType(kind), number});
    t.commit();
}

}  // namespace vh
