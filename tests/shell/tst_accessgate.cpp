// What a screen reader's actions reach: a control that is disabled, hidden or
// read-only takes nothing, and while a modal window runs only its own
// controls act; everything still reads as before.

#include "platform/ModalRun.h"
#include "platform/MsgBox.h"
#include "shell/Controls.h"
#include "shell/Form.h"
#include "support/ScreenReader.h"
#include "support/TestEnv.h"
#include "support/TestMain.h"
#include "support/Widgets.h"

#include <QAccessible>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>

using namespace vh;
using vh::test::TestEnv;

namespace {

using namespace vh::test::reader;

using vh::test::reader::press;
void press(QAccessibleInterface* i) { act(i, QAccessibleActionInterface::pressAction()); }
// A row of a list, chosen as a screen reader chooses it.
void toggleRow(QListWidget* list, int row)
{
    act(at(list)->tableInterface()->cellAt(row, 0), QAccessibleActionInterface::toggleAction());
}

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
        toggleRow(list, 1);
        at(list)->tableInterface()->selectRow(0);  // clears the selection, then selects
        QTest::qWait(150);  // a pressed button clicks a moment later
        return std::exchange(seen, {});
    }
};

const QStringList everythingActs{"toggled 1", "text Ghost",      "text GhostGhost", "notes",
                                 "selected Game 2", "selected ", "selected Game 1", "clicked"};

}  // namespace

class TstAccessGate : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;

private slots:
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
        };
        w.panel->setEnabled(false);
        nothingActs("disabled through the parent");
        w.panel->setEnabled(true);
        w.panel->hide();
        nothingActs("hidden through the parent");
        w.panel->show();
        for (QWidget* c : std::initializer_list<QWidget*>{w.box, w.notes, w.button, w.check, w.list})
            c->hide();
        nothingActs("hidden");
        for (QWidget* c : std::initializer_list<QWidget*>{w.box, w.notes, w.button, w.check, w.list})
            c->show();

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
};

VH_TEST_MAIN(TstAccessGate)
#include "tst_accessgate.moc"
