#pragma once
// Printing a report grid: the rows of the grid's model under its visible
// columns, in the grid's look, as a table whose heading row (when the columns
// have headings) and the report's caption stand on every page. Shown in a
// print preview with a Print button, or written to a PDF file.

#include "shell/ReportGrid.h"

#include <QString>
#include <functional>
#include <memory>

class QPrinter;
class QWidget;

namespace vh {

class ReportPrinter {
public:
    // `title` names the printed document (the print job, the PDF's title);
    // empty, the caption does.
    ReportPrinter(const ReportTableModel& model, const ReportLook& look, const QString& caption,
                  const QString& title = {});
    ~ReportPrinter();

    // Prints every page, the caption at the top of each (wrapped where it is
    // wider than the page), under the wait cursor. A text wider than its
    // column wraps, and its row grows to hold it. The pages are laid out once
    // for a page size and resolution: a print from the preview reuses the
    // pages the preview showed.
    void print(QPrinter& printer) const;
    // Writes the report as a PDF file; false when the file cannot be written.
    bool writePdf(const QString& path) const;
    // The print preview, titled "Print Preview", from which the user prints.
    // Like writePdf(), it takes landscape when the columns are wider than a
    // portrait page.
    void preview(QWidget* parent) const;

    // While a hook is set, preview() hands it the printer that the preview
    // would show instead of opening the window (tests).
    using PreviewHook = std::function<void(QPrinter&, const ReportPrinter&)>;
    static PreviewHook setPreviewHook(PreviewHook hook);

    // Pages of the last print().
    int lastPageCount() const { return pages_; }

private:
    struct Pages;
    std::vector<int> printedColumns() const;
    // The pages for the printer's page size and resolution.
    const Pages& layOut(QPrinter& printer) const;
    QString documentName() const { return title_.isEmpty() ? caption_ : title_; }
    const ReportTableModel& model_;
    ReportLook look_;
    QString caption_;
    QString title_;
    mutable std::unique_ptr<Pages> laidOut_;
    mutable int pages_ = 0;
};

}  // namespace vh
