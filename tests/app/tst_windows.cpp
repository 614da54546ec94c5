// Every window as a screen reader or a window manager sees it: each text box
// and list is named after its label, and dialogs carry only their own buttons.

#include "app/frmOptions.h"
#include "config/frmDesign.h"
#include "config/frmFormat.h"
#include "config/frmNameYourOwn.h"
#include "config/frmRptSelect.h"
#include "datamgmt/FormUploadDatabase.h"
#include "datamgmt/frmBackup.h"
#include "datamgmt/frmConvert.h"
#include "games/GameTestData.h"
#include "games/PlayerScreenLink.h"
#include "games/frmImportGame.h"
#include "reports/frmRecord.h"
#include "reports/frmRosterRpt.h"
#include "reports/frmScores.h"
#include "reports/frmStandings.h"
#include "reports/frmTeamScores.h"
#include "stats/frmCompute.h"
#include "stats/frmMinimum.h"
#include "stats/frmSort.h"
#include "stats/frmStats.h"
#include "support/TestMain.h"
#include "teams/frmRoster.h"
#include "teams/frmTeamFilters.h"
#include "teams/frmTeamName.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTimer>

using namespace vh;
using namespace vh::test;

namespace {

// The boxes and lists of `window` that have no accessible name.
QStringList unnamedBoxes(const QWidget* window)
{
    if (!window)
        return {QStringLiteral("a window that did not load")};
    QStringList out;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const bool box = qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
                         qobject_cast<QComboBox*>(w) ||
                         (qobject_cast<QAbstractItemView*>(w) && !qobject_cast<QHeaderView*>(w));
        if (!box)
            continue;
        // The parts a combo box is made of speak for it.
        bool part = false;
        for (QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget())
            part = part || qobject_cast<QComboBox*>(p);
        if (!part && w->isVisibleTo(window) && w->accessibleName().isEmpty())
            out << window->objectName() + QLatin1Char('.') + w->objectName();
    }
    return out;
}

bool onlyTitleButtons(const QWidget* w, bool closeBox)
{
    const Qt::WindowFlags f = w->windowFlags();
    return !(f & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowMinMaxButtonsHint)) &&
           bool(f & Qt::WindowCloseButtonHint) == closeBox && (f & Qt::CustomizeWindowHint);
}

}  // namespace

class TstWindows : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;
    std::unique_ptr<FrmMDI> frame;

private slots:
    void init()
    {
        env = TestEnv::withNewDatabase();
        setGameState({{1, "Oaks"}, {2, "Pines"}});
        loadEntryCategories();
        seed::addPerson(1, QStringLiteral("Ann"), QStringLiteral("Abel"));
        seed::addRoster(1, 1);
        addStoredGame(1, 1, 1);
        addStoredGame(2, 1, 2);
        frame = openGameFrame();
        frame->show();
    }
    void cleanup()
    {
        Dialog::setModalHook({});
        Unload<frmOptions>();
        Unload<frmTeamFilters>();
        Unload<frmTeamName>();
        closeGameFrame(frame);
        env.reset();
    }

    void everyBoxIsNamedAfterItsLabel()
    {
        QStringList unnamed = unnamedBoxes(frame.get());
        unnamed << unnamedBoxes(Load<frmSelectTeam>());
        g.TeamMode = "C";
        unnamed << unnamedBoxes(Load<frmTeamName>());
        g.FilterMode = "A";
        unnamed << unnamedBoxes(Load<frmTeamFilters>());
        unnamed << unnamedBoxes(Load<frmOptions>());
        unnamed << unnamedBoxes(Load<frmGameMenu>());
        Unload<frmGameMenu>();
        g.GameEditMode = "C";
        g.GameRec.gameNumber = 1;
        g.NumGames = 1;
        unnamed << unnamedBoxes(Load<frmGameScreen>());
        Unload<frmGameScreen>();
        ShowPlayerScreen();
        unnamed << unnamedBoxes(Loaded<frmPScreen>());

        Dialog::setModalHook([&unnamed](Dialog* d) { unnamed << unnamedBoxes(d); });
        frmRoster roster;
        roster.showModal();
        g.ImportOpponentTeam = 2;
        frmImportGame import;
        import.showModal();
        QCOMPARE(unnamed.join(QLatin1Char(' ')), QString());
    }

    void reportConfigurationAndDataWindowsNameTheirBoxes()
    {
        env->acceptAnyMsgBox(vbOK);  // the statistics window's one-time hint
        const auto oldSource = setTeamSelectionSource(
            [] { return std::vector<TeamListEntry>{{1, QStringLiteral("Oaks"), true}}; });
        ApplyTeamSelection(frmSelectTeam::loadedTeamList());
        QStringList unnamed;
        const auto look = [&unnamed](Form* w) {
            unnamed << unnamedBoxes(w);
            if (w)
                w->unloadForm();
            flushDeletes();
        };
        g.ReportCode = "P";
        look(Load<frmStats>());
        for (const char* code : {"R", "O", "M", "T"}) {
            g.ReportCode = code;
            look(code == QLatin1String("R")   ? static_cast<Form*>(Load<frmRecord>())
                 : code == QLatin1String("O") ? static_cast<Form*>(Load<frmScores>())
                 : code == QLatin1String("M") ? static_cast<Form*>(Load<frmTeamScores>())
                                              : static_cast<Form*>(Load<frmRosterRpt>()));
        }
        look(Load<frmDesign>());
        look(Load<frmNameYourOwn>());
        look(Load<frmConvert>());
        for (const char* mode : {"B", "R", "E", "I"}) {
            g.BackupMode = mode;
            look(Load<frmBackup>());
        }

        Dialog::setModalHook([&unnamed](Dialog* d) {
            unnamed << unnamedBoxes(d);
            d->reject();
        });
        g.ReportCode = "P";
        frmCompute::ask(ComputeInputFromState());
        frmMinimum::ask({});
        frmSort::ask({QStringLiteral("P"), {}, {}});
        frmRptSelect::run({QStringLiteral("P")});
        frmFormat::run({CatKind::Player, 0});
        FormUploadDatabase upload;
        upload.showModal();
        setTeamSelectionSource(oldSource);
        QCOMPARE(unnamed.join(QLatin1Char(' ')), QString());
    }

    void dialogsCarryOnlyTheirButtons()
    {
        frmRoster roster;
        QVERIFY(onlyTitleButtons(&roster, false));
        frmImportGame import;
        QVERIFY(onlyTitleButtons(&import, false));

        // The real message box, looked at while it is open.
        const MsgBoxHandler scripted = setMsgBoxHandler({});
        bool looked = false;
        QTimer::singleShot(0, [&looked] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            looked = true;
            QVERIFY(onlyTitleButtons(box, true));
            QVERIFY(box->parentWidget());  // stays with the program's window
            box->button(QMessageBox::Ok)->click();
        });
        QCOMPARE(MsgBox(QStringLiteral("Must select player!"), 48, QStringLiteral("No Player Selected")), vbOK);
        setMsgBoxHandler(scripted);
        QVERIFY(looked);
    }
};

VH_TEST_MAIN(TstWindows)
#include "tst_windows.moc"
