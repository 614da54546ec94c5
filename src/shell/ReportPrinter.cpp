#include "shell/ReportPrinter.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <algorithm>
#include <cmath>

namespace vh {

namespace {

ReportPrinter::PreviewHook& previewHook()
{
    static ReportPrinter::PreviewHook hook;
    return hook;
}

int widthOf(const ReportColumn& c) { return c.width < 0 ? kNewColumnWidth : c.width; }

// The font sizes of a report whose columns are wider than the page shrink so
// that every column still fits across it.
constexpr double kSmallestPrintSize = 4.0;

QFont scaled(QFont f, double factor)
{
    if (factor >= 1.0)
        return f;
    f.setPointSizeF(std::max(kSmallestPrintSize, f.pointSizeF() * factor));
    return f;
}

void drawGridLines(QPainter& painter, QTextDocument& doc, double lineWidth);

QFont captionFont(const ReportLook& look)
{
    QFont f = look.cellFont();
    f.setBold(true);
    f.setItalic(false);
    f.setUnderline(false);
    f.setPointSizeF(std::max(10.0, f.pointSizeF() + 2));
    return f;
}

}  // namespace

ReportPrinter::ReportPrinter(const ReportTableModel& model, const ReportLook& look, const QString& caption)
    : model_(model), look_(look), caption_(caption)
{
}

ReportPrinter::PreviewHook ReportPrinter::setPreviewHook(PreviewHook hook)
{
    PreviewHook old = std::move(previewHook());
    previewHook() = std::move(hook);
    return old;
}

std::vector<int> ReportPrinter::printedColumns() const
{
    std::vector<int> cols;
    const auto& all = model_.columns();
    for (int i = 0; i < int(all.size()); ++i) {
        if (all[size_t(i)].visible)
            cols.push_back(i);
    }
    return cols;
}

std::unique_ptr<QTextDocument> ReportPrinter::document() const { return buildDocument(1.0, 0, model_.rowCount()); }

std::unique_ptr<QTextDocument> ReportPrinter::buildDocument(double factor, int firstRow, int rows) const
{
    auto doc = std::make_unique<QTextDocument>();
    doc->setDocumentMargin(0);
    const QFont cellFont = scaled(look_.cellFont(), factor);
    doc->setDefaultFont(cellFont);
    const std::vector<int> cols = printedColumns();
    if (cols.empty())
        return doc;
    const auto& all = model_.columns();
    double total = 0;
    for (int c : cols)
        total += widthOf(all[size_t(c)]);

    QTextTableFormat table;
    table.setHeaderRowCount(1);
    table.setCellSpacing(0);
    // Columns as wide as on screen (in the fitted size). The grid lines are
    // drawn over the laid-out table: the document's own collapsed borders
    // make a long report several times slower to lay out and print.
    constexpr double unitsPerTwip = 96.0 / 1440;  // document lengths are pixels at 96 to the inch
    const double unit = unitsPerTwip * std::min(factor, 1.0);
    table.setCellPadding(30 * unit);
    table.setBorder(0);
    table.setAlignment(Qt::AlignHCenter);  // under the caption
    table.setWidth(QTextLength(QTextLength::FixedLength, total * unit));
    QList<QTextLength> widths;
    for (int c : cols)
        widths << QTextLength(QTextLength::FixedLength, widthOf(all[size_t(c)]) * unit);
    table.setColumnWidthConstraints(widths);

    QTextCursor cursor(doc.get());
    QTextTable* t = cursor.insertTable(rows + 1, int(cols.size()), table);

    QTextCharFormat heading;
    heading.setFont(scaled(look_.headingFont(), factor));
    QTextCharFormat cell;
    cell.setFont(cellFont);
    const auto put = [&](int row, int col, const QString& text, const QTextCharFormat& format) {
        QTextCursor at = t->cellAt(row, col).firstCursorPosition();
        QTextBlockFormat block;
        const Qt::Alignment a = all[size_t(cols[size_t(col)])].alignment;
        block.setAlignment((a & Qt::AlignHorizontal_Mask) ? (a & Qt::AlignHorizontal_Mask) : Qt::AlignLeft);
        at.setBlockFormat(block);
        at.insertText(text, format);
    };
    for (int j = 0; j < int(cols.size()); ++j)
        put(0, j, all[size_t(cols[size_t(j)])].caption, heading);
    for (int r = 0; r < rows; ++r) {
        for (int j = 0; j < int(cols.size()); ++j)
            put(r + 1, j, model_.text(firstRow + r, cols[size_t(j)]), cell);
    }
    return doc;
}

void ReportPrinter::print(QPrinter& printer) const
{
    pages_ = 0;
    QPainter painter;
    if (!painter.begin(&printer))
        return;
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());

    // Columns wider than the page: every font shrinks by the same factor.
    double width = 0;
    for (int c : printedColumns())
        width += widthOf(model_.columns()[size_t(c)]);
    const double pageTwips = printer.pageLayout().paintRect(QPageLayout::Point).width() * 20;
    const double factor = width > pageTwips ? pageTwips / width : 1.0;
    const QFont capFont = scaled(captionFont(look_), factor);
    const QFontMetricsF capMetrics(capFont, &printer);
    const double captionHeight = capMetrics.height() * 1.8;
    const double bodyHeight = page.height() - captionHeight;

    // One document per page: a long table laid out and painted page by page
    // as a whole takes seconds. The headings open every page's table.
    const auto pageDocument = [&](int first, int rows) {
        std::unique_ptr<QTextDocument> doc = buildDocument(factor, first, rows);
        doc->documentLayout()->setPaintDevice(&printer);
        doc->setTextWidth(page.width());
        return doc;
    };
    const int total = model_.rowCount();
    const double withOne = pageDocument(0, std::min(total, 1))->size().height();
    const double withTwo = pageDocument(0, std::min(total, 2))->size().height();
    const double rowHeight = std::max(1.0, withTwo - withOne);
    const int perPage = std::max(1, int((bodyHeight - (withOne - rowHeight)) / rowHeight));

    int count = 0;
    for (int first = 0; first < total || count == 0;) {
        int rows = std::min(perPage, total - first);
        std::unique_ptr<QTextDocument> doc = pageDocument(first, rows);
        // A row that wraps takes more room: the page takes fewer rows.
        while (rows > 1 && doc->size().height() > bodyHeight) {
            --rows;
            doc = pageDocument(first, rows);
        }
        if (count > 0)
            printer.newPage();
        painter.save();
        painter.setFont(capFont);
        painter.drawText(QRectF(0, 0, page.width(), captionHeight), Qt::AlignHCenter | Qt::AlignTop, caption_);
        painter.translate(0, captionHeight);
        const QRectF clip(0, 0, page.width(), bodyHeight);
        painter.setClipRect(clip);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = clip;
        doc->documentLayout()->draw(&painter, context);
        if (look_.gridLines)
            drawGridLines(painter, *doc, printer.resolution() / 96.0);
        painter.restore();
        ++count;
        first += rows;
    }
    painter.end();
    pages_ = count;
}

namespace {

// Light grey lines around every cell of the document's table, halfway
// between the cells' text blocks.
void drawGridLines(QPainter& painter, QTextDocument& doc, double lineWidth)
{
    const QList<QTextFrame*> frames = doc.rootFrame()->childFrames();
    auto* table = frames.isEmpty() ? nullptr : qobject_cast<QTextTable*>(frames.first());
    if (!table || table->rows() == 0 || table->columns() == 0)
        return;
    QAbstractTextDocumentLayout* layout = doc.documentLayout();
    const auto cellRect = [&](int row, int col) {
        return layout->blockBoundingRect(table->cellAt(row, col).firstCursorPosition().block());
    };
    const int rows = table->rows();
    const int cols = table->columns();
    // Half the room between two cells' text: the padding the line stands in.
    const double padX = cols > 1 ? (cellRect(0, 1).left() - cellRect(0, 0).right()) / 2 : 0;
    const double padY = rows > 1 ? (cellRect(1, 0).top() - cellRect(0, 0).bottom()) / 2 : padX;
    std::vector<double> xs{cellRect(0, 0).left() - padX};
    for (int c = 1; c < cols; ++c)
        xs.push_back((cellRect(0, c - 1).right() + cellRect(0, c).left()) / 2);
    xs.push_back(cellRect(0, cols - 1).right() + padX);
    std::vector<double> ys{cellRect(0, 0).top() - padY};
    for (int r = 1; r < rows; ++r)
        ys.push_back((cellRect(r - 1, 0).bottom() + cellRect(r, 0).top()) / 2);
    ys.push_back(cellRect(rows - 1, 0).bottom() + padY);
    painter.save();
    painter.setPen(QPen(QColor(0xc0, 0xc0, 0xc0), lineWidth));
    for (double x : xs)
        painter.drawLine(QPointF(x, ys.front()), QPointF(x, ys.back()));
    for (double y : ys)
        painter.drawLine(QPointF(xs.front(), y), QPointF(xs.back(), y));
    painter.restore();
}

// Landscape when the columns do not fit across a portrait page.
void chooseOrientation(QPrinter& printer, const ReportTableModel& model)
{
    double total = 0;
    for (const ReportColumn& c : model.columns()) {
        if (c.visible)
            total += widthOf(c);
    }
    QPageLayout layout = printer.pageLayout();
    layout.setOrientation(QPageLayout::Portrait);
    if (total / 20.0 > layout.paintRect(QPageLayout::Point).width())
        layout.setOrientation(QPageLayout::Landscape);
    printer.setPageLayout(layout);
}

}  // namespace

bool ReportPrinter::writePdf(const QString& path) const
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setDocName(caption_);
    chooseOrientation(printer, model_);
    print(printer);
    return pages_ > 0 && QFile::exists(path);
}

void ReportPrinter::preview(QWidget* parent) const
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(caption_);
    chooseOrientation(printer, model_);
    if (previewHook()) {
        previewHook()(printer, *this);
        return;
    }
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Print Preview"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [this](QPrinter* p) { print(*p); });
    dialog.exec();
}

}  // namespace vh
