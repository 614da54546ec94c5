#include "teams/frmRoster.h"

#include "platform/MsgBox.h"
#include "platform/basic/Basic.h"
#include "shell/Controls.h"
#include "shell/Globals.h"
#include "shell/Help.h"
#include "shell/MenuState.h"
#include "shell/NameOrder.h"
#include "shell/Procedures.h"
#include "shell/Renumber.h"
#include "teams/frmSelectTeam.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QTextCursor>

namespace vh {

std::function<void()> frmRoster::entryScreenRefresh;

namespace {

// Entered with Tab (or Shift+Tab), a box selects its text up to the trailing
// blanks; Enter moves on to the next box of the ring instead of acting.
bool isEnter(const QKeyEvent* e) { return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter; }
bool byTab(const QFocusEvent* e) { return e->reason() == Qt::TabFocusReason || e->reason() == Qt::BacktabFocusReason; }

void selectUpToTrailingBlanks(QLineEdit* box) { box->setSelection(0, int(RTrim(box->text()).size())); }

void selectUpToTrailingBlanks(QPlainTextEdit* box)
{
    QTextCursor c = box->textCursor();
    c.setPosition(0);
    c.setPosition(int(RTrim(box->toPlainText()).size()), QTextCursor::KeepAnchor);
    box->setTextCursor(c);
}

template <class Box>
class RingBox : public Box {
public:
    using Box::Box;
    std::function<void()> onEnter;

protected:
    void focusInEvent(QFocusEvent* e) override
    {
        Box::focusInEvent(e);
        if (byTab(e))
            selectUpToTrailingBlanks(this);
    }
    void keyPressEvent(QKeyEvent* e) override
    {
        if (isEnter(e)) {
            e->accept();
            if (onEnter)
                onEnter();
            return;
        }
        Box::keyPressEvent(e);
    }
};

struct BoxDesign {
    const char* box;
    const char* label;
    const char* caption;
    int left, top, width, height;
};

// In the order of the fields (and of the Enter ring).
const BoxDesign Boxes[RosterField::Count] = {
    {"txtFirstName", "lblFirstName", "First Name:", 4800, 480, 975, 285},
    {"txtLastName", "lblLastName", "Last Name:", 6000, 480, 1335, 285},
    {"txtUniformNumber", "lblUniformNumber", "Player\nNumber:", 7560, 480, 375, 285},
    {"txtBirthDate", "lblBirthDate", "Birth Date:", 8160, 480, 855, 285},
    {"txtAddress1", "lblAddress1", "Address Line 1:", 4800, 1080, 4215, 285},
    {"txtAddress2", "lblAddress2", "Address Line 2:", 4800, 1680, 4215, 285},
    {"txtCity", "lblCity", "City:", 4800, 2280, 1815, 285},
    {"txtState", "lblState", "State/Prov:", 6840, 2280, 855, 285},
    {"txtZip", "lblZip", "Zip/Postal:", 7920, 2280, 1095, 285},
    {"txtHomePhone", "lblHomePhone", "Home Phone:", 4800, 2880, 1935, 285},
    {"txtWorkPhone", "lblWorkPhone", "Work Phone:", 7080, 2880, 1935, 285},
    {"txtEmailAddress", "lblEmailAddress", "Email Address:", 4800, 3480, 4215, 285},
    {"txtNotes", "lblNotes", "Notes:", 4800, 4080, 4215, 1095},
};

}  // namespace

frmRoster::frmRoster()
{
    setObjectName(QStringLiteral("frmRoster"));
    setWindowTitle(QStringLiteral("Roster"));
    setDesignSize(9210, 5925);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSize(8);
    setFont(font);
    buildControls();
}

frmRoster::~frmRoster() = default;

// A birth date shown back with a two-digit day and month and its four-digit
// year is wider than the designed box, which showed 12/25/2001 as 2/25/2001:
// the box grows to the left into the room before the player number, its hint
// staying centred below it; its label keeps its place, clear of the player
// number's.
void frmRoster::fitBirthDateBox()
{
    QWidget* box = boxes_[RosterField::BirthDate];
    const QWidget* before = boxes_[RosterField::UniformNumber];
    // The text, the caret, the frame and the box's inner margins of 2 pixels.
    const int frame = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box);
    const int needed = box->fontMetrics().horizontalAdvance(ShortDate(QDate(2000, 12, 28))) + 1 + 2 * frame + 4;
    const int right = box->geometry().right();
    const int left = std::max(before->geometry().right() + tw(90), std::min(box->x(), right + 1 - needed));
    box->setGeometry(left, box->y(), right + 1 - left, box->height());
    lblmdy->move(box->geometry().center().x() - lblmdy->width() / 2, lblmdy->y());
}

void frmRoster::buildControls()
{
    Label14 = makeLabel(this, QStringLiteral("Label14"), QStringLiteral("All Players"), 240, 240, 1815, 255);
    Label14->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lstAllPlayers = makeListBox(this, QStringLiteral("lstAllPlayers"), 240, 480, 1815, 4740);
    nameBoxByLabel(Label14, lstAllPlayers);
    cmdInsert = makeButton(this, QStringLiteral("cmdInsert"), QStringLiteral("==>"), 2160, 2520, 495, 375);
    lblRoster = makeLabel(this, QStringLiteral("lblRoster"), QStringLiteral("Roster"), 2760, 240, 1815, 255);
    lblRoster->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lstRoster = makeListBox(this, QStringLiteral("lstRoster"), 2760, 480, 1815, 4740);
    nameBoxByLabel(lblRoster, lstRoster);
    for (QListWidget* list : {lstAllPlayers, lstRoster}) {
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setSortingEnabled(true);
    }

    for (int f = 0; f < RosterField::Count; ++f) {
        const BoxDesign& d = Boxes[f];
        QWidget* box;
        if (f == RosterField::Notes) {
            auto* notes = new RingBox<QPlainTextEdit>(this);
            notes->setTabChangesFocus(true);
            notes->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            limitLength(notes, RosterField::width(f));
            notes->onEnter = [this, f] { moveFocusFrom(f); };
            box = notes;
        } else {
            auto* line = new RingBox<QLineEdit>(this);
            limitLength(line, RosterField::width(f));
            line->onEnter = [this, f] { moveFocusFrom(f); };
            box = line;
        }
        box->setObjectName(QLatin1String(d.box));
        place(box, d.left, d.top, d.width, d.height);
        box->setEnabled(false);
        boxes_[size_t(f)] = box;
        // Each label stands above its box; the uniform number's is two lines.
        QLabel* l;
        if (f == RosterField::UniformNumber) {
            l = makeLabel(this, QLatin1String(d.label), QString::fromLatin1(d.caption), 7380, 0, 720, 480);
            l->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        } else {
            l = makeLabel(this, QLatin1String(d.label), QString::fromLatin1(d.caption), d.left, d.top - 240, std::max(d.width, 1200), 240);
            l->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
        }
        nameBoxByLabel(l, box);
        labels_[size_t(f)] = l;
    }
    lblmdy = makeLabel(this, QStringLiteral("lblmdy"), DateOrderLetters(), 8355, 765, 495, 240);
    lblmdy->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    fitBirthDateBox();

    cmdDeletePlayer = makeButton(this, QStringLiteral("cmdDeletePlayer"), QStringLiteral("&Delete"), 720, 5400, 735, 375);
    cmdAdd = makeButton(this, QStringLiteral("cmdAdd"), QStringLiteral("&Add"), 2400, 5400, 735, 375);
    cmdChange = makeButton(this, QStringLiteral("cmdChange"), QStringLiteral("&Change"), 3300, 5400, 735, 375);
    cmdDelete = makeButton(this, QStringLiteral("cmdDelete"), QStringLiteral("&Delete"), 4200, 5400, 735, 375);
    cmdOK = makeButton(this, QStringLiteral("cmdOK"), QStringLiteral("OK"), 6600, 5400, 1080, 375);
    cmdCancel = makeButton(this, QStringLiteral("cmdCancel"), QStringLiteral("Cancel"), 7920, 5400, 1080, 375);
    cmdClose = makeButton(this, QStringLiteral("cmdClose"), QStringLiteral("Close"), 7920, 5400, 1080, 375);
    cmdOK->hide();
    cmdCancel->hide();
    // Esc presses Close while it shows; there is no default button, since
    // Enter serves the field ring.
    ButtonKeys::setCancelButton(this, cmdClose);

    // Tab order: the roster list, the boxes in ring order, the commands, then
    // the All Players side.
    QList<QWidget*> order{lstRoster};
    for (QWidget* box : boxes_)
        order << box;
    order << cmdAdd << cmdChange << cmdDelete << cmdOK << cmdClose << cmdCancel << lstAllPlayers << cmdDeletePlayer
          << cmdInsert;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(cmdAdd, &QPushButton::clicked, this, &frmRoster::cmdAdd_Click);
    connect(cmdChange, &QPushButton::clicked, this, &frmRoster::cmdChange_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmRoster::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmRoster::cmdCancel_Click);
    connect(cmdInsert, &QPushButton::clicked, this, &frmRoster::cmdInsert_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &frmRoster::cmdDelete_Click);
    connect(cmdDeletePlayer, &QPushButton::clicked, this, &frmRoster::cmdDeletePlayer_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmRoster::cmdClose_Click);
    connect(lstRoster, &QListWidget::itemSelectionChanged, this, &frmRoster::lstRoster_Click);
    // A double click anywhere in the list, not only on an entry.
    lstRoster->viewport()->installEventFilter(this);

    InstallHelpKey(this, HelpTopic::Roster);
}

bool frmRoster::eventFilter(QObject* o, QEvent* e)
{
    if (o == lstRoster->viewport() && e->type() == QEvent::MouseButtonDblClick) {
        lstRoster_DblClick();
        return true;
    }
    return Dialog::eventFilter(o, e);
}

void frmRoster::reject() {}

QString frmRoster::boxText(int field) const
{
    QWidget* box = boxes_[size_t(field)];
    if (auto* notes = qobject_cast<QPlainTextEdit*>(box))
        return notes->toPlainText();
    return static_cast<QLineEdit*>(box)->text();
}

void frmRoster::setBoxText(int field, const QString& text)
{
    QWidget* box = boxes_[size_t(field)];
    if (auto* notes = qobject_cast<QPlainTextEdit*>(box))
        notes->setPlainText(text);
    else
        static_cast<QLineEdit*>(box)->setText(text);
}

void frmRoster::moveFocusFrom(int field) { boxes_[size_t(nextInRing(field))]->setFocus(Qt::OtherFocusReason); }

void frmRoster::warn(const QString& text, const QString& title) { MsgBox(text, g.MsgStyleWarn, title); }

void frmRoster::databaseError(const QString& what, const RuntimeError& e)
{
    MsgBox(what + QStringLiteral("\r") + e.details(),
           g.MsgStyleWarn, QStringLiteral("Roster Error"));
}

// ---------------------------------------------------------------- lists

int frmRoster::selectedRoster() const
{
    const auto items = lstRoster->selectedItems();
    return items.isEmpty() ? -1 : lstRoster->row(items.first());
}

int frmRoster::selectedAllPlayers()
{
    const auto items = lstAllPlayers->selectedItems();
    if (items.isEmpty()) {
        warn(QStringLiteral("Must select player from the All Players list!"), QStringLiteral("No Player Selected"));
        return -1;
    }
    return lstAllPlayers->row(items.first());
}

int16_t frmRoster::personOf(QListWidget* list, int index) const
{
    return int16_t(list->item(index)->data(Qt::UserRole).toInt());
}

int frmRoster::findByPerson(QListWidget* list, int16_t person) const
{
    for (int i = 0; i < list->count(); ++i) {
        if (personOf(list, i) == person)
            return i;
    }
    return -1;
}

void frmRoster::addEntry(QListWidget* list, const QString& text, int16_t person) { list->addItem(new NameListItem(text, person)); }

void frmRoster::selectRosterItem(int index)
{
    {
        const QSignalBlocker block(lstRoster);
        lstRoster->setCurrentRow(index);
    }
    lstRoster_Click();
}

void frmRoster::lstRoster_Click()
{
    const int index = selectedRoster();
    if (index < 0)
        return;
    if (const int row = pending_.liveRow(personOf(lstRoster, index)))
        InitEntryFields(row);
}

void frmRoster::lstRoster_DblClick()
{
    if (lstRoster->count() > 0)
        cmdChange_Click();
}

// ---------------------------------------------------------------- switching

void frmRoster::setTextFieldsEnabled(bool enabled)
{
    for (QWidget* box : boxes_)
        box->setEnabled(enabled);
}

void frmRoster::EnableTextFields() { setTextFieldsEnabled(true); }
void frmRoster::DisableTextFields() { setTextFieldsEnabled(false); }

// Browse state shows the lists and their commands; edit state only OK and Cancel.
void frmRoster::setBrowsing(bool browsing)
{
    for (QWidget* w : std::initializer_list<QWidget*>{lstAllPlayers, lstRoster, cmdInsert})
        w->setEnabled(browsing);
    for (QWidget* w : std::initializer_list<QWidget*>{cmdDeletePlayer, cmdAdd, cmdChange, cmdDelete, cmdClose})
        w->setVisible(browsing);
    cmdOK->setVisible(!browsing);
    cmdCancel->setVisible(!browsing);
}

void frmRoster::EnableRoster() { setBrowsing(true); }
void frmRoster::DisableRoster() { setBrowsing(false); }

void frmRoster::InitEntryFields(int row)
{
    const RosterRow& r = pending_.row(row);
    for (int f = 0; f < RosterField::Count; ++f)
        setBoxText(f, r.field(f));
}

void frmRoster::ClearEntryFields()
{
    for (int f = 0; f < RosterField::Count; ++f)
        setBoxText(f, QString());
}

// ---------------------------------------------------------------- load

void frmRoster::Form_Load()
{
    noTeam_ = g.SelectedTeamCount < 1;
    setPlainWindowTitle(this, noTeam_ ? QStringLiteral("Roster - No Team Selected")
                                      : QStringLiteral("Roster - ") + g.SelectedTeamName);
    cmdOK->hide();
    cmdCancel->hide();
    try {
        for (const RosterListEntry& e : RosterPending::loadAllPeople(Db()))
            addEntry(lstAllPlayers, e.text, e.personNumber);
        // Without a team there is no roster to edit, whatever rows team 0 has.
        if (!noTeam_) {
            for (const RosterListEntry& e : pending_.loadRoster(Db(), g.CurrentTeam))
                addEntry(lstRoster, e.text, e.personNumber);
        }
        // Past the largest key when none is left, which Add then tells.
        const std::optional<int16_t> next = NextPersonNumber(Db());
        nextPerson_ = next ? int(*next) : LargestKey + 1;
    } catch (const RuntimeError& e) {
        // Nothing half-loaded may be written back: leave at once.
        databaseError(QStringLiteral("The roster could not be read."), e);
        pending_.clear();
        QMetaObject::invokeMethod(this, [this] { done(Rejected); }, Qt::QueuedConnection);
        return;
    }
    if (lstAllPlayers->count() > 0)
        lstAllPlayers->setCurrentRow(0);
    if (lstRoster->count() > 0)
        selectRosterItem(0);
    if (noTeam_) {
        for (QWidget* w : std::initializer_list<QWidget*>{cmdInsert, lstRoster, lblRoster, cmdAdd, cmdChange, cmdDelete, lblmdy})
            w->setEnabled(false);
        for (int f = 0; f < RosterField::Count; ++f) {
            boxes_[size_t(f)]->setEnabled(false);
            labels_[size_t(f)]->setEnabled(false);
        }
    }
}

// ---------------------------------------------------------------- commands

void frmRoster::cmdAdd_Click()
{
    // Person numbers are 16-bit: a wrapped number would name someone else.
    if (nextPerson_ > LargestKey) {
        ShowNoNumberLeft(KeyKind::Person);
        return;
    }
    editMode_ = QStringLiteral("A");
    DisableRoster();
    ClearEntryFields();
    EnableTextFields();
    textBox(RosterField::FirstName)->setFocus();
}

void frmRoster::cmdChange_Click()
{
    if (selectedRoster() < 0)
        return;
    editMode_ = QStringLiteral("C");
    DisableRoster();
    EnableTextFields();
    textBox(RosterField::FirstName)->setFocus();
}

void frmRoster::cmdOK_Click()
{
    struct Check {
        int field;
        bool failed;
        QString text;
        const char* title;
    };
    const QString birth = Trim(boxText(RosterField::BirthDate));
    const Check checks[] = {
        {RosterField::FirstName, Trim(boxText(RosterField::FirstName)).isEmpty(),
         QStringLiteral("First Name can not be blank!"), "First Name Invalid"},
        {RosterField::LastName, Trim(boxText(RosterField::LastName)).isEmpty(),
         QStringLiteral("Last Name can not be blank!"), "Last Name Invalid"},
        {RosterField::BirthDate, !birth.isEmpty() && !IsDate(birth),
         QStringLiteral("Birth Date must be in ") + DateOrderMask() + QStringLiteral(" format or blank!"),
         "Birth Date Invalid"},
    };
    for (const Check& c : checks) {
        if (c.failed) {
            warn(c.text, QLatin1String(c.title));
            textBox(c.field)->setFocus();
            return;
        }
    }

    RosterFields fields;
    for (int f = 0; f < RosterField::Count; ++f)
        fields[size_t(f)] = boxText(f);
    int row = 0;
    if (editMode_ == QLatin1String("A")) {
        row = pending_.add(int16_t(nextPerson_), fields);
        nextPerson_ += 1;
    } else {
        const int index = selectedRoster();
        row = index < 0 ? 0 : pending_.liveRow(personOf(lstRoster, index));
        if (row == 0)
            return;
        pending_.change(row, fields);
    }
    const RosterRow& r = pending_.row(row);
    EnableRoster();
    const QString name = RosterDisplayName(r.fields[RosterField::FirstName], r.fields[RosterField::LastName]);
    if (editMode_ == QLatin1String("A")) {
        addEntry(lstRoster, name, r.PersonNumber);
        addEntry(lstAllPlayers, name, r.PersonNumber);
    } else {
        const int index = selectedRoster();
        if (name != Trim(lstRoster->item(index)->text())) {
            delete lstRoster->takeItem(index);
            addEntry(lstRoster, name, r.PersonNumber);
            const int all = findByPerson(lstAllPlayers, r.PersonNumber);
            if (all >= 0) {
                delete lstAllPlayers->takeItem(all);
                addEntry(lstAllPlayers, name, r.PersonNumber);
            }
        }
    }
    DisableTextFields();
    selectRosterItem(findByPerson(lstRoster, r.PersonNumber));
}

void frmRoster::cmdCancel_Click()
{
    if (selectedRoster() >= 0)
        lstRoster_Click();
    else
        ClearEntryFields();  // what was typed is dropped, so it is not shown
    EnableRoster();
    DisableTextFields();
}

void frmRoster::cmdInsert_Click()
{
    const int index = selectedAllPlayers();
    if (index < 0)
        return;
    const int16_t person = personOf(lstAllPlayers, index);
    if (findByPerson(lstRoster, person) >= 0) {
        warn(Trim(lstAllPlayers->item(index)->text()) + QStringLiteral(" is already on the roster!"),
             QStringLiteral("Player Already on Roster"));
        return;
    }
    int row = 0;
    try {
        row = pending_.insert(Db(), person);
    } catch (const RuntimeError& e) {
        databaseError(QStringLiteral("The player could not be read."), e);
        return;
    }
    if (row == 0)
        return;
    const RosterRow& r = pending_.row(row);
    addEntry(lstRoster, RosterDisplayName(r.fields[RosterField::FirstName], r.fields[RosterField::LastName]), person);
    selectRosterItem(findByPerson(lstRoster, person));
}

void frmRoster::cmdDelete_Click()
{
    const int index = selectedRoster();
    if (index < 0) {
        warn(QStringLiteral("Must select player!"), QStringLiteral("No Player Selected"));
        return;
    }
    const int16_t person = personOf(lstRoster, index);
    const int row = pending_.liveRow(person);
    try {
        if (auto refusal = RosterRemoveRefusal(Db(), g.CurrentTeam, person, lstRoster->item(index)->text())) {
            warn(refusal->text, refusal->title);
            return;
        }
        if (row > 0) {
            const QChar old = pending_.remove(row);
            const int all = findByPerson(lstAllPlayers, person);
            if (old == QLatin1Char('A')) {
                // Never stored: he leaves All Players too.
                if (all >= 0)
                    delete lstAllPlayers->takeItem(all);
            } else if (old != QLatin1Char(' ') && all >= 0) {
                // Edits made here are dropped: show the stored name again.
                const QString stored = RosterStoredName(Db(), person);
                if (!stored.isEmpty()) {
                    delete lstAllPlayers->takeItem(all);
                    addEntry(lstAllPlayers, stored, person);
                }
            }
        }
    } catch (const RuntimeError& e) {
        databaseError(QStringLiteral("The player could not be taken off the roster."), e);
        return;
    }
    ClearEntryFields();
    delete lstRoster->takeItem(index);
    if (lstRoster->count() > 0)
        selectRosterItem(std::min(index, lstRoster->count() - 1));
}

void frmRoster::cmdDeletePlayer_Click()
{
    const int index = selectedAllPlayers();
    if (index < 0)
        return;
    const int16_t person = personOf(lstAllPlayers, index);
    if (findByPerson(lstRoster, person) >= 0) {
        warn(QStringLiteral("Must delete from roster first!"), QStringLiteral("Delete Player Not Allowed"));
        return;
    }
    try {
        if (auto refusal = RosterDeletePersonRefusal(Db(), g.CurrentTeam, person, lstAllPlayers->item(index)->text())) {
            warn(refusal->text, refusal->title);
            return;
        }
        RosterDeletePerson(Db(), person);
    } catch (const RuntimeError& e) {
        databaseError(QStringLiteral("The player could not be deleted; nothing was changed."), e);
        return;
    }
    delete lstAllPlayers->takeItem(index);
    if (lstAllPlayers->count() > 0)
        lstAllPlayers->setCurrentRow(0);
}

void frmRoster::cmdClose_Click()
{
    try {
        pending_.write(Db(), g.CurrentTeam);
    } catch (const RuntimeError& e) {
        const QString text = QStringLiteral("The roster changes could not be saved; none of them was written.") +
                             QStringLiteral("\r") + e.details() + QStringLiteral("\r\rClose the roster without saving the changes?");
        if (MsgBox(text, g.MsgStyleYesNo, QStringLiteral("Roster Not Saved")) != vbYes)
            return;
    }
    pending_.clear();
    done(Accepted);
    returnToCaller();
}

void frmRoster::returnToCaller()
{
    if (g.FormOpen.size() >= FormNo::PScreen && g.FormOpen[FormNo::PScreen] == True) {
        if (entryScreenRefresh)
            entryScreenRefresh();
        return;
    }
    Load<frmSelectTeam>();
    SetMenus(g.SelectedTeamCount, QStringLiteral("Select"));
}

}  // namespace vh
