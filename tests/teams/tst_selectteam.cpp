#include "games/frmGameMenu.h"
#include "app/FrmMDI.h"
#include "shell/Procedures.h"
#include "support/ScreenReader.h"
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

    void listIsSortedOrEmpty()
    {
        // An empty database: an empty list.
        frmSelectTeam* f = load();
        QCOMPARE(list(f)->count(), 0);
        QCOMPARE(countLabel(f), QStringLiteral("0 Teams Selected"));
        QCOMPARE(g.SelectedTeamCount, int16_t(0));
        QCOMPARE(g.NextFilterNumber, int16_t(1));
        QCOMPARE(control<QComboBox>(f, "cmbFilters")->count(), 1);
        Unload<frmSelectTeam>();

        threeTeamsTwoFilters();
        const QString longName = QStringLiteral("Zephyr Valley Minor Hockey Association Bantam AA");
        addTeam(2, longName, QStringLiteral("Zephyr Valley Bantam"));
        f = load();
        QCOMPARE(listTexts(list(f)),
                 (QStringList{QStringLiteral("alpha"), QStringLiteral("Lakeview"), QStringLiteral("Riverside"), longName}));
        QCOMPARE(selectedTexts(list(f)), QStringList{QStringLiteral("alpha")});
        QCOMPARE(g.SelectedTeamCount, int16_t(1));

        // The entries the frame takes the selection from, in list order.
        const auto entries = f->teamListEntries();
        QCOMPARE(entries[0].teamNumber, int16_t(4));
        QVERIFY(entries[0].selected && !entries[3].selected);
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
        QCOMPARE(g.SelectedTeamCount, int16_t(2));
        clickItem(teams, 0, Qt::ShiftModifier);
        QCOMPARE(countLabel(f), QStringLiteral("3 Teams Selected"));
        clickItem(teams, 2);  // a plain click selects one entry
        QCOMPARE(countLabel(f), QStringLiteral("1 Team Selected"));
        teams->clearSelection();
        QCOMPARE(g.SelectedTeamCount, int16_t(0));
    }

    // A screen reader's row selection on a team already chosen leaves it
    // chosen, beside the others; a chosen team's Toggle takes it out, as a
    // click with Ctrl does. The frame takes the teams the list shows.
    void aScreenReaderChoosesTeamsAsTheListShows()
    {
        threeTeamsTwoFilters();
        frmSelectTeam* f = load();
        f->showForm();
        QListWidget* teams = list(f);
        clickItem(teams, 2, Qt::ControlModifier);
        QVERIFY(reader::selectRow(teams, 0));
        QCOMPARE(selectedTexts(teams), (QStringList{QStringLiteral("alpha"), QStringLiteral("Riverside")}));
        QCOMPARE(countLabel(f), QStringLiteral("2 Teams Selected"));
        ApplyTeamSelection();
        QCOMPARE(g.SelectedTeamCount, int16_t(2));
        QCOMPARE(g.CurrentTeam, int16_t(4));
        QCOMPARE(g.SelectedTeamCaption, QStringLiteral("Multiple Teams"));

        reader::choose(teams, 0);
        QCOMPARE(selectedTexts(teams), QStringList{QStringLiteral("Riverside")});
        QCOMPARE(countLabel(f), QStringLiteral("1 Team Selected"));
        ApplyTeamSelection();
        QCOMPARE(g.CurrentTeam, int16_t(1));
        QCOMPARE(g.SelectedTeamCaption, QStringLiteral("Riverside"));
    }

    void aFilterNarrowsTheListAndSurvivesAReload()
    {
        threeTeamsTwoFilters();
        g.CurrentFilter = 3;
        frmSelectTeam* f = load();
        QCOMPARE(control<QComboBox>(f, "cmbFilters")->currentText(), QStringLiteral("Only Riverside"));
        QCOMPARE(listTexts(list(f)), QStringList{QStringLiteral("Riverside")});
        QCOMPARE(g.NumTeams, int16_t(1));

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

        // The current team hidden by the filter: the first entry is taken.
        g.CurrentTeam = 1;
        Unload<frmSelectTeam>();
        f = load();
        QCOMPARE(selectedTexts(list(f)), QStringList{QStringLiteral("alpha")});
        QCOMPARE(g.SelectedTeamCount, int16_t(1));
        ApplyTeamSelection();
        QCOMPARE(g.CurrentTeam, int16_t(4));
        QCOMPARE(g.SelectedTeamCaption, QStringLiteral("alpha"));

        // A filter that is gone falls back to all teams.
        g.CurrentFilter = 7;
        Unload<frmSelectTeam>();
        f = load();
        QCOMPARE(g.CurrentFilter, int16_t(0));
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
        QCOMPARE(g.CurrentFilter, int16_t(0));
        QCOMPARE(teams->count(), 3);

        box->setChecked(true);
        QCOMPARE(g.ShowFiltersOption, True);
        QVERIFY(filters->isVisible());

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
        QVERIFY(!f->isShown());
        // The current team is selected again for when the editor is cancelled.
        QCOMPARE(selectedTexts(list(f)), QStringList{QStringLiteral("Lakeview")});
        control<QPushButton>(editor, "cmdCancel")->click();
        QVERIFY(f->isShown());

        control<QPushButton>(f, "cmdAddFilter")->click();
        QVERIFY(g.FilterMode == "A");
        QVERIFY(Loaded<frmTeamFilters>());
        QVERIFY(!f->isShown());
    }
};

VH_TEST_MAIN(TstSelectTeam)
#include "tst_selectteam.moc"
