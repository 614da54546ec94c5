// Every window as a screen reader, a window manager or the keyboard meets it:
// each text box and list is named after its label, dialogs carry only a close
// box, windows take the focus, and the keys of an open drop-down stay in its
// list.

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
#include "shell/Startup.h"
#include "shell/MenuState.h"
#include "shell/ReportGrid.h"
#include "shell/frmBegScreen.h"
#include "stats/frmCompute.h"
#include "stats/frmMinimum.h"
#include "stats/frmSort.h"
#include "stats/frmStats.h"
#include "support/ScreenReader.h"
#include "support/TestMain.h"
#include "support/Widgets.h"
#include "teams/frmRoster.h"
#include "teams/frmTeamFilters.h"
#include "teams/frmTeamName.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QMenuBar>
#include <QPrintPreviewDialog>
#include <QAbstractItemView>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolBar>
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

// The labels of `window` too narrow for their text; wrapping labels are
// left out, since they fold their text instead.
QStringList cutLabels(const QWidget* window)
{
    QStringList out;
    for (const QLabel* l : window->findChildren<QLabel*>()) {
        if (!l->isVisibleTo(window) || l->wordWrap() || l->text().isEmpty())
            continue;
        int needed = 0;
        for (const QString& line : l->text().split(QLatin1Char('\n')))
            needed = std::max(needed, l->fontMetrics().horizontalAdvance(line));
        if (needed > l->contentsRect().width())
            out << QStringLiteral("%1.%2 (%3 > %4)")
                       .arg(window->objectName(), l->objectName())
                       .arg(needed)
                       .arg(l->contentsRect().width());
    }
    return out;
}

// Opens a window of the program and gives it to `look`: a child window
// loaded into the frame, a dialog through the modal hook.
using WindowLook = std::function<void(QWidget*)>;
using WindowOpener = void (*)(const WindowLook&);
template <class T>
void inFrame(const WindowLook& look)
{
    const QPointer<Form> w = Load<T>();
    look(w);
    if (w)
        w->unloadForm();
    flushDeletes();
}
template <auto run>
void asDialog(const WindowLook& look)
{
    Dialog::setModalHook([look](Dialog* d) { look(d); });
    run();
}
void runFormat() { frmFormat::run({CatKind::Player, 1}); }
void runCompute() { frmCompute::ask(ComputeInputFromState()); }
void runMinimum() { frmMinimum::ask({}); }
void runSort() { frmSort::ask({QStringLiteral("P"), {}, {}}); }
void runChooser() { frmRptSelect::run({QStringLiteral("P")}); }
void runUpload() { FormUploadDatabase().showModal(); }
void runRoster() { frmRoster().showModal(); }
void runImport() { frmImportGame().showModal(); }
template <char mode>
void inBackup(const WindowLook& look)
{
    g.BackupMode = QString(QLatin1Char(mode));
    inFrame<frmBackup>(look);
}

// Presses the item of the frame's menu bar at `path` (a menu's title, then
// its item's caption) through its accessible interface, as a screen reader
// does; false when there is no such item.
bool pressMenuItem(const QStringList& path)
{
    QAccessibleInterface* item = test::reader::menuItem(g.Frame->frameWidget()->findChild<QMenuBar*>(), path);
    test::reader::act(item, QAccessibleActionInterface::pressAction());
    return item;
}

// A dialog's title bar: a close box, nothing to minimise or maximise.
bool onlyACloseBox(const QWidget* w)
{
    const Qt::WindowFlags f = w->windowFlags();
    return !(f & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowMinMaxButtonsHint)) &&
           (f & Qt::WindowCloseButtonHint) && (f & Qt::CustomizeWindowHint);
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
        closeGameFrame(frame);
        env.reset();
    }

    void theFrameAndTheTeamSelectionNameTheirBoxes()
    {
        QCOMPARE((unnamedBoxes(frame.get()) + unnamedBoxes(Load<frmSelectTeam>())).join(QLatin1Char(' ')), QString());
    }

    // Each window names its boxes and shows its labels whole, a dialog has
    // no minimise or maximise box, and each window takes the focus when it
    // opens, so that F1 reaches its help page without a click; a drop-down's
    // open list shows its entries whole, and Enter and Esc in it close the
    // list, never the window; a report's Alt+F presses its Format button,
    // not the frame's File menu; a report title the user typed never reads
    // as markup.
    void windowsTakeTheFocusAndTheirKeys_data()
    {
        QTest::addColumn<int>("topic");  // 0: no help page
        QTest::addColumn<WindowOpener>("open");
        QTest::newRow("frmStats") << int(HelpTopic::StatsReport) << &inFrame<frmStats>;
        QTest::newRow("frmRecord") << int(HelpTopic::Record) << &inFrame<frmRecord>;
        QTest::newRow("frmStandings") << int(HelpTopic::Standings) << &inFrame<frmStandings>;
        QTest::newRow("frmScores") << int(HelpTopic::GameScores) << &inFrame<frmScores>;
        QTest::newRow("frmTeamScores") << int(HelpTopic::TeamScoring) << &inFrame<frmTeamScores>;
        QTest::newRow("frmRosterRpt") << int(HelpTopic::RosterReport) << &inFrame<frmRosterRpt>;
        QTest::newRow("frmOptions") << 0 << &inFrame<frmOptions>;
        QTest::newRow("frmBackup B") << int(HelpTopic::BackUp) << &inBackup<'B'>;
        QTest::newRow("frmBackup R") << int(HelpTopic::Restore) << &inBackup<'R'>;
        QTest::newRow("frmBackup E") << int(HelpTopic::ExportTeams) << &inBackup<'E'>;
        QTest::newRow("frmBackup I") << int(HelpTopic::ImportTeams) << &inBackup<'I'>;
        QTest::newRow("frmDesign") << int(HelpTopic::DesignInput) << &inFrame<frmDesign>;
        QTest::newRow("frmNameYourOwn") << int(HelpTopic::NameYourOwn) << &inFrame<frmNameYourOwn>;
        QTest::newRow("frmConvert") << int(HelpTopic::ConvertOldData) << &inFrame<frmConvert>;
        QTest::newRow("frmMinimum") << int(HelpTopic::MinimumAndSort) << &asDialog<runMinimum>;
        QTest::newRow("frmSort") << int(HelpTopic::MinimumAndSort) << &asDialog<runSort>;
        QTest::newRow("frmRptSelect") << int(HelpTopic::ReportFormats) << &asDialog<runChooser>;
        QTest::newRow("FormUploadDatabase") << int(HelpTopic::SendYourData) << &asDialog<runUpload>;
        QTest::newRow("frmGameScreen") << int(HelpTopic::GameScreen) << &inFrame<frmGameScreen>;
        QTest::newRow("frmFormat") << int(HelpTopic::ReportFormats) << &asDialog<runFormat>;
        QTest::newRow("frmCompute") << int(HelpTopic::ReportParameters) << &asDialog<runCompute>;
        QTest::newRow("frmTeamName") << int(HelpTopic::TeamEditor) << &inFrame<frmTeamName>;
        QTest::newRow("frmTeamFilters") << int(HelpTopic::TeamFilters) << &inFrame<frmTeamFilters>;
        QTest::newRow("frmGameMenu") << int(HelpTopic::GameList) << &inFrame<frmGameMenu>;
        QTest::newRow("frmPScreen") << int(HelpTopic::PlayerScreen) << &inFrame<frmPScreen>;
        QTest::newRow("frmRoster") << int(HelpTopic::Roster) << &asDialog<runRoster>;
        QTest::newRow("frmImportGame") << int(HelpTopic::ImportGame) << &asDialog<runImport>;
        QTest::newRow("frmSelectTeam") << int(HelpTopic::SelectTeams) << &inFrame<frmSelectTeam>;
    }
    void windowsTakeTheFocusAndTheirKeys()
    {
        QFETCH(int, topic);
        QFETCH(WindowOpener, open);
        env->acceptAnyMsgBox(vbOK);  // the statistics window's one-time hint
        LocateHelpFile();
        ApplyTeamSelection({{1, QStringLiteral("Oaks"), true}});
        g.ReportCode = "P";
        g.BackupMode = "B";
        g.GameEditMode = "C";
        g.GameRec.gameNumber = 1;
        g.NumGames = 1;
        g.TeamMode = "C";
        g.FilterMode = "A";
        g.ImportOpponentTeam = 2;
        bool stayed = false;
        open([&](QWidget* w) {
            QVERIFY(w);
            QCOMPARE(unnamedBoxes(w).join(QLatin1Char(' ')), QString());
            QCOMPARE(cutLabels(w).join(QLatin1Char(' ')), QString());
            QVERIFY(!qobject_cast<Dialog*>(w) || onlyACloseBox(w));
            w->window()->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(w->window()));
            QTRY_VERIFY(w->isAncestorOf(QApplication::focusWidget()));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
            QCOMPARE(env->openedUrls().size(), topic ? 1 : 0);
            QVERIFY(!topic || env->openedUrls()[0].endsWith(QStringLiteral("/%1.html").arg(topic)));
            if (auto* grid = w->findChild<ReportGrid*>()) {
                grid->setCaption(QStringLiteral("<b>Oaks</b> & Pines"));
                const auto* caption = grid->findChild<QLabel*>(QStringLiteral("tdbCaption"));
                QVERIFY(caption->sizeHint().width() >= caption->fontMetrics().horizontalAdvance(caption->text()));
            }
            // A button's access key that a frame menu shares presses the button,
            // also from a box that would take the letter.
            const std::map<QString, std::pair<Qt::Key, QString>> accessKeys = {
                {QStringLiteral("frmStats"), {Qt::Key_F, QStringLiteral("frmRptSelect")}},
                {QStringLiteral("frmPScreen"), {Qt::Key_R, QStringLiteral("frmRoster")}}};
            if (const auto it = accessKeys.find(QLatin1String(QTest::currentDataTag())); it != accessKeys.end()) {
                QString opened;
                Dialog::setModalHook([&opened](Dialog* d) {
                    opened = d->objectName();
                    d->reject();
                });
                QTest::keyClick(QApplication::focusWidget(), it->second.first, Qt::AltModifier);
                QTRY_COMPARE(opened, it->second.second);
                QVERIFY(!QApplication::activePopupWidget());
            }
            const QPointer<QWidget> shown(w);
            for (QComboBox* box : w->findChildren<QComboBox*>()) {
                if (!box->isVisible() || !box->isEnabled() || box->count() == 0)
                    continue;
                for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
                    box->showPopup();
                    // Every entry shows whole in the open list.
                    QVERIFY2(box->view()->viewport()->width() >= box->view()->sizeHintForColumn(box->modelColumn()),
                             qPrintable(box->objectName()));
                    QTest::keyClick(box->view(), Qt::Key_Down);
                    QTest::keyClick(box->view(), key);
                    QVERIFY2(!box->view()->isVisible(), qPrintable(box->objectName()));  // the list closed
                }
            }
            // A button pressed by its key is down at once and clicks later.
            const auto buttons = w->findChildren<QAbstractButton*>();
            stayed = shown && shown->isVisible() && std::none_of(buttons.begin(), buttons.end(), [](auto* b) {
                         return b->isDown();
                     });
        });
        QVERIFY(stayed);
    }

    // A choice made with the keys in the toolbar's boxes gives the keys back
    // to the open report: F1 shows its help, Alt and a letter press its
    // button, not the frame's menu, and Esc closes the statistics window.
    // Keys stepping through a closed box stay in the box until Enter; the
    // toolbar's buttons never take the keys.
    void aToolbarChoiceGivesTheKeysBackToTheReport_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("topic");
        QTest::addColumn<int>("accessKey");
        QTest::addColumn<QString>("pressed");  // the dialog its button opens
        QTest::newRow("statistics") << "P" << int(HelpTopic::StatsReport) << int(Qt::Key_F) << "frmRptSelect";
        QTest::newRow("record") << "R" << int(HelpTopic::Record) << int(Qt::Key_C) << "frmCompute";
    }
    void aToolbarChoiceGivesTheKeysBackToTheReport()
    {
        QFETCH(QString, code);
        QFETCH(int, topic);
        QFETCH(int, accessKey);
        QFETCH(QString, pressed);
        env->acceptAnyMsgBox(vbOK);  // the statistics window's one-time hint
        LocateHelpFile();
        ApplyTeamSelection({{1, QStringLiteral("Oaks"), true}});
        g.ReportCode = code;
        SetMenus(1, QStringLiteral("Report"));
        ReportWindow* w = code == u"P" ? static_cast<ReportWindow*>(Load<frmStats>()) : Load<frmRecord>();
        QVERIFY(w);
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        QWidget* grid = w->grid()->view();

        QComboBox* size = frame->fontSizeBox();
        const int16_t first = w->reportFontSize();
        size->setFocus();
        QTest::keyClick(size, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), size);
        size->showPopup();
        QVERIFY(QTest::qWaitForWindowActive(size->view()->window()));
        QTest::keyClick(size->view(), Qt::Key_Down);
        QTest::keyClick(size->view(), Qt::Key_Return);
        QCOMPARE(w->reportFontSize(), int16_t(size->itemText(size->findText(QString::number(first)) + 2).toInt()));
        // The list closed, the frame is the active window again.
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        QCOMPARE(QApplication::focusWidget(), grid);
        QTest::keyClick(grid, Qt::Key_F1);
        QCOMPARE(env->openedUrls().value(0).section(QLatin1Char('/'), -1), QStringLiteral("%1.html").arg(topic));

        // A font typed into the closed box, then Enter; a button of the toolbar.
        QComboBox* font = frame->fontNameBox();
        font->setFocus();
        QTest::keyClick(font, Qt::Key_L);
        QCOMPARE(QApplication::focusWidget(), font);
        QTest::keyClick(font, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), grid);
        QCOMPARE(w->reportFontName(), font->currentText());
        QTest::mouseClick(frame->QNToolbar()->widgetForAction(frame->toolbarButton(QStringLiteral("Bold"))),
                          Qt::LeftButton);
        QCOMPARE(g.ReportBold, True);
        QCOMPARE(QApplication::focusWidget(), grid);

        QString opened;
        Dialog::setModalHook([&opened](Dialog* d) {
            opened = d->objectName();
            d->reject();
        });
        QTest::keyClick(grid, Qt::Key(accessKey), Qt::AltModifier);
        QTRY_COMPARE(opened, pressed);
        QVERIFY(!QApplication::activePopupWidget());
        if (code == u"P") {
            frame->activateWindow();  // as the window system does after a dialog
            QVERIFY(QTest::qWaitForWindowActive(frame.get()));
            QCOMPARE(QApplication::focusWidget(), grid);
            const QPointer<ReportWindow> report(w);
            QTest::keyClick(grid, Qt::Key_Escape);
            QTRY_VERIFY(!report || !report->isLoaded());
        }
        Unload<frmStats>();
        Unload<frmRecord>();
        flushDeletes();
    }

    // With another window in front of the report (the About box), a choice
    // in the toolbar still sizes the report, but the keys go back to the
    // window in front, which stays in front; so they do with no report open.
    void aToolbarChoiceLeavesTheWindowInFrontInFront()
    {
        env->acceptAnyMsgBox(vbOK);  // the statistics window's one-time hint
        ApplyTeamSelection({{1, QStringLiteral("Oaks"), true}});
        g.ReportCode = "P";
        SetMenus(1, QStringLiteral("Report"));
        auto* report = Load<frmStats>();
        QVERIFY(report);
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        frame->mnuAbout_Click();
        auto* about = Loaded<frmBegScreen>();
        QVERIFY(about);
        QCOMPARE(frame->mdiArea()->currentSubWindow()->widget(), about);

        QComboBox* size = frame->fontSizeBox();
        const int16_t first = report->reportFontSize();
        size->setFocus();
        QTest::keyClick(size, Qt::Key_Down);
        QTest::keyClick(size, Qt::Key_Return);
        QVERIFY(report->reportFontSize() != first);
        QCOMPARE(frame->mdiArea()->currentSubWindow()->widget(), about);
        QVERIFY(about->isAncestorOf(QApplication::focusWidget()));

        Unload<frmStats>();
        flushDeletes();
        size->setFocus();
        QTest::keyClick(size, Qt::Key_Down);
        QTest::keyClick(size, Qt::Key_Return);
        QVERIFY(about->isAncestorOf(QApplication::focusWidget()));
    }

    // A command that comes while the report's print preview runs (a screen
    // reader's action on a menu item or a toolbar button) is ignored, as a
    // key press is: the report and its preview stay. A window that code
    // closes under the preview goes only once the preview has returned. The
    // program goes on: the commands work again, and Exit saves the options.
    void commandsWaitForTheReportsPrintPreview()
    {
        env->acceptAnyMsgBox(vbOK);  // the statistics window's one-time hint
        ApplyTeamSelection({{1, QStringLiteral("Oaks"), true}});
        g.ReportCode = "P";
        SetMenus(1, QStringLiteral("Report"));
        const QPointer<frmStats> report = Load<frmStats>();
        QVERIFY(report);
        QStringList seen;
        QPointer<QDialog> preview;
        QTimer::singleShot(0, [&] {
            preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
            seen << QStringLiteral("preview %1").arg(preview ? "open" : "missing");
            test::reader::press(frame->QNToolbar()->widgetForAction(frame->toolbarButton("Goalie")));
            pressMenuItem({QStringLiteral("Tools"), QStringLiteral("Options...")});
            // The preview's own loop runs on between these steps.
            QTimer::singleShot(30, [&] {
                seen << QStringLiteral("report %1, options %2, code %3")
                            .arg(Loaded<frmStats>() == report ? "open" : "closed",
                                 Loaded<frmOptions>() ? "open" : "closed", g.ReportCode.str());
                Unload<frmStats>();
                QTimer::singleShot(30, [&] {
                    seen << QStringLiteral("window %1").arg(report ? "kept" : "deleted");
                    if (preview)
                        preview->reject();
                });
            });
        });
        QVERIFY(pressMenuItem({QStringLiteral("File"), QStringLiteral("Print...")}));
        QCOMPARE(seen, (QStringList{"preview open", "report open, options closed, code P", "window kept"}));
        flushDeletes();
        QVERIFY(!report);

        QVERIFY(pressMenuItem({QStringLiteral("Tools"), QStringLiteral("Options...")}));
        QVERIFY(Loaded<frmOptions>());
        Loaded<frmOptions>()->cmdClose_Click();
        g.OptionsLoaded = true;  // as the start-up leaves them
        g.PeriodsOption = 4;
        QVERIFY(pressMenuItem({QStringLiteral("File"), QStringLiteral("Exit Program")}));
        QVERIFY(env->ended());
        auto db = Database::open(g.DataFolder + QStringLiteral("murqn.mdb"), DatabaseConnect());
        QCOMPARE(db->scalar(QStringLiteral("select Option from NumberOptions where OptionNumber = 2")).toInt(), 4);
        OpenMainDatabase();  // for the windows the end of the test closes
    }

    // The About box over a report gives the keys back to the report when it
    // closes: the report is the active window again, F1 shows its help, Alt+F
    // presses its Format button (not the frame's File menu), Esc closes it.
    void theReportHasTheKeysAgainAfterTheAboutBox()
    {
        env->acceptAnyMsgBox(vbOK);  // the statistics window's one-time hint
        LocateHelpFile();
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        frmSelectTeam* select = Load<frmSelectTeam>();
        QVERIFY(select);
        control<QListWidget>(select, "lstSelectTeam")->item(0)->setSelected(true);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::ControlModifier);
        auto* report = Loaded<frmStats>();
        QVERIFY(report);
        QTest::qWait(20);  // the report takes the keys once it is on screen
        QCOMPARE(QApplication::focusWidget(), report->grid()->view());
        QVERIFY(pressMenuItem({QStringLiteral("Help"), QStringLiteral("About")}));
        auto* about = Loaded<frmBegScreen>();
        QVERIFY(about);
        QTRY_VERIFY(about->isAncestorOf(QApplication::focusWidget()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QTRY_VERIFY(!Loaded<frmBegScreen>());

        QCOMPARE(frame->mdiArea()->activeSubWindow(), report->subWindow());
        QVERIFY(report->isAncestorOf(QApplication::focusWidget()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        QCOMPARE(env->openedUrls().value(0).section(QLatin1Char('/'), -1),
                 QStringLiteral("%1.html").arg(HelpTopic::StatsReport));
        QString opened;
        Dialog::setModalHook([&opened](Dialog* d) {
            opened = d->objectName();
            d->reject();
        });
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::AltModifier);
        QTRY_COMPARE(opened, QStringLiteral("frmRptSelect"));
        QVERIFY(!QApplication::activePopupWidget());
        frame->activateWindow();  // as the window system does after a dialog
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        const QPointer<frmStats> shown(report);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QTRY_VERIFY(!shown || !shown->isLoaded());
        flushDeletes();
    }

    // The real message box, looked at while it is open, and a dialog: each
    // as wide as its title.
    void messageBoxesStayWithTheProgramAndShowTheirTitleAndText()
    {
        Dialog narrow;
        narrow.setWindowTitle(QStringLiteral("Game Information Has Changed"));
        narrow.resize(60, 40);
        Dialog::setModalHook([](Dialog* d) { QVERIFY(d->width() >= TitleBarWidth(d->windowTitle())); });
        narrow.showModal();

        const MsgBoxHandler scripted = setMsgBoxHandler({});
        bool looked = false;
        QTimer::singleShot(0, [&looked] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            looked = true;
            QVERIFY(onlyACloseBox(box));
            QVERIFY(box->parentWidget());  // stays with the program's window
            // The box lays itself out again once on screen: the width lasts.
            QCoreApplication::postEvent(box, new QEvent(QEvent::LayoutRequest));
            QCoreApplication::sendPostedEvents();
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
