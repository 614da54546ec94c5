// Every window as a screen reader, a window manager or the keyboard meets it:
// each text box and list is named after its label, dialogs carry only their
// own buttons, report windows take the focus, and the keys of an open
// drop-down stay in its list.

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
#include "shell/Help.h"
#include "shell/ReportGrid.h"
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
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTimer>
#include <functional>
#include <map>

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

// Opens one window of the program with a drop-down and gives it to `look`:
// a child window loaded into the frame, a dialog through the modal hook.
using WindowLook = std::function<void(QWidget*)>;
const std::map<QString, std::function<void(const WindowLook&)>>& windowsWithLists()
{
    const auto child = [](auto load) {
        return [load](const WindowLook& look) {
            const QPointer<Form> w = load();
            look(w);
            if (w)
                w->unloadForm();
            flushDeletes();
        };
    };
    const auto dialog = [](auto run) {
        return [run](const WindowLook& look) {
            Dialog::setModalHook([look](Dialog* d) { look(d); });
            run();
        };
    };
    static const std::map<QString, std::function<void(const WindowLook&)>> m = {
        {QStringLiteral("frmFormat"), dialog([] { frmFormat::run({CatKind::Player, 1}); })},
        {QStringLiteral("frmCompute"), dialog([] { frmCompute::ask(ComputeInputFromState()); })},
        {QStringLiteral("frmStats"), child([] { return Load<frmStats>(); })},
        {QStringLiteral("frmOptions"), child([] { return Load<frmOptions>(); })},
        {QStringLiteral("frmGameScreen"), child([] {
             g.GameEditMode = "C";
             g.GameRec.gameNumber = 1;
             g.NumGames = 2;
             return Load<frmGameScreen>();
         })},
        {QStringLiteral("frmBackup"), child([] { return Load<frmBackup>(); })},
    };
    return m;
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

    // A report window has the focus when it opens: F1 reaches its help page
    // without a click, and the statistics window's Alt+F presses its Format
    // button, not the frame's File menu.
    void reportWindowsOpenWithTheFocus_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("topic");
        QTest::newRow("player statistics") << "P" << int(HelpTopic::StatsReport);
        QTest::newRow("record") << "R" << int(HelpTopic::Record);
        QTest::newRow("standings") << "S" << int(HelpTopic::Standings);
        QTest::newRow("game scores") << "O" << int(HelpTopic::GameScores);
        QTest::newRow("team scoring") << "M" << int(HelpTopic::TeamScoring);
        QTest::newRow("roster") << "T" << int(HelpTopic::RosterReport);
    }
    void reportWindowsOpenWithTheFocus()
    {
        QFETCH(QString, code);
        QFETCH(int, topic);
        env->acceptAnyMsgBox(vbOK);  // the statistics window's one-time hint
        LocateHelpFile();
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        ApplyTeamSelection({{1, QStringLiteral("Oaks"), true}});
        g.ReportCode = code;
        const std::map<QString, std::function<Form*()>> open = {
            {"P", [] { return Load<frmStats>(); }},     {"R", [] { return Load<frmRecord>(); }},
            {"S", [] { return Load<frmStandings>(); }}, {"O", [] { return Load<frmScores>(); }},
            {"M", [] { return Load<frmTeamScores>(); }}, {"T", [] { return Load<frmRosterRpt>(); }},
        };
        const QPointer<Form> w = open.at(code)();
        QTRY_VERIFY(w->isAncestorOf(QApplication::focusWidget()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        QCOMPARE(env->openedUrls().size(), 1);
        QVERIFY(env->openedUrls()[0].endsWith(QStringLiteral("/%1.html").arg(topic)));
        if (code == QLatin1String("P")) {
            QString opened;
            Dialog::setModalHook([&opened](Dialog* d) {
                opened = d->objectName();
                d->reject();
            });
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::AltModifier);
            QTRY_COMPARE(opened, QStringLiteral("frmRptSelect"));
            QVERIFY(!QApplication::activePopupWidget());
        }
        // A title the user typed shows as typed, never as markup.
        const QString title = QStringLiteral("<b>Oaks</b> & Pines");
        w->findChild<ReportGrid*>()->setCaption(title);
        const auto* caption = w->findChild<QLabel*>(QStringLiteral("tdbCaption"));
        QVERIFY(caption->sizeHint().width() >= caption->fontMetrics().horizontalAdvance(title));
        w->unloadForm();
        flushDeletes();
    }

    // Enter and Esc in an open drop-down close the list, never the window.
    void keysInAnOpenListStayInTheList_data()
    {
        QTest::addColumn<QString>("window");
        for (const auto& [name, open] : windowsWithLists())
            QTest::newRow(name.toLatin1()) << name;
    }
    void keysInAnOpenListStayInTheList()
    {
        QFETCH(QString, window);
        env->acceptAnyMsgBox(vbOK);  // the statistics window's one-time hint
        g.ReportCode = "P";
        g.BackupMode = "B";
        ApplyTeamSelection({{1, QStringLiteral("Oaks"), true}});
        QStringList lists;
        bool stayed = false;
        windowsWithLists().at(window)([&](QWidget* w) {
            QVERIFY(w);
            w->window()->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(w->window()));
            const QPointer<QWidget> open(w);
            for (QComboBox* box : w->findChildren<QComboBox*>()) {
                if (!box->isVisible() || !box->isEnabled() || box->count() == 0)
                    continue;
                for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
                    box->setFocus();
                    box->showPopup();
                    QTest::keyClick(box->view(), Qt::Key_Down);
                    QTest::keyClick(box->view(), key);
                    QVERIFY2(!box->view()->isVisible(), qPrintable(box->objectName()));  // the list closed
                }
                lists << box->objectName();
            }
            QTest::qWait(120);  // a button pressed by its key clicks once its press has shown
            stayed = open && open->isVisible();
        });
        QVERIFY(!lists.isEmpty());
        QVERIFY2(stayed, qPrintable(lists.join(QLatin1Char(' '))));
    }

    void dialogsCarryOnlyTheirButtons()
    {
        frmRoster roster;
        QVERIFY(onlyTitleButtons(&roster, true));
        frmImportGame import;
        QVERIFY(onlyTitleButtons(&import, true));

        // The real message box, looked at while it is open.
        const MsgBoxHandler scripted = setMsgBoxHandler({});
        bool looked = false;
        QTimer::singleShot(0, [&looked] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            looked = true;
            QVERIFY(onlyTitleButtons(box, true));
            QVERIFY(box->parentWidget());  // stays with the program's window
            QVERIFY(box->width() >= TitleBarWidth(box->windowTitle()));
            const auto* text = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            QVERIFY(text->sizeHint().width() >= text->fontMetrics().horizontalAdvance(text->text()));
            grab(box, "msgbox");
            box->button(QMessageBox::Ok)->click();
        });
        QCOMPARE(MsgBox(QStringLiteral("<i>Oaks</i>?"), 48, QStringLiteral("Couldn't Find MUQN.INI File")), vbOK);
        setMsgBoxHandler(scripted);
        QVERIFY(looked);
    }
};

VH_TEST_MAIN(TstWindows)
#include "tst_windows.moc"
