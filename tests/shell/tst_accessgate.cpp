// What a screen reader's actions reach: a control that is disabled, hidden or
// read-only takes nothing, and while a modal window runs only its own
// controls act; everything still reads as before. Where a control acts, its
// action does what a click does: a pressed button takes the focus first, a
// row chosen is the current row, a toggled tool button runs its action, an
// entry of a drop-down's open list is the drop-down's choice.

#include "platform/ModalRun.h"
#include "platform/MsgBox.h"
#include "shell/AccessGate.h"
#include "shell/Controls.h"
#include "shell/Form.h"
#include "shell/Globals.h"
#include "shell/ReportGrid.h"
#include "support/ScreenReader.h"
#include "support/Seed.h"
#include "support/TestEnv.h"
#include "support/TestMain.h"
#include "support/Widgets.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>
#include <QToolBar>

using namespace vh;
using vh::test::TestEnv;

namespace {

using namespace vh::test::reader;

using vh::test::reader::press;
void press(QAccessibleInterface* i) { act(i, QAccessibleActionInterface::pressAction()); }

// A window with one control of each kind the program makes, and a record of
// what their handlers saw.
struct Window {
    QWidget top;
    QWidget* panel = new QWidget(&top);
    QLabel* label = makeLabel(panel, QStringLiteral("lblName"), QStringLiteral("&Name:"), 0, 0, 900);
    QLineEdit* box = makeTextBox(panel, QStringLiteral("txtName"), 20, 1000, 0, 1500);
    QPlainTextEdit* notes = makeMemoBox(panel, QStringLiteral("txtNotes"), 0, 400, 2500, 600);
    QPushButton* button = makeButton(panel, QStringLiteral("cmdOK"), QStringLiteral("OK"), 0, 1100, 1000);
    QCheckBox* check = makeCheckBox(panel, QStringLiteral("chkHome"), QStringLiteral("Home"), 1100, 1100, 1000);
    QListWidget* list = makeListBox(panel, QStringLiteral("lstGames"), 0, 1500, 2500, 1200);
    QScrollBar* bar = new QScrollBar(Qt::Horizontal, panel);
    QStringList seen;

    Window()
    {
        top.resize(300, 300);
        panel->resize(300, 300);
        nameBoxByLabel(label, box);
        list->addItems({QStringLiteral("Game 1"), QStringLiteral("Game 2")});
        QObject::connect(button, &QPushButton::clicked, [this] { seen << QStringLiteral("clicked"); });
        QObject::connect(check, &QCheckBox::toggled, [this](bool on) { seen << QStringLiteral("toggled %1").arg(on); });
        QObject::connect(box, &QLineEdit::textChanged, [this](const QString& t) { seen << QStringLiteral("text ") + t; });
        QObject::connect(notes, &QPlainTextEdit::textChanged, [this] { seen << QStringLiteral("notes"); });
        QObject::connect(list, &QListWidget::itemSelectionChanged, [this] {
            seen << QStringLiteral("selected ") + test::listTexts(list, true).join(u',');
        });
        bar->setGeometry(0, 250, 200, 20);
        QObject::connect(bar, &QScrollBar::valueChanged, [this](int v) { seen << QStringLiteral("value %1").arg(v); });
        top.show();
    }

    // Every kind of action on every control; what reached a handler comes back.
    QStringList actOnEverything()
    {
        seen.clear();
        press(button);
        toggle(check);
        setText(box, QStringLiteral("Ghost"));
        insertText(box, QStringLiteral("Ghost"));
        insertText(notes, QStringLiteral("Ghost"));
        choose(list, 1);
        selectRow(list, 0);
        at(bar)->valueInterface()->setCurrentValue(7);
        QTest::qWait(150);  // a pressed button clicks a moment later
        return std::exchange(seen, {});
    }
};

// Runs `then` whenever `control` loses the focus, as a window's lost-focus
// handler does.
class OnFocusOut : public QObject {
public:
    OnFocusOut(QWidget* control, std::function<void()> then) : QObject(control), then_(std::move(then))
    {
        control->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::FocusOut)
            then_();
        return false;
    }

private:
    std::function<void()> then_;
};

const QStringList everythingActs{"toggled 1",       "text Ghost",      "text GhostGhost", "notes",
                                 "selected Game 2", "selected Game 1", "value 7",         "clicked"};

}  // namespace

class TstAccessGate : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;

private slots:
    // As the program's window and control factories put it there.
    void initTestCase() { installAccessGate(); }
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup() { env.reset(); }

    // Reading passes through: names, values, rows and roles are Qt's own.
    void everythingReadsAsBefore()
    {
        Window w;
        w.box->setText(QStringLiteral("Oaks"));
        QCOMPARE(at(w.box)->text(QAccessible::Name), QStringLiteral("Name"));
        QCOMPARE(at(w.box)->text(QAccessible::Value), QStringLiteral("Oaks"));
        QCOMPARE(at(w.box)->role(), QAccessible::EditableText);
        QCOMPARE(at(w.box)->textInterface()->characterCount(), 4);
        QCOMPARE(at(w.button)->text(QAccessible::Name), QStringLiteral("OK"));
        QCOMPARE(at(w.list)->tableInterface()->rowCount(), 2);
        QAccessibleInterface* row = at(w.list)->tableInterface()->cellAt(1, 0);
        QCOMPARE(row->text(QAccessible::Name), QStringLiteral("Game 2"));
        QCOMPARE(row, at(w.list)->tableInterface()->cellAt(1, 0));  // one interface per row
        QCOMPARE(row->tableCellInterface()->table(), at(w.list));
        QCOMPARE(at(w.list)->child(at(w.list)->indexOfChild(row)), row);
        QCOMPARE(at(w.box)->parent(), at(w.panel));
        QCOMPARE(at(&w.top)->parent(), QAccessible::queryAccessibleInterface(qApp));
    }

    // What the keys and the mouse cannot reach takes nothing by this path
    // either: a disabled control, a hidden one (itself or through its
    // parent), a read-only box. Shown and enabled, everything acts.
    void unreachableControlsTakeNothing()
    {
        Window w;
        QCOMPARE(w.actOnEverything(), everythingActs);
        w.list->clearSelection();
        w.bar->setValue(0);
        w.check->setChecked(false);
        w.box->clear();
        w.notes->clear();

        const auto nothingActs = [&w](const char* how) {
            const QString before = w.box->text();
            QVERIFY2(w.actOnEverything().isEmpty(), how);
            QCOMPARE(w.box->text(), before);
            QVERIFY(w.notes->toPlainText().isEmpty());
            QVERIFY(!w.check->isChecked());
            QVERIFY(w.list->selectedItems().isEmpty());
            QCOMPARE(w.bar->value(), 0);
        };
        w.panel->setEnabled(false);
        nothingActs("disabled through the parent");
        w.panel->setEnabled(true);
        w.panel->hide();
        nothingActs("hidden through the parent");
        w.panel->show();
        const std::initializer_list<QWidget*> controls{w.box, w.notes, w.button, w.check, w.list, w.bar};
        for (QWidget* c : controls)
            c->hide();
        nothingActs("hidden");
        for (QWidget* c : controls)
            c->show();
        for (QWidget* c : controls)
            c->setEnabled(false);
        nothingActs("disabled");
        for (QWidget* c : controls)
            c->setEnabled(true);

        // Read-only: the text stays, the caret still moves for reading.
        w.box->setText(QStringLiteral("Oaks"));
        w.box->setReadOnly(true);
        w.notes->setReadOnly(true);
        setText(w.box, QStringLiteral("Ghost"));
        insertText(w.box, QStringLiteral("Ghost"));
        at(w.box)->editableTextInterface()->deleteText(0, 2);
        at(w.box)->editableTextInterface()->replaceText(0, 2, QStringLiteral("Gh"));
        insertText(w.notes, QStringLiteral("Ghost"));
        QCOMPARE(w.box->text(), QStringLiteral("Oaks"));
        QVERIFY(w.notes->toPlainText().isEmpty());
        at(w.box)->textInterface()->setCursorPosition(2);
        QCOMPARE(w.box->cursorPosition(), 2);
    }

    // While a modal window runs, only its controls act; the window behind it
    // keeps what it shows. A second box over the dialog leaves the dialog's
    // controls behind too. Once the dialog is gone, everything acts again.
    void behindAModalWindowNothingActs()
    {
        Window w;
        Dialog dialog;
        QCheckBox* mine = makeCheckBox(&dialog, QStringLiteral("chkMine"), QStringLiteral("Mine"), 0, 0, 1500);
        QPushButton* close = makeButton(&dialog, QStringLiteral("cmdClose"), QStringLiteral("Close"), 0, 400, 1000);
        QObject::connect(close, &QPushButton::clicked, &dialog, &QDialog::accept);
        int mineToggled = 0;
        QObject::connect(mine, &QCheckBox::toggled, [&] { ++mineToggled; });
        QStringList behind, inBox;
        const MsgBoxHandler scripted = setMsgBoxHandler({});  // a real box, with its own modal loop
        QTimer::singleShot(0, [&] {
            behind = w.actOnEverything();
            toggle(mine);
            QTimer::singleShot(0, [&] {
                auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                QVERIFY(box && box != &dialog);
                toggle(mine);
                press(close);
                inBox = w.actOnEverything();
                box->reject();
            });
            MsgBox(QStringLiteral("Over the dialog"));
            QCOMPARE(mineToggled, 1);  // only the dialog's own toggle acted
            press(close);
        });
        dialog.exec();
        setMsgBoxHandler(scripted);
        QCOMPARE(behind, QStringList());
        QCOMPARE(inBox, QStringList());
        QCOMPARE(w.box->text(), QString());
        QVERIFY(!w.check->isChecked());
        QVERIFY(w.list->selectedItems().isEmpty());
        QCOMPARE(w.bar->value(), 0);
        QCOMPARE(w.actOnEverything(), everythingActs);
    }

    // A modal run that Qt does not see (a desktop's own file chooser, a
    // drag) lets nothing act, the frame's menus and toolbar included: a
    // toggle keeps the state it shows.
    void aModalRunQtDoesNotSeeLetsNothingAct()
    {
        Window w;
        QMainWindow frame;
        QMenu* file = frame.menuBar()->addMenu(QStringLiteral("&File"));
        QAction* open = file->addAction(QStringLiteral("&Open"));
        QAction* bold = frame.addToolBar(QStringLiteral("Toolbar"))->addAction(QStringLiteral("Bold"));
        bold->setCheckable(true);
        int opened = 0;
        QObject::connect(open, &QAction::triggered, [&] { ++opened; });
        frame.show();
        QAccessibleInterface* openItem = menuItem(frame.menuBar(), {QStringLiteral("File"), QStringLiteral("Open")});
        QVERIFY(openItem);
        QWidget* boldButton = frame.findChild<QToolBar*>()->widgetForAction(bold);
        {
            ModalRun run;
            QVERIFY(w.actOnEverything().isEmpty());
            press(openItem);
            toggle(boldButton);
            press(boldButton);
            QTest::qWait(150);
            QCOMPARE(opened, 0);
            QVERIFY(!bold->isChecked());
        }
        press(openItem);
        toggle(boldButton);
        QTRY_COMPARE(opened, 1);
        QVERIFY(bold->isChecked());
        open->setEnabled(false);
        press(openItem);
        open->setEnabled(true);
        open->setVisible(false);
        press(openItem);
        QTest::qWait(50);
        QCOMPARE(opened, 1);
    }
    // A button pressed or toggled by a screen reader takes the focus first,
    // as a click gives it: the box the focus leaves has its say before the
    // button acts. A button that the leaving disabled or hid acts no more.
    void aPressedButtonTakesTheFocusFirst()
    {
        Window w;
        w.top.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w.top));
        std::function<void()> leaving;
        new OnFocusOut(w.box, [&] {
            w.seen << QStringLiteral("box left");
            if (leaving)
                leaving();
        });
        const auto fromTheBox = [&w](const std::function<void()>& action) {
            w.box->setFocus();
            w.seen.clear();
            action();
            QTest::qWait(150);  // a pressed button clicks a moment later
            return std::exchange(w.seen, {});
        };
        QCOMPARE(fromTheBox([&] { press(w.button); }), (QStringList{"box left", "clicked"}));
        QCOMPARE(QApplication::focusWidget(), w.button);
        QCOMPARE(fromTheBox([&] { toggle(w.check); }), (QStringList{"box left", "toggled 1"}));
        QCOMPARE(QApplication::focusWidget(), w.check);

        leaving = [&w] { w.button->setEnabled(false); };
        QCOMPARE(fromTheBox([&] { press(w.button); }), QStringList{"box left"});
        w.button->setEnabled(true);
        leaving = [&w] { w.check->hide(); };
        QCOMPARE(fromTheBox([&] { toggle(w.check); }), QStringList{"box left"});
    }

    // A row a screen reader chooses becomes the current row, as a click
    // makes it, and the list tells of the click: a single-choice list
    // chooses it alone (again chosen, it stays), a list of several choices
    // switches it, and a table that selects nothing moves to the cell and
    // runs its click. Choosing a row by the list's selection is the same.
    void aChosenRowIsTheCurrentRow()
    {
        Window w;
        w.list->addItem(QStringLiteral("Game 3"));
        w.list->setCurrentRow(2);
        QStringList clicked;
        QObject::connect(w.list, &QListWidget::itemClicked, [&](QListWidgetItem* i) { clicked << i->text(); });
        choose(w.list, 0);
        QCOMPARE(w.list->currentRow(), 0);
        QCOMPARE(test::selectedTexts(w.list), QStringList{"Game 1"});
        QCOMPARE(w.top.focusWidget(), w.list);
        choose(w.list, 0);
        QCOMPARE(test::selectedTexts(w.list), QStringList{"Game 1"});
        QVERIFY(selectRow(w.list, 1));
        QCOMPARE(w.list->currentRow(), 1);
        QCOMPARE(test::selectedTexts(w.list), QStringList{"Game 2"});
        QCOMPARE(clicked, (QStringList{"Game 1", "Game 1", "Game 2"}));

        w.list->setSelectionMode(QAbstractItemView::MultiSelection);
        choose(w.list, 2);
        QCOMPARE(test::selectedTexts(w.list), (QStringList{"Game 2", "Game 3"}));
        choose(w.list, 1);
        QCOMPARE(test::selectedTexts(w.list), QStringList{"Game 3"});
        QCOMPARE(w.list->currentRow(), 1);
        QVERIFY(selectRow(w.list, 0));
        QCOMPARE(test::selectedTexts(w.list), (QStringList{"Game 1", "Game 3"}));

        auto* table = new QTableWidget(3, 3, w.panel);
        table->setSelectionMode(QAbstractItemView::NoSelection);
        table->setGeometry(0, 0, 250, 120);
        table->show();
        QList<QPoint> cells;
        QObject::connect(table, &QTableWidget::cellClicked, [&](int row, int column) { cells << QPoint(column, row); });
        choose(table, 2, 1);
        QCOMPARE(QPoint(table->currentColumn(), table->currentRow()), QPoint(1, 2));
        QVERIFY(selectRow(table, 1));
        QCOMPARE(cells, (QList<QPoint>{{1, 2}, {1, 1}}));
        QCOMPARE(table->currentRow(), 1);
        QVERIFY(table->selectedItems().isEmpty());
        QVERIFY(!at(table)->tableInterface()->cellAt(1, 1)->tableCellInterface()->isSelected());
    }

    // A report grid's row chosen by a screen reader, by the grid's row
    // selection or by a cell's Toggle, reads as chosen whole: every cell of
    // it, a hidden column's too, and no other, in both views (the frozen name
    // column is a second view over the same rows), wherever it was made.
    void aReportGridsChosenRowReadsChosenWhole()
    {
        env->openNewDatabase();
        {
            seed::RowWriter rows(Db(), QStringLiteral("RptPlayer"), {"SortKey", "PlayerName", "GP", "G", "Pts"});
            for (int i = 1; i <= 4; ++i)
                rows.add({i, QStringLiteral("Player %1").arg(i), 10 + i, i, 20 + 2 * i});
        }
        ReportGrid grid;
        grid.resize(500, 250);
        grid.model()->setSource(&Db(), QStringLiteral("RptPlayer"));
        grid.setColumns({{QStringLiteral("PlayerName"), QStringLiteral("Player"), 1700},
                         {QStringLiteral("GP"), QStringLiteral("GP"), 400},
                         {QStringLiteral("G"), QStringLiteral("G"), 400, Qt::AlignRight, false},
                         {QStringLiteral("Pts"), QStringLiteral("Pts"), 500}});
        grid.requery();
        grid.setFrozen(true);
        grid.show();
        QTableView* const views[] = {grid.view(), grid.frozenView()};
        struct Choice {
            QTableView* in;
            int row, column;
            bool byToggle;  // else by the row selection
        };
        for (const Choice& c : {Choice{grid.view(), 2, 0, false}, Choice{grid.frozenView(), 1, 0, true},
                                Choice{grid.view(), 3, 2, true}, Choice{grid.frozenView(), 0, 0, false}}) {
            if (c.byToggle)
                choose(c.in, c.row, c.column);
            else
                QVERIFY(selectRow(c.in, c.row));
            QCOMPARE(grid.view()->currentIndex().row(), c.row);
            for (QTableView* v : views) {
                QAccessibleTableInterface* table = at(v)->tableInterface();
                QCOMPARE(table->selectedRows(), QList<int>{c.row});
                QCOMPARE(table->selectedRowCount(), 1);
                for (int row = 0; row < table->rowCount(); ++row) {
                    QCOMPARE(table->isRowSelected(row), row == c.row);
                    for (int column = 0; column < table->columnCount(); ++column) {
                        QAccessibleInterface* cell = table->cellAt(row, column);
                        QCOMPARE(bool(cell->state().selected), row == c.row);
                        QCOMPARE(cell->tableCellInterface()->isSelected(), row == c.row);
                    }
                }
            }
        }
    }

    // A toolbar's checkable button toggled by a screen reader runs its action
    // as a click does; what the button shows is the action's state.
    void aToggledToolButtonRunsItsAction()
    {
        QMainWindow frame;
        QAction* bold = frame.addToolBar(QStringLiteral("Toolbar"))->addAction(QStringLiteral("Bold"));
        bold->setCheckable(true);
        QList<bool> triggered;
        QObject::connect(bold, &QAction::triggered, [&](bool on) { triggered << on; });
        frame.show();
        auto* button = qobject_cast<QAbstractButton*>(frame.findChild<QToolBar*>()->widgetForAction(bold));
        toggle(button);
        QCOMPARE(triggered, QList<bool>{true});
        QVERIFY(bold->isChecked() && button->isChecked());
        toggle(button);
        QCOMPARE(triggered, (QList<bool>{true, false}));
        QVERIFY(!bold->isChecked() && !button->isChecked());
    }

    // In a modal dialog, a drop-down's open list (a window of its own) takes
    // a screen reader's choice as the drop-down's: by an entry's Toggle or by
    // the list's selection the box shows the entry and tells of it, and the
    // list closes. A closed list's entries choose nothing.
    void aDropDownsOpenListChoosesInAModalDialog()
    {
        Dialog dialog;
        QComboBox* box = makeComboBox(&dialog, QStringLiteral("cmbPeriods"), 0, 0, 1500);
        box->addItems({QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")});
        box->setCurrentIndex(1);
        QStringList seen;
        QObject::connect(box, &QComboBox::activated, [&](int i) { seen << QStringLiteral("activated %1").arg(i); });
        QTimer::singleShot(0, [&] {
            QVERIFY(QApplication::activeModalWidget() == &dialog);
            showList(box);
            QTRY_VERIFY(box->view()->isVisible());
            choose(box->view(), 2);
            seen << box->currentText();
            QTRY_VERIFY(!box->view()->isVisible());
            showList(box);
            QTRY_VERIFY(box->view()->isVisible());
            QVERIFY(selectRow(box->view(), 0));
            seen << box->currentText();
            QTRY_VERIFY(!box->view()->isVisible());
            choose(box->view(), 1);
            seen << box->currentText();
            dialog.accept();
        });
        QTimer::singleShot(30000, &dialog, &QDialog::reject);  // a failed step leaves it open
        dialog.exec();
        QCOMPARE(seen, (QStringList{"activated 2", "4", "activated 0", "2", "2"}));
    }

    // A closed menu is reached through its title: with the title hidden or
    // switched off, no item of the menu or of its submenus takes a press,
    // though each item is shown and switched on itself.
    void aMenuBehindAHiddenTitleTakesNoPress()
    {
        QMainWindow frame;
        QMenu* file = frame.menuBar()->addMenu(QStringLiteral("&File"));
        QAction* open = file->addAction(QStringLiteral("&Open"));
        QAction* last = file->addMenu(QStringLiteral("&Recent"))->addAction(QStringLiteral("&Last"));
        QStringList triggered;
        QObject::connect(open, &QAction::triggered, [&] { triggered << QStringLiteral("Open"); });
        QObject::connect(last, &QAction::triggered, [&] { triggered << QStringLiteral("Last"); });
        frame.show();
        QAccessibleInterface* openItem = menuItem(frame.menuBar(), {QStringLiteral("File"), QStringLiteral("Open")});
        QAccessibleInterface* lastItem =
            menuItem(frame.menuBar(), {QStringLiteral("File"), QStringLiteral("Recent"), QStringLiteral("Last")});
        QVERIFY(openItem && lastItem);

        file->menuAction()->setVisible(false);
        press(openItem);
        press(lastItem);
        file->menuAction()->setVisible(true);
        file->menuAction()->setEnabled(false);
        press(openItem);
        press(lastItem);
        QCOMPARE(triggered, QStringList());
        file->menuAction()->setEnabled(true);
        press(openItem);
        press(lastItem);
        QCOMPARE(triggered, (QStringList{"Open", "Last"}));
    }
};

VH_TEST_MAIN(TstAccessGate)
#include "tst_accessgate.moc"
