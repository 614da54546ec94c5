#include "shell/ReportGrid.h"

#include "platform/basic/Basic.h"
#include "platform/db/Database.h"
#include "shell/Form.h"

#include <QFontMetrics>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QRegularExpression>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTextLayout>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace vh {

namespace {

int toPixels(int twips) { return (twips + 7) / 15; }

// The style's text margin on either side of a cell and the grid line.
int cellMargins(const QWidget* view)
{
    return 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1) + 1;
}

// Cells of a column drawn without underline keep it off in either view.
class ReportCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const auto* m = qobject_cast<const ReportTableModel*>(index.model());
        if (m && index.column() < int(m->columns().size()) && !m->columns()[size_t(index.column())].underline)
            option->font.setUnderline(false);
    }
};

// The grid's caption bar. A caption that fits is centred; one wider than
// the bar starts at its left edge and is cut at its end: centred, it would
// lose its start, the report's name ("n/Lost Record - ..."). The label shows
// the cut text, the full one is the grid's caption.
class CaptionBar : public QLabel {
public:
    using QLabel::QLabel;

    void setCaption(const QString& caption)
    {
        caption_ = caption;
        fit();
    }
    const QString& caption() const { return caption_; }

protected:
    void resizeEvent(QResizeEvent* e) override
    {
        QLabel::resizeEvent(e);
        fit();
    }
    void changeEvent(QEvent* e) override
    {
        QLabel::changeEvent(e);
        if (e->type() == QEvent::FontChange || e->type() == QEvent::StyleChange)
            fit();
    }

private:
    void fit()
    {
        const QFontMetrics fm(font());
        // The indent a framed label keeps from its aligned side, on both.
        const int room = contentsRect().width() - 2 * margin() - fm.horizontalAdvance(QLatin1Char('x'));
        const bool fits = fm.horizontalAdvance(caption_) <= room;
        setAlignment(fits ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
        setText(fits ? caption_ : fm.elidedText(caption_, Qt::ElideRight, room));
    }
    QString caption_;
};

// Lays `text` out as the view's style does for a wrapping cell, lines
// `width` wide; returns the height and the widest line.
QSizeF wrapText(const QFont& font, QString text, qreal width)
{
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    qreal height = 0, widest = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        height += line.height();
        widest = std::max(widest, line.naturalTextWidth());
    }
    layout.endLayout();
    return {widest, height};
}

}  // namespace

// ---------------------------------------------------------------- look

QFont ReportLook::cellFont() const
{
    QFont f(fontName.isEmpty() ? reportDesignFontName() : fontName);
    f.setPointSize(fontSize > 0 ? fontSize : 8);
    f.setBold(bold);
    f.setItalic(italic);
    f.setUnderline(underline);
    return f;
}

QFont ReportLook::headingFont() const
{
    QFont f = cellFont();
    f.setBold(headingBold);
    f.setItalic(headingItalic);
    f.setUnderline(headingUnderline);
    return f;
}

QString reportDesignFontName() { return QStringLiteral("Liberation Sans"); }

qreal widestWord(const QString& text, const std::function<qreal(const QString&)>& width)
{
    static const QRegularExpression blanks(QStringLiteral("[ \n]"));
    qreal widest = 0;
    for (const QString& word : text.split(blanks, Qt::SkipEmptyParts))
        widest = std::max(widest, width(word));
    return widest;
}

int readableMinimumWidth(const ReportLook& look)
{
    QFont f = look.cellFont();
    f.setBold(true);
    // Two digits and the cell's margins, in twips.
    return (QFontMetrics(f).horizontalAdvance(QStringLiteral("00")) + 8) * 15;
}

// ---------------------------------------------------------------- model

ReportTableModel::ReportTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void ReportTableModel::setSource(Database* db, const QString& table)
{
    db_ = db;
    table_ = table;
}

void ReportTableModel::requery()
{
    // Read first: a failed read leaves the model as it was.
    QStringList fields;
    std::vector<std::vector<QString>> rows;
    if (db_ && !table_.isEmpty()) {
        // The table name is one of the program's own work tables, never typed.
        Recordset rs = db_->openRecordset(QStringLiteral("select * from ") + table_ +
                                          QStringLiteral(" order by SortKey"));
        for (const FieldInfo& f : rs.fields())
            fields << f.name;
        while (!rs.eof()) {
            std::vector<QString> row;
            row.reserve(size_t(fields.size()));
            for (const QString& f : std::as_const(fields))
                row.push_back(rs.value(f).toString());
            rows.push_back(std::move(row));
            rs.moveNext();
        }
        rs.close();
    }
    beginResetModel();
    fields_ = std::move(fields);
    rows_ = std::move(rows);
    columnField_.clear();
    for (const ReportColumn& c : columns_)
        columnField_.push_back(fieldIndex(c.field));
    endResetModel();
}

void ReportTableModel::clearRows()
{
    beginResetModel();
    rows_.clear();
    endResetModel();
}

int ReportTableModel::fieldIndex(const QString& field) const
{
    if (field.isEmpty())
        return -1;
    return int(fields_.indexOf(field, 0));
}

void ReportTableModel::setColumns(std::vector<ReportColumn> columns)
{
    beginResetModel();
    columns_ = std::move(columns);
    columnField_.clear();
    for (const ReportColumn& c : columns_)
        columnField_.push_back(fieldIndex(c.field));
    endResetModel();
}

void ReportTableModel::setColumnAlignment(int column, Qt::Alignment alignment)
{
    if (column < 0 || column >= int(columns_.size()))
        return;
    columns_[size_t(column)].alignment = alignment;
    if (!rows_.empty())
        emit dataChanged(index(0, column), index(int(rows_.size()) - 1, column), {Qt::TextAlignmentRole});
    emit headerDataChanged(Qt::Horizontal, column, column);
}

void ReportTableModel::setColumnWidthValue(int column, int twips)
{
    if (column >= 0 && column < int(columns_.size()))
        columns_[size_t(column)].width = twips;
}

void ReportTableModel::setColumnCaption(int column, const QString& caption)
{
    if (column < 0 || column >= int(columns_.size()))
        return;
    columns_[size_t(column)].caption = caption;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

QString ReportTableModel::text(int row, int column) const
{
    if (row < 0 || row >= int(rows_.size()) || column < 0 || column >= int(columnField_.size()))
        return {};
    const int f = columnField_[size_t(column)];
    return f < 0 ? QString() : rows_[size_t(row)][size_t(f)];
}

QString ReportTableModel::shownText(int row, int column) const { return RTrim(text(row, column)); }

qreal ReportTableModel::narrowestWidth(const QString& text, const std::function<qreal(const QString&)>& width) const
{
    return isUnbroken(text) ? width(text) : widestWord(text, width);
}

int ReportTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int ReportTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant ReportTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return shownText(index.row(), index.column());
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(columns_[size_t(index.column())].alignment | Qt::AlignVCenter);
    return {};
}

QVariant ReportTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= int(columns_.size()))
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return columns_[size_t(section)].caption;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(columns_[size_t(section)].alignment | Qt::AlignVCenter);
    return {};
}

// ---------------------------------------------------------------- view

ReportTableView::ReportTableView(QWidget* parent) : QTableView(parent)
{
    setObjectName(QStringLiteral("tdbView"));
    frozen_ = new QTableView(this);
    frozen_->setObjectName(QStringLiteral("tdbFrozen"));
    for (QTableView* v : {static_cast<QTableView*>(this), frozen_}) {
        v->setEditTriggers(QAbstractItemView::NoEditTriggers);
        v->setSelectionBehavior(QAbstractItemView::SelectRows);
        v->setSelectionMode(QAbstractItemView::SingleSelection);
        v->verticalHeader()->hide();
        v->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
        v->horizontalHeader()->setHighlightSections(false);
        // The header's own minimum follows its font and would widen a narrow
        // column (a column of dashes) past its designed width; the cells'
        // text decides what a column needs (syncLayout).
        v->horizontalHeader()->setMinimumSectionSize(cellMargins(v));
        v->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
        v->setWordWrap(true);
        v->setItemDelegate(new ReportCellDelegate(v));
        v->setStyleSheet(QStringLiteral("QTableView { gridline-color: #c0c0c0; }"));
    }
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    frozen_->setFocusPolicy(Qt::NoFocus);
    frozen_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    frozen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setFrameShape(QFrame::NoFrame);
    viewport()->stackUnder(frozen_);
    frozen_->hide();

    // The two views scroll their rows together.
    connect(frozen_->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, frozen_->verticalScrollBar(),
            &QAbstractSlider::setValue);
    // The user may widen the name column in either view. A column narrowed
    // by hand stops where its widest figure or word and its heading still
    // show whole, as every width the program sets does.
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int section, int, int size) {
        if (!layingOut_) {
            if (const int narrowest = narrowestColumnWidth(section); size < narrowest) {
                horizontalHeader()->resizeSection(section, narrowest);  // comes back here with it
                return;
            }
        }
        if (section == 0) {
            frozen_->setColumnWidth(0, size);
            updateFrozenGeometry();
        }
    });
}

void ReportTableView::setReportModel(ReportTableModel* model)
{
    setModel(model);
    frozen_->setModel(model);
    frozen_->setSelectionModel(selectionModel());
    connect(model, &QAbstractItemModel::modelReset, this, &ReportTableView::syncLayout);
}

void ReportTableView::setFrozen(bool on)
{
    frozenOn_ = on;
    frozen_->setVisible(on);
    syncLayout();
}

namespace {

// Widths of texts on one line in a font, each distinct text measured once.
class TextWidths {
public:
    explicit TextWidths(const QFont& font) : font_(font) {}
    qreal line(const QString& text)
    {
        auto it = widths_.find(text);
        if (it == widths_.end())
            it = widths_.insert(text, wrapText(font_, text, 1e6).width());
        return *it;
    }
    qreal narrowest(const ReportTableModel& m, const QString& text)
    {
        return m.narrowestWidth(text, [this](const QString& part) { return line(part); });
    }

private:
    QFont font_;
    QHash<QString, qreal> widths_;
};

// The width `px` a column is given, raised so that no word of its texts is
// cut and its heading shows.
int fittedWidth(const ReportTableView& view, const ReportTableModel& m, int column, int px, TextWidths& widths)
{
    const int margins = cellMargins(&view);
    qreal room = px - margins;
    for (int r = 0; r < m.rowCount(); ++r) {
        const QString t = m.shownText(r, column);
        if (widths.line(t) > room)
            room = std::max(room, widths.narrowest(m, t));
    }
    px = std::max(px, int(std::ceil(room)) + margins);
    if (!view.horizontalHeader()->isHidden())
        px = std::max(px, view.horizontalHeader()->sectionSizeHint(column));
    return px;
}

}  // namespace

int ReportTableView::narrowestColumnWidth(int column) const
{
    const auto* m = qobject_cast<const ReportTableModel*>(model());
    if (!m || column < 0 || column >= m->columnCount())
        return 0;
    TextWidths widths(font());
    return fittedWidth(*this, *m, column, 0, widths);
}

void ReportTableView::syncLayout()
{
    auto* m = qobject_cast<ReportTableModel*>(model());
    if (!m)
        return;
    const QScopedValueRollback layingOut(layingOut_, true);
    const QFont cellFont = font();
    const int margins = cellMargins(this);
    const int rows = m->rowCount();
    TextWidths widths(cellFont);

    const auto& cols = m->columns();
    std::vector<int> rowHeights(size_t(rows), 0);
    for (int i = 0; i < int(cols.size()); ++i) {
        const ReportColumn& c = cols[size_t(i)];
        setColumnHidden(i, !c.visible);
        frozen_->setColumnHidden(i, i != 0 || !c.visible);
        int px = toPixels(c.width < 0 ? kNewColumnWidth : c.width);
        if (c.visible) {
            px = fittedWidth(*this, *m, i, px, widths);
            // A text wider than that wraps; its row grows to hold every line.
            for (int r = 0; r < rows; ++r) {
                const QString t = m->shownText(r, i);
                if (widths.line(t) > px - margins)
                    rowHeights[size_t(r)] =
                        std::max(rowHeights[size_t(r)], int(std::ceil(wrapText(cellFont, t, px - margins).height())));
            }
        }
        setColumnWidth(i, px);
        if (i == 0)
            frozen_->setColumnWidth(0, px);
    }
    const int rowHeight = QFontMetrics(cellFont).height() + 6;
    for (QTableView* v : {static_cast<QTableView*>(this), frozen_}) {
        QHeaderView* h = v->verticalHeader();
        h->setDefaultSectionSize(rowHeight);
        for (int r = 0; r < rows; ++r) {
            const int height = std::max(rowHeight, rowHeights[size_t(r)] + 6);
            if (h->sectionSize(r) != height)
                h->resizeSection(r, height);
        }
    }
    frozen_->horizontalHeader()->setFixedHeight(horizontalHeader()->sizeHint().height());
    horizontalHeader()->setFixedHeight(horizontalHeader()->sizeHint().height());
    updateFrozenGeometry();
}

void ReportTableView::updateFrozenGeometry()
{
    if (!frozenOn_)
        return;
    // Never over the scroll bar, however wide the name column.
    frozen_->setGeometry(frameWidth(), frameWidth(), std::min(columnWidth(0), viewport()->width()),
                         viewport()->height() + horizontalHeader()->height());
}

void ReportTableView::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    updateFrozenGeometry();
}

// Keyboard moves never leave the current cell hidden under the frozen column
// or past the right edge, also when the move keeps the current cell (Home on
// the name column after the scroll bar took the view to the right).
QModelIndex ReportTableView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex current = QTableView::moveCursor(cursorAction, modifiers);
    if (!current.isValid())
        return current;
    const bool horizontal = cursorAction == MoveLeft || cursorAction == MoveRight || cursorAction == MoveHome ||
                            cursorAction == MoveEnd || cursorAction == MovePrevious || cursorAction == MoveNext;
    // Up and down on the name column leave the other columns where they are.
    if (current.column() > 0 || horizontal)
        revealColumn(current.column());
    return current;
}

void ReportTableView::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    if (!frozenOn_ || index.column() > 0) {
        QTableView::scrollTo(index, hint);
        if (frozenOn_)
            revealColumn(index.column());
    }
}

void ReportTableView::revealColumn(int column)
{
    QScrollBar* bar = horizontalScrollBar();
    if (column <= 0) {
        // The name column lies at the left end: the columns next to it show.
        bar->setValue(bar->minimum());
        return;
    }
    const int left = frozenOn_ ? frozen_->columnWidth(0) : 0;
    const int x = columnViewportPosition(column);
    const int right = x + columnWidth(column);
    if (x < left)
        bar->setValue(bar->value() - (left - x));
    else if (right > viewport()->width())
        bar->setValue(bar->value() + std::min(right - viewport()->width(), x - left));
}

// ---------------------------------------------------------------- grid

ReportGrid::ReportGrid(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    caption_ = new CaptionBar(this);
    caption_->setObjectName(QStringLiteral("tdbCaption"));
    caption_->setTextFormat(Qt::PlainText);  // a title the user typed
    caption_->setFrameShape(QFrame::Panel);
    caption_->setFrameShadow(QFrame::Raised);
    caption_->setAutoFillBackground(true);
    QFont cf(reportDesignFontName());
    cf.setPointSize(9);
    cf.setBold(true);
    caption_->setFont(cf);
    caption_->setMinimumHeight(22);
    model_ = new ReportTableModel(this);
    view_ = new ReportTableView(this);
    view_->setReportModel(model_);
    layout->addWidget(caption_);
    layout->addWidget(view_, 1);
    applyLook(look_);
}

void ReportGrid::setCaption(const QString& caption)
{
    static_cast<CaptionBar*>(caption_)->setCaption(caption);
    // The caption is the grid's label: screen readers name both views by it.
    view_->setAccessibleName(caption);
    frozenView()->setAccessibleName(caption);
}
QString ReportGrid::caption() const { return static_cast<const CaptionBar*>(caption_)->caption(); }

void ReportGrid::setColumns(std::vector<ReportColumn> columns) { model_->setColumns(std::move(columns)); }

void ReportGrid::setColumnWidth(int column, int twips)
{
    if (column < 0 || column >= columnCount())
        return;
    model_->setColumnWidthValue(column, std::max(twips, readableMinimumWidth(look_)));
    view_->syncLayout();
}

void ReportGrid::setColumnWidths(const std::vector<int>& twips)
{
    const int n = std::min(int(twips.size()), columnCount());
    for (int column = 0; column < n; ++column)
        model_->setColumnWidthValue(column, std::max(twips[size_t(column)], 0));
    view_->syncLayout();
}

int ReportGrid::narrowestColumnWidth(int column) const
{
    return std::max(view_->narrowestColumnWidth(column) * 15, readableMinimumWidth(look_));
}

int ReportGrid::widestColumnWidth() const { return view_->viewport()->width() * 15; }

int ReportGrid::columnWidth(int column) const
{
    if (column < 0 || column >= columnCount())
        return 0;
    const int w = columns()[size_t(column)].width;
    return w < 0 ? kNewColumnWidth : w;
}

void ReportGrid::setColumnAlignment(int column, Qt::Alignment alignment)
{
    model_->setColumnAlignment(column, alignment);
}

void ReportGrid::alignColumns(int first, Qt::Alignment alignment)
{
    for (int i = std::max(first, 0); i < columnCount(); ++i)
        model_->setColumnAlignment(i, alignment);
}

void ReportGrid::applyLook(const ReportLook& look)
{
    look_ = look;
    const QFont cells = look.cellFont();
    const QFont headings = look.headingFont();
    for (QTableView* v : {static_cast<QTableView*>(view_), view_->frozenView()}) {
        v->setFont(cells);
        v->horizontalHeader()->setFont(headings);
        v->setShowGrid(look.gridLines);
    }
    view_->syncLayout();
}

}  // namespace vh
