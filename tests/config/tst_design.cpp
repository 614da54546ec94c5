// The input-screen designer: its cells over the stored layouts, drops, Clear,
// Default, the two checks of OK and exactly the InputOrder rows OK writes,
// which the entry screen then follows.

#include "config/ConfigTestData.h"
#include "config/InputLayout.h"
#include "config/frmDesign.h"
#include "games/PlayerEntryRules.h"
#include "shell/Procedures.h"
#include "support/TestMain.h"
#include "teams/frmSelectTeam.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

using namespace vh;
using namespace vh::test;

namespace {

using Rows = QList<QPair<int, int>>;

}  // namespace

class TstDesign : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;

    static frmDesign* open() { return openFromSelection<frmDesign>(); }

private slots:
    void init() { env = startProgram(); }
    void cleanup()
    {
        Unload<frmDesign>();
        Unload<frmSelectTeam>();
        flushDeletes();
        env.reset();
        resetGlobals();
    }

    // ------------------------------------------------------------ the cells

    void cellsOfAStoredLayoutListTheRestInStandardOrder()
    {
        CellRow order{};
        order[0] = 5;   // "G"
        order[31] = 46; // first user category
        const LayoutCells cells = BuildLayoutCells(CatKind::Player, order);
        QCOMPARE(cells.input, order);
        QCOMPARE(cells.avail[0], int16_t(2));
        QCOMPARE(cells.avail[3], int16_t(4));   // SOG follows Sec, G is taken
        QCOMPARE(cells.avail[4], int16_t(6));
        QCOMPARE(cells.avail[21], int16_t(50)); // 24 eligible, two on the screen
        QCOMPARE(cells.avail[22], int16_t(0));
        QVERIFY(!cells.changed);
    }

    void dropsMoveIntoEmptyCellsOnly()
    {
        LayoutCells cells = BuildLayoutCells(CatKind::Player, defaultInputLayout(CatKind::Player));
        // Onto a filled cell, even itself: refused, not marked changed.
        QCOMPARE(DropCell(cells, CellArea::Input, 0, CellArea::Input, 1), DropOutcome::TargetNotEmpty);
        QCOMPARE(DropCell(cells, CellArea::Input, 0, CellArea::Input, 0), DropOutcome::TargetNotEmpty);
        QVERIFY(!cells.changed);
        // Off the screen, then to another input cell.
        QCOMPARE(DropCell(cells, CellArea::Avail, 5, CellArea::Input, 4), DropOutcome::Done);
        QCOMPARE(cells.avail[5], int16_t(5));
        QCOMPARE(cells.input[4], int16_t(0));
        QVERIFY(cells.changed);
        QCOMPARE(DropCell(cells, CellArea::Input, 7, CellArea::Avail, 5), DropOutcome::Done);
        QCOMPARE(cells.input[7], int16_t(5));
        QCOMPARE(cells.avail[5], int16_t(0));
        // An empty cell dropped on an empty one moves nothing but counts as a change.
        cells.changed = false;
        const CellRow before = cells.input;
        QCOMPARE(DropCell(cells, CellArea::Input, 21, CellArea::Avail, 0), DropOutcome::Done);
        QCOMPARE(cells.input, before);
        QVERIFY(cells.changed);
    }

    // ------------------------------------------------------------ the window

    // Each kind keeps its own edits; OK refuses an empty layout, the
    // players' first, and Cancel stores nothing.
    void theWindowKeepsEachKindsEditsAndRefusesAnEmptyLayout()
    {
        const Rows before = inputRows(CatKind::Player);
        frmDesign* f = open();
        QCOMPARE(f->lblInput[0]->text(), QStringLiteral("Per"));
        // Three wide letters of a user's name show whole.
        const QLabel* cell = f->lblAvail[31];
        QVERIFY(cell->contentsRect().width() >= cell->fontMetrics().horizontalAdvance(QStringLiteral("WWW")));
        grab(f, "design-player");
        // A drop on a filled cell warns and changes nothing.
        env->expectMsgBox(QStringLiteral("Cell already contains category!"), vbOK, QStringLiteral("Cell Not Empty"));
        f->lblInput_DragDrop(0, f->lblInput[1]);
        QCOMPARE(env->pendingExpectations(), 0);
        QCOMPARE(f->lblInput[1]->text(), QStringLiteral("Min"));

        f->optPG[1]->setChecked(true);
        QCOMPARE(f->lblInput[7]->text(), QStringLiteral("GAO"));
        f->lblAvail_DragDrop(0, f->lblInput[7]);  // GAO off the goalie screen
        QVERIFY(f->cells(CatKind::Goalie).changed);
        f->optPG[0]->setChecked(true);
        QVERIFY(!f->cells(CatKind::Player).changed);
        QCOMPARE(f->lblInput[7]->text(), QString());
        f->optPG[1]->setChecked(true);
        QCOMPARE(f->lblAvail[0]->text(), QStringLiteral("GAO"));
        QCOMPARE(f->lblInput[7]->text(), QString());
        grab(f, "design-goalie");

        f->cmdClear->click();
        f->optPG[0]->setChecked(true);
        f->cmdClear->click();
        f->optPG[1]->setChecked(true);
        env->expectMsgBox(QStringLiteral("Must select at least one non-goalie category!"), vbOK,
                          QStringLiteral("No Non-Goalie Categories Selected"));
        f->cmdOK->click();
        QCOMPARE(env->pendingExpectations(), 0);

        f->optPG[0]->setChecked(true);
        f->cmdDefault->click();
        env->expectMsgBox(QStringLiteral("Must select at least one goalie category!"), vbOK,
                          QStringLiteral("No Goalie Categories Selected"));
        f->cmdOK->click();
        QCOMPARE(env->pendingExpectations(), 0);
        QCOMPARE(Loaded<frmDesign>(), f);

        f->cmdCancel->click();
        flushDeletes();
        QVERIFY(!Loaded<frmDesign>());
        QCOMPARE(inputRows(CatKind::Player), before);
    }

    void okWritesExactlyTheChangedKindAndTheEntryScreenFollows()
    {
        const Rows goalieBefore = inputRows(CatKind::Goalie);
        frmDesign* f = open();
        // "G" from cell 5 to the empty cell 8, "SOG" off the screen.
        f->lblInput_DragDrop(7, f->lblInput[4]);
        f->lblAvail_DragDrop(3, f->lblInput[3]);
        f->cmdOK->click();
        flushDeletes();
        QVERIFY(!Loaded<frmDesign>());
        QVERIFY(Loaded<frmSelectTeam>()->isShown());

        CellRow expected = defaultInputLayout(CatKind::Player);
        expected[7] = 5;
        expected[4] = 0;
        expected[3] = 0;
        QCOMPARE(inputRows(CatKind::Player), rowsOf(expected));
        QCOMPARE(inputRows(CatKind::Goalie), goalieBefore);
        for (int cell = 1; cell <= 32; ++cell)  // at once, without a restart
            QCOMPARE(InputCategory(CatKind::Player, cell), expected[size_t(cell - 1)]);
    }

    void okStoresOnlyAnEditAndDefaultTheStartUpRowsOfBothKinds()
    {
        Db().execute(QStringLiteral("delete from InputOrder where CategoryType = 'H' and OrderNumber = 1"));
        frmDesign* f = open();
        f->cmdOK->click();
        QCOMPARE(inputRows(CatKind::Player).size(), 23);  // not rewritten from memory
        QCOMPARE(g.PlayerInputOrder[1], int16_t(2));

        f = open();
        f->optPG[1]->setChecked(true);
        f->cmdClear->click();
        f->cmdDefault->click();
        f->optPG[0]->setChecked(true);
        f->cmdDefault->click();  // the layout shown already: still a change to store
        f->cmdOK->click();
        for (CatKind kind : {CatKind::Player, CatKind::Goalie})
            QCOMPARE(inputRows(kind), rowsOf(defaultInputLayout(kind)));
    }

    void aFailedSaveKeepsTheRowsTheLayoutAndTheWindow()
    {
        const Rows before = inputRows(CatKind::Player);
        Db().execute(QStringLiteral("create trigger refuse before insert on InputOrder when new.OrderNumber = 20 "
                                    "begin select raise(abort, 'disk full'); end"));
        frmDesign* f = open();
        f->lblInput_DragDrop(7, f->lblInput[4]);
        env->expectMsgBox(QStringLiteral("The input screen could not be saved. Nothing has been changed."));
        f->cmdOK->click();
        QCOMPARE(env->pendingExpectations(), 0);
        QCOMPARE(Loaded<frmDesign>(), f);
        QCOMPARE(inputRows(CatKind::Player), before);
        QCOMPARE(g.PlayerInputOrder[5], int16_t(5));
        QCOMPARE(g.PlayerInputOrder[8], int16_t(0));
    }

    // User categories named like another category keep their own numbers.
    void equalNamesKeepEachCellsCategory()
    {
        nameUserCategory(CatKind::Player, 1, QStringLiteral("G"));
        nameUserCategory(CatKind::Player, 2, QStringLiteral("G"));
        frmDesign* f = open();
        QCOMPARE(f->lblInput[27]->text(), QStringLiteral("G"));
        f->lblInput_DragDrop(20, f->lblInput[28]);  // the second "G" to cell 21
        f->cmdOK->click();
        const Rows rows = inputRows(CatKind::Player);
        QVERIFY(rows.contains(QPair<int, int>(5, 5)));
        QVERIFY(rows.contains(QPair<int, int>(28, 46)));
        QVERIFY(rows.contains(QPair<int, int>(21, 47)));
        QCOMPARE(rows.size(), 24);
    }
};

VH_TEST_MAIN(TstDesign)
#include "tst_design.moc"
