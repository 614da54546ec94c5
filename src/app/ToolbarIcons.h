#pragma once
// The frame toolbar's images, drawn in code so that they scale cleanly and
// need no image files.

#include <QIcon>
#include <QString>

namespace vh {

// The image of the toolbar button with this key; an empty icon for an
// unknown key.
QIcon toolbarIcon(const QString& key);

}  // namespace vh
