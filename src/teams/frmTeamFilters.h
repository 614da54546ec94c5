#pragma once

#include "shell/Form.h"

namespace vh {

class frmTeamFilters : public Form {
    Q_OBJECT
public:
    frmTeamFilters();

protected:
    void Form_Load() override;
};

}  // namespace vh
