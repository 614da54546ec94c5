#pragma once

#include "shell/Form.h"

namespace vh {

class frmTeamName : public Form {
    Q_OBJECT
public:
    frmTeamName();

protected:
    void Form_Load() override;
};

}  // namespace vh
