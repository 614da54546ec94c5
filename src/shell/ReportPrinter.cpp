#include "shell/ReportPrinter.h"

#include "platform/ModalRun.h"

#include <QFile>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHash>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <numeric>

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

// The caption in lines as wide as the page, each centred: a caption wider
// than the page wraps between words, or within a word longer than a line,
// where centred on one line it would lose its start and its end.
std::shared_ptr<QTextLayout> layOutCaption(const QString& caption, const QFont& font, QPaintDevice* device,
                                           double width)
{
    auto layout = std::make_shared<QTextLayout>(caption, font, device);
    QTextOption option(Qt::AlignHCenter);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout->setTextOption(option);
    layout->beginLayout();
    double y = 0;
    for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout->endLayout();
    return layout;
}

// Room around the text of a cell, in twips, on every side.
constexpr double kCellPadding = 30;

// The wait cursor for as long as it lives.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

// The report laid out for one page size and resolution, in device pixels:
// the same columns on every page, each row as tall as its tallest cell.
struct ReportPrinter::Pages {
    QRectF page;  // the printable area
    int resolution = 0;
    QFont captionFont, headingFont, cellFont;
    std::shared_ptr<QTextLayout> caption;
    double captionHeight = 0;
    double padding = 0;
    std::vector<int> columns;   // the model's columns printed
    std::vector<double> xs;     // their edges, one more than columns
    double headingHeight = 0;   // 0: no heading row (no column has a heading)
    std::vector<double> rowHeights;
    std::vector<int> pageStarts;  // the first row of each page
    std::vector<int> pageEnds;    // one past the last row of each page
};

ReportPrinter::ReportPrinter(const ReportTableModel& model, const ReportLook& look, const QString& caption,
                             const QString& title)
    : model_(model), look_(look), caption_(caption), title_(title)
{
}

ReportPrinter::~ReportPrinter() = default;

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

namespace {

// Text measured in one font on the printer as drawing lays it out; each
// distinct text once.
class TextMeasure {
public:
    TextMeasure(const QFont& font, QPaintDevice* device) : metrics_(font, device) {}
    double lineHeight() const { return metrics_.height(); }
    double width(const QString& text)
    {
        auto it = widths_.find(text);
        if (it == widths_.end())
            it = widths_.insert(text, wrapped(text, 1e9).width());
        return *it;
    }
    double widestWord(const QString& text)
    {
        return vh::widestWord(text, [this](const QString& word) { return wrapped(word, 1e9).width(); });
    }
    double narrowest(const ReportTableModel& model, const QString& text)
    {
        return model.narrowestWidth(text, [this](const QString& part) { return wrapped(part, 1e9).width(); });
    }
    // The text's height in lines `room` wide.
    double height(const QString& text, double room)
    {
        if (text.isEmpty() || width(text) <= room)
            return lineHeight();
        return wrapped(text, room).height();
    }

private:
    QRectF wrapped(const QString& text, double room) const
    {
        return metrics_.boundingRect(QRectF(0, 0, room, 1e9), Qt::TextWordWrap, text);
    }
    QFontMetricsF metrics_;
    QHash<QString, double> widths_;
};

}  // namespace

const ReportPrinter::Pages& ReportPrinter::layOut(QPrinter& printer) const
{
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    if (laidOut_ && laidOut_->page == page && laidOut_->resolution == printer.resolution())
        return *laidOut_;
    auto out = std::make_unique<Pages>();
    Pages& p = *out;
    p.page = page;
    p.resolution = printer.resolution();
    p.columns = printedColumns();
    const auto& all = model_.columns();
    const bool headings =
        std::any_of(p.columns.begin(), p.columns.end(), [&](int c) { return !all[size_t(c)].caption.isEmpty(); });
    const int rows = model_.rowCount();

    // Columns as designed, and wider where a word would not fit.
    const double perTwip = p.resolution / 1440.0;
    double padding = kCellPadding * perTwip;
    std::vector<double> widths;
    TextMeasure designedCells(look_.cellFont(), &printer);
    {
        TextMeasure heading(look_.headingFont(), &printer);
        for (int c : p.columns) {
            const ReportColumn& col = all[size_t(c)];
            double room = widthOf(col) * perTwip - 2 * padding;
            if (headings)
                room = std::max(room, heading.widestWord(col.caption));
            for (int r = 0; r < rows; ++r) {
                const QString text = model_.shownText(r, c);
                if (designedCells.width(text) > room)
                    room = std::max(room, designedCells.narrowest(model_, text));
            }
            widths.push_back(room + 2 * padding);
        }
    }
    // Columns wider than the page: every font and width shrinks alike.
    const double total = std::accumulate(widths.begin(), widths.end(), 0.0);
    const double factor = total > page.width() ? page.width() / total : 1.0;
    padding *= factor;
    p.padding = padding;
    p.cellFont = scaled(look_.cellFont(), factor);
    p.headingFont = scaled(look_.headingFont(), factor);
    p.captionFont = scaled(captionFont(look_), factor);
    p.caption = layOutCaption(caption_, p.captionFont, &printer, page.width());
    // Below its last line, the room of most of a line parts it from the rows.
    const double captionLine = QFontMetricsF(p.captionFont, &printer).height();
    p.captionHeight = std::max(p.caption->boundingRect().height(), captionLine) + captionLine * 0.8;
    double x = (page.width() - std::min(total, page.width())) / 2;  // centred under the caption
    p.xs.push_back(x);
    for (double w : widths)
        p.xs.push_back(x += w * factor);

    // Each row as tall as its tallest cell; unscaled, the widths measured
    // above serve again.
    TextMeasure scaledCells(p.cellFont, &printer);
    TextMeasure& cells = factor == 1.0 ? designedCells : scaledCells;
    const auto rowHeight = [&](TextMeasure& m, const std::function<QString(int)>& text) {
        double h = m.lineHeight();
        for (size_t j = 0; j < p.columns.size(); ++j) {
            const QString t = text(p.columns[j]);
            if (!model_.isUnbroken(t))
                h = std::max(h, m.height(t, p.xs[j + 1] - p.xs[j] - 2 * padding));
        }
        return h + 2 * padding;
    };
    if (headings) {
        TextMeasure heading(p.headingFont, &printer);
        p.headingHeight = rowHeight(heading, [&](int c) { return all[size_t(c)].caption; });
    }
    p.rowHeights.reserve(size_t(rows));
    for (int r = 0; r < rows; ++r)
        p.rowHeights.push_back(rowHeight(cells, [&](int c) { return model_.shownText(r, c); }));

    // As many rows on a page as fit under the caption and the headings; a
    // page takes at least one. The rows between two empty rows (a game, a
    // person) stay on one page where they fit on one: a page does not start
    // with the second line of a game. Nor with an empty row: one that no
    // longer fits is left out, as the page's end already parts the blocks.
    const double room = page.height() - p.captionHeight - p.headingHeight;
    const auto empty = [&](int r) {
        return std::all_of(p.columns.begin(), p.columns.end(), [&](int c) { return model_.shownText(r, c).isEmpty(); });
    };
    const auto height = [&](int from, int to) {
        return std::accumulate(p.rowHeights.begin() + from, p.rowHeights.begin() + to, 0.0);
    };
    p.pageStarts.push_back(0);
    double used = 0;
    int blockStart = 0;  // the first row after the last empty one
    for (int r = 0; r < rows; ++r) {
        const bool separator = empty(r);
        if (used > 0 && used + p.rowHeights[size_t(r)] > room) {
            if (separator) {
                p.pageEnds.push_back(r);
                while (r + 1 < rows && empty(r + 1))
                    ++r;
                if (r + 1 < rows)
                    p.pageStarts.push_back(r + 1);
                used = 0;
                blockStart = r + 1;
                continue;
            }
            int start = r;
            if (blockStart > p.pageStarts.back()) {
                int blockEnd = r;
                while (blockEnd < rows && !empty(blockEnd))
                    ++blockEnd;
                if (height(blockStart, blockEnd) <= room)
                    start = blockStart;
            }
            p.pageEnds.push_back(start);
            p.pageStarts.push_back(start);
            used = height(start, r);
        }
        used += p.rowHeights[size_t(r)];
        if (separator)
            blockStart = r + 1;
    }
    if (p.pageEnds.size() < p.pageStarts.size())
        p.pageEnds.push_back(rows);
    laidOut_ = std::move(out);
    return *laidOut_;
}

void ReportPrinter::print(QPrinter& printer) const
{
    pages_ = 0;
    const WaitCursor wait;
    const Pages& p = layOut(printer);
    QPainter painter;
    if (!painter.begin(&printer))
        return;
    const auto& all = model_.columns();
    QFont plainCells = p.cellFont;  // for a column never underlined
    plainCells.setUnderline(false);
    const QPen gridPen(QColor(0xc0, 0xc0, 0xc0), p.resolution / 96.0);
    const auto drawRow = [&](double top, double height, const QFont& font, const std::function<QString(int)>& text) {
        for (size_t j = 0; j < p.columns.size(); ++j) {
            const ReportColumn& col = all[size_t(p.columns[j])];
            painter.setFont(col.underline ? font : plainCells);
            const Qt::Alignment a = col.alignment & Qt::AlignHorizontal_Mask;
            const QRectF cell(p.xs[j] + p.padding, top + p.padding, p.xs[j + 1] - p.xs[j] - 2 * p.padding,
                              height - 2 * p.padding);
            const QString t = text(p.columns[j]);
            const int wrap = model_.isUnbroken(t) ? 0 : Qt::TextWordWrap;
            painter.drawText(cell, int(a ? a : Qt::AlignLeft) | Qt::AlignTop | wrap | Qt::TextDontClip, t);
        }
    };
    for (size_t page = 0; page < p.pageStarts.size(); ++page) {
        if (page > 0)
            printer.newPage();
        p.caption->draw(&painter, QPointF(0, 0));
        double y = p.captionHeight;
        std::vector<double> lines{y};
        if (p.headingHeight > 0) {
            drawRow(y, p.headingHeight, p.headingFont, [&](int c) { return all[size_t(c)].caption; });
            lines.push_back(y += p.headingHeight);
        }
        for (int r = p.pageStarts[page]; r < p.pageEnds[page]; ++r) {
            drawRow(y, p.rowHeights[size_t(r)], p.cellFont, [&](int c) { return model_.shownText(r, c); });
            lines.push_back(y += p.rowHeights[size_t(r)]);
        }
        // Grid lines around every cell, each row's under its tallest cell;
        // the pen they take is not the next page's text pen.
        if (look_.gridLines && !p.columns.empty() && lines.size() > 1) {
            painter.save();
            painter.setPen(gridPen);
            for (double x : p.xs)
                painter.drawLine(QPointF(x, lines.front()), QPointF(x, lines.back()));
            for (double line : lines)
                painter.drawLine(QPointF(p.xs.front(), line), QPointF(p.xs.back(), line));
            painter.restore();
        }
    }
    painter.end();
    pages_ = int(p.pageStarts.size());
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
    printer.setDocName(documentName());
    chooseOrientation(printer, model_);
    print(printer);
    laidOut_.reset();  // laid out for a printer that ends here
    return pages_ > 0 && QFile::exists(path);
}

void ReportPrinter::preview(QWidget* parent) const
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(documentName());
    chooseOrientation(printer, model_);
    if (previewHook()) {
        previewHook()(printer, *this);
        laidOut_.reset();
        return;
    }
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Print Preview"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [this](QPrinter* p) { print(*p); });
    runModal(dialog);
    laidOut_.reset();
}

}  // namespace vh
