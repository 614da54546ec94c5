#pragma once
// The roster editor: a modal dialog for the people and the current team's roster.

#include "shell/Form.h"

namespace vh {

class frmRoster : public Dialog {
    Q_OBJECT
public:
    frmRoster();

protected:
    void Form_Load() override;
};

}  // namespace vh
