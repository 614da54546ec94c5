// The shared report grid, its look and the printer, over a real work table.

#include "shell/Globals.h"
#include "shell/ReportGrid.h"
#include "shell/ReportPrinter.h"
#include "support/ReportTestData.h"
#include "support/Seed.h"
#include "support/TestEnv.h"
#include "support/TestMain.h"

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTimer>

using namespace vh;
using namespace vh::test;

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
    seed::RowWriter rows(Db(), QStringLiteral("RptPlayer"), {"SortKey", "PlayerName", "GP", "G", "Pts"});
    for (int i = persons; i >= 1; --i)
        rows.add({i, QStringLiteral("Player %1").arg(i, 3, 10, QLatin1Char('0')), i % 80, i % 7, i % 11});
    rows.add({persons + 1, QStringLiteral("TOTALS   "), 80, QVariant(), QVariant()});
    t.commit();
}

// The player work table read through `columns`.
std::unique_ptr<ReportTableModel> playerModel(std::vector<ReportColumn> columns)
{
    auto model = std::make_unique<ReportTableModel>();
    model->setSource(&Db(), QStringLiteral("RptPlayer"));
    model->setColumns(std::move(columns));
    model->requery();
    return model;
}

// The player work table in `grid`, through playerColumns().
void showPlayers(ReportGrid& grid)
{
    grid.resize(600, 300);
    grid.model()->setSource(&Db(), QStringLiteral("RptPlayer"));
    grid.setColumns(playerColumns());
    grid.requery();
}

}  // namespace

class TstReportGrid : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;

private slots:
    void init() { env = TestEnv::withNewDatabase(); }
    void cleanup() { env.reset(); }

    void showsTheWorkTableInSortKeyOrderUnderItsLook()
    {
        seedPlayers(3);
        ReportGrid grid;
        showPlayers(grid);
        const ReportTableModel* m = grid.model();
        QCOMPARE(gridRows(&grid), (QStringList{"Player 001|1|1||1", "Player 002|2|2||2", "Player 003|3|3||3",
                                               "TOTALS   |80|||"}));
        // Shown without its padding, so that an underline ends with the text.
        QCOMPARE(m->data(m->index(3, 0), Qt::DisplayRole).toString(), QStringLiteral("TOTALS"));
        QCOMPARE(Qt::Alignment(m->data(m->index(0, 1), Qt::TextAlignmentRole).toInt()) & Qt::AlignHorizontal_Mask,
                 Qt::AlignRight);

        // The frozen view shows the name column alone, as wide as below it.
        grid.setFrozen(true);
        grid.show();
        QTableView* frozen = grid.frozenView();
        QVERIFY(frozen->isVisible());
        for (int c = 0; c < grid.columnCount(); ++c)
            QCOMPARE(frozen->isColumnHidden(c), c > 0);
        grid.setColumnWidth(0, 1550);
        QCOMPARE(frozen->columnWidth(0), grid.view()->columnWidth(0));

        // The look reaches both views, cells and headings each their own.
        ReportLook look;
        look.fontName = QStringLiteral("Liberation Serif");
        look.fontSize = 24;
        look.bold = true;
        look.headingItalic = true;
        look.gridLines = false;
        grid.applyLook(look);
        for (QTableView* v : {static_cast<QTableView*>(grid.view()), frozen}) {
            QCOMPARE(v->font().family(), QStringLiteral("Liberation Serif"));
            QCOMPARE(v->font().pointSize(), 24);
            QVERIFY(v->font().bold() && !v->font().italic());
            QVERIFY(!v->horizontalHeader()->font().bold() && v->horizontalHeader()->font().italic());
            QVERIFY(!v->showGrid());
        }
        grid.setFrozen(false);
        QVERIFY(!frozen->isVisible());

        // Alignment reaches the columns from the one given.
        grid.alignColumns(1, Qt::AlignHCenter);
        QCOMPARE(grid.columns()[0].alignment, Qt::Alignment(Qt::AlignLeft));
        QCOMPARE(grid.columns()[4].alignment, Qt::Alignment(Qt::AlignHCenter));
        ReportGrid().alignColumns(1, Qt::AlignHCenter);  // no columns: nothing to do

        // New columns keep the rows; clearing shows none; a requery reads the
        // table as it is now.
        grid.setColumns({{QStringLiteral("Pts"), QStringLiteral("Pts"), 500}});
        QCOMPARE(gridRows(&grid), (QStringList{"1", "2", "3", ""}));
        grid.clearRows();
        QCOMPARE(m->rowCount(), 0);
        Db().execute(QStringLiteral("delete from RptPlayer where SortKey = 2"));
        grid.requery();
        QCOMPARE(m->rowCount(), 3);
    }

    // A column dragged narrower by hand stops where its figures and heading
    // still show whole; one dragged wider takes the width it is given.
    void aDraggedColumnKeepsItsFiguresWhole()
    {
        seedPlayers(120);
        ReportGrid grid;
        showPlayers(grid);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        QHeaderView* header = grid.view()->horizontalHeader();
        const auto drag = [&](int column, int by) {
            const int edge = header->sectionViewportPosition(column) + header->sectionSize(column) - 1;
            const int y = header->height() / 2;
            QTest::mousePress(header->viewport(), Qt::LeftButton, {}, QPoint(edge, y));
            QMouseEvent move(QEvent::MouseMove, QPointF(edge + by, y), header->viewport()->mapToGlobal(QPointF(edge + by, y)),
                             Qt::NoButton, Qt::LeftButton, {});
            QApplication::sendEvent(header->viewport(), &move);
            QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, QPoint(edge + by, y));
        };
        const int narrowest = grid.view()->narrowestColumnWidth(1);
        const int before = header->sectionSize(1);
        QVERIFY(before > narrowest);
        drag(1, -(before - narrowest) + 1);  // the last pixel above the limit
        QCOMPARE(header->sectionSize(1), narrowest + 1);
        drag(1, -40);  // well past it
        QCOMPARE(header->sectionSize(1), narrowest);
        const QFontMetrics metrics(grid.view()->font());
        QVERIFY(narrowest >= metrics.horizontalAdvance(QStringLiteral("79")) + 2);
        drag(1, 30);
        QCOMPARE(header->sectionSize(1), narrowest + 30);
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
        seed::RowWriter rows(Db(), QStringLiteral("RptPlayer"), {"SortKey", "PlayerName", "Opponent", "G"});
        for (int i = 1; i <= 4; ++i)
            rows.add({i, QStringLiteral("Player %1").arg(i), i % 2 ? opponent : QStringLiteral("Owls"), i});
        const auto model = playerModel({{QStringLiteral("PlayerName"), headings ? QStringLiteral("Player") : QString(), 1700},
                                        {QStringLiteral("Opponent"), QString(), 1500},
                                        {QStringLiteral("G"), QString(), 400, Qt::AlignRight}});
        const QString pdf = env->tempDir() + QStringLiteral("/wrapped.pdf");
        QVERIFY(ReportPrinter(*model, ReportLook(), QStringLiteral("Game Log"), QStringLiteral("Log Report")).writePdf(pdf));
        const PrintedPage page = printedPage(pdf);
        QCOMPARE(page.title, QStringLiteral("Log Report"));
        QCOMPARE(page.rules.size(), 4 + 1 + (headings ? 1 : 0));
        QCOMPARE(page.rulesThroughWords(), 0);
        QVERIFY(pdfPages(pdf).value(0).contains(QStringLiteral("Valley")));
    }

    // The preview under its title and the PDF show the same pages, each under
    // the caption and the shown columns' headings, and every row once.
    void pagesCarryCaptionAndHeadingsAndEveryRowOnce()
    {
        const int persons = 150;
        seedPlayers(persons);
        auto columns = playerColumns();
        columns[2].visible = false;  // not printed
        const auto model = playerModel(columns);
        const QString caption = QStringLiteral("Player Statistics - Ravens");
        const ReportPrinter printer(*model, ReportLook(), caption);
        QString previewTitle;
        int previewPages = 0;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            previewTitle = dialog->windowTitle();
            if (auto* view = dialog->findChild<QPrintPreviewWidget*>())
                previewPages = view->pageCount();
            dialog->close();
        });
        printer.preview(nullptr);
        QCOMPARE(previewTitle, QStringLiteral("Print Preview"));

        const QString pdf = env->tempDir() + QStringLiteral("/report.pdf");
        QVERIFY(printer.writePdf(pdf));
        const QStringList pages = pdfPages(pdf);
        QVERIFY(pages.size() > 2);
        QCOMPARE(previewPages, pages.size());
        QCOMPARE(printer.lastPageCount(), pages.size());
        QMap<QString, int> seen;
        for (const QString& page : pages) {
            const QStringList lines = page.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            QVERIFY(lines.size() > 3);
            QCOMPARE(lines[0].trimmed(), caption);
            QCOMPARE(lines[1].simplified(), QStringLiteral("Player GP Pts"));
            for (const QString& line : lines.mid(2))
                ++seen[line.simplified().section(QLatin1Char(' '), 0, 1)];
        }
        QCOMPARE(seen.size(), persons + 1);
        for (auto it = seen.cbegin(); it != seen.cend(); ++it)
            QVERIFY2(it.value() == 1, qPrintable(it.key()));
        QVERIFY(pages.last().contains(QStringLiteral("TOTALS")));

        // Every page prints like the first: black text, the caption and the
        // headings where and as large as there, a rule under each row.
        const PrintedPage first = printedPage(pdf, 1);
        for (int n : {1, 2, int(pages.size())}) {
            const PrintedPage page = printedPage(pdf, n);
            QVERIFY(page.words.size() > 7);
            for (int i = 0; i < page.words.size(); ++i)
                QVERIFY2(page.wordInk[i] < 64, qPrintable(QStringLiteral("page %1, word %2: grey %3")
                                                              .arg(n).arg(i).arg(page.wordInk[i])));
            for (int i = 0; i < 7; ++i) {  // "Player Statistics - Ravens", "Player GP Pts"
                QVERIFY(std::abs(page.words[i].top() - first.words[i].top()) < 0.5);
                QVERIFY(std::abs(page.words[i].height() - first.words[i].height()) < 0.5);
            }
            const int rows = int(pages[n - 1].split(QLatin1Char('\n'), Qt::SkipEmptyParts).size()) - 2;
            QCOMPARE(page.rules.size(), rows + 2);
        }
    }

    // The lines of a game, between empty rows, are never split by a page:
    // each page starts with a game's first line.
    void aGamesLinesStayOnOnePage()
    {
        seed::RowWriter rows(Db(), QStringLiteral("RptPlayer"), {"SortKey", "PlayerName", "Opponent"});
        int key = 0;
        for (int game = 1; game <= 60; ++game) {
            rows.add({++key, QStringLiteral("Game %1").arg(game), QStringLiteral("Opp %1").arg(game)});
            for (int line = 2; line <= 4; ++line)
                rows.add({++key, QString(), QStringLiteral("line %1").arg(line)});
            rows.add({++key, QString(), QString()});
        }
        const auto model = playerModel({{QStringLiteral("PlayerName"), QString(), 1700},
                                        {QStringLiteral("Opponent"), QString(), 1700}});
        const QString pdf = env->tempDir() + QStringLiteral("/games.pdf");
        QVERIFY(ReportPrinter(*model, ReportLook(), QStringLiteral("Game Scores")).writePdf(pdf));
        const QStringList pages = pdfPages(pdf);
        QVERIFY(pages.size() > 2);
        int games = 0;
        for (const QString& page : pages) {
            const QStringList lines = page.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            QVERIFY2(lines.value(1).trimmed().startsWith(QStringLiteral("Game ")), qPrintable(lines.value(1)));
            games += int(lines.mid(1).filter(QStringLiteral("Game ")).size());
            QVERIFY(lines.last().contains(QStringLiteral("line 4")));
        }
        QCOMPARE(games, 60);
    }

    // A page after the first starts with a row of text right under the
    // headings, also when the page breaks at the empty row closing a block.
    void pagesAfterTheFirstStartWithText()
    {
        const auto model = playerModel({{QStringLiteral("PlayerName"), QStringLiteral("Game"), 1700},
                                        {QStringLiteral("Opponent"), QStringLiteral("Opponent"), 1700}});
        const QString pdf = env->tempDir() + QStringLiteral("/blocks.pdf");
        const auto print = [&](int blockLines, int blocks) {
            Db().execute(QStringLiteral("delete from RptPlayer"));
            seed::RowWriter rows(Db(), QStringLiteral("RptPlayer"), {"SortKey", "PlayerName", "Opponent"});
            int key = 0;
            for (int block = 1; block <= blocks; ++block) {
                for (int line = 1; line <= blockLines; ++line)
                    rows.add({++key, QStringLiteral("Game %1").arg(block), QStringLiteral("line %1").arg(line)});
                rows.add({++key, QString(), QString()});
            }
            model->requery();
            QVERIFY(ReportPrinter(*model, ReportLook(), QStringLiteral("Games")).writePdf(pdf));
        };
        // The rows a page holds, less the caption and the headings; then
        // blocks just that long, so that every page breaks at an empty row.
        print(200, 1);
        const QList<double> first = printedPage(pdf, 1).lineTops();
        const int perPage = int(first.size()) - 2;
        QVERIFY(perPage > 10 && perPage < 200);
        print(perPage, 3);
        const int pages = int(pdfPages(pdf).size());
        for (int n = 2; n <= pages; ++n) {
            const QList<double> tops = printedPage(pdf, n).lineTops();
            QVERIFY2(tops.size() > 2 && std::abs(tops[2] - first[2]) < 0.5, qPrintable(QString::number(n)));
            QCOMPARE(tops.size(), perPage + 2);
        }
        QCOMPARE(pages, 3);
    }

    void wideReportsPrintLandscapeAndShrinkToFit()
    {
        seedPlayers(2);
        std::vector<ReportColumn> wide = playerColumns();
        for (int i = 0; i < 40; ++i)
            wide.push_back({QStringLiteral("GP"), QStringLiteral("C%1").arg(i), 700, Qt::AlignRight});
        const auto model = playerModel(wide);
        const ReportPrinter printer(*model, ReportLook(), QStringLiteral("Wide"));
        QPageLayout::Orientation orientation = QPageLayout::Portrait;
        const auto old = ReportPrinter::setPreviewHook(
            [&](QPrinter& p, const ReportPrinter&) { orientation = p.pageLayout().orientation(); });
        printer.preview(nullptr);
        ReportPrinter::setPreviewHook(old);
        QCOMPARE(orientation, QPageLayout::Landscape);

        const QString pdf = env->tempDir() + QStringLiteral("/wide.pdf");
        QVERIFY(printer.writePdf(pdf));
        const QStringList pages = pdfPages(pdf);
        QCOMPARE(pages.size(), 1);
        QVERIFY(pages[0].contains(QStringLiteral("C39")));  // the last column is on the page
    }
};

VH_TEST_MAIN(TstReportGrid)
#include "tst_reportgrid.moc"
