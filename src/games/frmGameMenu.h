#pragma once

#include "shell/Form.h"

namespace vh {

class frmGameMenu : public Form {
    Q_OBJECT
public:
    frmGameMenu();

protected:
    void Form_Load() override;
};

}  // namespace vh
