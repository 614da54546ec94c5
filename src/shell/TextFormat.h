#pragma once
// Turning stored values into the texts windows and reports show.

#include <QString>
#include <cstdint>

namespace vh {

// A person's name by the name options: first and last name, first initial and
// last name, or last name alone; with "-" and the uniform number on the team
// when the show-player-number option is True.
QString PersonDisplayName(int16_t personNumber, int16_t teamNumber, const QString& firstName, const QString& lastName);

}  // namespace vh
