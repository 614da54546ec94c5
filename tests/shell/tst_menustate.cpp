// Which commands the frame offers for each team count and mode, and how the
// toolbar's report commands and font boxes reach the open report window.

#include "shell/FrameDoubles.h"
#include "shell/MenuState.h"
#include "shell/Procedures.h"
#include "support/TestEnv.h"
#include "support/TestMain.h"

#include <QComboBox>

using namespace vh;
using vh::test::TestEnv;
using vh::test::trace;

namespace {

// The menu items with their state per column: Off (-1), Update, No team,
// One team, Several teams. 'F' is on when filters are shown, 'G' when filters
// are shown and a filter is chosen.
struct ItemRow {
    const char* name;
    const char* states;
};
const ItemRow kItems[] = {
    {"mnuPrint", "00000"},         {"mnuBackUp", "00111"},       {"mnuRestore", "00111"},
    {"mnuExport", "00011"},        {"mnuImport", "00111"},       {"mnuExitProgram", "00111"},
    {"mnuPlayerStats", "00011"},   {"mnuGoalieStats", "00011"},  {"mnuTeamScoring", "00010"},
    {"mnuGames", "00010"},         {"mnuRecord", "00010"},       {"mnuStandings", "00001"},
    {"mnuRosterRpt", "00010"},     {"mnuUpdateGames", "00011"},  {"mnuRoster", "00111"},
    {"mnuAddTeam", "00111"},       {"mnuChangeTeam", "00011"},   {"mnuDeleteTeam", "00011"},
    {"mnuGeneralOptions", "00111"}, {"mnuNameYourOwn", "00111"}, {"mnuDesign", "00111"},
    {"mnuAddFilter", "00FFF"},     {"mnuChangeFilter", "00GGG"}, {"mnuDeleteFilter", "00GGG"},
    {"mnuConvert", "00111"},       {"mnuGettingStarted", "01111"}, {"mnuFAQ", "01111"},
    {"mnuAbout", "01111"},
};
enum Column { Off, Update, NoTeam, OneTeam, Several };

bool expected(char state)
{
    if (state == 'F')
        return g.ShowFiltersOption != 0;
    if (state == 'G')
        return g.ShowFiltersOption != 0 && g.CurrentFilter != 0;
    return state == '1';
}

QString stateText(bool on) { return on ? QStringLiteral("on") : QStringLiteral("off"); }

}  // namespace

class TstMenuState : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;
    std::unique_ptr<FrmMDI> frame;

    QAction* item(const char* name) const { return frame->menuItem(QLatin1String(name)); }
    QAction* button(const char* key) const { return frame->toolbarButton(QLatin1String(key)); }

    // Every menu item of `f` (the test's frame when none) against one column
    // of the table; the report state adds Print on top of its count's column.
    void checkItems(Column column, bool report = false, FrmMDI* f = nullptr)
    {
        for (const ItemRow& row : kItems) {
            bool on = expected(row.states[column]);
            if (report && QLatin1String(row.name) == QLatin1String("mnuPrint"))
                on = true;
            QVERIFY2((f ? f : frame.get())->menuItem(QLatin1String(row.name))->isEnabled() == on,
                     qPrintable(QStringLiteral("%1 should be %2").arg(QLatin1String(row.name), stateText(on))));
        }
    }

    // Enabled and pressed state of a toolbar button.
    void checkButton(const char* key, bool enabled, bool down)
    {
        QVERIFY2(button(key)->isEnabled() == enabled, key);
        QVERIFY2(button(key)->isChecked() == down, key);
    }

    void checkReportToolbarOff()
    {
        for (const char* key : {"Print", "Bold", "Italic", "Underline", "Left", "Center", "Right", "GridLines"})
            checkButton(key, false, false);
        QVERIFY(!frame->fontSizeBox()->isEnabled());
        QCOMPARE(frame->fontSizeBox()->count(), 0);
        QVERIFY(!frame->fontNameBox()->isEnabled());
        QCOMPARE(frame->fontNameBox()->count(), 0);
    }

private slots:
    void init()
    {
        env = std::make_unique<TestEnv>();
        frame = std::make_unique<FrmMDI>();
        g.Frame = frame.get();
        g.FormOpen.redim(FormNo::Count, False);
        vh::test::addMissingWindows(*frame);
        trace().clear();
    }
    void cleanup()
    {
        vh::test::unloadDoubles();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        frame.reset();
        env.reset();
    }

    // Every state but the report's, reached from the report state with a
    // report button down so that every switch has something to undo. A count
    // of -1 (starting up) switches everything off and is never stored.
    void statesOutsideAReport_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("showFilters");
        QTest::addColumn<int>("filter");
        QTest::newRow("starting, whatever the mode") << -1 << "Report" << -1 << 3;
        QTest::newRow("no team") << 0 << "Select" << -1 << 3;
        QTest::newRow("one team, game list, no filter chosen") << 1 << "GameMenu" << -1 << 0;
        QTest::newRow("two teams, team editor's OK") << 2 << "TeamName" << -1 << 3;
        QTest::newRow("five teams, filters hidden, lower-case report") << 5 << "report" << 0 << 3;
        QTest::newRow("editing window leaves only help") << 2 << "Update" << -1 << 2;
    }
    void statesOutsideAReport()
    {
        QFETCH(int, count);
        QFETCH(QString, mode);
        QFETCH(int, showFilters);
        QFETCH(int, filter);
        g.ShowFiltersOption = int16_t(showFilters);
        g.CurrentFilter = int16_t(filter);
        g.ReportCode = "P";
        SetMenus(1, QStringLiteral("Report"));
        button("Player")->setChecked(true);
        SetMenus(int16_t(count), mode);
        QCOMPARE(g.SelectedTeamCount, int16_t(count < 0 ? 1 : count));
        const bool editing = mode == QLatin1String("Update");
        checkItems(count < 0 ? Off : editing ? Update : count == 0 ? NoTeam : count == 1 ? OneTeam : Several);
        for (const char* key : {"UpdateGames", "Player", "Goalie"})
            checkButton(key, count > 0 && !editing, false);
        checkButton("Help", count >= 0, false);
        checkReportToolbarOff();
        // Items the menu state never touches keep the frame's own setting.
        QVERIFY(item("mnuStatistics")->isEnabled());
        QVERIFY(item("mn_techsupport")->isEnabled());
    }

    void reportStateByCodeAndCount_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("grid");
        QTest::newRow("goalie statistics, several teams") << "G" << 3 << true;
        QTest::newRow("roster, without grid lines") << "T" << 1 << false;
        QTest::newRow("no team gives the single-team reports") << "R" << 0 << true;
    }
    void reportStateByCodeAndCount()
    {
        QFETCH(QString, code);
        QFETCH(int, count);
        QFETCH(bool, grid);
        g.ShowFiltersOption = True;
        g.CurrentFilter = 0;
        SetMenus(int16_t(count), QStringLiteral("Select"));
        button("Goalie")->setChecked(true);  // the user's click on the report button
        button("Bold")->setChecked(true);
        g.ReportCode = code;
        SetMenus(int16_t(count), QStringLiteral("Report"));
        checkItems(count > 1 ? Several : OneTeam, true);
        // Kept as they were.
        checkButton("UpdateGames", count > 0, false);
        checkButton("Player", count > 0, false);
        checkButton("Goalie", count > 0, true);
        checkButton("Print", true, false);
        // The alignment is pressed by the report window once it has loaded.
        for (const char* key : {"Bold", "Italic", "Underline", "Left", "Center", "Right"})
            checkButton(key, true, false);
        checkButton("GridLines", true, grid);
        checkButton("Help", true, false);
        QVERIFY(frame->fontSizeBox()->isEnabled() && frame->fontNameBox()->isEnabled());
    }

    // The program has a window for every command but the upload, which
    // stays off until the program gives its opener.
    void theProgramsOwnWindowsSwitchTheirCommandsOn()
    {
        FrmMDI plain;  // no stand-ins
        g.Frame = &plain;
        g.ShowFiltersOption = True;
        g.CurrentFilter = 1;
        SetMenus(1, QStringLiteral("Select"));
        checkItems(OneTeam, false, &plain);
        for (const char* key : {"Player", "Goalie", "UpdateGames"})
            QVERIFY2(plain.toolbarButton(QLatin1String(key))->isEnabled(), key);
        QVERIFY(!plain.menuItem(QStringLiteral("mn_SendUsYourData"))->isEnabled());
        plain.setUploadOpener([](const QString&) {});
        QVERIFY(plain.menuItem(QStringLiteral("mn_SendUsYourData"))->isEnabled());
        g.Frame = frame.get();
    }

    // The boxes refill without duplicates or a stray selection, and only
    // the user's choices and a loading report's own reach the report.
    void fontBoxesRefillAndTheirChoicesReachTheOpenReport()
    {
        g.ReportCode = "P";
        frame->mnuPlayerStats_Click();
        trace().clear();
        QComboBox* sizes = frame->fontSizeBox();
        QComboBox* fonts = frame->fontNameBox();
        const int families = fonts->count();
        QVERIFY(families > 0);
        // A second report opening while the boxes are full.
        SetMenus(1, QStringLiteral("Report"));
        SetMenus(1, QStringLiteral("Report"));
        QCOMPARE(fonts->count(), families);
        QCOMPARE(sizes->count(), 6);
        QCOMPARE(fonts->currentIndex(), -1);
        QCOMPARE(sizes->currentIndex(), -1);
        QVERIFY2(trace().isEmpty(), qPrintable(trace().join(QStringLiteral(", "))));

        // The user's choice, twice the same entry: sent both times.
        sizes->setCurrentIndex(3);
        emit sizes->activated(3);
        emit sizes->activated(3);
        const QString family = fonts->itemText(fonts->count() - 1);
        fonts->setCurrentIndex(fonts->count() - 1);
        emit fonts->activated(fonts->count() - 1);
        QCOMPARE(trace(), QStringList({QStringLiteral("SetFontSize 14"), QStringLiteral("SetFontSize 14"),
                                       QStringLiteral("SetFont ") + family}));

        // A loading report selects its own size and name and gets them back.
        trace().clear();
        SelectFontSize(10);
        SelectFontSize(9);  // not in the list
        QCOMPARE(sizes->currentIndex(), 1);
        SelectFontName(fonts->itemText(0));
        SelectFontName(fonts->itemText(0).toUpper() + QStringLiteral("x"));
        SelectFontName(family.toLower() == family ? family.toUpper() : family.toLower());
        QCOMPARE(fonts->currentIndex(), 0);
        QCOMPARE(trace(), QStringList({QStringLiteral("SetFontSize 10"),
                                       QStringLiteral("SetFont ") + fonts->itemText(0)}));

        // No report under the code: the boxes change, nothing is sent.
        trace().clear();
        g.ReportCode = "X";
        SelectFontSize(24);
        QCOMPARE(sizes->currentIndex(), 5);
        g.ReportCode = "P";
        SetMenus(1, QStringLiteral("Select"));  // nor when the report state ends
        QVERIFY(trace().isEmpty());
    }

    // The button shows the flag's new state before the window is told (the
    // stand-in records the button as it finds it, and flips the flag).
    void togglesSetTheButtonFirst()
    {
        g.ReportCode = "S";
        SetMenus(2, QStringLiteral("Report"));
        Load<vh::test::ReportDouble<FormNo::Standings>>();
        g.ReportBold = False;
        g.ReportGridLines = True;
        trace().clear();
        frame->QNToolbar_ButtonClick(QStringLiteral("Bold"));
        frame->QNToolbar_ButtonClick(QStringLiteral("Bold"));
        frame->QNToolbar_ButtonClick(QStringLiteral("GridLines"));
        // A real click toggles the button itself; the state still follows the flag.
        button("Italic")->trigger();
        button("Underline")->trigger();
        QVERIFY(button("Italic")->isChecked());
        QCOMPARE(trace(), QStringList({"BoldFont down", "BoldFont up", "GridLines up", "ItalicFont down",
                                       "UnderlineFont down"}));

        // A code outside the table: the button changes, no window is told.
        trace().clear();
        g.ReportCode = "Z";
        frame->QNToolbar_ButtonClick(QStringLiteral("Bold"));
        QVERIFY(button("Bold")->isChecked());
        QVERIFY(trace().isEmpty());
    }

    void alignmentAndPrintReachTheWindowOfTheCode()
    {
        using vh::test::ReportDouble;
        g.ReportCode = "O";
        SetMenus(1, QStringLiteral("Report"));
        Load<ReportDouble<FormNo::Scores>>();
        trace().clear();
        button("Center")->trigger();
        QVERIFY(button("Center")->isChecked());
        frame->QNToolbar_ButtonClick(QStringLiteral("Right"));
        frame->QNToolbar_ButtonClick(QStringLiteral("Left"));
        frame->QNToolbar_ButtonClick(QStringLiteral("Print"));
        item("mnuPrint")->trigger();
        const QString n = QString::number(FormNo::Scores);
        QCOMPARE(trace(), QStringList({QStringLiteral("AlignCenter ") + n, QStringLiteral("AlignRight ") + n,
                                       QStringLiteral("AlignLeft ") + n, QStringLiteral("Print ") + n,
                                       QStringLiteral("Print ") + n}));

        // Team scoring shares the print member's name on its own window.
        Unload<ReportDouble<FormNo::Scores>>();
        Load<ReportDouble<FormNo::TeamScores>>();
        g.ReportCode = "M";
        trace().clear();
        PrintActiveReport();
        QCOMPARE(trace(), QStringList({QStringLiteral("Print %1").arg(FormNo::TeamScores)}));

        // A code naming a window that is not open does nothing.
        trace().clear();
        g.ReportCode = "R";
        PrintActiveReport();
        AlignLeftActiveReport();
        QVERIFY(trace().isEmpty());
    }
};

VH_TEST_MAIN(TstMenuState)
#include "tst_menustate.moc"
