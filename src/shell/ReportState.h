#pragma once
// The report criteria of the project-wide state (LowGame, HighGame, the
// home/away switches, the game types, ExcludedGames, TopX, PlayerScope, the
// minimum and ReportTitle) as one ReportCriteria value, and back, so that
// windows hand the computations a value instead of the state.

#include "shell/ReportCriteria.h"

namespace vh {

ReportCriteria CurrentReportCriteria();
void StoreReportCriteria(const ReportCriteria& criteria);

}  // namespace vh
