#include "teams/frmRoster.h"

namespace vh {

frmRoster::frmRoster() { setObjectName(QStringLiteral("frmRoster")); }

void frmRoster::Form_Load() {}

}  // namespace vh
