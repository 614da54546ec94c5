// The shared report grid, its look and the printer, over a real work table.

#include "shell/Globals.h"
#include "shell/ReportGrid.h"
#include "shell/ReportPrinter.h"
#include "support/ReportTestData.h"
#include "support/TestEnv.h"
#include "support/TestMain.h"

#include <QHeaderView>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTimer>
#include <QTemporaryDir>

using namespace vh;
using vh::test::TestEnv;

namespace {

std::vector<ReportColumn> playerColumns()
{
    return {{QStringLiteral("PlayerName"), QStringLiteral("Player"), 1700, Qt::AlignLeft},
            {QStringLiteral("GP"), QStringLiteral("GP"), 400, Qt::AlignRight},
            {QStringLiteral("G"), QStringLiteral("G"), 400, Qt::AlignRight},
            {QString(), QString(), -1, Qt::AlignLeft},  // a category without a field
            {QStringLiteral("Pts"), QStringLiteral("Pts"), 500, Qt::AlignRight}};
}

// Persons "Player 001" .. and the TOTALS row last, written out of order so
// that only SortKey puts them right.
void seedPlayers(int persons)
{
    Transaction t(Db());
    for (int i = persons; i >= 1; --i) {
        test::addWorkRow(Db(), QStringLiteral("RptPlayer"), i,
                         {{QStringLiteral("PlayerName"), QStringLiteral("Player %1").arg(i, 3, 10, QLatin1Char('0'))},
                          {QStringLiteral("GP"), QString::number(i % 80)},
                          {QStringLiteral("G"), QString::number(i % 7)},
                          {QStringLiteral("Pts"), QString::number(i % 11)}});
    }
    test::addWorkRow(Db(), QStringLiteral("RptPlayer"), persons + 1,
                     {{QStringLiteral("PlayerName"), QStringLiteral("TOTALS   ")}, {QStringLiteral("GP"), QStringLiteral("80")}});
    t.commit();
}

}  // namespace

class TstReportGrid : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;

private slots:
    void init() { env = TestEnv::withNewDatabase(); }
    void cleanup() { env.reset(); }

    void showsTheWorkTableInSortKeyOrderThroughItsColumns()
    {
        seedPlayers(3);
        ReportGrid grid;
        grid.model()->setSource(&Db(), QStringLiteral("RptPlayer"));
        grid.setColumns(playerColumns());
        grid.requery();
        const ReportTableModel* m = grid.model();
        QCOMPARE(m->rowCount(), 4);
        QCOMPARE(m->text(0, 0), QStringLiteral("Player 001"));
        QCOMPARE(m->text(3, 0), QStringLiteral("TOTALS   "));
        // Shown without its padding, so that an underline ends with the text.
        QCOMPARE(m->data(m->index(3, 0), Qt::DisplayRole).toString(), QStringLiteral("TOTALS"));
        QCOMPARE(m->text(1, 1), QStringLiteral("2"));
        QCOMPARE(m->text(1, 3), QString());  // the column without a field stays empty
        QCOMPARE(m->headerData(4, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Pts"));
        QCOMPARE(Qt::Alignment(m->data(m->index(0, 1), Qt::TextAlignmentRole).toInt()) & Qt::AlignHorizontal_Mask,
                 Qt::AlignRight);

        // New columns keep the rows; clearing shows none; a requery reads the
        // table as it is now.
        grid.setColumns({{QStringLiteral("Pts"), QStringLiteral("Pts"), 500}});
        QCOMPARE(m->rowCount(), 4);
        QCOMPARE(m->text(2, 0), QStringLiteral("3"));
        grid.clearRows();
        QCOMPARE(m->rowCount(), 0);
        Db().execute(QStringLiteral("delete from RptPlayer where SortKey = 2"));
        grid.requery();
        QCOMPARE(m->rowCount(), 3);
    }

    void frozenNameColumnAndWidths()
    {
        seedPlayers(2);
        ReportGrid grid;
        grid.resize(600, 300);
        grid.model()->setSource(&Db(), QStringLiteral("RptPlayer"));
        grid.setColumns(playerColumns());
        grid.requery();
        grid.setFrozen(true);
        grid.show();
        QTableView* frozen = grid.frozenView();
        QVERIFY(frozen->isVisible());
        QVERIFY(!frozen->isColumnHidden(0));
        for (int c = 1; c < grid.columnCount(); ++c)
            QVERIFY(frozen->isColumnHidden(c));
        QVERIFY(!grid.view()->isColumnHidden(2));
        QCOMPARE(frozen->columnWidth(0), grid.view()->columnWidth(0));
        QCOMPARE(grid.view()->columnWidth(0), 1700 / 15);
        QCOMPARE(grid.columnWidth(3), kNewColumnWidth);

        // Narrowing stops at a readable width; widening from there works.
        const int minimum = readableMinimumWidth(grid.look());
        QVERIFY(minimum > 0 && minimum < 400);
        grid.setColumnWidth(0, 1700 - 150);
        QCOMPARE(grid.columnWidth(0), 1550);
        QCOMPARE(frozen->columnWidth(0), (1550 + 7) / 15);
        grid.setColumnWidth(1, -500);
        QCOMPARE(grid.columnWidth(1), minimum);
        grid.setColumns({{QStringLiteral("GP"), QStringLiteral("GP"), 10}});
        QCOMPARE(grid.columnWidth(0), minimum);

        // A larger font raises the minimum, and the narrow columns with it.
        ReportLook big = grid.look();
        big.fontSize = 24;
        grid.applyLook(big);
        QVERIFY(readableMinimumWidth(big) > minimum);
        QCOMPARE(grid.columnWidth(0), readableMinimumWidth(big));
        grid.setFrozen(false);
        QVERIFY(!frozen->isVisible());
    }

    void lookReachesCellsAndHeadings()
    {
        ReportGrid grid;
        ReportLook look;
        look.fontName = QStringLiteral("Liberation Serif");
        look.fontSize = 12;
        look.bold = true;
        look.italic = true;
        look.headingItalic = true;
        look.gridLines = false;
        grid.applyLook(look);
        for (QTableView* v : {static_cast<QTableView*>(grid.view()), grid.frozenView()}) {
            QCOMPARE(v->font().family(), QStringLiteral("Liberation Serif"));
            QCOMPARE(v->font().pointSize(), 12);
            QVERIFY(v->font().bold());
            QVERIFY(!v->horizontalHeader()->font().bold());
            QVERIFY(v->horizontalHeader()->font().italic());
            QVERIFY(!v->showGrid());
        }
        grid.alignColumns(1, Qt::AlignHCenter);  // no columns yet: nothing to do
        grid.setColumns(playerColumns());
        grid.alignColumns(1, Qt::AlignHCenter);
        QCOMPARE(grid.columns()[0].alignment, Qt::Alignment(Qt::AlignLeft));
        QCOMPARE(grid.columns()[4].alignment, Qt::Alignment(Qt::AlignHCenter));
    }

    // Each grid line under its row's tallest cell, whichever column wraps;
    // columns without headings print no heading row.
    void printedRowsKeepTheirWrappedCellsWhole_data()
    {
        QTest::addColumn<bool>("headings");
        QTest::newRow("headings") << true;
        QTest::newRow("none") << false;
    }
    void printedRowsKeepTheirWrappedCellsWhole()
    {
        QFETCH(bool, headings);
        const QString opponent = QStringLiteral("Pine Ridge Bears of the Northern Valley League");
        for (int i = 1; i <= 4; ++i)
            test::addWorkRow(Db(), QStringLiteral("RptPlayer"), i,
                             {{QStringLiteral("PlayerName"), QStringLiteral("Player %1").arg(i)},
                              {QStringLiteral("Opponent"), i % 2 ? opponent : QStringLiteral("Owls")},
                              {QStringLiteral("G"), QString::number(i)}});
        ReportTableModel model;
        model.setSource(&Db(), QStringLiteral("RptPlayer"));
        model.setColumns({{QStringLiteral("PlayerName"), headings ? QStringLiteral("Player") : QString(), 1700},
                          {QStringLiteral("Opponent"), QString(), 1500},
                          {QStringLiteral("G"), QString(), 400, Qt::AlignRight}});
        model.requery();
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("wrapped.pdf"));
        QVERIFY(ReportPrinter(model, ReportLook(), QStringLiteral("Game Log"), QStringLiteral("Log Report")).writePdf(pdf));
        const test::PrintedPage page = test::printedPage(pdf);
        QCOMPARE(page.title, QStringLiteral("Log Report"));
        QCOMPARE(page.rules.size(), 4 + 1 + (headings ? 1 : 0));
        QCOMPARE(page.rulesThroughWords(), 0);
        QVERIFY(test::pdfPages(pdf).value(0).contains(QStringLiteral("Valley")));
    }

    void pdfCarriesCaptionAndHeadingsOnEveryPageAndEveryRowOnce()
    {
        const int persons = 750;
        seedPlayers(persons);
        ReportTableModel model;
        model.setSource(&Db(), QStringLiteral("RptPlayer"));
        auto columns = playerColumns();
        columns[2].visible = false;  // not printed
        model.setColumns(columns);
        model.requery();
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
        const QString caption = QStringLiteral("Player Statistics - Ravens");
        ReportPrinter printer(model, ReportLook(), caption);
        QVERIFY(printer.writePdf(pdf));
        QVERIFY(printer.lastPageCount() > 5);
        if (!qEnvironmentVariableIsEmpty("VH_GRAB_DIR"))
            QFile::copy(pdf, qEnvironmentVariable("VH_GRAB_DIR") + QStringLiteral("/report750.pdf"));

        const QStringList pages = test::pdfPages(pdf);
        QCOMPARE(pages.size(), printer.lastPageCount());
        QMap<QString, int> seen;
        for (const QString& page : pages) {
            const QStringList lines = page.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            QVERIFY(lines.size() > 3);
            QCOMPARE(lines[0].trimmed(), caption);
            QCOMPARE(lines[1].simplified(), QStringLiteral("Player GP Pts"));
            for (const QString& line : lines.mid(1)) {
                const QString name = line.simplified().section(QLatin1Char(' '), 0, 1);
                if (name.startsWith(QStringLiteral("Player ")) && name != QStringLiteral("Player GP"))
                    ++seen[name];
            }
        }
        QCOMPARE(seen.size(), persons);
        for (auto it = seen.cbegin(); it != seen.cend(); ++it)
            QCOMPARE(it.value(), 1);
        QVERIFY(pages.last().contains(QStringLiteral("TOTALS")));
    }

    void previewShowsThePagesUnderItsTitle()
    {
        seedPlayers(150);
        ReportTableModel model;
        model.setSource(&Db(), QStringLiteral("RptPlayer"));
        model.setColumns(playerColumns());
        model.requery();
        QString title;
        int pages = 0;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            title = dialog->windowTitle();
            if (auto* view = dialog->findChild<QPrintPreviewWidget*>())
                pages = view->pageCount();
            dialog->close();
        });
        ReportPrinter(model, ReportLook(), QStringLiteral("Player Statistics")).preview(nullptr);
        QCOMPARE(title, QStringLiteral("Print Preview"));
        QCOMPARE(pages, 3);
    }

    void wideReportsPrintLandscapeAndShrinkToFit()
    {
        seedPlayers(2);
        ReportTableModel model;
        model.setSource(&Db(), QStringLiteral("RptPlayer"));
        std::vector<ReportColumn> wide = playerColumns();
        for (int i = 0; i < 40; ++i)
            wide.push_back({QStringLiteral("GP"), QStringLiteral("C%1").arg(i), 700, Qt::AlignRight});
        model.setColumns(wide);
        model.requery();
        QPrinter* seenPrinter = nullptr;
        QPageLayout::Orientation orientation = QPageLayout::Portrait;
        const auto old = ReportPrinter::setPreviewHook([&](QPrinter& p, const ReportPrinter&) {
            seenPrinter = &p;
            orientation = p.pageLayout().orientation();
        });
        ReportPrinter(model, ReportLook(), QStringLiteral("Wide")).preview(nullptr);
        ReportPrinter::setPreviewHook(old);
        QVERIFY(seenPrinter);
        QCOMPARE(orientation, QPageLayout::Landscape);

        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("wide.pdf"));
        QVERIFY(ReportPrinter(model, ReportLook(), QStringLiteral("Wide")).writePdf(pdf));
        const QStringList pages = test::pdfPages(pdf);
        QCOMPARE(pages.size(), 1);
        QVERIFY(pages[0].contains(QStringLiteral("C39")));  // the last column is on the page
    }
};

VH_TEST_MAIN(TstReportGrid)
#include "tst_reportgrid.moc"
