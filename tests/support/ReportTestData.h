#pragma once
// Helpers for the report tests: a report grid's shown rows and captions, the
// cells it cannot show whole, the next dialog answered as a user would, and a
// printed PDF read back: the text of each page (through pdftotext), its
// title, word boxes and grid rules.

#include "platform/db/Database.h"
#include "shell/Form.h"
#include "shell/ReportGrid.h"
#include "shell/ReportWindow.h"

#include <QHeaderView>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextLayout>
#include <QtTest>
#include <functional>

namespace vh::test {

// The cells of every row the grid shows, joined by "|", hidden columns left
// out; with `trimmed` without the blanks around each cell.
inline QStringList gridRows(const ReportGrid* grid, bool trimmed = false)
{
    QStringList out;
    const ReportTableModel* m = grid->model();
    for (int r = 0; r < m->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < m->columnCount(); ++c)
            if (m->columns()[size_t(c)].visible)
                cells << (trimmed ? m->text(r, c).trimmed() : m->text(r, c));
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}

inline QStringList gridCaptions(const ReportGrid* grid)
{
    QStringList out;
    for (const ReportColumn& c : grid->columns())
        if (c.visible)
            out << c.caption;
    return out;
}

// The cells of the grid's views whose text does not show whole, laid out as
// the view's style lays it out in the cell's text room: "row,column: text".
inline QStringList cutCells(const ReportGrid* grid)
{
    QStringList cut;
    const ReportTableModel* m = grid->model();
    for (const QTableView* v : {static_cast<QTableView*>(grid->view()), grid->frozenView()}) {
        if (v->isHidden())
            continue;
        const int margin = v->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, v) + 1;
        for (int r = 0; r < m->rowCount(); ++r) {
            for (int c = 0; c < m->columnCount(); ++c) {
                if (v->isColumnHidden(c))
                    continue;
                const QString text = m->data(m->index(r, c), Qt::DisplayRole).toString();
                const QRect room = v->visualRect(m->index(r, c)).adjusted(margin, 0, -margin, 0);
                QTextLayout layout(QString(text).replace(QLatin1Char('\n'), QChar::LineSeparator), v->font());
                QTextOption option;
                option.setWrapMode(v->wordWrap() ? QTextOption::WordWrap : QTextOption::ManualWrap);
                layout.setTextOption(option);
                qreal height = 0;
                bool fits = true;
                layout.beginLayout();
                for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
                    line.setLineWidth(room.width());
                    height += line.height();
                    fits = fits && line.naturalTextWidth() <= room.width();
                }
                layout.endLayout();
                if (!fits || height > room.height())
                    cut << QStringLiteral("%1,%2: %3").arg(r).arg(c).arg(text);
            }
        }
    }
    return cut;
}

// Every cell of the window's grid shows whole at each size the frame offers,
// plain, bold, bold italic and italic; the window's size comes back after.
inline void checkCellsWholeInEveryLook(ReportWindow* w)
{
    const auto restore = qScopeGuard([w, before = w->reportFontSize()] { w->SetFontSize(before); });
    for (int16_t size : {8, 10, 12, 14, 18, 24}) {
        w->SetFontSize(size);
        for (int look = 0; look < 4; ++look) {
            const QStringList cut = cutCells(w->grid());
            QVERIFY2(cut.isEmpty(), qPrintable(QStringLiteral("size %1, look %2: ").arg(size).arg(look) + cut.join('|')));
            look % 2 ? w->ItalicFont() : w->BoldFont();
        }
    }
}

// The next modal dialog, which must be a `D`, is answered by `drive`.
template <class D>
void answerNext(std::function<void(D*)> drive)
{
    Dialog::setModalHook([drive](Dialog* d) {
        auto* dialog = qobject_cast<D*>(d);
        QVERIFY(dialog);
        drive(dialog);
        Dialog::setModalHook({});
    });
}

// The text of every page of a PDF, laid out as printed; empty when the file
// cannot be read.
inline QStringList pdfPages(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// A printed page read back: the document's title, the box of each word and
// the heights of the grid's rules across the page, in points from the top,
// and the darkest grey inside each word's box (0 black, 255 white).
struct PrintedPage {
    QString title;
    QList<QRectF> words;
    QStringList texts;  // of each word
    QList<double> rules;
    QList<int> wordInk;
    // The rules that run through a word.
    int rulesThroughWords() const
    {
        int n = 0;
        for (double y : rules)
            n += int(std::count_if(words.begin(), words.end(),
                                   [y](const QRectF& w) { return w.top() + 0.5 < y && y < w.bottom() - 0.5; }));
        return n;
    }
    // The words drawn over another word, "text over text": boxes that share
    // more than a sliver, since neighbouring lines may touch.
    QStringList wordsOverWords() const
    {
        QStringList out;
        for (int i = 0; i < words.size(); ++i)
            for (int j = i + 1; j < words.size(); ++j) {
                const QRectF both = words[i].intersected(words[j]);
                if (both.width() > 0.5 && both.height() > std::min(words[i].height(), words[j].height()) / 4)
                    out << texts[i] + QStringLiteral(" over ") + texts[j];
            }
        return out;
    }
    // The tops of the page's lines of text, from the top.
    QList<double> lineTops() const
    {
        QList<double> tops;
        for (const QRectF& w : words)
            tops << w.top();
        std::sort(tops.begin(), tops.end());
        QList<double> lines;
        for (double top : std::as_const(tops))
            if (lines.isEmpty() || top - lines.last() > 1)
                lines << top;
        return lines;
    }
};

// Page `number`, from 1.
inline PrintedPage printedPage(const QString& pdf, int number = 1)
{
    PrintedPage out;
    const QString n = QString::number(number);
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-f"), n, QStringLiteral("-l"), n,
                                             pdf, QStringLiteral("-")});
    text.waitForFinished(60000);
    const QString html = QString::fromUtf8(text.readAllStandardOutput());
    out.title = QRegularExpression(QStringLiteral("<title>(.*)</title>")).match(html).captured(1);
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto w = it.next();
        out.words << QRectF(QPointF(w.captured(1).toDouble(), w.captured(2).toDouble()),
                            QPointF(w.captured(3).toDouble(), w.captured(4).toDouble()));
        out.texts << w.captured(5);
    }
    // Rendered at two pixels a point: a rule is a pixel row inked nearly
    // as far across as the widest one.
    QTemporaryDir dir;
    QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("144"), QStringLiteral("-gray"),
                                                   QStringLiteral("-f"), n, QStringLiteral("-l"), n,
                                                   QStringLiteral("-singlefile"), pdf, dir.filePath(QStringLiteral("p"))});
    const QImage image = QImage(dir.filePath(QStringLiteral("p.pgm"))).convertToFormat(QImage::Format_Grayscale8);
    std::vector<int> ink(size_t(image.height()), 0);
    for (int y = 0; y < image.height(); ++y)
        ink[size_t(y)] = int(std::count_if(image.constScanLine(y), image.constScanLine(y) + image.width(),
                                           [](uchar v) { return v < 250; }));
    const int widest = ink.empty() ? 0 : *std::max_element(ink.begin(), ink.end());
    for (int y = 0; y < image.height(); ++y) {
        if (widest > 0 && ink[size_t(y)] > widest * 9 / 10 && (y == 0 || ink[size_t(y - 1)] <= widest * 9 / 10))
            out.rules << y / 2.0;
    }
    for (const QRectF& w : std::as_const(out.words)) {
        const QRect box = QRect(QPoint(int(w.left() * 2), int(w.top() * 2)), QPoint(int(w.right() * 2), int(w.bottom() * 2)))
                              .intersected(image.rect());
        int darkest = 255;
        for (int y = box.top(); y <= box.bottom(); ++y)
            darkest = std::min<int>(darkest, *std::min_element(image.constScanLine(y) + box.left(),
                                                                image.constScanLine(y) + box.right() + 1));
        out.wordInk << darkest;
    }
    return out;
}

}  // namespace vh::test
