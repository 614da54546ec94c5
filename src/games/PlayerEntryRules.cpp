// The entry rules over the category boxes' texts, the typed-text check, the
// +1/-1 step and the help line of a focused box.

#include "games/PlayerEntryRules.h"

#include "platform/basic/Basic.h"
#include "shell/Globals.h"

#include <cmath>

namespace vh {

namespace {

// Category numbers the rules name.
namespace PCat {
constexpr int SOG = 4, G = 5, PP = 6, SH = 7, GW = 8, GT = 9, EN = 10, OT = 11, UA = 12, Pen = 18, PIM = 19, Sec = 45;
}
namespace GCat {
constexpr int GA3 = 9, GA4 = 10, GAO = 11, Sv3 = 15, Sv4 = 16, SvO = 17, Pen = 21, PIM = 22, Sec = 45;
}

// The boxes as the rules see them: each category's cell (the last cell that
// holds it) and value; a category in no cell is off the layout and counts 0.
class Cells {
public:
    Cells(CatKind role, const BoxTexts& boxes)
    {
        cell_.fill(0);
        for (int i = 1; i <= kCategoryBoxCount; ++i) {
            value_[size_t(i)] = CategoryBoxNumber(boxes[size_t(i - 1)]);
            const int c = InputCategory(role, i);
            if (c >= 1 && c <= 50)
                cell_[size_t(c)] = i;
        }
    }
    bool on(int category) const { return cell_[size_t(category)] > 0; }
    int64_t v(int category) const { return on(category) ? value_[size_t(cell_[size_t(category)])] : 0; }
    int box(int category) const { return cell_[size_t(category)] - 1; }

private:
    std::array<int, 51> cell_{};
    std::array<int32_t, kCategoryBoxCount + 1> value_{};
};

EntryCheck broken(const QString& message, int box) { return {false, message, box}; }

EntryCheck playerRules(const Cells& c)
{
    using namespace PCat;
    if (c.on(G) && c.on(SOG) && c.v(G) > c.v(SOG))
        return broken(QStringLiteral("G can NOT be > SOG"), c.box(G));
    // Of a pair, the focus goes to the first box that holds a count; the
    // second box only when it is on the layout.
    auto pairFocus = [&](int first, int second) {
        return c.on(first) && (c.v(first) > 0 || !c.on(second)) ? c.box(first) : c.box(second);
    };
    if (c.on(G) && (c.on(PP) || c.on(SH)) && c.v(PP) + c.v(SH) > c.v(G))
        return broken(QStringLiteral("PP + SH can NOT be > G"), pairFocus(PP, SH));
    if (c.on(G) && (c.on(GW) || c.on(GT)) && c.v(GW) + c.v(GT) > c.v(G))
        return broken(QStringLiteral("GW + GT can NOT be > G"), pairFocus(GW, GT));
    if (c.on(G) && c.on(EN) && c.v(EN) > c.v(G))
        return broken(QStringLiteral("EN can NOT be > G"), c.box(EN));
    if (c.on(G) && c.on(OT) && c.v(OT) > c.v(G))
        return broken(QStringLiteral("OT can NOT be > G"), c.box(OT));
    if (c.on(G) && c.on(UA) && c.v(UA) > c.v(G))
        return broken(QStringLiteral("UA can NOT be > G"), c.box(UA));
    if (c.on(Pen) && c.on(PIM) && c.v(Pen) == 0 && c.v(PIM) > 0)
        return broken(QStringLiteral("Can NOT have PIM when Pen = 0"), c.box(PIM));
    if (c.on(Sec) && c.v(Sec) > 59)
        return broken(QStringLiteral("Seconds can Not be > 59"), c.box(Sec));
    return {};
}

EntryCheck goalieRules(const Cells& c, int periods, bool overtime)
{
    using namespace GCat;
    if (c.on(Sec) && c.v(Sec) > 59)
        return broken(QStringLiteral("Seconds can Not be > 59"), c.box(Sec));
    if (c.on(Pen) && c.on(PIM) && c.v(Pen) == 0 && c.v(PIM) > 0)
        return broken(QStringLiteral("Can NOT have PIM when Pen = 0"), c.box(PIM));
    if (periods == 2 && c.on(GA3) && c.v(GA3) > 0)
        return broken(QStringLiteral("GA3 can NOT be > 0 when 2 periods in game"), c.box(GA3));
    if (periods == 2 && c.on(Sv3) && c.v(Sv3) > 0)
        return broken(QStringLiteral("Sv3 can NOT be > 0 when 2 periods in game"), c.box(Sv3));
    const QString inPeriods = Str(periods) + QStringLiteral(" periods in game");
    if (periods < 4 && c.on(GA4) && c.v(GA4) > 0)
        return broken(QStringLiteral("GA4 can NOT be > 0 when") + inPeriods, c.box(GA4));
    if (periods < 4 && c.on(Sv4) && c.v(Sv4) > 0)
        return broken(QStringLiteral("Sv4 can NOT be > 0 when") + inPeriods, c.box(Sv4));
    if (!overtime && c.on(GAO) && c.v(GAO) > 0)
        return broken(QStringLiteral("GAO can NOT be > 0 when no overtime"), c.box(GAO));
    if (!overtime && c.on(SvO) && c.v(SvO) > 0)
        return broken(QStringLiteral("SvO can NOT be > 0 when no overtime"), c.box(SvO));
    return {};
}

}  // namespace

int32_t CategoryBoxNumber(const QString& text)
{
    const double v = std::nearbyint(Val(text));  // the default rounding: half to even
    if (!(v > double(INT32_MIN)))
        return INT32_MIN;
    if (v > double(INT32_MAX))
        return INT32_MAX;
    return int32_t(v);
}

int16_t InputCategory(CatKind role, int cell)
{
    const OneBased<int16_t>& order = role == CatKind::Player ? g.PlayerInputOrder : g.GoalieInputOrder;
    return cell >= 1 && cell <= order.size() ? order[cell] : int16_t(0);
}

EntryCheck ValidateEntries(CatKind role, const BoxTexts& boxes, const GamePeriods& game)
{
    const Cells cells(role, boxes);
    if (role == CatKind::Player)
        return playerRules(cells);
    return goalieRules(cells, game.periods, game.overtime);
}

EntryCheck CheckBoxText(const QString& text)
{
    bool digitsOnly = text.size() <= 4;
    for (const QChar ch : text)
        digitsOnly = digitsOnly && ch >= QLatin1Char('0') && ch <= QLatin1Char('9');
    if (!digitsOnly)
        return broken(QStringLiteral("Only a whole number from 0 to 9999 can be entered"), -1);
    return {};
}

std::optional<QString> StepBoxValue(const QString& text, int delta)
{
    const int64_t value = CategoryBoxNumber(text);
    if (delta > 0 && value < kMaxBoxValue)
        return NumText(value + 1);
    if (delta < 0 && value > 0)
        return NumText(value - 1);
    return std::nullopt;
}

QString CategoryHelpLine(CatKind role, const QString& labelCaption)
{
    const QString abbrev = Trim(labelCaption);
    for (int n = 1; n <= 45; ++n) {
        const CategoryDef* d = categoryDef(role, n);
        if (d && *d->abbrev && *d->longName && abbrev == QLatin1String(d->abbrev))
            return QString::fromLatin1(d->longName);
    }
    return QStringLiteral("User Defined Field");
}

}  // namespace vh
