#pragma once
// Which commands of the frame can be used: menu items, toolbar buttons and the
// font boxes, by the number of selected teams and the mode of the open window.

#include <QString>
#include <cstdint>

namespace vh {

// count -1 switches everything off; mode "Report" and "Update" have meanings
// of their own, any other text gives the main state. Stores the count in
// SelectedTeamCount unless it is -1. A command whose window the frame does not
// have stays off in every state.
void SetMenus(int16_t teamCount, const QString& mode);

}  // namespace vh
