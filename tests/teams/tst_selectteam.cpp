#include "games/frmGameMenu.h"
#include "platform/Folders.h"
#include "app/FrmMDI.h"
#include "shell/Help.h"
#include "support/TestMain.h"
#include "teams/TeamTestData.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

using namespace vh;
using namespace vh::test;

namespace {

void clickItem(QListWidget* list, int row, Qt::KeyboardModifiers mods = {})
{
    const QRect r = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, mods, r.center());
}

}  // namespace

class TstSelectTeam : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;

    frmSelectTeam* load()
    {
        frmSelectTeam* f = Load<frmSelectTeam>();
        if (!f)
            qFatal("frmSelectTeam did not load");
        return f;
    }
    QListWidget* list(frmSelectTeam* f) { return control<QListWidget>(f, "lstSelectTeam"); }
    QString countLabel(frmSelectTeam* f) { return control<QLabel>(f, "lblNumberOfTeams")->text(); }

    // Teams 1 "Riverside", 4 "alpha", 9 "Lakeview"; filter 3 holds team 1
    // alone, filter 5 teams 4 and 9.
    void threeTeamsTwoFilters()
    {
        addTeam(1, QStringLiteral("Riverside"));
        addTeam(4, QStringLiteral("alpha"));
        addTeam(9, QStringLiteral("Lakeview"));
        addFilter(3, QStringLiteral("Only Riverside"), {1});
        addFilter(5, QStringLiteral("Two"), {4, 9});
    }

private slots:
    void init()
    {
        env = startWithNewDatabase();
        setTeamSelectionSource(&frmSelectTeam::loadedTeamList);
    }
    void cleanup()
    {
        Unload<frmGameMenu>();
        unloadTeamWindows();
        g.Frame = nullptr;
        env.reset();
    }

    void emptyDatabaseGivesAnEmptyList()
    {
        frmSelectTeam* f = load();
        QCOMPARE(f->windowTitle(), QStringLiteral("Select Teams"));
        QCOMPARE(g.FormOpen[FormNo::SelectTeam], True);
        QCOMPARE(list(f)->count(), 0);
        QCOMPARE(countLabel(f), QStringLiteral("0 Teams Selected"));
        QCOMPARE(g.NumTeams, int16_t(0));
        QCOMPARE(g.SelectedTeamCount, int16_t(0));
        QCOMPARE(g.NextTeamNumber, int16_t(1));
        QCOMPARE(g.NextFilterNumber, int16_t(1));
        QVERIFY(g.GameEditMode == "S");
        auto* filters = control<QComboBox>(f, "cmbFilters");
        QCOMPARE(filters->count(), 1);
        QCOMPARE(filters->currentText(), QStringLiteral("All Teams"));
        QCOMPARE(control<QLabel>(f, "Label1")->text(), QStringLiteral("Press F1 for Screen Specific Help"));
        f->unloadForm();
        QCOMPARE(g.FormOpen[FormNo::SelectTeam], False);
    }

    void listIsSortedAndTheTeamTableKeepsTableOrder()
    {
        threeTeamsTwoFilters();
        const QString longName = QStringLiteral("Zephyr Valley Minor Hockey Association Bantam AA");
        addTeam(2, longName, QStringLiteral("Zephyr Valley Bantam"));
        frmSelectTeam* f = load();
        QCOMPARE(listTexts(list(f)),
                 (QStringList{QStringLiteral("alpha"), QStringLiteral("Lakeview"), QStringLiteral("Riverside"), longName}));
        QCOMPARE(selectedTexts(list(f)), QStringList{QStringLiteral("alpha")});
        QCOMPARE(countLabel(f), QStringLiteral("1 Team Selected"));
        QCOMPARE(g.SelectedTeamCount, int16_t(1));
        QCOMPARE(g.NumTeams, int16_t(4));
        QCOMPARE(g.TeamNumbers.values(), (std::vector<int16_t>{1, 4, 9, 2}));
        QCOMPARE(g.LongTeamNames[4].str(), longName.left(30));
        QCOMPARE(g.ShortTeamNames[4].str(), QStringLiteral("Zephyr Valley Bantam"));
        QCOMPARE(g.TeamSelected.values(), (std::vector<int16_t>{0, 0, 0, 0}));
        QCOMPARE(g.NextTeamNumber, int16_t(10));
        QCOMPARE(g.NextFilterNumber, int16_t(6));
        QCOMPARE(control<QComboBox>(f, "cmbFilters")->count(), 3);

        // The entries the frame takes the selection from, in list order.
        const auto entries = f->teamListEntries();
        QCOMPARE(entries.size(), size_t(4));
        QCOMPARE(entries[0].teamNumber, int16_t(4));
        QVERIFY(entries[0].selected);
        QCOMPARE(entries[3].text, longName);
        QVERIFY(!entries[3].selected);
    }

    void selectionCountsFollowTheList()
    {
        threeTeamsTwoFilters();
        frmSelectTeam* f = load();
        f->showForm();
        QListWidget* teams = list(f);
        clickItem(teams, 1);
        QCOMPARE(selectedTexts(teams), QStringList{QStringLiteral("Lakeview")});
        clickItem(teams, 2, Qt::ControlModifier);
        QCOMPARE(countLabel(f), QStringLiteral("2 Teams Selected"));
        QCOMPARE(g.SelectedTeamCount, int16_t(2));
        clickItem(teams, 0, Qt::ShiftModifier);
        QCOMPARE(countLabel(f), QStringLiteral("3 Teams Selected"));
        QCOMPARE(g.SelectedTeamCount, int16_t(3));
        clickItem(teams, 2);  // a plain click selects one entry
        QCOMPARE(countLabel(f), QStringLiteral("1 Team Selected"));
        teams->clearSelection();
        QCOMPARE(countLabel(f), QStringLiteral("0 Teams Selected"));
        QCOMPARE(g.SelectedTeamCount, int16_t(0));
    }

    void aFilterNarrowsTheListAndSurvivesAReload()
    {
        threeTeamsTwoFilters();
        g.CurrentFilter = 3;
        frmSelectTeam* f = load();
        QCOMPARE(control<QComboBox>(f, "cmbFilters")->currentText(), QStringLiteral("Only Riverside"));
        QCOMPARE(listTexts(list(f)), QStringList{QStringLiteral("Riverside")});
        QCOMPARE(g.NumTeams, int16_t(1));
        QCOMPARE(g.TeamNumbers[1], int16_t(1));
        QCOMPARE(g.NextTeamNumber, int16_t(10));  // hidden teams count too

        // Choosing another filter lists its teams.
        control<QComboBox>(f, "cmbFilters")->setCurrentIndex(2);
        QCOMPARE(g.CurrentFilter, int16_t(5));
        QCOMPARE(listTexts(list(f)), (QStringList{QStringLiteral("alpha"), QStringLiteral("Lakeview")}));
        QCOMPARE(countLabel(f), QStringLiteral("1 Team Selected"));

        g.CurrentTeam = 9;
        Unload<frmSelectTeam>();
        f = load();
        QCOMPARE(control<QComboBox>(f, "cmbFilters")->currentText(), QStringLiteral("Two"));
        QCOMPARE(selectedTexts(list(f)), QStringList{QStringLiteral("Lakeview")});
    }

    void theCurrentTeamHiddenByTheFilterGivesTheFirstEntry()
    {
        threeTeamsTwoFilters();
        g.CurrentFilter = 5;
        g.CurrentTeam = 1;  // not in filter 5
        frmSelectTeam* f = load();
        QCOMPARE(selectedTexts(list(f)), QStringList{QStringLiteral("alpha")});
        QCOMPARE(g.SelectedTeamCount, int16_t(1));
        QCOMPARE(countLabel(f), QStringLiteral("1 Team Selected"));
        ApplyTeamSelection();
        QCOMPARE(g.CurrentTeam, int16_t(4));
        QCOMPARE(g.SelectedTeamCaption, QStringLiteral("alpha"));
    }

    void aFilterThatIsGoneFallsBackToAllTeams()
    {
        threeTeamsTwoFilters();
        g.CurrentFilter = 7;
        frmSelectTeam* f = load();
        QCOMPARE(g.CurrentFilter, int16_t(0));
        QCOMPARE(control<QComboBox>(f, "cmbFilters")->currentIndex(), 0);
        QCOMPARE(list(f)->count(), 3);
    }

    void showFiltersSwitchesLayoutAndReturnsToAllTeams()
    {
        threeTeamsTwoFilters();
        g.CurrentFilter = 3;
        g.ShowFiltersOption = False;
        frmSelectTeam* f = load();
        f->showForm();
        auto* box = control<QCheckBox>(f, "chkShowFilters");
        auto* filters = control<QComboBox>(f, "cmbFilters");
        QListWidget* teams = list(f);
        // Loaded with the option off: no filter controls, every team listed.
        QVERIFY(!box->isChecked());
        QVERIFY(!filters->isVisible());
        QVERIFY(!control<QPushButton>(f, "cmdAddFilter")->isVisible());
        QVERIFY(!control<QLabel>(f, "lblFilters")->isVisible());
        QCOMPARE(teams->geometry(), QRect(tw(360), tw(480), tw(2775), tw(2955)));
        QCOMPARE(control<QLabel>(f, "lblTeamList")->y(), tw(240));
        QCOMPARE(control<QPushButton>(f, "cmdAddTeam")->y(), tw(3080));
        QCOMPARE(g.CurrentFilter, int16_t(0));
        QCOMPARE(teams->count(), 3);

        box->setChecked(true);
        QCOMPARE(g.ShowFiltersOption, True);
        QVERIFY(filters->isVisible());
        QCOMPARE(filters->currentText(), QStringLiteral("All Teams"));
        QCOMPARE(teams->geometry(), QRect(tw(360), tw(1560), tw(2775), tw(1980)));
        QCOMPARE(control<QLabel>(f, "lblTeamList")->y(), tw(1320));
        QCOMPARE(control<QPushButton>(f, "cmdAddTeam")->y(), tw(3170));

        filters->setCurrentIndex(1);
        QCOMPARE(teams->count(), 1);
        box->setChecked(false);
        QCOMPARE(g.ShowFiltersOption, False);
        QCOMPARE(g.CurrentFilter, int16_t(0));
        QCOMPARE(teams->count(), 3);
        QCOMPARE(countLabel(f), QStringLiteral("1 Team Selected"));
    }

    void doubleClickOpensTheTeamsGameList()
    {
        threeTeamsTwoFilters();
        FrmMDI frame;
        frame.resize(1000, 700);
        g.Frame = &frame;
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        frmSelectTeam* f = load();
        QListWidget* teams = list(f);
        clickItem(teams, 0);
        clickItem(teams, 2, Qt::ControlModifier);
        const QRect r = teams->visualItemRect(teams->item(1));
        // A double click begins with a plain click on the entry.
        QTest::mouseClick(teams->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(teams->viewport(), Qt::LeftButton, {}, r.center());
        QVERIFY(Loaded<frmGameMenu>());
        QCOMPARE(g.CurrentTeam, int16_t(9));  // Lakeview, the only selection
        QCOMPARE(g.SelectedTeamCount, int16_t(1));
        QVERIFY(!f->isShown());
        QCOMPARE(Loaded<frmSelectTeam>(), f);

        // Whatever else was selected, the entry double-clicked is the one taken.
        Unload<frmGameMenu>();
        f->showForm();
        teams->selectAll();
        f->lstSelectTeam_DblClick(teams->item(2));
        QCOMPARE(selectedTexts(teams), QStringList{QStringLiteral("Riverside")});
        QCOMPARE(g.CurrentTeam, int16_t(1));
        QVERIFY(Loaded<frmGameMenu>());
    }

    void addButtonsOpenTheEditorsInAddMode()
    {
        threeTeamsTwoFilters();
        g.CurrentTeam = 9;
        frmSelectTeam* f = load();
        list(f)->clearSelection();
        control<QPushButton>(f, "cmdAddTeam")->click();
        QVERIFY(g.TeamMode == "A");
        frmTeamName* editor = Loaded<frmTeamName>();
        QVERIFY(editor);
        QCOMPARE(editor->windowTitle(), QStringLiteral("Add Team"));
        QVERIFY(!f->isShown());
        // The current team is selected again for when the editor is cancelled.
        QCOMPARE(selectedTexts(list(f)), QStringList{QStringLiteral("Lakeview")});
        control<QPushButton>(editor, "cmdCancel")->click();
        QVERIFY(f->isShown());

        control<QPushButton>(f, "cmdAddFilter")->click();
        QVERIFY(g.FilterMode == "A");
        QVERIFY(Loaded<frmTeamFilters>());
        QCOMPARE(Loaded<frmTeamFilters>()->windowTitle(), QStringLiteral("Add Team Filter"));
        QVERIFY(!f->isShown());
    }

    void f1OpensTheWindowsHelpPage()
    {
        LocateHelpFile();
        const QStringList& opened = env->openedUrls();
        frmSelectTeam* f = load();
        f->showForm();
        f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f));
        QTest::keyClick(list(f), Qt::Key_F1);
        QCOMPARE(opened.size(), 1);
        QVERIFY(opened[0].endsWith(QStringLiteral("help/%1.html").arg(HelpTopic::SelectTeams)));
    }
};

VH_TEST_MAIN(TstSelectTeam)
#include "tst_selectteam.moc"
