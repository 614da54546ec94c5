#include "shell/Categories.h"

#include "platform/basic/Basic.h"
#include "shell/Globals.h"
#include "shell/Renumber.h"

#include <cmath>
#include <vector>

namespace vh {

namespace {

const std::vector<CategoryDef>& playerDefs()
{
    static const std::vector<CategoryDef> defs = {
        {1, "GP", "", "", "GP"},
        {2, "Per", "Periods Played", "Per", "Per"},
        {3, "Min", "Minutes Played", "Min", "Min"},
        {4, "SOG", "Shots on Goal", "SOG", "SOG"},
        {5, "G", "Goals Scored", "G", "G"},
        {6, "PP", "Power Play Goals", "PP", "PP"},
        {7, "SH", "Short Handed Goals", "SH", "SH"},
        {8, "GW", "Game Winning Goals", "GW", "GW"},
        {9, "GT", "Game Tying Goals", "GT", "GT"},
        {10, "EN", "Empty Net Goals", "EN", "EN"},
        {11, "OT", "Overtime Goals", "OT", "OT"},
        {12, "UA", "Unassisted Goals", "UA", "UA"},
        {13, "Hat", "", "", "Hat"},
        {14, "Sh%", "", "", "ShPct"},
        {15, "Ast", "Assists", "Ast", "Ast"},
        {16, "Pts", "", "", "Pts"},
        {17, "PPG", "", "", "PPG"},
        {18, "Pen", "Penalties", "Pen", "Pen"},
        {19, "PIM", "Penalty Minutes", "PIM", "PIM"},
        {20, "FOW", "Face-Offs Won", "FOW", "FOW"},
        {21, "FOL", "Face-Offs Lost", "FOL", "FOL"},
        {22, "FO%", "", "", "FOPct"},
        {23, "+/-", "", "", "PlusMinus"},
        {43, "+", "Plus", "Plus", ""},
        {44, "-", "Minus", "Minus", ""},
        {45, "Sec", "Seconds (0 to 59)", "Sec", ""},
        {46, "", "User Defined Field", "U1", "User1"},
        {47, "", "User Defined Field", "U2", "User2"},
        {48, "", "User Defined Field", "U3", "User3"},
        {49, "", "User Defined Field", "U4", "User4"},
        {50, "", "User Defined Field", "U5", "User5"},
    };
    return defs;
}

const std::vector<CategoryDef>& goalieDefs()
{
    static const std::vector<CategoryDef> defs = {
        {1, "GP", "", "", "GP"},
        {2, "Per", "Periods Played", "Per", "Per"},
        {3, "Min", "Minutes Played", "Min", "Min"},
        {4, "W", "Won", "W", "W"},
        {5, "L", "Lost", "L", "L"},
        {6, "T", "Tied", "T", "T"},
        {7, "GA1", "Goals Against in Period 1", "GA1", "GA1"},
        {8, "GA2", "Goals Against in Period 2", "GA2", "GA2"},
        {9, "GA3", "Goals Against in Period 3", "GA3", "GA3"},
        {10, "GA4", "Goals Against in Period 4", "GA4", "GA4"},
        {11, "GAO", "Goals Against in Overtime", "GAO", "GAO"},
        {12, "GA", "", "", "GA"},
        {13, "Sv1", "Saves in Period 1", "Sv1", "Sv1"},
        {14, "Sv2", "Saves in Period 2", "Sv2", "Sv2"},
        {15, "Sv3", "Saves in Period 3", "Sv3", "Sv3"},
        {16, "Sv4", "Saves in Period 4", "Sv4", "Sv4"},
        {17, "SvO", "Saves in Overtime", "SvO", "SvO"},
        {18, "Sv", "", "", "Sv"},
        {19, "G", "Goals Scored", "G", "G"},
        {20, "Ast", "Assists", "Ast", "Ast"},
        {21, "Pen", "Penalties", "Pen", "Pen"},
        {22, "PIM", "Penalty Minutes", "PIM", "PIM"},
        {23, "EN", "Empty Net Goals Against (Do not include in GA)", "EN", "EN"},
        {24, "Sv%", "", "", "SvPct"},
        {25, "GAA", "", "", "GAA"},
        {45, "Sec", "Seconds (0 to 59)", "Sec", ""},
        {46, "", "User Defined Field", "U1", "User1"},
        {47, "", "User Defined Field", "U2", "User2"},
        {48, "", "User Defined Field", "U3", "User3"},
        {49, "", "User Defined Field", "U4", "User4"},
        {50, "", "User Defined Field", "U5", "User5"},
    };
    return defs;
}

const char* const kNyoDefault[] = {"H", "G"};

}  // namespace

const CategoryDef* categoryDef(CatKind kind, int number)
{
    for (const CategoryDef& d : kind == CatKind::Player ? playerDefs() : goalieDefs())
        if (d.number == number)
            return &d;
    return nullptr;
}

bool isEnteredCategory(CatKind kind, int number)
{
    const CategoryDef* d = categoryDef(kind, number);
    return d && *d->field;
}

bool isComputedCategory(CatKind kind, int number)
{
    const CategoryDef* d = categoryDef(kind, number);
    return d && !*d->field;
}

QString categoryTypeCode(CatKind kind) { return kind == CatKind::Player ? QStringLiteral("H") : QStringLiteral("G"); }

const std::array<int16_t, 32>& defaultInputLayout(CatKind kind)
{
    static const std::array<int16_t, 32> player = {2,  3,  45, 4,  5,  6,  7, 0, 8, 9, 10, 11, 12, 15, 18, 19,
                                                   20, 21, 43, 44, 0,  0,  0, 0, 0, 0,      0,  46, 47, 48, 49, 50};
    static const std::array<int16_t, 32> goalie = {2,  3,  45, 7,  8,  9,  10, 11, 4,  5,  6,  13, 14, 15, 16, 17,
                                                   23, 19, 20, 21, 22, 0,  0,  0,  0,  0,  0,  46, 47, 48, 49, 50};
    return kind == CatKind::Player ? player : goalie;
}

void LoadNameYourOwnCats() { LoadNameYourOwnCats(Db(), g, true); }

void LoadNameYourOwnCats(Database& db, Globals& state, bool writeDefaults)
{
    state.PlayerNyoAbbrev.redim(5);
    state.GoalieNyoAbbrev.redim(5);
    Recordset rs = db.openRecordset(QStringLiteral("NameYourOwnCats"));
    if (rs.eof() && writeDefaults) {
        // The twenty rows go in together or not at all.
        Transaction t(db);
        for (int i = 1; i <= 10; ++i) {
            for (const char* type : kNyoDefault) {
                rs.addNew();
                rs.setValue(QStringLiteral("CategoryType"), QString::fromLatin1(type));
                rs.setValue(QStringLiteral("CategoryNumber"), i);
                rs.setValue(QStringLiteral("CategoryDescription"), QString::fromLatin1(type) + QString::number(i));
                rs.update();
            }
        }
        t.commit();
        rs = db.openRecordset(QStringLiteral("NameYourOwnCats"));
    }
    for (; !rs.eof(); rs.moveNext()) {
        const QString type = rs.getText(QStringLiteral("CategoryType"));
        const int n = rs.getInt(QStringLiteral("CategoryNumber"));
        if (n < 1 || n > 5)
            continue;
        if (type == QLatin1String("H"))
            state.PlayerNyoAbbrev[n] = rs.getText(QStringLiteral("CategoryDescription"));
        else if (type == QLatin1String("G"))
            state.GoalieNyoAbbrev[n] = rs.getText(QStringLiteral("CategoryDescription"));
    }
    rs.close();
}

std::array<int16_t, 32> ReadInputOrder(Database& db, CatKind kind)
{
    // A whole number within [low, high], read without the errors of getInt.
    const auto within = [](const QVariant& v, int low, int high) {
        bool ok = false;
        const double d = v.toDouble(&ok);
        return ok && d == std::floor(d) && d >= low && d <= high ? int(d) : 0;
    };
    std::array<int16_t, 32> out{};
    Recordset rs = db.openRecordset(QStringLiteral("select OrderNumber, CategoryNumber from InputOrder where "
                                                   "CategoryType = ? order by rowid"),
                                    {categoryTypeCode(kind)});
    for (; !rs.eof(); rs.moveNext()) {
        const int cell = within(rs.value(QStringLiteral("OrderNumber")), 1, 32);
        const int category = within(rs.value(QStringLiteral("CategoryNumber")), 1, 50);
        if (cell > 0 && category > 0)
            out[size_t(cell - 1)] = int16_t(category);
    }
    return out;
}

void LoadInputOrder(CatKind kind) { LoadInputOrder(Db(), g, kind, true); }

void LoadInputOrder(Database& db, Globals& state, CatKind kind, bool writeDefaults)
{
    const QString sql = QStringLiteral("Select * from InputOrder where CategoryType = '%1'").arg(categoryTypeCode(kind));
    Recordset rs = db.openRecordset(sql);
    if (rs.eof() && writeDefaults) {
        Transaction t(db);
        const auto& layout = defaultInputLayout(kind);
        for (int cell = 1; cell <= 32; ++cell) {
            if (layout[size_t(cell - 1)] == 0)
                continue;
            rs.addNew();
            rs.setValue(QStringLiteral("CategoryType"), categoryTypeCode(kind));
            rs.setValue(QStringLiteral("OrderNumber"), cell);
            rs.setValue(QStringLiteral("CategoryNumber"), layout[size_t(cell - 1)]);
            rs.update();
        }
        t.commit();
    }
    rs.close();

    OneBased<int16_t>& order = kind == CatKind::Player ? state.PlayerInputOrder : state.GoalieInputOrder;
    order.redim(32, 0);
    const auto cells = ReadInputOrder(db, kind);
    for (int cell = 1; cell <= 32; ++cell)
        order[cell] = cells[size_t(cell - 1)];
}

void BuildCatAbbrev(CatKind kind) { BuildCatAbbrev(g, kind); }

void BuildCatAbbrev(Globals& state, CatKind kind)
{
    OneBased<FixedString<3>>& table = kind == CatKind::Player ? state.PlayerCatAbbrev : state.GoalieCatAbbrev;
    const OneBased<FixedString<3>>& names = kind == CatKind::Player ? state.PlayerNyoAbbrev : state.GoalieNyoAbbrev;
    table.redim(50);
    for (const CategoryDef& d : kind == CatKind::Player ? playerDefs() : goalieDefs())
        if (d.number < 46)
            table[d.number] = QString::fromLatin1(d.abbrev);
    for (int i = 1; i <= 5; ++i)
        table[45 + i] = names.size() >= i ? names[i] : FixedString<3>();
}

void LoadReportFormat(Database& db, Globals& state, CatKind kind, int16_t n)
{
    const bool player = kind == CatKind::Player;
    (player ? state.PlayerReportNumber : state.GoalieReportNumber) = n;
    OneBased<int16_t>& line = player ? state.PlayerReportLine : state.GoalieReportLine;
    line.redim(player ? 28 : 30, 0);
    const QString formatTable = player ? QStringLiteral("PlayerRptFormat") : QStringLiteral("GoalieRptFormat");
    const QString catsTable = player ? QStringLiteral("PlayerRptCats") : QStringLiteral("GoalieRptCats");
    Recordset rs = db.openRecordset(QStringLiteral("Select * from %1 where ReportNumber =%2").arg(formatTable, Str(n)));
    if (rs.eof()) {
        rs.close();
        return;
    }
    (player ? state.PlayerRptDescription : state.GoalieRptDescription) =
        rs.getText(QStringLiteral("ReportDescription"));
    (player ? state.PlayerSortCategory : state.GoalieSortCategory) = rs.getInt(QStringLiteral("SortCategory"));
    (player ? state.PlayerSortDirection : state.GoalieSortDirection) =
        rs.getText(QStringLiteral("SortDirection")).left(1);
    rs.close();
    rs = db.openRecordset(QStringLiteral("Select * from %1 where ReportNumber =%2").arg(catsTable, Str(n)));
    for (; !rs.eof(); rs.moveNext())
        line[rs.getInt(QStringLiteral("ReportOrder"))] = rs.getInt(QStringLiteral("CategoryNumber"));
    rs.close();
}

void LoadPlayerReportFormat(int16_t reportNumber) { LoadReportFormat(Db(), g, CatKind::Player, reportNumber); }
void LoadGoalieReportFormat(int16_t reportNumber) { LoadReportFormat(Db(), g, CatKind::Goalie, reportNumber); }

void LoadCurrentReportFormats(Database& db, Globals& state, bool storeFallback)
{
    std::vector<std::pair<CatKind, int16_t>> chosen;
    Recordset rs = db.openRecordset(QStringLiteral("Select * from ReportNumber"));
    for (; !rs.eof(); rs.moveNext()) {
        const QString type = rs.getText(QStringLiteral("ReportType"));
        if (type == QLatin1String("P"))
            chosen.emplace_back(CatKind::Player, rs.getInt(QStringLiteral("ReportNumber")));
        else if (type == QLatin1String("G"))
            chosen.emplace_back(CatKind::Goalie, rs.getInt(QStringLiteral("ReportNumber")));
    }
    rs.close();
    for (auto [kind, number] : chosen) {
        // A choice naming a format that is gone (a back-up from elsewhere)
        // would give a report without columns or name: it moves to the
        // kind's first format, as the format chooser's delete moves it.
        const QString formats = kind == CatKind::Player ? QStringLiteral("PlayerRptFormat")
                                                        : QStringLiteral("GoalieRptFormat");
        const QVariant first = db.scalar(QStringLiteral("select min(ReportNumber) from %1").arg(formats));
        const bool gone =
            db.scalar(QStringLiteral("select count(*) from %1 where ReportNumber = ?").arg(formats), {number}).toInt() == 0;
        if (gone && !first.isNull()) {
            const int16_t replacement = int16_t(first.toInt());
            if (storeFallback)
                db.execute(QStringLiteral("update ReportNumber set ReportNumber = ? where ReportType = ? and "
                                          "ReportNumber = ?"),
                           {replacement, kind == CatKind::Player ? QStringLiteral("P") : QStringLiteral("G"), number});
            number = replacement;
        }
        LoadReportFormat(db, state, kind, number);
    }
}

std::optional<int16_t> NextReportNumber()
{
    const QString table = g.ReportCode == "G" ? QStringLiteral("GoalieRptFormat") : QStringLiteral("PlayerRptFormat");
    return NextNumberFromMax(Db(), QStringLiteral("select max([ReportNumber]) as [result] from %1").arg(table));
}

}  // namespace vh
