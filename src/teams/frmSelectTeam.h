#pragma once
// The team-selection window: the home child window, loaded for the whole run.

#include "shell/Form.h"
#include "shell/Procedures.h"

#include <vector>

namespace vh {

class frmSelectTeam : public Form {
    Q_OBJECT
public:
    frmSelectTeam();
    // The team list's entries in list order, with their selection.
    std::vector<TeamListEntry> teamListEntries() const;

protected:
    void Form_Load() override;
    void Form_Unload() override;
};

}  // namespace vh
