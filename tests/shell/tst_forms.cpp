// The shared window procedures: the team selection as state, the rules of
// text boxes, a window's bound keys, report criteria starting over.

#include "platform/MsgBox.h"
#include "shell/Controls.h"
#include "shell/Form.h"
#include "shell/Globals.h"
#include "shell/Help.h"
#include "shell/Procedures.h"
#include "support/RealModals.h"
#include "support/TestEnv.h"
#include "support/TestMain.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace vh;
using vh::test::TestEnv;

namespace {

// A window with every kind of key a window binds: Enter and Esc for its OK
// and Cancel, Alt+A for its Add, F1 for its help. What the keys pressed is
// recorded, the help as "help".
struct KeyedWindow {
    Form form{0};
    QLineEdit* box = makeTextBox(&form, QStringLiteral("txtName"), 0, 120, 120, 1500);
    QPushButton* ok = makeButton(&form, QStringLiteral("cmdOK"), QStringLiteral("OK"), 120, 600, 900);
    QPushButton* cancel = makeButton(&form, QStringLiteral("cmdCancel"), QStringLiteral("Cancel"), 1140, 600, 900);
    QPushButton* add = makeButton(&form, QStringLiteral("cmdAdd"), QStringLiteral("&Add"), 2160, 600, 900);
    QStringList pressed;
    std::function<void()> whileOk;  // what OK's command does besides

    explicit KeyedWindow(TestEnv& env) : env_(env)
    {
        form.setDesignSize(3300, 1300);
        ButtonKeys::setDefaultButton(&form, ok);
        ButtonKeys::setCancelButton(&form, cancel);
        InstallHelpKey(&form, HelpTopic::TeamEditor);
        QObject::connect(ok, &QPushButton::clicked, [this] {
            pressed << QStringLiteral("OK");
            if (whileOk)
                std::exchange(whileOk, {})();
        });
        QObject::connect(cancel, &QPushButton::clicked, [this] { pressed << QStringLiteral("Cancel"); });
        QObject::connect(add, &QPushButton::clicked, [this] { pressed << QStringLiteral("Add"); });
        form.loadForm();
        form.showForm();
    }

    // The window is the active one with the focus in its box, as the user
    // has it when typing; also behind a modal window, as a desktop may leave
    // it for a moment after the modal one opened.
    bool activate()
    {
        QApplication::setActiveWindow(&form);
        if (QApplication::activeWindow() != &form)
            return false;
        box->setFocus();
        return QApplication::focusWidget() == box;
    }

    // Every bound key, typed in the box; what they pressed comes back once a
    // pressed button would have clicked.
    QStringList typeEveryKey()
    {
        const qsizetype helpShown = env_.openedUrls().size();
        pressed.clear();
        for (const auto& [key, modifiers] : {std::pair{Qt::Key_Return, Qt::NoModifier},
                                             {Qt::Key_Escape, Qt::NoModifier},
                                             {Qt::Key_A, Qt::AltModifier},
                                             {Qt::Key_F1, Qt::NoModifier}})
            QTest::keyClick(box, key, modifiers);
        QTest::qWait(250);
        QStringList all = std::exchange(pressed, {});
        if (env_.openedUrls().size() > helpShown)
            all << QStringLiteral("help");
        return all;
    }

private:
    TestEnv& env_;
};

const QStringList everyKeyActs{"OK", "Cancel", "Add", "help"};

}  // namespace

class TstForms : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;

private slots:
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup() { env.reset(); }

    void teamSelectionBecomesState()
    {
        g.NumTeams = 3;
        g.TeamNumbers.redim(3);
        g.TeamSelected.redim(3, False);
        g.TeamNumbers[1] = 4;
        g.TeamNumbers[2] = 9;
        g.TeamNumbers[3] = 2;
        // Several teams selected: the frame's test.
        g.TeamSelected[2] = True;
        ApplyTeamSelection({{9, QStringLiteral("A Team"), false}, {2, QStringLiteral("B Team  "), true}});
        QCOMPARE(g.SelectedTeamName, QStringLiteral("B Team"));
        QCOMPARE(g.SelectedTeamCaption, QStringLiteral("B Team"));
        QCOMPARE(g.CurrentTeam, int16_t(2));
        QVERIFY(g.TeamSelected[1] == False && g.TeamSelected[2] == False && g.TeamSelected[3] == True);
        ApplyTeamSelection(std::vector<TeamListEntry>{});
        QCOMPARE(g.CurrentTeam, int16_t(0));
        QCOMPARE(g.SelectedTeamCaption, QStringLiteral("B Team"));  // kept when nothing is selected
    }

    // A limit counts characters: one outside the basic plane (an emoji) is
    // kept whole or not at all, however the text comes in.
    void limitedBoxesNeverHalveACharacter()
    {
        const QString e = QStringLiteral("\U0001F600");
        const std::unique_ptr<QLineEdit> box(makeTextBox(nullptr, QStringLiteral("txtName"), 3, 0, 0, 600));
        const struct {
            QString before;
            int cursor;
            QString typed, after;
        } cases[] = {
            {QStringLiteral("ab"), 2, e, QStringLiteral("ab") + e},   // at the limit
            {QStringLiteral("abc"), 3, e, QStringLiteral("abc")},     // past it
            {QStringLiteral("ab"), 0, QStringLiteral("x") + e, QStringLiteral("xab")},  // cut where it went in
            {QStringLiteral("a"), 1, e + e + e, QStringLiteral("a") + e + e},
        };
        for (const auto& c : cases) {
            box->setText(c.before);
            box->setCursorPosition(c.cursor);
            box->insert(c.typed);
            QCOMPARE(box->text(), c.after);
        }
        box->setText(QStringLiteral("ab") + e + e);
        QCOMPARE(box->text(), QStringLiteral("ab") + e);
        QPlainTextEdit notes;
        limitLength(&notes, 3);
        notes.setPlainText(QStringLiteral("ab") + e + e);
        QCOMPARE(notes.toPlainText(), QStringLiteral("ab") + e);
    }

    // A Tab or a line break pasted into a one-line box, limited or not,
    // becomes one blank, counted once against the limit; a digits box drops
    // it.
    void pastedTabsAndLineBreaksBecomeBlanks()
    {
        const std::unique_ptr<QLineEdit> box(makeTextBox(nullptr, QStringLiteral("txtAddress1"), 20, 0, 0, 600));
        for (const QString& end : {QStringLiteral("X"), QStringLiteral("XY")}) {
            box->setText(QStringLiteral("Box 9"));
            box->setCursorPosition(0);
            QGuiApplication::clipboard()->setText(QStringLiteral("Apt\t4\r\nMain\rSt\n") + end);
            QTest::keyClick(box.get(), Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(box->text(), QStringLiteral("Apt 4 Main St XBox 9"));  // 20: the Y is cut
            QCOMPARE(box->cursorPosition(), 15);
        }
        const std::unique_ptr<QLineEdit> unlimited(makeTextBox(nullptr, QStringLiteral("txtName"), 0, 0, 0, 600));
        unlimited->setText(QStringLiteral("\tA\x0b\x1b") + QChar(QChar::LineSeparator) + QStringLiteral("B\t"));
        QCOMPARE(unlimited->text(), QStringLiteral(" A   B "));
        keepPastedDigitsOnly(box.get());
        box->setText(QStringLiteral("12\r\n\t3"));
        QCOMPARE(box->text(), QStringLiteral("123"));
    }

    // A text the program puts into a box shows from its start, however wide:
    // a name loaded, an entry picked from a drop-down's list, also once Tab
    // has selected it. Typing leaves the cursor after what was typed.
    void boxesShowTheStartOfWhatTheProgramPutsIn()
    {
        QWidget window;
        window.resize(300, 120);
        QLineEdit* name = makeTextBox(&window, QStringLiteral("txtTeamName"), 50, 0, 0, 1500);
        QComboBox* opponents = makeComboBox(&window, QStringLiteral("cmbOpponents"), 0, 450, 1500);
        opponents->setEditable(true);
        limitLength(opponents->lineEdit(), 255);
        QLineEdit* last = makeTextBox(&window, QStringLiteral("txtLast"), 0, 0, 900, 1500);
        const QString longName = QStringLiteral("Northern Lakes Hockey Association Juniors");
        opponents->addItems({QStringLiteral("Elms"), longName});

        name->setText(longName);
        QCOMPARE(name->cursorPosition(), 0);
        opponents->setCurrentIndex(1);
        QCOMPARE(opponents->lineEdit()->cursorPosition(), 0);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        test::grab(&window, "boxes-long-text");
        last->setFocus();
        for (QLineEdit* box : {opponents->lineEdit(), name}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
            QTRY_COMPARE(box->cursorPosition(), 0);
            QCOMPARE(box->selectedText(), longName);
        }
        QTest::keyClick(name, Qt::Key_End);
        QTest::keyClicks(name, QStringLiteral(" B"));
        QCOMPARE(name->cursorPosition(), longName.size() + 2);
    }

    // A pasted NUL is dropped by one-line and notes boxes alike: stored, the
    // text would read back as bytes, and restore and import would refuse the
    // user's own back-up or team file.
    void pastedNulsAreDropped()
    {
        const QString nul(QChar(0));
        const std::unique_ptr<QLineEdit> box(makeTextBox(nullptr, QStringLiteral("txtCity"), 20, 0, 0, 600));
        box->setText(QStringLiteral("Oulu"));
        box->setCursorPosition(2);
        QGuiApplication::clipboard()->setText(nul + QStringLiteral("x") + nul + nul + QStringLiteral("y"));
        QTest::keyClick(box.get(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box->text(), QStringLiteral("Ouxylu"));
        QCOMPARE(box->cursorPosition(), 4);

        const std::unique_ptr<QPlainTextEdit> notes(makeMemoBox(nullptr, QStringLiteral("txtNotes"), 0, 0, 3000, 900));
        notes->setPlainText(QStringLiteral("Line 1\nLine 2"));
        QTextCursor at = notes->textCursor();
        at.setPosition(7);
        notes->setTextCursor(at);
        QTest::keyClick(notes.get(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(notes->toPlainText(), QStringLiteral("Line 1\nxyLine 2"));
        QCOMPARE(notes->textCursor().position(), 9);
        // Notes keep their line breaks; a Tab becomes a blank, as the reports
        // show one.
        QGuiApplication::clipboard()->setText(QStringLiteral("a\tb\r\nc\t"));
        QTest::keyClick(notes.get(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(notes->toPlainText(), QStringLiteral("Line 1\nxya b\nc Line 2"));
        QCOMPARE(notes->textCursor().position(), 15);
        QPlainTextEdit rosterNotes;  // a limited box of a window's own
        limitLength(&rosterNotes, 3);
        rosterNotes.setPlainText(QStringLiteral("a") + nul + QStringLiteral("bcd"));
        QCOMPARE(rosterNotes.toPlainText(), QStringLiteral("abc"));
    }

    // A text too wide for its label grows the label into free room, centred
    // both ways, but never over the box beside it nor past the window's edge
    // (a long team name stops where the next box begins).
    void labelsGrowIntoFreeRoomOnly()
    {
        QWidget window;
        window.resize(tw(6000), tw(1800));
        const QString wide = QStringLiteral("------------- Rename Categories -------------");
        QLabel* caption = makeLabel(&window, QStringLiteral("Label1"), wide, 1500, 150, 1500, 255, Qt::AlignCenter);
        QLabel* team = makeLabel(&window, QStringLiteral("lblTeam"), QStringLiteral("Team 1"), 120, 600, 1500);
        team->setText(wide);
        makeComboBox(&window, QStringLiteral("Drive1"), 2400, 600, 1500);
        QLabel* edge = makeLabel(&window, QStringLiteral("lblEdge"), wide, 4800, 1200, 1200);
        QLabel* fits = makeLabel(&window, QStringLiteral("lblFits"), QStringLiteral("Goalie"), 1500, 1500, 1500);
        const QRect designed = caption->geometry(), teamDesigned = team->geometry(), fitsDesigned = fits->geometry();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(caption->sizeHint().width() > designed.width());
        QCOMPARE(caption->width(), caption->sizeHint().width());
        QVERIFY(qAbs(caption->geometry().center().x() - designed.center().x()) <= 1);
        QCOMPARE(team->geometry().left(), teamDesigned.left());
        QCOMPARE(team->geometry().right(), tw(2400) - 1);  // up to the box, not under it
        QCOMPARE(edge->geometry().right(), window.width() - 1);
        QCOMPARE(fits->geometry(), fitsDesigned);
    }

    // A window's bound keys act where a click on their button would: with
    // nothing over the window each acts once; behind a message box (a real
    // one, or a scripted one standing for it) or a modal dialog none does,
    // though the window has the keys, as a desktop may give them to it
    // before the box is active.
    void boundKeysWaitBehindAModalWindow()
    {
        LocateHelpFile();
        KeyedWindow w(*env);
        QVERIFY(w.activate());
        QCOMPARE(w.typeEveryKey(), everyKeyActs);

        QStringList behindScripted;
        {
            test::WhileBoxIsOpen open(QStringLiteral("Over the window"), [&] { behindScripted = w.typeEveryKey(); });
            env->expectMsgBox(QStringLiteral("Over the window"));
            MsgBox(QStringLiteral("Over the window"));
            QVERIFY(open.happened());
        }

        QStringList behindBox, behindDialog;
        bool activated = false;
        {
            test::RealModals modals;
            modals.box(QStringLiteral("Over the window"), QMessageBox::Ok, [&] {
                activated = w.activate();
                behindBox = w.typeEveryKey();
            });
            MsgBox(QStringLiteral("Over the window"));
            Dialog dialog;
            dialog.setObjectName(QStringLiteral("dlgOver"));
            modals.dialog(QStringLiteral("dlgOver"), [&](QDialog* d) {
                activated = activated && w.activate();
                behindDialog = w.typeEveryKey();
                d->reject();
            });
            dialog.exec();
            QTRY_VERIFY(modals.done());
            QCOMPARE(modals.unexpected(), QStringList());
        }
        QVERIFY(activated);
        const QStringList none{"scripted box:", "real box:", "dialog:"};
        QCOMPARE((QStringList{"scripted box:" + behindScripted.join(u','), "real box:" + behindBox.join(u','),
                              "dialog:" + behindDialog.join(u',')}),
                 none);
        QVERIFY(w.activate());
        QCOMPARE(w.typeEveryKey(), everyKeyActs);
    }

    // A command that a key started and that lets events in while it works
    // is not started again by a key of its window meanwhile.
    void aKeysCommandIsNotStartedAgainWhileItRuns()
    {
        KeyedWindow w(*env);
        QVERIFY(w.activate());
        w.whileOk = [&w] {
            QTest::keyClick(w.box, Qt::Key_Return);
            QTest::qWait(250);
        };
        QTest::keyClick(w.box, Qt::Key_Return);
        QTRY_COMPARE(w.pressed, QStringList{"OK"});
        QTest::qWait(250);
        QCOMPARE(w.pressed, QStringList{"OK"});
    }

    void criteriaStartOver()
    {
        g.NumberGameTypes = 3;
        g.GameTypeNumbers.redim(3);
        for (int i = 1; i <= 3; ++i)
            g.GameTypeNumbers[i] = int16_t(10 * i);
        g.Criteria.lowGame = 5;
        g.Criteria.minimumBasis = QStringLiteral("O");
        g.Criteria.excludedGames = {4};
        g.Criteria.gameTypes = {{7, false}};
        g.Criteria.includeAway = false;
        ResetComputeCriteria();
        const ReportCriteria& c = g.Criteria;
        QCOMPARE(c.gameTypes, (std::vector<std::pair<int16_t, bool>>{{10, true}, {20, true}, {30, true}}));
        QVERIFY(c.excludedGames.empty() && c.allGameTypes && c.includeHome && c.includeAway);
        QCOMPARE(c.lowGame, int16_t(1));
        QCOMPARE(c.minimumBasis, QStringLiteral("G"));
    }
};

VH_TEST_MAIN(TstForms)
#include "tst_forms.moc"
