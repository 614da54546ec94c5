#pragma once
// Printing a report grid: the rows of the grid's model under its visible
// columns, in the grid's look, as one document table whose heading row and
// the report's caption stand on every page. Shown in a print preview with a
// Print button, or written to a PDF file.

#include "shell/ReportGrid.h"

#include <QString>
#include <functional>
#include <memory>

class QPrinter;
class QTextDocument;
class QWidget;

namespace vh {

class ReportPrinter {
public:
    ReportPrinter(const ReportTableModel& model, const ReportLook& look, const QString& caption);

    // The report as a document: one table with the headings as its heading
    // row, repeated on each page when the document is paginated.
    std::unique_ptr<QTextDocument> document() const;
    // Lays the report out for the printer's page and prints every page, the
    // caption at the top of each. Chooses landscape when the columns are wider
    // than a portrait page.
    void print(QPrinter& printer) const;
    // Writes the report as a PDF file; false when the file cannot be written.
    bool writePdf(const QString& path) const;
    // The print preview, titled "Print Preview", from which the user prints.
    void preview(QWidget* parent) const;

    // While a hook is set, preview() hands it the printer that the preview
    // would show instead of opening the window (tests).
    using PreviewHook = std::function<void(QPrinter&, const ReportPrinter&)>;
    static PreviewHook setPreviewHook(PreviewHook hook);

    // Pages of the last print().
    int lastPageCount() const { return pages_; }

private:
    std::vector<int> printedColumns() const;
    // The headings and `rows` rows from `firstRow` on, every font and width
    // scaled by `factor` (at most 1).
    std::unique_ptr<QTextDocument> buildDocument(double factor, int firstRow, int rows) const;
    const ReportTableModel& model_;
    ReportLook look_;
    QString caption_;
    mutable int pages_ = 0;
};

}  // namespace vh
