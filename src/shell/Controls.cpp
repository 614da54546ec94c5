#include "shell/Controls.h"

#include "platform/basic/Basic.h"
#include "shell/AccessGate.h"
#include "shell/Form.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QValidator>
#include <algorithm>
#include <utility>

namespace vh {

namespace {

// A character a report or a list line cannot show in its place: a Tab, a
// line break (a lone CR or LF; CR LF counts as one) or any other control
// character. Only a paste brings one, as the keys move on instead.
bool breaksTheLine(QChar c)
{
    return (c.unicode() < 0x20 && c.unicode() != 0) || c.unicode() == 0x85 || c == QChar::LineSeparator ||
           c == QChar::ParagraphSeparator;
}

// What a text box takes: at most `maxChars` characters (0: no limit) and,
// with `digitsOnly`, nothing but digits. Whatever reaches the box passes
// here, typed, pasted or set by the program. A Tab, a line break or another
// control character becomes one blank: kept, it would be stored, push the
// score and result of a game list line out of their columns, show a filter
// or team name as one word and a gap, and break the one line a report gives
// the text. A NUL, which also only a paste brings, is dropped (plainNotes).
//
// A text the program puts in (a stored name loaded, an entry picked from a
// drop-down's list) shows from its start, where Qt would leave the cursor at
// its end and show only the end of a text wider than the box; what the user
// types keeps the cursor where the typing left it. A selection from the
// start made as the box takes the focus (its text selected on Tab) keeps the
// cursor at the start too, so the start stays in view.
class BoxRule : public QValidator {
public:
    explicit BoxRule(QLineEdit* box) : QValidator(box), box_(box)
    {
        connect(box, &QLineEdit::textEdited, this, [this] { typed_ = true; });
        connect(box, &QLineEdit::textChanged, this, [this] {
            if (!std::exchange(typed_, false))
                box_->setCursorPosition(0);
        });
        // An editable drop-down's box takes its focus through the drop-down.
        auto* combo = qobject_cast<QComboBox*>(box->parentWidget());
        (combo && combo->lineEdit() == box ? static_cast<QWidget*>(combo) : box)->installEventFilter(this);
    }
    int maxChars = 0;
    bool digitsOnly = false;

    State validate(QString& input, int& pos) const override
    {
        QString kept;
        int cursor = 0;
        for (qsizetype i = 0; i < input.size();) {
            const bool pair = input[i].isHighSurrogate() && i + 1 < input.size() && input[i + 1].isLowSurrogate();
            const bool crLf = input[i] == u'\r' && i + 1 < input.size() && input[i + 1] == u'\n';
            const bool blank = crLf || breaksTheLine(input[i]);
            const qsizetype n = pair || crLf ? 2 : 1;
            // Half a character is never kept.
            const bool keep = input[i] != QChar(0) && (digitsOnly ? input[i].isDigit() && input[i].unicode() < 128
                                                                  : pair || !input[i].isSurrogate());
            if (keep) {
                kept += blank ? QStringView(u" ") : QStringView(input).mid(i, n);
                if (i < pos)
                    cursor += blank ? 1 : int(n);
            }
            i += n;
        }
        const int excess = maxChars > 0 ? CharCount(kept) - maxChars : 0;
        if (excess > 0) {
            // What was put in ends at the cursor: the cut comes off there,
            // as far as it reaches, and off the end for the rest.
            const QString before = kept.left(cursor);
            const QString after = kept.mid(cursor);
            const int fromBefore = std::min(excess, CharCount(before));
            const QString head = Left(before, CharCount(before) - fromBefore);
            kept = head + Left(after, CharCount(after) - (excess - fromBefore));
            cursor = int(head.size());
        }
        input = kept;
        pos = cursor;
        return Acceptable;
    }

    bool eventFilter(QObject*, QEvent* e) override
    {
        // After the selection the focus brings, made on the spot or queued.
        if (e->type() == QEvent::FocusIn)
            QMetaObject::invokeMethod(this, &BoxRule::selectionKeepsStartInView, Qt::QueuedConnection);
        return false;
    }

private:
    void selectionKeepsStartInView()
    {
        if (box_->hasSelectedText() && box_->selectionStart() == 0 && box_->cursorPosition() == box_->selectionEnd())
            box_->setSelection(box_->selectionEnd(), -box_->selectionEnd());
    }

    QLineEdit* box_;
    bool typed_ = false;
};

// Notes keep their line breaks; a NUL is dropped and a Tab or another
// control character becomes a blank, as in a one-line box. A text holding a
// NUL is stored, but reads back as bytes, not text: the checks of restore
// and import then refuse the user's own back-up or team file. A Tab would
// show on the reports as a gap running out of the notes' column, or not at
// all.
void plainNotes(QPlainTextEdit* box)
{
    QObject::connect(box, &QPlainTextEdit::textChanged, box, [box] {
        const QString text = box->toPlainText();
        QString plain;
        plain.reserve(text.size());
        for (QChar c : text) {
            if (c != QChar(0))
                plain += c != u'\n' && breaksTheLine(c) ? QChar(u' ') : c;
        }
        if (plain == text)
            return;
        const int cursor = box->textCursor().position();
        const QSignalBlocker block(box);
        box->setPlainText(plain);
        QTextCursor at = box->textCursor();
        at.setPosition(cursor - int(text.left(cursor).count(QChar(0))));
        box->setTextCursor(at);
    });
}

BoxRule* boxRule(QLineEdit* box)
{
    auto* rule = dynamic_cast<BoxRule*>(const_cast<QValidator*>(box->validator()));
    if (!rule) {
        rule = new BoxRule(box);
        box->setValidator(rule);
    }
    return rule;
}

// A label shows its text whole: where the font is wider than the one it was
// designed for, it grows away from the side its text is aligned to (both
// ways when centred) rather than cut the text. It grows into free room only,
// never over a control beside it nor past the window's edges: a long team
// name or path is cut where the next box begins, not run under it. It fits
// when shown, once wrapping and alignment are settled; a label that wraps
// keeps its width.
class FittedLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::Show)
            fitText();
        return QLabel::event(e);
    }

private:
    void fitText()
    {
        QWidget* parent = parentWidget();
        if (!parent || wordWrap() || text().isEmpty())
            return;
        const int extra = sizeHint().width() - width();
        if (extra <= 0)
            return;
        const Qt::Alignment h = QStyle::visualAlignment(layoutDirection(), alignment()) & Qt::AlignHorizontal_Mask;
        const int leftward = h & Qt::AlignRight ? extra : h & Qt::AlignHCenter ? extra / 2 : 0;
        const QRect now = geometry();
        int left = now.left() - leftward, right = now.right() + extra - leftward;
        int minLeft = 0, maxRight = parent->width() - 1;
        for (const QWidget* w : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            const QRect r = w->geometry();
            // A control the label already lies on (a frame behind it) is no neighbour.
            if (w == this || w->isHidden() || w->isWindow() || r.intersects(now) || r.bottom() < now.top() ||
                r.top() > now.bottom())
                continue;
            if (r.left() > now.right())
                maxRight = std::min(maxRight, r.left() - 1);
            else if (r.right() < now.left())
                minLeft = std::max(minLeft, r.right() + 1);
        }
        left = std::max(std::min(left, now.left()), minLeft);
        right = std::min(std::max(right, now.right()), maxRight);
        setGeometry(QRect(QPoint(left, now.top()), QPoint(right, now.bottom())));
    }
};

// Widens a drop-down's open list, as it opens, to its widest entry: the
// list is laid out as wide as the box, which would cut longer entries short.
class ListShowsEntriesWhole : public QObject {
public:
    explicit ListShowsEntriesWhole(QComboBox* box) : QObject(box), box_(box) {}

    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Show)
            widen();
        return false;
    }

private:
    void widen()
    {
        QAbstractItemView* view = box_->view();
        QWidget* list = view->window();
        int needed = view->sizeHintForColumn(box_->modelColumn()) + 2 * view->frameWidth();
        if (box_->count() > box_->maxVisibleItems())
            needed += view->verticalScrollBar()->sizeHint().width();
        if (needed <= view->width())
            return;
        QRect r = list->geometry();
        r.setWidth(r.width() + needed - view->width());
        // Still on the screen: a list that would run off its right edge
        // opens further left.
        const QRect screen = box_->screen()->availableGeometry();
        if (r.right() > screen.right())
            r.moveRight(std::max(screen.right(), screen.left() + r.width() - 1));
        list->setGeometry(r);
    }

    QComboBox* box_;
};

template <typename W>
W* placed(W* w, const QString& name, int left, int top, int width, int height)
{
    installAccessGate();
    w->setObjectName(name);
    place(w, left, top, width, height);
    return w;
}

}  // namespace

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& caption, int left, int top, int width,
                  int height, Qt::Alignment align)
{
    auto* l = placed(new FittedLabel(caption, parent), name, left, top, width, height);
    l->setTextFormat(Qt::PlainText);
    l->setAlignment(align);
    return l;
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, int left, int top, int width,
                        int height)
{
    auto* b = placed(new QPushButton(caption, parent), name, left, top, width, height);
    b->setAutoDefault(false);
    return b;
}

QLineEdit* makeTextBox(QWidget* parent, const QString& name, int maxLength, int left, int top, int width, int height)
{
    auto* b = placed(new QLineEdit(parent), name, left, top, width, height);
    limitLength(b, maxLength);
    return b;
}

QPlainTextEdit* makeMemoBox(QWidget* parent, const QString& name, int left, int top, int width, int height)
{
    auto* b = placed(new QPlainTextEdit(parent), name, left, top, width, height);
    b->setTabChangesFocus(true);
    plainNotes(b);
    return b;
}

QCheckBox* makeCheckBox(QWidget* parent, const QString& name, const QString& caption, int left, int top, int width,
                        int height)
{
    return placed(new QCheckBox(caption, parent), name, left, top, width, height);
}

QRadioButton* makeOption(QWidget* parent, const QString& name, const QString& caption, int left, int top, int width,
                         int height)
{
    return placed(new QRadioButton(caption, parent), name, left, top, width, height);
}

QComboBox* makeComboBox(QWidget* parent, const QString& name, int left, int top, int width, int height)
{
    auto* box = placed(new QComboBox(parent), name, left, top, width, height);
    showEntriesWhole(box);
    return box;
}

void showEntriesWhole(QComboBox* box) { box->view()->window()->installEventFilter(new ListShowsEntriesWhole(box)); }

QListWidget* makeListBox(QWidget* parent, const QString& name, int left, int top, int width, int height)
{
    return placed(new QListWidget(parent), name, left, top, width, height);
}

QGroupBox* makeFrame(QWidget* parent, const QString& name, const QString& caption, int left, int top, int width,
                     int height)
{
    return placed(new QGroupBox(caption, parent), name, left, top, width, height);
}

void limitLength(QLineEdit* box, int maxChars)
{
    boxRule(box)->maxChars = maxChars;
}

void limitLength(QPlainTextEdit* box, int maxChars)
{
    plainNotes(box);
    QObject::connect(box, &QPlainTextEdit::textChanged, box, [box, maxChars] {
        const QString text = box->toPlainText();
        if (CharCount(text) <= maxChars)
            return;
        const QSignalBlocker block(box);
        box->setPlainText(Left(text, maxChars));
        box->moveCursor(QTextCursor::End);
    });
}

void keepPastedDigitsOnly(QLineEdit* box)
{
    boxRule(box)->digitsOnly = true;
}

QString accessibleCaption(const QString& labelCaption)
{
    QString text = labelCaption;
    text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    text = text.trimmed();
    while (text.endsWith(QLatin1Char(':')))
        text.chop(1);
    return text.trimmed();
}

void nameBox(QWidget* box, const QString& caption) { box->setAccessibleName(accessibleCaption(caption)); }

void nameBoxByLabel(QLabel* label, QWidget* box)
{
    nameBox(box, label->text());
    label->setBuddy(box);
}

}  // namespace vh
