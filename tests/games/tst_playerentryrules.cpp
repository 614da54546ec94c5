// The entry screen's rules and views over records held in memory: the checks
// between categories, the box text check and +1/-1, the help line, what the
// boxes show and store, the goal cross-checks and the team totals.

#include "games/PlayerEntry.h"
#include "shell/Categories.h"
#include "shell/Globals.h"
#include "support/TestMain.h"

#include <map>

using namespace vh;

namespace {

// Default layout cells (1-based) of the categories the tests type into.
namespace PCell {
constexpr int Per = 1, Min = 2, Sec = 3, SOG = 4, G = 5, PP = 6, SH = 7, GW = 9, GT = 10, EN = 11, OT = 12, UA = 13,
              Ast = 14, Pen = 15, PIM = 16, FOW = 17, Plus = 19, Minus = 20, U1 = 28;
}
namespace GCell {
constexpr int Per = 1, Min = 2, Sec = 3, GA1 = 4, GA3 = 6, GA4 = 7, GAO = 8, Sv3 = 14, Sv4 = 15, SvO = 16, EN = 17,
              G = 18, Pen = 20, PIM = 21;
}

void useDefaultLayouts()
{
    for (CatKind kind : {CatKind::Player, CatKind::Goalie}) {
        OneBased<int16_t>& order = kind == CatKind::Player ? g.PlayerInputOrder : g.GoalieInputOrder;
        order.redim(32);
        for (int k = 1; k <= 32; ++k)
            order[k] = defaultInputLayout(kind)[size_t(k - 1)];
    }
    g.PlayerNyoAbbrev.redim(5);
    g.GoalieNyoAbbrev.redim(5);
    g.PlayerNyoAbbrev[1] = "G";
    g.PlayerNyoAbbrev[2] = "g";
    BuildCatAbbrev(CatKind::Player);
    BuildCatAbbrev(CatKind::Goalie);
}

// Box texts with the given values in the given cells, every other box empty.
BoxTexts boxes(const std::map<int, int>& cellValues)
{
    BoxTexts b;
    for (const auto& [cell, value] : cellValues)
        b[size_t(cell - 1)] = QString::number(value);
    return b;
}

// A person appended to the records, on the roster unless told otherwise.
int addPerson(PlayerEntry& e, int16_t person, bool onRoster = true)
{
    const int n = e.PlayerRecords.upper() + 1;
    e.PlayerRecords.redimPreserve(n);
    e.GoalieRecords.redimPreserve(n);
    e.PlayerRecords[n][SlotPersonNumber] = person;
    e.GoalieRecords[n][SlotPersonNumber] = person;
    e.PlayerRecords[n][SlotOnRoster] = VbBool(onRoster);
    e.GoalieRecords[n][SlotOnRoster] = VbBool(onRoster);
    return n;
}

}  // namespace

class TstPlayerEntryRules : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        resetGlobals();
        useDefaultLayouts();
        g.GameRec.periods = 3;
        g.GameRec.overtime = false;
    }

    // Each rule's message and the box it moves to; "" where the entries pass.
    void entryRules()
    {
        struct Case {
            CatKind kind;
            std::map<int, int> values;  // layout cell -> value
            const char* message;
            int cell;
            int16_t periods = 3;
            bool overtime = false;
        };
        const CatKind Pl = CatKind::Player, Gl = CatKind::Goalie;
        using namespace PCell;
        const Case cases[] = {
            {Pl, {}, "", 0},
            {Pl, {{G, 2}, {SOG, 2}}, "", 0},
            {Pl, {{G, 3}, {SOG, 2}, {PIM, 2}}, "G can NOT be > SOG", G},  // before the PIM rule
            {Pl, {{G, 2}, {SOG, 5}, {PP, 2}, {SH, 1}}, "PP + SH can NOT be > G", PP},
            {Pl, {{G, 2}, {SOG, 5}, {SH, 3}}, "PP + SH can NOT be > G", SH},
            {Pl, {{G, 1}, {SOG, 5}, {GW, 1}, {GT, 1}}, "GW + GT can NOT be > G", GW},
            {Pl, {{G, 1}, {SOG, 5}, {GT, 2}}, "GW + GT can NOT be > G", GT},
            {Pl, {{G, 1}, {SOG, 5}, {EN, 2}}, "EN can NOT be > G", EN},
            {Pl, {{G, 1}, {SOG, 5}, {OT, 2}}, "OT can NOT be > G", OT},
            {Pl, {{G, 1}, {SOG, 5}, {UA, 2}}, "UA can NOT be > G", UA},
            {Pl, {{Pen, 1}, {PIM, 0}}, "", 0},
            {Pl, {{PIM, 2}}, "Can NOT have PIM when Pen = 0", PIM},
            {Pl, {{Sec, 59}}, "", 0},
            {Pl, {{Sec, 60}}, "Seconds can Not be > 59", Sec},
            {Pl, {{U1, 9999}}, "", 0},  // the user's categories have no rule
            // The seconds rule comes first for a goalie.
            {Gl, {{GCell::Sec, 60}, {GCell::PIM, 2}}, "Seconds can Not be > 59", GCell::Sec},
            {Gl, {{GCell::Sec, 59}}, "", 0},
            {Gl, {{GCell::PIM, 2}}, "Can NOT have PIM when Pen = 0", GCell::PIM},
            {Gl, {{GCell::GA3, 1}}, "GA3 can NOT be > 0 when 2 periods in game", GCell::GA3, 2},
            {Gl, {{GCell::Sv3, 4}}, "Sv3 can NOT be > 0 when 2 periods in game", GCell::Sv3, 2},
            {Gl, {{GCell::GA3, 0}, {GCell::GA4, 1}}, "GA4 can NOT be > 0 when 2 periods in game", GCell::GA4, 2},
            {Gl, {{GCell::GA3, 2}, {GCell::Sv3, 9}}, "", 0},
            {Gl, {{GCell::GA4, 1}}, "GA4 can NOT be > 0 when 3 periods in game", GCell::GA4},
            {Gl, {{GCell::Sv4, 1}}, "Sv4 can NOT be > 0 when 3 periods in game", GCell::Sv4},
            {Gl, {{GCell::GA3, 1}, {GCell::GA4, 1}, {GCell::Sv4, 3}}, "", 0, 4},
            {Gl, {{GCell::GAO, 1}}, "GAO can NOT be > 0 when no overtime", GCell::GAO, 4},
            {Gl, {{GCell::SvO, 1}}, "SvO can NOT be > 0 when no overtime", GCell::SvO, 4},
            {Gl, {{GCell::GAO, 1}, {GCell::SvO, 1}}, "", 0, 4, true},
            // No goalie rule looks at goals, wins or the first periods.
            {Gl, {{GCell::G, 30}, {GCell::GA1, 40}, {GCell::EN, 9}}, "", 0, 4, true},
        };
        for (const Case& c : cases) {
            const EntryCheck r = ValidateEntries(c.kind, boxes(c.values), {c.periods, c.overtime});
            const bool expected = r.message == QLatin1String(c.message) && r.ok == !*c.message && r.focusBox == c.cell - 1;
            QVERIFY2(expected,
                     qPrintable(QStringLiteral("case %1: \"%2\" at %3").arg(&c - cases).arg(r.message).arg(r.focusBox)));
        }
    }

    void rulesFollowTheLayout()
    {
        using namespace PCell;
        // Without SOG on the layout any number of goals passes.
        g.PlayerInputOrder[SOG] = 0;
        QVERIFY(ValidateEntries(CatKind::Player, boxes({{G, 7}, {SOG, 2}})).ok);
        // With PP off the layout, SH alone is compared with G.
        g.PlayerInputOrder[PP] = 0;
        EntryCheck r = ValidateEntries(CatKind::Player, boxes({{G, 1}, {PP, 5}, {SH, 2}}));
        QCOMPARE(r.message, QStringLiteral("PP + SH can NOT be > G"));
        QCOMPARE(r.focusBox, SH - 1);
        QVERIFY(ValidateEntries(CatKind::Player, boxes({{G, 1}, {PP, 5}, {SH, 1}})).ok);
        // A category moved to another cell is read from there.
        g.PlayerInputOrder[30] = 45;
        g.PlayerInputOrder[Sec] = 0;
        r = ValidateEntries(CatKind::Player, boxes({{30, 75}}));
        QCOMPARE(r.focusBox, 29);
        // Texts count by their leading number.
        BoxTexts b;
        b[29] = QStringLiteral("59.5");
        QCOMPARE(ValidateEntries(CatKind::Player, b).message, QStringLiteral("Seconds can Not be > 59"));
        b[29] = QStringLiteral("58.5");
        QVERIFY(ValidateEntries(CatKind::Player, b).ok);
    }

    void typedTextAndSteps()
    {
        for (const char* ok : {"", "0", "7", "0012", "9999"})
            QVERIFY2(CheckBoxText(QString::fromLatin1(ok)).ok, ok);
        for (const char* bad : {"abc", "12a", " 1", "-1", "1.5", "10000", "99999", "\xd9\xa3"}) {
            const EntryCheck r = CheckBoxText(QString::fromUtf8(bad));
            QVERIFY2(!r.ok, bad);
            QCOMPARE(r.message, QStringLiteral("Only a whole number from 0 to 9999 can be entered"));
        }
        // +1 and -1 from a box's text; no step past 9999 or below 0.
        const std::tuple<const char*, int, const char*> steps[] = {
            {"", 1, "1"}, {"41", 1, "42"}, {"9998", 1, "9999"}, {"9999", 1, nullptr},
            {"5", -1, "4"}, {"1", -1, "0"}, {"0", -1, nullptr}, {"", -1, nullptr}};
        for (const auto& [from, by, to] : steps)
            QCOMPARE(StepBoxValue(QString::fromLatin1(from), by),
                     to ? std::optional(QString::fromLatin1(to)) : std::optional<QString>());
    }

    // A label is read in its role: another role's abbreviation, or the user's
    // own lower-case "g", is a field of the user's.
    void helpLineFollowsTheLabel()
    {
        QCOMPARE(CategoryHelpLine(CatKind::Player, QStringLiteral("G  ")), QStringLiteral("Goals Scored"));
        QCOMPARE(CategoryHelpLine(CatKind::Player, QStringLiteral("g  ")), QStringLiteral("User Defined Field"));
        QCOMPARE(CategoryHelpLine(CatKind::Player, QStringLiteral("GA1")), QStringLiteral("User Defined Field"));
        QCOMPARE(CategoryHelpLine(CatKind::Goalie, QStringLiteral("GA1")), QStringLiteral("Goals Against in Period 1"));
    }

    void categoryTables()
    {
        // Every category that has a per-game field fills the slot of that
        // field; computed numbers and unused numbers fill none.
        for (CatKind kind : {CatKind::Player, CatKind::Goalie}) {
            for (int n = 1; n <= 50; ++n) {
                const int s = recordSlotOfCategory(kind, n);
                if (isEnteredCategory(kind, n))
                    QCOMPARE(QString::fromLatin1(recordFieldName(kind, s)),
                             QString::fromLatin1(categoryDef(kind, n)->field));
                else
                    QCOMPARE(s, -1);
            }
        }
    }

    void showAndStoreByTheLayout()
    {
        PlayerEntry e;
        const int k = addPerson(e, 12);
        e.PlayerRecords[k][PlayerGameRecord::G] = 2;
        e.PlayerRecords[k][PlayerGameRecord::SOG] = -3;  // as an import might have stored it
        e.PlayerRecords[k][PlayerGameRecord::FOW] = 7;
        e.PlayerRecords[k][SlotPlayed] = True;
        g.PlayerInputOrder[PCell::FOW] = 0;   // FOW off the layout
        g.PlayerInputOrder[8] = 16;           // Pts: computed, shows 0
        g.PlayerInputOrder[25] = 5;           // G a second time

        CategoryBoxesView v = e.ShowStats(CatKind::Player, 12);
        QVERIFY(v.played);
        QCOMPARE(v.labels[PCell::G - 1], QStringLiteral("G  "));
        QCOMPARE(v.labels[27], QStringLiteral("G  "));  // the user's first category is named "G"
        QCOMPARE(*v.texts[PCell::G - 1], QStringLiteral("2"));
        QCOMPARE(*v.texts[24], QStringLiteral("2"));
        QCOMPARE(*v.texts[PCell::SOG - 1], QStringLiteral("-3"));
        QCOMPARE(*v.texts[PCell::Per - 1], QStringLiteral("0"));
        QCOMPARE(*v.texts[7], QStringLiteral("0"));
        QVERIFY(!v.visible[PCell::FOW - 1]);
        QVERIFY(!v.texts[PCell::FOW - 1].has_value());

        BoxTexts b;
        for (int i = 0; i < 32; ++i)
            b[size_t(i)] = v.texts[size_t(i)].value_or(QStringLiteral("55"));
        b[PCell::Per - 1] = QString();   // emptied: stores 0
        b[PCell::Min - 1] = QStringLiteral("12");
        b[PCell::G - 1] = QStringLiteral("1");
        b[24] = QStringLiteral("4");      // the higher cell of G wins
        b[7] = QStringLiteral("9");       // Pts is never stored
        b[PCell::Sec - 1] = QStringLiteral("75");  // no range check when storing
        e.StoreEnteredStats(CatKind::Player, 12, b);
        const PlayerGameRecord& r = e.PlayerRecords[k];
        QCOMPARE(r[PlayerGameRecord::Per], int16_t(0));
        QCOMPARE(r[PlayerGameRecord::Min], int16_t(12));
        QCOMPARE(r[PlayerGameRecord::G], int16_t(4));
        QCOMPARE(r[PlayerGameRecord::Sec], int16_t(75));
        QCOMPARE(r[PlayerGameRecord::SOG], int16_t(-3));
        QCOMPARE(r[PlayerGameRecord::FOW], int16_t(7));  // off the layout: kept
        QCOMPARE(r[SlotPlayed], True);
        // The goalie record of the same person is a separate record.
        for (int s = FirstValueSlot; s < GoalieGameRecord::SlotCount; ++s)
            QCOMPARE(e.GoalieRecords[k][s], int16_t(0));
        // The placeholder is what person 0 finds.
        QCOMPARE(e.StatIndex(0), 1);
        QCOMPARE(e.StatIndex(99), 0);
    }

    void goalCrossChecks()
    {
        PlayerEntry e;
        const int a = addPerson(e, 1), b = addPerson(e, 2), keeper = addPerson(e, 3), gone = addPerson(e, 4, false);
        e.PlayerRecords[a][SlotPlayed] = True;
        e.PlayerRecords[a][PlayerGameRecord::G] = 1;
        e.PlayerRecords[b][SlotPlayed] = True;
        e.PlayerRecords[b][PlayerGameRecord::G] = 1;
        e.GoalieRecords[keeper][SlotPlayed] = True;
        e.GoalieRecords[keeper][GoalieGameRecord::G] = 1;
        e.GoalieRecords[keeper][GoalieGameRecord::GA1] = 1;
        e.GoalieRecords[keeper][GoalieGameRecord::GAO] = 1;
        e.GoalieRecords[keeper][GoalieGameRecord::EN] = 1;
        e.PlayerRecords[gone][SlotPlayed] = True;
        e.PlayerRecords[gone][PlayerGameRecord::G] = 5;
        e.GoalieRecords[gone][SlotPlayed] = True;
        e.GoalieRecords[gone][GoalieGameRecord::GA2] = 5;
        // A goal of a player who did not play counts nowhere.
        e.PlayerRecords[keeper][PlayerGameRecord::G] = 3;
        e.game().goals = 4;
        e.game().oppGoals = 3;

        QVERIFY(e.EditGameScreenGoals(g.EditGoalsForOption, g.EditGoalsAgainstOption).empty());  // both options off

        g.EditGoalsForOption = True;
        g.EditGoalsAgainstOption = True;
        std::vector<EntryMessage> m = e.EditGameScreenGoals(g.EditGoalsForOption, g.EditGoalsAgainstOption);
        QCOMPARE(int(m.size()), 1);
        QCOMPARE(m[0].title, QStringLiteral("Goals Scored Do Not Match Game Screen"));
        QCOMPARE(m[0].text, QStringLiteral("Goals scored do not equal goals scored on Game Screen!\r\r"
                                           "3  -   Player Screen goals scored (1 by goalie)\r"
                                           "4  -   Game Screen goals scored\r\r"
                                           "Note: You can turn off this warning in Options under Tools"));

        e.game().goals = 3;
        e.game().oppGoals = 2;
        m = e.EditGameScreenGoals(g.EditGoalsForOption, g.EditGoalsAgainstOption);
        QCOMPARE(int(m.size()), 1);
        QCOMPARE(m[0].title, QStringLiteral("Goals Against Do Not Match Game Screen"));
        QCOMPARE(m[0].text, QStringLiteral("Goals against do not equal goals against on Game Screen!\r\r"
                                           "3  -   Player Screen goals against\r"
                                           "2  -   Game Screen goals against\r\r"
                                           "Note: You can turn off this warning in Options under Tools"));
        g.EditGoalsAgainstOption = False;
        QVERIFY(e.EditGameScreenGoals(g.EditGoalsForOption, g.EditGoalsAgainstOption).empty());

        // Without a goalie's goal the line has no goalie part; both boxes in order.
        e.GoalieRecords[keeper][GoalieGameRecord::G] = 0;
        g.EditGoalsAgainstOption = True;
        e.game().oppGoals = 0;
        m = e.EditGameScreenGoals(g.EditGoalsForOption, g.EditGoalsAgainstOption);
        QCOMPARE(int(m.size()), 2);
        QVERIFY(m[0].text.contains(QStringLiteral("\r2  -   Player Screen goals scored\r")));
        QCOMPARE(m[1].title, QStringLiteral("Goals Against Do Not Match Game Screen"));
    }

    void teamTotalsCarrySeconds()
    {
        PlayerEntry e;
        const int secs[] = {40, 30, 50};
        for (int i = 0; i < 3; ++i) {
            const int k = addPerson(e, int16_t(i + 1));
            e.PlayerRecords[k][SlotPlayed] = True;
            e.PlayerRecords[k][PlayerGameRecord::Min] = int16_t(10 + i);
            e.PlayerRecords[k][PlayerGameRecord::Sec] = int16_t(secs[i]);
            e.PlayerRecords[k][PlayerGameRecord::Plus] = 2;
            e.PlayerRecords[k][PlayerGameRecord::Minus] = 1;
        }
        const int idle = addPerson(e, 7);            // on the roster, did not play
        e.PlayerRecords[idle][PlayerGameRecord::Min] = 99;
        const int gone = addPerson(e, 8, false);     // played, then left the roster
        e.PlayerRecords[gone][SlotPlayed] = True;
        e.PlayerRecords[gone][PlayerGameRecord::Min] = 99;

        TeamTotalsView t = e.TeamTotals(CatKind::Player);
        QCOMPARE(t.personCount, 3);
        QCOMPARE(t.helpLine, QStringLiteral("Players Recorded - 3"));
        QCOMPARE(t.totals[PCell::Sec - 1], 0);
        QCOMPARE(t.totals[PCell::Min - 1], 10 + 11 + 12 + 2);
        QCOMPARE(t.texts[PCell::Min - 1], QStringLiteral("35"));
        QCOMPARE(t.totals[PCell::Plus - 1], 6);
        QCOMPARE(t.totals[PCell::Minus - 1], 3);
        QCOMPARE(t.texts[7], QStringLiteral("0"));  // the empty cell

        // A minutes cell after the seconds cell gets the same carries.
        g.PlayerInputOrder[PCell::Min] = 0;
        g.PlayerInputOrder[30] = 3;
        t = e.TeamTotals(CatKind::Player);
        QCOMPARE(t.totals[29], 35);
        QCOMPARE(t.totals[PCell::Sec - 1], 0);

        // Without a minutes cell the seconds stay as summed.
        g.PlayerInputOrder[30] = 0;
        t = e.TeamTotals(CatKind::Player);
        QCOMPARE(t.totals[PCell::Sec - 1], 120);

        const int keeper = addPerson(e, 9);
        e.GoalieRecords[keeper][SlotPlayed] = True;
        e.GoalieRecords[keeper][GoalieGameRecord::GA1] = 2;
        e.GoalieRecords[2][SlotPlayed] = True;  // person 1
        e.GoalieRecords[2][GoalieGameRecord::GA1] = 1;
        t = e.TeamTotals(CatKind::Goalie);
        QCOMPARE(t.helpLine, QStringLiteral("Goalies Recorded - 2"));
        QCOMPARE(t.totals[GCell::GA1 - 1], 3);
    }
};

VH_TEST_MAIN(TstPlayerEntryRules)
#include "tst_playerentryrules.moc"
