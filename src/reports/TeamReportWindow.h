#pragma once
// What the five team report windows share on top of the report window base:
// the load that resets the look, shows the window, takes size 10 and the
// report font into the frame's boxes and computes; Compute through the
// report-parameters dialog; Close; option boxes that start ticked; column
// widths by font size; and the options and game types of the project-wide
// state as the values the computations take.

#include "reports/TeamReportBasics.h"
#include "shell/ReportWindow.h"

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>
#include <initializer_list>
#include <vector>

class QCheckBox;
class QPushButton;

namespace vh {

class TeamReportWindow : public ReportWindow {
    Q_OBJECT
public:
    QPushButton* cmdCompute = nullptr;  // every window but the roster report
    QPushButton* cmdClose = nullptr;

    // New criteria from the report-parameters dialog, then the report again
    // under the title chosen; a cancelled dialog changes nothing.
    void cmdCompute_Click();
    void cmdClose_Click() { closeReport(); }
    // Column widths for the report's font size; run after every size applied.
    virtual void Format() {}

protected:
    TeamReportWindow(int formNumber, const QString& workTable, int helpTopic);

    // The shared load; an empty grid caption keeps the designed one. The
    // window has set up its columns and ticked its boxes before.
    void loadReport(const QString& gridCaption, const QString& windowCaption);
    // Computes the rows, writes the work table and sets which columns show.
    virtual void computeReport() = 0;
    // Whether Compute lays the widths out again before it computes.
    void setFormatBeforeCompute(bool on) { formatBeforeCompute_ = on; }
    void fontSizeChanged() override { Format(); }
    // The report again, as after a click on an option box that changes it.
    void recompute();

    void addCloseButtons(int left, int top, bool withCompute = true);
    // A box that starts ticked and runs `changed` whenever it changes.
    QCheckBox* optionBox(const char* name, const QString& caption, int left, int top, int width,
                         std::function<void()> changed);
    // A box that starts ticked and shows or hides `columns` as it is ticked.
    QCheckBox* columnBox(const char* name, const QString& caption, int left, int top, int width,
                         std::initializer_list<int> columns);
    // A right-aligned column of a number field.
    static ReportColumn numberColumn(const char* field, const char* caption);
    void placeGrid(int left, int top, int width, int height);
    void setColumnVisible(int column, bool visible);
    bool columnVisible(int column) const;
    void hideHeadings();
    // Writes the rows, each after its SortKey (1, 2, ... in the given order).
    void writeRows(const QStringList& fields, std::vector<QVariantList> rows);

    // Widths in twips of the columns from the first, by font size.
    struct WidthRow {
        std::initializer_list<int16_t> sizes;
        std::vector<int> widths;
    };
    // Sets the widths of the row for the report's font size; another size
    // changes nothing.
    void applyWidths(const std::vector<WidthRow>& table);

private:
    bool formatBeforeCompute_ = false;
};

// The values of the project-wide state that the computations take.
PointsOptions PointsFromOptions();
NumberStyle NumberStyleFromOptions();
GameTypeNames GameTypeNamesFromState();

}  // namespace vh
