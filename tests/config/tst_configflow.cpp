// The configuration as a user meets it elsewhere: a layout dragged in the
// designer and a user category named in the names window show on the player
// entry screen of a stored game, and a chosen report format in the statistics.

#include "config/ConfigTestData.h"
#include "config/frmDesign.h"
#include "config/frmNameYourOwn.h"
#include "config/frmRptSelect.h"
#include "config/ReportFormats.h"
#include "games/GameTestData.h"
#include "games/PlayerScreenLink.h"
#include "games/frmPScreen.h"
#include "shell/Procedures.h"
#include "support/ReportTestData.h"
#include "stats/frmStats.h"
#include "support/StatsTestData.h"
#include "support/TestMain.h"
#include "teams/frmSelectTeam.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>

using namespace vh;
using namespace vh::test;

class TstConfigFlow : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;
    std::unique_ptr<FrmMDI> frame;

private slots:
    void init()
    {
        env = startProgram();
        frame = openGameFrame();
        frame->show();
        Load<frmSelectTeam>();
    }
    void cleanup()
    {
        Unload<frmDesign>();
        Unload<frmNameYourOwn>();
        closeGameFrame(frame);
        env.reset();
        resetGlobals();
    }

    // The names window and the designer reached through the frame's menu.
    void theEntryScreenAndTheReportFollowTheDesignerTheNamesAndTheFormat()
    {
        frame->menuItem(QStringLiteral("mnuNameYourOwn"))->trigger();
        frmNameYourOwn* names = Loaded<frmNameYourOwn>();
        QVERIFY(names);
        names->txtCat[1]->setText(QStringLiteral("Hit"));
        names->cmdClose->click();

        frame->menuItem(QStringLiteral("mnuDesign"))->trigger();
        frmDesign* design = Loaded<frmDesign>();
        QVERIFY(design);
        // The mouse's drop: "Hit" from cell 28 to the empty cell 8, "SOG" off the screen.
        auto drop = [](QLabel* target, QLabel* source) {
            QMimeData mime;
            mime.setData(QStringLiteral("application/x-velloran-design-cell"), QByteArray::number(quintptr(source)));
            QDragEnterEvent enter(QPoint(5, 5), Qt::MoveAction, &mime, Qt::LeftButton, {});
            QCoreApplication::sendEvent(target, &enter);
            QDropEvent e(QPointF(5, 5), Qt::MoveAction, &mime, Qt::LeftButton, {});
            QCoreApplication::sendEvent(target, &e);
        };
        drop(design->lblInput[7], design->lblInput[27]);
        drop(design->lblAvail[0], design->lblInput[3]);
        grab(design, "design-dropped");
        design->cmdOK->click();
        flushDeletes();

        // Team Oaks with one game in which Ann Abel has 7 in the first user
        // category and 3 shots.
        setGameState({{1, "Oaks"}});
        seed::addPerson(1, QStringLiteral("Ann"), QStringLiteral("Abel"));
        seed::addRoster(1, 1);
        addStoredGame(1, 1, 9, 0, 0);
        addPlayerRow(Db(), 1, 1, 1, {{"GameType", 0}, {"HomeTeam", -1}, {"U1", 7}, {"SOG", 3}});
        g.GameRec.gameNumber = 1;
        ShowPlayerScreen();
        frmPScreen* screen = Loaded<frmPScreen>();
        QVERIFY(screen);
        QVERIFY(!screen->lblCat[7]->isHidden());
        QCOMPARE(screen->lblCat[7]->text().trimmed(), QStringLiteral("Hit"));
        QCOMPARE(screen->txtCat[7]->text(), QStringLiteral("7"));
        QVERIFY(screen->lblCat[3]->isHidden() && screen->txtCat[3]->isHidden() && screen->lblCat[27]->isHidden());
        grab(screen, "pscreen-designed");
        Unload<frmPScreen>();
        flushDeletes();

        StoreFormat(Db(), CatKind::Player, 0, {QStringLiteral("Hitters"), 46, QStringLiteral("D"), {46}});

        const auto oldSource = setTeamSelectionSource(
            [] { return std::vector<TeamListEntry>{{1, QStringLiteral("Oaks"), true}}; });
        env->expectMsgBox(QStringLiteral("Click FORMAT to select the categories you want."), vbOK,
                          QStringLiteral("Important Hint"));
        frame->mnuPlayerStats_Click();
        frmStats* stats = Loaded<frmStats>();
        QVERIFY(stats);
        const auto captions = [stats] { return gridCaptions(stats->tdbStats).join(QLatin1Char('|')); };

        Dialog::setModalHook([](Dialog* d) {
            QListWidget* list = static_cast<frmRptSelect*>(d)->lstReports;
            list->setCurrentItem(list->findItems(QStringLiteral("Hitters"), Qt::MatchContains)[0]);
            static_cast<frmRptSelect*>(d)->cmdOK_Click();
        });
        stats->cmdFormat->click();
        Dialog::setModalHook({});
        QVERIFY(captions().contains(QStringLiteral("Hit")) && !captions().contains(QStringLiteral("SOG")));
        grab(stats, "stats-hitters");

        // The format in use deleted, then Esc: the report shows its
        // neighbour, caption and columns alike, just as choosing it would.
        Dialog::setModalHook([this](Dialog* d) {
            auto* chooser = qobject_cast<frmRptSelect*>(d);
            env->expectMsgBox(QStringLiteral("Are you sure?"), vbYes);
            chooser->cmdDelete->click();
            QTest::keyClick(chooser->lstReports, Qt::Key_Escape);
        });
        stats->cmdFormat->click();
        const QString caption = stats->windowTitle();
        const QString columns = captions();
        QCOMPARE(caption, QStringLiteral("Player Statistics - Scoring Leaders"));
        Dialog::setModalHook([](Dialog* d) { QTest::keyClick(static_cast<frmRptSelect*>(d)->lstReports, Qt::Key_Return); });
        stats->cmdFormat->click();
        Dialog::setModalHook({});
        QCOMPARE(stats->windowTitle(), caption);
        QCOMPARE(captions(), columns);
        Unload<frmStats>();
        setTeamSelectionSource(oldSource);
    }
};

VH_TEST_MAIN(TstConfigFlow)
#include "tst_configflow.moc"
