// Errors that escape a window's handler: the program's error box, and the
// program going on with what the user can still reach.

#include "app/Application.h"
#include "games/GameTestData.h"
#include "support/TestMain.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

using namespace vh;
using namespace vh::test;

class TstApplication : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;
    std::unique_ptr<FrmMDI> frame;

private slots:
    void init()
    {
        env = std::make_unique<TestEnv>();
        frame = std::make_unique<FrmMDI>();
        frame->MDIForm_Load();
        frame->show();
    }
    void cleanup()
    {
        closeGameFrame(frame);
        env.reset();
    }

    void anErrorEscapingAHandlerIsShownAndTheProgramGoesOn()
    {
        QWidget window;
        window.setObjectName(QStringLiteral("frmSample"));
        auto* button = new QPushButton(QStringLiteral("Go"), &window);
        button->setObjectName(QStringLiteral("cmdGo"));
        int clicks = 0;
        connect(button, &QPushButton::clicked, [&clicks] {
            if (++clicks == 1)
                throw RuntimeError(Err::NoCurrentRecord, QStringLiteral("No current record."));
        });
        window.show();
        env->expectMsgBox(QStringLiteral("An internal error has been encountered.\r\n Location: frmSample.cmdGo\r\n"
                                         " Error: 3021\r\n Text: No current record.\r\n\r\n"
                                         "Would you like to continue with the program?"),
                          vbYes, QStringLiteral("Error Handler"));
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(env->pendingExpectations(), 0);
        QVERIFY(!env->ended());
        // The program goes on: the next click is handled as usual.
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(clicks, 2);
        QCOMPARE(env->shownMessages().size(), 1);
    }

    void aSaveThatFailsHalfWayKeepsTheStoredGame()
    {
        setGameState({{1, "Oaks"}, {2, "Pines"}});
        addStoredGame(1, 1, 1);
        g.EditGoalsForOption = True;
        g.GameEditMode = "C";
        g.GameRec.gameNumber = 1;
        g.NumGames = 1;
        frmGameScreen* screen = Load<frmGameScreen>();
        screen->txtGameLoc->setText(QStringLiteral("Elsewhere"));
        // The goal warning's sums cannot be read.
        Db().execute(QStringLiteral("alter table GoalieStats rename to GoalieStatsGone"));
        env->expectMsgBox(QStringLiteral(" Location: frmGameScreen.cmdOK"), vbYes, QStringLiteral("Error Handler"));
        QTest::mouseClick(screen->cmdOK, Qt::LeftButton);
        QCOMPARE(env->pendingExpectations(), 0);
        QCOMPARE(Loaded<frmGameScreen>(), screen);
        QCOMPARE(screen->txtGameLoc->text(), QStringLiteral("Elsewhere"));
        QCOMPARE(Db().scalar(QStringLiteral("select Location from GameStats where TeamNumber = 1")).toString(),
                 QStringLiteral("Rink"));
    }

    void aWindowThatCannotLoadLeavesTheTeamSelection()
    {
        Db().execute(QStringLiteral("alter table GameStats rename to GameStatsGone"));
        env->expectMsgBox(QStringLiteral(" Location: "), vbYes, QStringLiteral("Error Handler"));
        QTimer::singleShot(0, frame.get(), [this] { frame->mnuUpdateGames_Click(); });
        QTRY_COMPARE(env->pendingExpectations(), 0);
        QVERIFY(!Loaded<frmGameMenu>());
        QCOMPARE(g.FormOpen[FormNo::GameMenu], False);
        QVERIFY(Loaded<frmSelectTeam>() && Loaded<frmSelectTeam>()->isShown());
        QVERIFY(!env->ended());

        // No ends the program as closing the frame does.
        env->expectMsgBox(QStringLiteral("Would you like to continue with the program?"), vbNo);
        QTimer::singleShot(0, frame.get(), [this] { frame->mnuUpdateGames_Click(); });
        QTRY_VERIFY(env->ended());
    }
};

int main(int argc, char** argv)
{
    vh::test::prepareProcess();
    vh::Application app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    TstApplication tc;
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_application.moc"
