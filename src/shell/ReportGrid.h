#pragma once
// The report grid every report window shows: its work table (an Rpt* table,
// in SortKey order) as a read-only model laid out by a column list, the name
// column frozen at the left as a second view over the same model, and one
// look (font name and size, bold, italic, underline, grid lines) that the
// frame's commands change. The printer (ReportPrinter) renders the same model
// and look.

#include <QAbstractTableModel>
#include <QFont>
#include <QString>
#include <QTableView>
#include <QWidget>
#include <functional>
#include <vector>

class QLabel;

namespace vh {

class Database;

// One grid column. Widths are twips as designed.
struct ReportColumn {
    QString field;  // the work-table field shown; empty shows an empty column
    QString caption;
    int width = -1;  // -1: the grid's width for a new column
    Qt::Alignment alignment = Qt::AlignLeft;  // cells and heading alike
    bool visible = true;
    bool underline = true;  // false: never underlined (a column of dashes)
};

// The look of a report: the cell font, the heading font and the dividers.
struct ReportLook {
    QString fontName;  // empty: the grid's design font
    int fontSize = 8;  // points
    bool bold = false, italic = false, underline = false;  // the cells
    bool headingBold = false, headingItalic = false, headingUnderline = false;
    bool gridLines = true;

    QFont cellFont() const;
    QFont headingFont() const;
};

// The design font of the report grids.
QString reportDesignFontName();
// Width of a column the grid sizes itself, in twips.
constexpr int kNewColumnWidth = 1200;
// No column is narrowed by hand below two digits of its font.
int readableMinimumWidth(const ReportLook& look);
// The widest word of a cell's text by `width`: a cell wraps at blanks only,
// so its column is never narrower than that.
qreal widestWord(const QString& text, const std::function<qreal(const QString&)>& width);

// The rows of a work table as text, shown through a column list.
class ReportTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ReportTableModel(QObject* parent = nullptr);

    // The table the model shows; requery() reads it.
    void setSource(Database* db, const QString& table);
    const QString& table() const { return table_; }
    // Reads every row of the table again, in SortKey order.
    void requery();
    // Shows no rows (the table is being refilled).
    void clearRows();

    void setColumns(std::vector<ReportColumn> columns);
    const std::vector<ReportColumn>& columns() const { return columns_; }
    void setColumnAlignment(int column, Qt::Alignment alignment);
    void setColumnWidthValue(int column, int twips);
    void setColumnCaption(int column, const QString& caption);

    // Texts kept on one line (a footnote), however wide; every other text
    // wraps at blanks where its column is narrower than it.
    void setUnbrokenTexts(QStringList texts) { unbroken_ = std::move(texts); }
    // The narrowest `text` can be shown, by `width`: its widest word, or the
    // whole of an unbroken text.
    qreal narrowestWidth(const QString& text, const std::function<qreal(const QString&)>& width) const;
    bool isUnbroken(const QString& text) const { return !text.isEmpty() && unbroken_.contains(text); }

    // The text of a cell: the row's value of the column's field.
    QString text(int row, int column) const;
    // The text as shown and printed: without the blanks that pad it, so that
    // an underline ends with the text.
    QString shownText(int row, int column) const;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    int fieldIndex(const QString& field) const;
    Database* db_ = nullptr;
    QString table_;
    QStringList fields_;                   // the table's fields, in order
    std::vector<std::vector<QString>> rows_;  // by row, then field
    std::vector<ReportColumn> columns_;
    std::vector<int> columnField_;  // field index of each column, -1 for none
    QStringList unbroken_;
};

// The view of every column; the frozen name column lies over its first
// column, so the other columns scroll under it.
class ReportTableView : public QTableView {
    Q_OBJECT
public:
    explicit ReportTableView(QWidget* parent = nullptr);
    void setReportModel(ReportTableModel* model);
    QTableView* frozenView() const { return frozen_; }
    void setFrozen(bool on);
    bool isFrozen() const { return frozenOn_; }
    // The narrowest a column is shown, in pixels: its widest word and its
    // heading whole.
    int narrowestColumnWidth(int column) const;
    // Widths, visibility and row heights of both views from the model. A
    // column is at least as wide as its widest word and its heading need; a
    // text wider than its column wraps, and its row grows to show it whole.
    void syncLayout();

protected:
    void resizeEvent(QResizeEvent* event) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

private:
    void updateFrozenGeometry();
    // Scrolls so that the column shows whole beside the frozen one.
    void revealColumn(int column);
    QTableView* frozen_ = nullptr;
    bool frozenOn_ = false;
    bool layingOut_ = false;  // syncLayout sets the widths; a user's drag is checked
};

// The grid: a caption bar over the table view.
class ReportGrid : public QWidget {
    Q_OBJECT
public:
    explicit ReportGrid(QWidget* parent = nullptr);

    ReportTableModel* model() const { return model_; }
    ReportTableView* view() const { return view_; }
    QTableView* frozenView() const { return view_->frozenView(); }

    // The caption bar shows a caption wider than itself from its start, cut
    // at its end; caption() is the whole caption.
    void setCaption(const QString& caption);
    QString caption() const;

    void setColumns(std::vector<ReportColumn> columns);
    const std::vector<ReportColumn>& columns() const { return model_->columns(); }
    int columnCount() const { return int(model_->columns().size()); }
    // Twips; a width below the readable minimum of the look's font is raised
    // to it.
    void setColumnWidth(int column, int twips);
    // The widths of the first columns, laid out once. They are taken as
    // designed, however narrow: only the cells' words and the headings widen
    // a column.
    void setColumnWidths(const std::vector<int>& twips);
    int columnWidth(int column) const;
    // What a column's width can change between, in twips: from the narrowest
    // it is shown (its widest word, its heading, two digits) to the width
    // the grid shows.
    int narrowestColumnWidth(int column) const;
    int widestColumnWidth() const;
    void setColumnAlignment(int column, Qt::Alignment alignment);
    // Cells and headings of the columns from `first` on.
    void alignColumns(int first, Qt::Alignment alignment);

    void applyLook(const ReportLook& look);
    const ReportLook& look() const { return look_; }

    // The name column frozen at the left (the grid's two splits) or not.
    void setFrozen(bool on) { view_->setFrozen(on); }
    bool isFrozen() const { return view_->isFrozen(); }

    void requery() { model_->requery(); }
    void clearRows() { model_->clearRows(); }

private:
    QLabel* caption_ = nullptr;
    ReportTableModel* model_ = nullptr;
    ReportTableView* view_ = nullptr;
    ReportLook look_;
};

}  // namespace vh
