#pragma once
// Small shared procedures of the shell: placing a window in the frame, the
// mouse pointer, numeric keys, turning the team selection into project-wide
// state, resetting the report criteria and closing the open child windows.

#include <QString>
#include <cstdint>
#include <exception>
#include <functional>
#include <vector>

class QWidget;

namespace vh {

class Database;
class Form;

// Centres a window across the frame, 800 twips above the centre line, never
// above the frame's top edge.
void CenterForm(QWidget* window);
void ShowArrowPointer();
void ShowHourglass();
// While one lives, the frame's pointer is the hourglass; the arrow is back
// when the last one goes, also when an error ends the work.
class HourglassPointer {
public:
    HourglassPointer();
    ~HourglassPointer();
    HourglassPointer(const HourglassPointer&) = delete;
    HourglassPointer& operator=(const HourglassPointer&) = delete;
};
// Sets the key code to 0 unless it is a digit, Backspace (8) or Delete (127).
void NumericKeyFilter(int16_t& keyAscii);

// One entry of the team-selection window's list, in list order.
struct TeamListEntry {
    int16_t teamNumber = 0;
    QString text;
    bool selected = false;
};
// Copies the selection of the team-selection window into the project-wide
// state: SelectedTeamCount, CurrentTeam, TeamSelected, SelectedTeamName and
// SelectedTeamCaption ("Multiple Teams" for several).
void ApplyTeamSelection();
// The same from a given list (the team-selection window passes its own).
void ApplyTeamSelection(const std::vector<TeamListEntry>& entries);
// Where ApplyTeamSelection() reads the list; none gives an empty list. The
// frame puts the loaded team-selection window's list here, tests their own
// list; returns the source that was in place.
using TeamSelectionSource = std::function<std::vector<TeamListEntry>()>;
TeamSelectionSource setTeamSelectionSource(TeamSelectionSource source);
// Report criteria back to their defaults.
void ResetComputeCriteria();
// Closes every open child window; the team-selection window is only hidden.
void CloseOpenForms();
// Asks each open child window whether it may close (its Cancel's question);
// false as soon as one of them stays.
bool OpenFormsMayClose();

// Shows `text`, then the error's number and description, with a warning icon:
// the message of a failed read or write.
void ShowDataError(const QString& text, const QString& title, std::exception_ptr error);
// The warning that a new row of `kind` finds no number left.
enum class KeyKind;
void ShowNoNumberLeft(KeyKind kind);
// The open main database, or nullptr while none is open (windows then show
// empty lists instead of failing).
Database* OpenDatabaseOrNull();

// A window's Cancel or Close: the team-selection window comes back as it was,
// with the menus of its selection.
void ShowSelectTeamAgain();
// After teams, filters or the whole database changed: the team-selection
// window is unloaded and loaded again, so that it rebuilds its lists, the
// team table and the next numbers. The team-selection window registers how;
// returns the reloader that was in place.
using TeamListReloader = std::function<void()>;
TeamListReloader setTeamListReloader(TeamListReloader reload);
void ReloadSelectTeam();

// The loaded window of each open-window number (kept by Form).
void registerOpenForm(int number, Form* form);
void unregisterOpenForm(int number, Form* form);
Form* openForm(int number);

}  // namespace vh
