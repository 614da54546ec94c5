#pragma once
// The base of every report window: a child window with a report grid over its
// work table, the commands the frame sends to the open report (font name and
// size, bold, italic, underline, grid lines, alignment, print), the run that
// empties the table, yields once and refills it while every command is held
// off, and Close. Each report window adds only its own controls and steps.
// The window has the keyboard focus after every run, its grid after the
// first, so that F1, Esc and its access keys work without a click.

#include "shell/Form.h"
#include "shell/ReportForm.h"
#include "shell/ReportGrid.h"

#include <QString>
#include <functional>

class QAbstractButton;
class QKeyEvent;

namespace vh {

class ReportWindow : public Form, public ReportForm {
    Q_OBJECT
public:
    ReportWindow(int formNumber, const QString& workTable, QWidget* parent = nullptr);

    ReportGrid* grid() const { return grid_; }
    const QString& workTable() const { return grid_->model()->table(); }
    // The window shows another work table (the statistics window's goalie
    // report).
    void setWorkTable(const QString& table);

    // ReportForm. The font and look commands change only the grid; none of
    // them recomputes. While a run is going they do nothing.
    void SetFont(const QString& fontName) override;
    // Stores and applies the size, then re-fits the columns (fontSizeChanged).
    void SetFontSize(int16_t size) override;
    void BoldFont() override;
    void ItalicFont() override;
    void UnderlineFont() override;
    void GridLines() override;
    void AlignLeft() override;
    void AlignCenter() override;
    void AlignRight() override;
    // Prints the rows under the grid's caption through the print preview.
    void PrintReport() override;
    // The name of the printed document (the print job, the PDF's title);
    // empty, the grid's caption names it.
    void setPrintTitle(const QString& title) { printTitle_ = title; }

    const QString& reportFontName() const { return fontName_; }
    int16_t reportFontSize() const { return fontSize_; }
    // A run (emptying, yield, steps, requery) is going.
    bool isComputing() const { return computing_; }

protected:
    // How the headings follow the look: whether they are bold, and whether
    // italic and underline reach them as they reach the cells.
    struct HeadingStyle {
        bool bold = false;
        bool followsItalic = true;
        bool followsUnderline = true;
    };
    void setHeadingStyle(const HeadingStyle& style) { heading_ = style; }

    // The first column the alignment commands reach; the leading text
    // columns before it keep their alignment.
    virtual int firstAlignedColumn() const { return 1; }
    // After an applied SetFontSize: lay the columns out for the new size.
    virtual void fontSizeChanged() {}
    // After an alignment command, with the alignment the value columns took.
    virtual void alignmentChanged(Qt::Alignment) {}
    // The alignment the value columns have: the first aligned column's.
    virtual Qt::Alignment valueAlignment() const;
    // Presses the frame's alignment button that says what the value columns
    // do; each window's load ends with it, as its columns differ.
    void showAlignmentOnToolbar() const;

    // The look from ReportBold, ReportItalic, ReportUnderline, ReportGridLines
    // and the report's font.
    ReportLook currentLook() const;
    void applyLook();
    // Bold, italic and underline off, grid lines on: every report window's
    // load does this.
    void resetLookFlags();
    // The size a window loads with, stored without applying it.
    void setReportFontSize(int16_t size) { fontSize_ = size; }

    // One run: hourglass, the work table emptied and shown empty, one yield
    // with the window's and the frame's commands held off, `steps`, the table
    // shown again, arrow. `emptyFirst` false keeps the table until the steps
    // empty it themselves. A database error ends the run with one message.
    // Returns true when the steps ran to the end; false, doing nothing, while
    // another run is going.
    bool runComputation(const std::function<void()>& steps, bool emptyFirst = true);
    void emptyWorkTable();
    // Reads the work table into the grid again.
    void requery();
    // Close: unload, show the team selection again, menus for "Select".
    void closeReport();

    // The commands of the window itself that the run holds off (its buttons
    // and lists); the frame's are found by the run.
    class CommandHold;

private:
    void alignValues(Qt::Alignment alignment);
    // Flips a look flag (True exactly or not) and applies the look.
    void toggleLook(int16_t& flag);
    ReportGrid* grid_ = nullptr;
    QString printTitle_;
    QString fontName_;
    int16_t fontSize_ = 8;
    HeadingStyle heading_;
    bool computing_ = false;
};

}  // namespace vh
