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

std::unique_ptr<QTextDocument> ReportPrinter::document() const { return buildDocument(1.0); }

std::unique_ptr<QTextDocument> ReportPrinter::buildDocument(double factor) const
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
    // Columns as wide as on screen (in the fitted size); a light grey line
    // of about a screen pixel between the cells when grid lines are on.
    constexpr double unitsPerTwip = 96.0 / 1440;  // document lengths are pixels at 96 to the inch
    const double unit = unitsPerTwip * std::min(factor, 1.0);
    table.setCellPadding(30 * unit);
    table.setBorder(look_.gridLines ? 15 * unitsPerTwip : 0);
    table.setBorderBrush(QColor(0xc0, 0xc0, 0xc0));
    table.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    table.setBorderCollapse(true);
    table.setAlignment(Qt::AlignHCenter);  // under the caption
    table.setWidth(QTextLength(QTextLength::FixedLength, total * unit));
    QList<QTextLength> widths;
    for (int c : cols)
        widths << QTextLength(QTextLength::FixedLength, widthOf(all[size_t(c)]) * unit);
    table.setColumnWidthConstraints(widths);

    QTextCursor cursor(doc.get());
    const int rows = model_.rowCount();
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
            put(r + 1, j, model_.text(r, cols[size_t(j)]), cell);
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
    double total = 0;
    for (int c : printedColumns())
        total += widthOf(model_.columns()[size_t(c)]);
    const double pageTwips = printer.pageLayout().paintRect(QPageLayout::Point).width() * 20;
    const double factor = total > pageTwips ? pageTwips / total : 1.0;
    const QFont capFont = scaled(captionFont(look_), factor);
    std::unique_ptr<QTextDocument> doc = buildDocument(factor);
    doc->documentLayout()->setPaintDevice(&printer);

    const QFontMetricsF capMetrics(capFont, &printer);
    const double captionHeight = capMetrics.height() * 1.8;
    const double bodyHeight = page.height() - captionHeight;
    doc->setPageSize(QSizeF(page.width(), bodyHeight));
    const int count = std::max(1, doc->pageCount());

    for (int p = 0; p < count; ++p) {
        if (p > 0)
            printer.newPage();
        painter.save();
        painter.setFont(capFont);
        painter.drawText(QRectF(0, 0, page.width(), captionHeight), Qt::AlignHCenter | Qt::AlignTop, caption_);
        painter.translate(0, captionHeight - p * bodyHeight);
        const QRectF clip(0, p * bodyHeight, page.width(), bodyHeight);
        painter.setClipRect(clip);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = clip;
        doc->documentLayout()->draw(&painter, context);
        painter.restore();
    }
    painter.end();
    pages_ = count;
}

namespace {

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
