#include "shell/Procedures.h"

#include "platform/MsgBox.h"
#include "platform/Runtime.h"
#include "shell/Form.h"
#include "shell/Frame.h"
#include "shell/Globals.h"
#include "shell/MenuState.h"
#include "shell/Renumber.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <map>
#include <utility>

namespace vh {

namespace {
std::map<int, QPointer<Form>>& openForms()
{
    static std::map<int, QPointer<Form>> m;
    return m;
}
}  // namespace

void registerOpenForm(int number, Form* form) { openForms()[number] = form; }

void unregisterOpenForm(int number, Form* form)
{
    auto it = openForms().find(number);
    if (it != openForms().end() && it->second == form)
        openForms().erase(it);
}

Form* openForm(int number)
{
    auto it = openForms().find(number);
    return it == openForms().end() ? nullptr : it->second.data();
}

void CenterForm(QWidget* window)
{
    if (!window || !g.Frame || !g.Frame->frameWidget())
        return;
    const QWidget* frame = g.Frame->frameWidget();
    QWidget* target = window;
    if (auto* form = qobject_cast<Form*>(window))
        target = form->outerWidget();
    // The frame's outer size, as the old platform measured it, in single
    // precision; the offset of 800 twips is 53 pixels.
    const float frameW = float(frame->frameGeometry().width());
    const float frameH = float(frame->frameGeometry().height());
    const float left = (frameW - float(target->width())) / 2.0f;
    float top = (frameH - float(target->height())) / 2.0f - 800.0f / 15.0f;
    if (top < 0)
        top = 0;
    if (target->isWindow())
        target->move(frame->geometry().topLeft() + QPoint(int(left), int(top)));
    else
        target->move(int(left), int(top));
}

void ShowArrowPointer()
{
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

void ShowHourglass()
{
    if (!QApplication::overrideCursor())
        QApplication::setOverrideCursor(Qt::WaitCursor);
}

namespace {
// How many HourglassPointer objects live.
int& hourglassHolders()
{
    static int holders = 0;
    return holders;
}
}  // namespace

HourglassPointer::HourglassPointer()
{
    ++hourglassHolders();
    ShowHourglass();
}

HourglassPointer::~HourglassPointer()
{
    if (--hourglassHolders() == 0)
        ShowArrowPointer();
}

void NumericKeyFilter(int16_t& keyAscii)
{
    if ((keyAscii >= 48 && keyAscii <= 57) || keyAscii == 8 || keyAscii == 127)
        return;
    keyAscii = 0;
}

void ApplyTeamSelection(const std::vector<TeamListEntry>& entries)
{
    g.SelectedTeamCount = 0;
    g.SelectedTeamName.clear();
    g.CurrentTeam = 0;
    for (int k = 1; k <= g.NumTeams && k <= g.TeamSelected.size(); ++k)
        g.TeamSelected[k] = False;
    for (const TeamListEntry& e : entries) {
        if (!e.selected)
            continue;
        g.SelectedTeamCount += 1;
        for (int k = 1; k <= g.NumTeams && k <= g.TeamNumbers.size(); ++k) {
            if (g.TeamNumbers[k] == e.teamNumber) {
                if (k <= g.TeamSelected.size())
                    g.TeamSelected[k] = True;
                if (g.CurrentTeam == 0)
                    g.CurrentTeam = e.teamNumber;
                break;
            }
        }
        if (g.SelectedTeamName.isEmpty()) {
            g.SelectedTeamName = RTrim(e.text);
            g.SelectedTeamCaption = g.SelectedTeamName;
        }
    }
    if (g.SelectedTeamCount >= 2)
        g.SelectedTeamCaption = QStringLiteral("Multiple Teams");
}

namespace {
TeamSelectionSource& selectionSource()
{
    static TeamSelectionSource source;
    return source;
}
}  // namespace

TeamSelectionSource setTeamSelectionSource(TeamSelectionSource source)
{
    TeamSelectionSource old = std::move(selectionSource());
    selectionSource() = std::move(source);
    return old;
}

void ApplyTeamSelection()
{
    ApplyTeamSelection(selectionSource() ? selectionSource()() : std::vector<TeamListEntry>{});
}

void ResetComputeCriteria()
{
    // The title belongs to the report that is open; the rest starts over.
    ReportCriteria fresh;
    fresh.title = g.Criteria.title;
    for (int i = 1; i <= g.NumberGameTypes && i <= g.GameTypeNumbers.size(); ++i)
        fresh.gameTypes.emplace_back(g.GameTypeNumbers[i], true);
    g.Criteria = std::move(fresh);
}

bool OpenFormsMayClose()
{
    for (int n = 1; n <= FormNo::Count; ++n) {
        if (n > g.FormOpen.size() || g.FormOpen[n] != True)
            continue;
        if (Form* f = openForm(n); f && !f->Form_QueryUnload())
            return false;
    }
    return true;
}

void CloseOpenForms()
{
    for (int n = 1; n <= FormNo::Count; ++n) {
        if (n > g.FormOpen.size() || g.FormOpen[n] != True)
            continue;
        Form* f = openForm(n);
        if (!f)
            continue;
        if (n == 1)
            f->hideForm();
        else
            f->unloadForm();
    }
}

void ShowDataError(const QString& text, const QString& title, std::exception_ptr error)
{
    const RuntimeError e = describeException(error);
    MsgBox(text + QStringLiteral("\r\rError ") + QString::number(e.number()) + QStringLiteral(": ") + e.description(),
           vbOKOnly | vbExclamation, title);
}

void ShowNoNumberLeft(KeyKind kind)
{
    const NoNumberLeft none = NoNumberLeftMessage(kind);
    MsgBox(none.text, vbOKOnly | vbExclamation, none.title);
}

Database* OpenDatabaseOrNull() { return g.Db && g.Db->isOpen() ? g.Db.get() : nullptr; }

void ShowSelectTeamAgain()
{
    if (Form* select = openForm(FormNo::SelectTeam))
        select->showForm();
    SetMenus(g.SelectedTeamCount, QStringLiteral("Select"));
}

namespace {
TeamListReloader& teamListReloader()
{
    static TeamListReloader reload;
    return reload;
}
}  // namespace

TeamListReloader setTeamListReloader(TeamListReloader reload)
{
    return std::exchange(teamListReloader(), std::move(reload));
}

void ReloadSelectTeam()
{
    if (teamListReloader())
        teamListReloader()();
}

}  // namespace vh
